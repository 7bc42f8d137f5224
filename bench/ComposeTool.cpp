// compose_firmware BASE BANK_DIR OUTPUT_DIR
#include "common/FileSystem.h"
#include "firmware/FirmwareComposer.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "Usage: compose_firmware BASE BANK_DIR OUTPUT_DIR\n";
        return 2;
    }
    const std::string base = argv[1];
    CompositionContext context;
    context.BaseFirmwareName = FileNameOf(base);
    context.BaseFirmwareDir = base.size() > context.BaseFirmwareName.size()
                                  ? base.substr(0, base.size() - context.BaseFirmwareName.size() - 1)
                                  : std::string();
    context.BankDir = std::string(argv[2]) + "/";
    context.OutputDir = std::string(argv[3]) + "/";
    context.NewFirmwareName = "New_" + context.BaseFirmwareName;
    context.Selected = {true, true, false, false, false};
    CompositionObserver quiet;
    try {
        const CompositionOutcome outcome = ComposeFirmware(context, quiet);
        return outcome.Abandoned || !outcome.Written ? 1 : 0;
    } catch (const std::exception& failure) {
        std::cerr << failure.what() << '\n';
        return 1;
    }
}
