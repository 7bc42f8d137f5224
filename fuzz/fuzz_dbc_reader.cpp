// The DBC reader on arbitrary bytes: a file is either refused with a Failure naming its line,
// or read into frames a classic CAN frame can be, whose covered bytes lie inside the frame.
#include "canbus/DbcReader.h"
#include "common/Failure.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    DbcDatabase database;
    try {
        database = ReadDbc(bytes, "fuzz.dbc");
    } catch (const Failure& failure) {
        if (std::string(failure.what()).find("'fuzz.dbc', line ") != 0) {
            std::fprintf(stderr, "a refusal without its line: %s\n", failure.what());
            std::abort();
        }
        return 0;
    }
    for (const DbcMessage& message : database.Messages) {
        if (message.Dlc < 0 || message.Dlc > 8 || (message.Extended && message.Id > 0x1FFFFFFF)) {
            std::fprintf(stderr, "frame %s kept with length %d\n", message.Name.c_str(), message.Dlc);
            std::abort();
        }
        if (CoveredBytes(message) >> message.Dlc != 0) {
            std::fprintf(stderr, "frame %s covers bytes beyond its length\n", message.Name.c_str());
            std::abort();
        }
    }
    return 0;
}
