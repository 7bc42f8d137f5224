// verify_firmware BASE BANK_DIR FIRMWARE
// verify_firmware --compose BASE BANK_DIR OUTPUT_DIR
// Checks a firmware against the base firmware and BANK_DIR/bank1.bin and bank2.bin; with
// --compose, composes OUTPUT_DIR/New_<base name> as "Execute update firmware" does: the base
// firmware checked, the merge, and the check of what it wrote. Exit status 0 only when the
// firmware matches.
#include "common/FileSystem.h"
#include "firmware/CheckedComposition.h"
#include "firmware/FirmwareComposer.h"
#include "firmware/FirmwareVerification.h"

#include <algorithm>
#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    const bool compose = argc == 5 && std::string(argv[1]) == "--compose";
    if (argc != 4 && !compose) {
        std::cerr << "Usage: verify_firmware [--compose] BASE BANK_DIR FIRMWARE_OR_OUTPUT_DIR\n";
        return 2;
    }
    char** args = argv + (compose ? 2 : 1);
    const std::string base = args[0];
    const std::string bankDir = std::string(args[1]) + "/";
    std::string firmware = args[2];
    try {
        if (compose) {
            CompositionContext context;
            context.BaseFirmwareName = FileNameOf(base);
            context.BaseFirmwareDir = base.size() > context.BaseFirmwareName.size()
                                          ? base.substr(0, base.size() - context.BaseFirmwareName.size() - 1)
                                          : std::string();
            context.BankDir = bankDir;
            context.OutputDir = firmware + "/";
            context.NewFirmwareName = "New_" + context.BaseFirmwareName;
            context.Selected = {true, true, false, false, false};
            CompositionObserver quiet;
            const CompositionOutcome outcome = ComposeCheckedFirmware(context, quiet, nullptr);
            if (!outcome.Written) {
                std::cerr << outcome.Problem << '\n';
                return 1;
            }
            return 0;
        }
        BankImage banks;
        for (int bank : kVerifiedBanks) {
            const std::string bytes = ReadFileBytes(bankDir + "bank" + std::to_string(bank) + ".bin");
            std::copy_n(bytes.begin(), std::min(bytes.size(), BankImage::kBankSize), banks.Bank(bank).begin());
        }
        const FirmwareVerification result = VerifyFirmwareFile(firmware, base, banks);
        if (!result.Matches()) {
            std::cerr << result.Summary(FileNameOf(firmware)) << '\n';
            return 1;
        }
        return 0;
    } catch (const std::exception& failure) {
        std::cerr << failure.what() << '\n';
        return 1;
    }
}
