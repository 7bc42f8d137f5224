#include "firmware/CheckedComposition.h"

#include "common/FileSystem.h"
#include "firmware/BaseFirmware.h"
#include "firmware/DeviceUpdate.h"
#include "firmware/FirmwareVerification.h"
#include "firmware/SRecord.h"
#include "firmware/SRecordFile.h"
#include "firmware/SRecordStream.h"

#include <cstdio>
#include <cstring>
#include <optional>

inline namespace zz {

namespace {

std::string BankFileName(int bank)
{
    return "bank" + std::to_string(bank) + ".bin";
}

std::string Window(int bank)
{
    char text[40];
    std::snprintf(text, sizeof text, "0x%06X to 0x%06X", BankFirstAddress(bank), BankLastAddress(bank));
    return text;
}

CompositionOutcome Refused(const std::string& message)
{
    CompositionOutcome outcome;
    outcome.Result = -1;
    outcome.Abandoned = true;
    outcome.Problem = message;
    outcome.ProblemSaid = true;
    outcome.Messages.push_back(NoticeMessage(message));
    return outcome;
}

// The bank file as the composer reads it: 16,384 bytes, zero after a short file's end.
bool ReadBankFile(const std::string& path, BankImage::Bytes& bytes, std::string& problem)
{
    bytes.fill(0);
    try {
        const std::string content = ReadFileBytes(path);
        std::memcpy(bytes.data(), content.data(), std::min(content.size(), bytes.size()));
        return true;
    } catch (const std::exception& failure) {
        problem = failure.what();
        return false;
    }
}

// Why a bank file is not the one this build wrote; empty when it is, or when a merged one is
// missing (the composer then says "File bankN.bin Not Found,Abort Procedure"). Only the merged
// ones are read back.
std::string BankFileFault(const CompositionContext& context, const BankBuild& build, int bank, bool merged)
{
    const std::string path = context.BankDir + BankFileName(bank);
    const std::string& problem = build.Problems[static_cast<size_t>(bank - 1)];
    if (!problem.empty())
        return "File " + BankFileName(bank) + " was not written by this build, Abort Procedure: " + problem;
    if (!merged || !FileExists(path)) return {};
    BankImage::Bytes found{};
    std::string unreadable;
    if (!ReadBankFile(path, found, unreadable))
        return "File " + BankFileName(bank) + " cannot be read, Abort Procedure: " + unreadable;
    const BankImage::Bytes& expected = build.Image.Bank(bank);
    for (size_t at = 0; at < expected.size(); ++at) {
        if (found[at] == expected[at]) continue;
        std::string where = "offset " + GroupedNumber(at);
        if (bank == 1) where += " (" + BankOneField(static_cast<uint32_t>(at)) + ")";
        return "File " + BankFileName(bank) + " does not hold this build's configuration, Abort Procedure: '" + path +
               "' differs at " + where;
    }
    return {};
}

// The file's first fault, read record by record.
std::optional<SRecordProblem> FirstFaultOf(const std::string& path)
{
    SRecordStream stream(SRecordStream::OpenFile{path});
    SRecord record;
    std::span<const uint8_t> data;
    while (stream.Next(record, data)) {
    }
    return stream.FirstFault();
}

} // namespace

CompositionOutcome ComposeCheckedFirmware(const CompositionContext& context, CompositionObserver& observer,
                                          const BankBuild* build)
{
    auto selected = [&](int n) { return context.Selected[static_cast<size_t>(n - 1)]; };
    if (build) {
        // Every bank file of the build counts, merged or not: a build whose files could not all
        // be written has not succeeded.
        for (int n = 1; n <= 5; ++n) {
            const std::string fault = BankFileFault(context, *build, n, selected(n));
            if (!fault.empty()) return Refused(fault);
        }
    }

    const std::string basePath = BaseFirmwarePath(context);
    // The base firmware is read once: checked, composed from and verified against in memory.
    // A missing one is said by the composer, with its own message.
    std::optional<BaseFirmware> base;
    if (FileExists(basePath)) {
        base = BaseFirmware::Read(basePath);
        const std::string refusal = "The base firmware '" + basePath + "' cannot be merged, Abort Procedure: ";
        if (const auto& fault = base->Fault()) return Refused(refusal + fault->Describe());
        for (int n = 1; n <= 5; ++n) {
            if (selected(n) && !base->HasRecordInWindow(n))
                return Refused(refusal + "no S1 or S2 record starts in the window of bank " + std::to_string(n) + " (" +
                               Window(n) + "), so the bank cannot be inserted");
        }
    }

    CompositionContext checked = context;
    if (base) checked.BaseBytes = base->Bytes();
    checked.Verify = [&](const std::string& composedPath, CompositionOutcome& outcome) -> std::string {
        // What the merged windows must hold: this build's images, or else the bank files the
        // composer read.
        BankImage expected;
        for (int n = 1; n <= 5; ++n) {
            if (!selected(n)) continue;
            if (build) {
                expected.Bank(n) = build->Image.Bank(n);
                continue;
            }
            std::string unreadable;
            if (!ReadBankFile(context.BankDir + BankFileName(n), expected.Bank(n), unreadable)) return unreadable;
        }
        // The composed file is read back once: what the disk holds is what is verified.
        std::string problem;
        const bool banksOneAndTwo = context.Selected == kDeviceUpdateBanks;
        if (banksOneAndTwo) {
            const FirmwareVerification verification = base ? VerifyComposedFile(composedPath, *base, expected)
                                                           : VerifyFirmwareFile(composedPath, basePath, expected);
            if (!verification.Matches()) problem = verification.Summary(context.NewFirmwareName);
            outcome.Summary = context.NewFirmwareName + " verified";
            if (verification.ReceiveFrames && verification.SendFrames)
                outcome.Summary += ": " + std::to_string(*verification.ReceiveFrames) + " receive and " +
                                   std::to_string(*verification.SendFrames) + " send frames";
        } else if (const auto fault = FirstFaultOf(composedPath)) {
            // Another choice of banks (the window's hidden options): the file is checked record by
            // record, its content against the base is not.
            problem = context.NewFirmwareName + " is damaged: " + fault->Describe();
        } else {
            outcome.Summary = context.NewFirmwareName + " checked: every record valid, S9 last";
        }
        if (!problem.empty()) {
            outcome.Summary.clear();
            outcome.Messages.push_back(NoticeMessage("New firmware refused, Abort Procedure: " + problem));
            outcome.ProblemSaid = true;
        }
        return problem;
    };
    return ComposeFirmware(checked, observer);
}

} // namespace zz
