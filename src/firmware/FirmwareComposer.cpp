#include "firmware/FirmwareComposer.h"

#include "common/Failure.h"
#include "common/FileSystem.h"
#include "firmware/SRecord.h"
#include "firmware/StreamFiles.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <vector>

inline namespace zz {

namespace {

constexpr const char* kMergeFailed = "File New Sx Not Create,Abort Procedure";

// Reports the progress to the window at most a few hundred times per merge: the bar shows the
// same, and the composition does not wait for the screen on every line.
class Progress {
public:
    explicit Progress(CompositionObserver& observer)
        : observer_(observer)
    {
    }
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
    explicit RemoveAtExit(std::string path)
        : path_(std::move(path))
    {
    }
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
        const ssize_t got = ReadRetrying(in.Get(), data + have, sizeof data - have);
        if (got < 0) {
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

std::string CannotWrite(const std::string& path, int error)
{
    return "Cannot write file '" + path + "': " + std::strerror(error);
}

void WriteBinSx(const std::string& path, const std::string& records)
{
    FileHandle out = CreateFresh(path);
    try {
        WriteAll(out.Get(), records);
        out.Close();
    } catch (const WriteError& failed) {
        throw Failure(CannotWrite(path, failed.Error));
    }
}

bool IsRecordType(std::string_view line, char type)
{
    return line.size() >= 2 && line[0] == 'S' && line[1] == type;
}

// A bank that is not merged: its source becomes the step's target as it is. The base firmware
// is copied, never moved, so that it stays where the installation put it. A copy that cannot
// be written whole throws WriteError; a source that is missing leaves no target, which the
// next step or the end of the chain then says.
void PassThrough(int bank, const std::string& source, const std::optional<std::string_view>& sourceBytes,
                 const std::string& target)
{
    ::unlink(target.c_str());
    if (bank != 1) {
        std::rename(source.c_str(), target.c_str());
        return;
    }
    if (!FileExists(source)) return;
    std::string read;
    if (!sourceBytes) read = ReadFileBytes(source);
    FileHandle out = CreateFresh(target);
    WriteAll(out.Get(), sourceBytes ? *sourceBytes : read);
    out.Close();
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

namespace {

std::string BankFileName(int bank)
{
    return "bank" + std::to_string(bank) + ".bin";
}

// The tests a merge makes before it touches any file; false on the first that fails, whose
// message goes to `said` when given.
bool MergeCanStart(const CompositionContext& context, int bank, const std::string& sourcePath,
                   UserMessages* said = nullptr)
{
    const char* problem = nullptr;
    std::string bankMessage;
    if (!FileExists(sourcePath)) problem = "File *.Sx Not Found,Abort Procedure";
    else if (context.NewFirmwareName.empty()) problem = "File New *.Sx Not Found,Abort Procedure";
    else if (!DirectoryExists(context.BankDir)) problem = "Directory Bin Not Found,Abort Procedure";
    else if (!FileExists(context.BankDir + BankFileName(bank))) {
        bankMessage = "File " + BankFileName(bank) + " Not Found,Abort Procedure";
        problem = bankMessage.c_str();
    }
    if (problem && said) said->push_back(NoticeMessage(problem));
    return !problem;
}

struct BankInPass {
    int bank;
    uint32_t first, last;
    std::string records;
    bool inserted = false;
    int result = -1;
};

struct PassOutcome {
    std::vector<int> Results;
    std::string Problem; // why the pass was abandoned, when it was
    UserMessages Messages;
};

// One pass over the source that merges one or more banks, each as its own merge would on the
// output of the one before: a line in a bank's window is dropped and the bank's 512 records
// stand in the place of the first one; every S9 line settles each bank's result. Banks merged
// one after the other see the same lines, since a merge writes only clean, non-empty lines:
// so a run of selected banks needs one pass and no intermediate file in between.
PassOutcome MergePass(const CompositionContext& context, const std::vector<int>& banks, bool askWhenMissing,
                      const std::string& sourcePath, const std::optional<std::string_view>& sourceBytes,
                      const std::string& targetName, CompositionObserver& observer)
{
    Progress progress(observer);
    progress.Set(0);
    const std::string binPath = context.BankDir + "Bin.sx";
    RemoveAtExit removeBin(binPath);
    CreateFresh(binPath);
    std::vector<BankInPass> pass;
    for (int bank : banks) {
        pass.push_back({bank, BankFirstAddress(bank), BankLastAddress(bank),
                        BankRecords(context.BankDir + BankFileName(bank), bank)});
        if (pass.size() == 1) WriteBinSx(binPath, pass.front().records);
    }
    long count = kBankRecordCount * static_cast<long>(banks.size());

    FileHandle source;
    if (!sourceBytes) source = OpenForReading(sourcePath);
    const std::string targetPath = context.OutputDir + targetName;
    if (SameFile(sourcePath, targetPath))
        throw Failure("Cannot create file '" + targetPath + "': it is the file being read");
    FileHandle target = CreateFresh(targetPath);

    BufferedWriter out(target.Get());
    PassOutcome outcome;
    bool said = false;
    try {
        try {
            LineReader reader = sourceBytes ? LineReader(*sourceBytes) : LineReader(source.Get());
            count += static_cast<long>(reader.CountLines());
            progress.Maximum(count);
            std::string_view line;
            while (reader.Next(line)) {
                progress.Add(1);
                if (line.empty()) throw StreamError{};
                if (IsRecordType(line, '1') || IsRecordType(line, '2')) {
                    // Only the record's start address is compared with the window.
                    uint32_t address = 0;
                    if (!ReadHexAddress(line, 4, address)) throw StreamError{};
                    BankInPass* owner = nullptr;
                    for (BankInPass& b : pass)
                        if (address >= b.first && address <= b.last) owner = &b;
                    if (owner) {
                        if (!owner->inserted) {
                            out.Raw(owner->records);
                            progress.Add(kBankRecordCount);
                            owner->inserted = true;
                        }
                        continue;
                    }
                } else if (IsRecordType(line, '9')) {
                    for (BankInPass& b : pass) {
                        if (!b.inserted && askWhenMissing && observer.InsertMissingBank(b.bank)) {
                            out.Raw(b.records);
                            progress.Add(kBankRecordCount);
                            b.inserted = true;
                        }
                        b.result = b.inserted ? 1 : 0;
                    }
                }
                out.Line(line);
            }
            out.Flush();
            target.Close();
        } catch (const StreamError&) {
            // What was merged so far stays in the target.
            out.Flush();
            target.Close();
            throw;
        }
    } catch (const StreamError&) {
        // Only the first bank's merge would meet the bad line: the ones after it read its clean,
        // shorter output.
        outcome.Messages.push_back(NoticeMessage(kMergeFailed));
        said = true;
    } catch (const WriteError& failed) {
        // A target that did not get every byte is never a result, whatever was merged.
        if (!said) outcome.Messages.push_back(NoticeMessage(kMergeFailed));
        said = true;
        outcome.Problem = CannotWrite(targetPath, failed.Error);
        for (BankInPass& b : pass) b.result = -1;
    }
    if (!said && pass.front().result == -1) {
        // No S9 line: said, so that no failure goes unexplained.
        outcome.Messages.push_back(NoticeMessage(kMergeFailed));
        outcome.Problem = "'" + sourcePath + "' has no S9 end record";
    }
    progress.Set(count);
    for (const BankInPass& b : pass) outcome.Results.push_back(b.result);
    return outcome;
}

} // namespace

MergeOutcome MergeBank(const CompositionContext& context, int bank, bool askWhenMissing, const std::string& sourcePath,
                       const std::string& targetName, CompositionObserver& observer)
{
    observer.ProgressPosition(0);
    MergeOutcome outcome;
    if (!MergeCanStart(context, bank, sourcePath, &outcome.Messages)) return outcome;
    PassOutcome pass = MergePass(context, {bank}, askWhenMissing, sourcePath, std::nullopt, targetName, observer);
    outcome.Result = pass.Results.front();
    outcome.Messages = std::move(pass.Messages);
    return outcome;
}

CompositionOutcome ComposeFirmware(const CompositionContext& context, CompositionObserver& observer)
{
    for (int n = 1; n <= 5; ++n) observer.BankColour(n, kBankWindowColour);
    observer.ComposeEnabled(false);

    const std::string basePath = BaseFirmwarePath(context);
    const std::string newFirmware = context.OutputDir + context.NewFirmwareName;
    // The chain deletes and replaces its targets: none of them may be the base firmware.
    for (int n = 1; n <= 5; ++n) {
        const std::string target = n == 5 ? newFirmware : context.OutputDir + IntermediateName(n);
        if (SameFile(basePath, target) || (n == 5 && SameFile(basePath, context.OutputDir + IntermediateName(5)))) {
            observer.ComposeEnabled(true);
            throw Failure("The new firmware '" + target + "' would replace the base firmware '" + basePath + "'");
        }
    }

    auto selected = [&](int n) { return context.Selected[static_cast<size_t>(n - 1)]; };
    auto sourceOf = [&](int n) { return n == 1 ? basePath : context.OutputDir + IntermediateName(n - 1); };
    auto bytesOf = [&](int n) { return n == 1 ? context.BaseBytes : std::nullopt; };
    // A merge writes straight to the target of the unselected banks after it: passing them
    // through would only rename its file from one step's name to the next. Banks up to this one
    // are in the last merge's target already.
    int mergedThrough = 0;
    auto throughOf = [&](int last) {
        while (last < 5 && !selected(last + 1)) ++last;
        return last;
    };
    // The last step writes "°B5°.sx" too: the new firmware takes its name only once it is whole
    // (and verified, when the context asks for it), so a failed run leaves an earlier one as it was.
    auto targetOf = [&](int n) { return IntermediateName(n); };
    const std::string staged = context.OutputDir + IntermediateName(5);
    CompositionOutcome outcome;
    auto abandon = [&](const std::string& problem) {
        outcome.Abandoned = true;
        if (outcome.Problem.empty()) outcome.Problem = problem;
    };
    auto take = [&](PassOutcome& pass) {
        outcome.Problem = pass.Problem;
        for (UserMessage& message : pass.Messages) outcome.Messages.push_back(std::move(message));
        return pass.Results;
    };
    try {
        for (int n = 1; n <= 5;) {
            // A run of selected banks before bank 5 is merged in one pass when every merge in it can
            // start; bank 5 always goes alone.
            int last = n;
            if (n < 5 && selected(n) && MergeCanStart(context, n, sourceOf(n))) {
                while (last + 1 < 5 && selected(last + 1) && FileExists(context.BankDir + BankFileName(last + 1)))
                    ++last;
            }
            std::vector<int> results;
            if (last > n) {
                std::vector<int> banks;
                for (int b = n; b <= last; ++b) banks.push_back(b);
                mergedThrough = throughOf(last);
                PassOutcome pass =
                    MergePass(context, banks, false, sourceOf(n), bytesOf(n), targetOf(mergedThrough), observer);
                results = take(pass);
            } else if (selected(n)) {
                observer.ProgressPosition(0);
                if (MergeCanStart(context, n, sourceOf(n), &outcome.Messages)) {
                    mergedThrough = throughOf(n);
                    PassOutcome pass =
                        MergePass(context, {n}, false, sourceOf(n), bytesOf(n), targetOf(mergedThrough), observer);
                    results = take(pass);
                } else {
                    results = {-1};
                }
            } else if (n <= mergedThrough) {
                results = {outcome.Result};
            } else {
                try {
                    PassThrough(n, sourceOf(n), bytesOf(n), context.OutputDir + targetOf(n));
                } catch (const WriteError& failed) {
                    outcome.Messages.push_back(NoticeMessage(kMergeFailed));
                    outcome.Result = -1;
                    abandon(CannotWrite(context.OutputDir + targetOf(n), failed.Error));
                    break;
                }
                results = {outcome.Result};
            }
            for (int r : results) {
                outcome.Result = r;
                if (r == -1) break;
                if (r == 0) observer.BankColour(n, kBankMissingColour);
                ++n;
            }
            if (outcome.Result == -1) {
                abandon("The new firmware was not made");
                break;
            }
        }
        if (!outcome.Abandoned && !FileExists(staged)) {
            // A source that vanished on the way (a bank passed through without its file).
            outcome.Messages.push_back(NoticeMessage(kMergeFailed));
            abandon("The new firmware was not made: '" + staged + "' is missing");
        }
        if (!outcome.Abandoned && context.Verify) {
            outcome.Problem = context.Verify(staged, outcome);
            if (!outcome.Problem.empty()) outcome.Refused = true;
        }
        if (!outcome.Abandoned && !outcome.Refused) {
            // rename replaces a link in the new firmware's place rather than writing through it.
            // The file is not forced to the disk first: the flasher reads it at once, every write
            // and the close were checked, and a sync of megabytes would double the build's time.
            if (std::rename(staged.c_str(), newFirmware.c_str()) != 0) {
                const int error = errno;
                outcome.Messages.push_back(NoticeMessage(kMergeFailed));
                abandon(CannotWrite(newFirmware, error));
            } else {
                outcome.Written = true;
            }
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

} // namespace zz
