#include "firmware/FirmwareComposer.h"

#include "common/Failure.h"
#include "common/FileSystem.h"
#include "common/MessageSink.h"
#include "firmware/SRecord.h"
#include "firmware/StreamFiles.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace {

constexpr const char* kMergeFailed = "File New Sx Not Create,Abort Procedure";

int Abandon(const std::string& message)
{
    Messages().Notice(message);
    return -1;
}

// Reports the progress to the window at most a few hundred times per merge: the bar shows the
// same, and the composition does not wait for the screen on every line.
class Progress {
public:
    explicit Progress(CompositionObserver& observer) : observer_(observer) {}
    void Maximum(long maximum)
    {
        observer_.ProgressMaximum(static_cast<int>(maximum));
        step_ = maximum / 256 > 0 ? maximum / 256 : 1;
    }
    void Add(long count)
    {
        position_ += count;
        if (position_ - reported_ >= step_) Set(position_);
    }
    void Set(long position)
    {
        position_ = reported_ = position;
        observer_.ProgressPosition(static_cast<int>(position));
    }

private:
    CompositionObserver& observer_;
    long position_ = 0;
    long reported_ = 0;
    long step_ = 1;
};

// Removes a file when the scope ends, however it ends.
class RemoveAtExit {
public:
    explicit RemoveAtExit(std::string path) : path_(std::move(path)) {}
    ~RemoveAtExit() { ::unlink(path_.c_str()); }
    RemoveAtExit(const RemoveAtExit&) = delete;
    RemoveAtExit& operator=(const RemoveAtExit&) = delete;

private:
    std::string path_;
};

// The 512 records of a bank file, each with CR LF. A short file yields zero bytes at its end.
std::string BankRecords(const std::string& bankFile, int bank)
{
    FileHandle in = OpenForReading(bankFile);
    uint8_t data[kBankRecordCount * kBankRecordBytes] = {};
    size_t have = 0;
    while (have < sizeof data) {
        const ssize_t got = ::read(in.Get(), data + have, sizeof data - have);
        if (got < 0) {
            if (errno == EINTR) continue;
            throw Failure("Cannot read file '" + bankFile + "': " + std::strerror(errno));
        }
        if (got == 0) break;
        have += static_cast<size_t>(got);
    }
    std::string records;
    records.reserve(kBankRecordCount * 78);
    uint32_t address = BankFirstAddress(bank);
    for (int k = 0; k < kBankRecordCount; ++k, address += kBankRecordBytes) {
        records += BankRecord(address, data + k * kBankRecordBytes);
        records += "\r\n";
    }
    return records;
}

void WriteBinSx(const std::string& path, const std::string& records)
{
    FileHandle out = CreateForWriting(path);
    BufferedWriter writer(out.Get());
    try {
        writer.Raw(records);
        writer.Flush();
    } catch (const StreamError&) {
        throw Failure("Cannot write file '" + path + "': " + std::strerror(errno));
    }
}

bool IsRecordType(std::string_view line, char type)
{
    return line.size() >= 2 && line[0] == 'S' && line[1] == type;
}

// A bank that is not merged: its source becomes the step's target as it is. The base firmware
// is copied, never moved, so that it stays where the installation put it.
void PassThrough(int bank, const std::string& source, const std::string& target)
{
    ::unlink(target.c_str());
    if (bank == 1) {
        std::error_code ignored;
        std::filesystem::copy_file(source, target, std::filesystem::copy_options::overwrite_existing, ignored);
    } else {
        std::rename(source.c_str(), target.c_str());
    }
}

void RemoveIntermediates(const CompositionContext& context)
{
    for (int n = 1; n <= 5; ++n) ::unlink((context.OutputDir + IntermediateName(n)).c_str());
}

} // namespace

std::string IntermediateName(int bank)
{
    return "\u00B0B" + std::to_string(bank) + "\u00B0.sx";
}

std::string BaseFirmwarePath(const CompositionContext& context)
{
    return context.BaseFirmwareDir.empty() ? context.BaseFirmwareName
                                           : context.BaseFirmwareDir + "/" + context.BaseFirmwareName;
}

int MergeBank(const CompositionContext& context, int bank, bool askWhenMissing, const std::string& sourcePath,
              const std::string& targetName, CompositionObserver& observer)
{
    int result = -1;
    Progress progress(observer);
    progress.Set(0);

    if (!FileExists(sourcePath)) return Abandon("File *.Sx Not Found,Abort Procedure");
    if (context.NewFirmwareName.empty()) return Abandon("File New *.Sx Not Found,Abort Procedure");
    if (!DirectoryExists(context.BankDir)) return Abandon("Directory Bin Not Found,Abort Procedure");
    const std::string bankName = "bank" + std::to_string(bank) + ".bin";
    const std::string bankFile = context.BankDir + bankName;
    if (!FileExists(bankFile)) return Abandon("File " + bankName + " Not Found,Abort Procedure");

    const std::string binPath = context.BankDir + "Bin.sx";
    CreateForWriting(binPath);
    RemoveAtExit removeBin(binPath);
    const std::string records = BankRecords(bankFile, bank);
    WriteBinSx(binPath, records);
    long count = kBankRecordCount;

    FileHandle source = OpenForReading(sourcePath);
    const std::string targetPath = context.OutputDir + targetName;
    if (SameFile(sourcePath, targetPath))
        throw Failure("Cannot create file '" + targetPath + "': it is the file being read");
    FileHandle target = CreateForWriting(targetPath);

    const uint32_t first = BankFirstAddress(bank);
    const uint32_t last = BankLastAddress(bank);
    bool inserted = false;
    BufferedWriter out(target.Get());
    try {
        try {
            count += static_cast<long>(CountLines(source.Get()));
            progress.Maximum(count);
            LineReader reader(source.Get());
            std::string_view line;
            while (reader.Next(line)) {
                progress.Add(1);
                if (line.empty()) throw StreamError{};
                if (IsRecordType(line, '1') || IsRecordType(line, '2')) {
                    // Only the record's start address is compared with the window.
                    uint32_t address = 0;
                    if (!ReadHexAddress(line, 4, address)) throw StreamError{};
                    if (address >= first && address <= last) {
                        if (!inserted) {
                            out.Raw(records);
                            progress.Add(kBankRecordCount);
                            inserted = true;
                        }
                        continue;
                    }
                } else if (IsRecordType(line, '9')) {
                    if (!inserted && askWhenMissing && Messages().Ask("Alert", "Bank Not Found.To insert Equally?")) {
                        out.Raw(records);
                        progress.Add(kBankRecordCount);
                        inserted = true;
                    }
                    result = inserted ? 1 : 0;
                }
                out.Line(line);
            }
            out.Flush();
        } catch (const StreamError&) {
            // What was merged so far stays in the target.
            try {
                out.Flush();
            } catch (const StreamError&) {
            }
            throw;
        }
    } catch (const StreamError&) {
        Messages().Notice(kMergeFailed);
    }
    progress.Set(count);
    return result;
}

CompositionOutcome ComposeFirmware(const CompositionContext& context, CompositionObserver& observer)
{
    for (int n = 1; n <= 5; ++n) observer.BankColour(n, kBankWindowColour);
    observer.ComposeEnabled(false);

    const std::string basePath = BaseFirmwarePath(context);
    // The chain deletes and replaces its targets: none of them may be the base firmware.
    for (int n = 1; n <= 5; ++n) {
        const std::string target = context.OutputDir + (n == 5 ? context.NewFirmwareName : IntermediateName(n));
        if (SameFile(basePath, target) || (n == 5 && SameFile(basePath, context.OutputDir + IntermediateName(5)))) {
            observer.ComposeEnabled(true);
            throw Failure("The new firmware '" + target + "' would replace the base firmware '" + basePath + "'");
        }
    }

    CompositionOutcome outcome;
    try {
        for (int n = 1; n <= 5; ++n) {
            const std::string source = n == 1 ? basePath : context.OutputDir + IntermediateName(n - 1);
            const std::string targetName = n == 5 ? context.NewFirmwareName : IntermediateName(n);
            if (context.Selected[static_cast<size_t>(n - 1)]) {
                outcome.result = MergeBank(context, n, false, source, targetName, observer);
                if (n == 5) outcome.written = outcome.result != -1 || FileExists(context.OutputDir + targetName);
            } else {
                PassThrough(n, source, context.OutputDir + targetName);
                if (n == 5) outcome.written = FileExists(context.OutputDir + targetName);
            }
            if (outcome.result == -1) {
                outcome.abandoned = true;
                break;
            }
            if (outcome.result == 0) observer.BankColour(n, kBankMissingColour);
        }
    } catch (...) {
        // A file that could not be opened ends the composition; its temporary files go with it.
        RemoveIntermediates(context);
        observer.ComposeEnabled(true);
        throw;
    }
    RemoveIntermediates(context);
    observer.ComposeEnabled(true);
    return outcome;
}
