// read_dbc FILE: reads the DBC file and prints its frame and signal counts.
// read_dbc --sample FILE: writes the 1,000-frame, 10,000-signal sample file.
#include "SampleDbc.h"
#include "canbus/DbcReader.h"
#include "common/FileSystem.h"

#include <exception>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    try {
        if (argc == 3 && std::string(argv[1]) == "--sample") {
            zz::WriteFileAtomically(argv[2], zz::SampleDbc(1000, 10), {.SyncToDisk = false});
            return 0;
        }
        if (argc != 2) {
            std::cerr << "usage: read_dbc FILE | read_dbc --sample FILE\n";
            return 2;
        }
        const zz::DbcDatabase database = zz::ReadDbcFile(argv[1]);
        size_t signals = 0;
        for (const zz::DbcMessage& message : database.Messages) signals += message.Signals.size();
        std::cout << database.Messages.size() << " frames, " << signals << " signals\n";
        return 0;
    } catch (const std::exception& failure) {
        std::cerr << "read_dbc: " << failure.what() << '\n';
        return 1;
    }
}
