#include "CanLogFuzz.h"
#include "canbus/AscLine.h"

// The ASC reader: the bytes after an ASC header, so that every line goes to it, and each line alone.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    FuzzCanLog("date Tue Nov 14 22:13:20 2023\nbase hex  timestamps absolute\n" + std::string(text));
    int base = 16;
    zz::CanLogFrame frame;
    const zz::AscLineResult line = zz::ReadAscLine(text.substr(0, text.find('\n')), base, frame);
    if (line.Kind == zz::AscLineKind::Frame && frame.Length > 64) std::abort();
    return 0;
}
