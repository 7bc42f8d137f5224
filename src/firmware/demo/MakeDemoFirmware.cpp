// make_demo_firmware [--if-missing] OUTPUT [FIRST END]
// Writes the synthetic base firmware (by default S2 records over 0x380000 to 0x3CFFFF). With
// --if-missing an existing file is left alone, so that a real base firmware put in its place
// survives a rebuild.
#include "common/FileSystem.h"
#include "common/ParseInt.h"
#include "firmware/demo/SyntheticFirmware.h"

#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    int at = 1;
    const bool ifMissing = argc > at && std::string(argv[at]) == "--if-missing";
    if (ifMissing) ++at;
    if (argc != at + 1 && argc != at + 3) {
        std::cerr << "Usage: make_demo_firmware [--if-missing] OUTPUT [FIRST END]\n";
        return 2;
    }
    const std::string output = argv[at];
    if (ifMissing && FileExists(output)) return 0;
    uint32_t first = 0x380000, end = 0x3D0000;
    if (argc == at + 3) {
        first = static_cast<uint32_t>(ParseIntOr(argv[at + 1], 0x380000));
        end = static_cast<uint32_t>(ParseIntOr(argv[at + 2], 0x3D0000));
    }
    if (!WriteSyntheticFirmware(output, first, end)) {
        std::cerr << "make_demo_firmware: cannot write " << output << '\n';
        return 1;
    }
    return 0;
}
