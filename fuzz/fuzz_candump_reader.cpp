#include "CanLogFuzz.h"
#include "canbus/CandumpLine.h"

// The candump -l reader: any bytes, and each line alone.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    FuzzCanLog(text);
    zz::CanLogFrame frame;
    const zz::CandumpLineResult line = zz::ReadCandumpLine(text.substr(0, text.find('\n')), frame);
    if (line.Kind == zz::CandumpLineKind::Frame && frame.Length > 64) std::abort();
    return 0;
}
