#pragma once
#include "common/UserMessage.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

inline namespace zz {

struct CompositionOutcome;

// The composition context: which base firmware is read, where the bank files are, and where
// the intermediate files and the new firmware go. The device update window owns one and the
// command line builds its own.
struct CompositionContext {
    // Directory of the base firmware, without a trailing "/". Empty: the base firmware is looked
    // up by its bare name in the current directory.
    std::string BaseFirmwareDir;
    std::string BaseFirmwareName;   // file name of the base firmware, without directory
    std::string BankDir;            // directory of bank1.bin to bank5.bin, with a trailing "/"
    std::string OutputDir;          // directory of the intermediate files and the new firmware, trailing "/"
    std::string NewFirmwareName;    // file name of the new firmware
    std::array<bool, 5> Selected{}; // banks 1 to 5 to merge (index 0 is bank 1)
    // The base firmware's bytes when the caller has read them (they must outlive the
    // composition): the composition takes them instead of reading the file once more.
    std::optional<std::string_view> BaseBytes;
    // Reads the composed file back before it takes the new firmware's name; returns what is
    // wrong with it, empty when it may be flashed. None: the file is taken as composed.
    std::function<std::string(const std::string& composedPath, CompositionOutcome& outcome)> Verify;
};

// Colours of the bank check boxes, as 0xBBGGRR.
inline constexpr int kBankWindowColour = 15595512; // the window colour: no verdict yet
inline constexpr int kBankMissingColour = 255;     // red: the bank's window was not found

// What the composition reports to the window while it runs.
class CompositionObserver {
public:
    virtual ~CompositionObserver() = default;
    virtual void ProgressMaximum(int /*maximum*/) {}
    virtual void ProgressPosition(int /*position*/) {}
    virtual void BankColour(int /*bank*/, int /*colour*/) {}
    // The "Execute Modify File Sx" button is disabled while a composition runs.
    virtual void ComposeEnabled(bool /*enabled*/) {}
    // A merge that may insert a bank whose window holds no record asks "Bank Not Found.To
    // insert Equally?" (caption "Alert"); true inserts it. Without a question box: no.
    virtual bool InsertMissingBank(int /*bank*/) { return false; }
};

// The name of the intermediate file after bank 1 to 5: "°B1°.sx" to "°B5°.sx".
std::string IntermediateName(int bank);

// Where the base firmware is read from.
std::string BaseFirmwarePath(const CompositionContext& context);

// What a merge has to tell: "File New Sx Not Create,Abort Procedure" and the like, for the
// front end to show in plain boxes, in order.
struct MergeOutcome {
    int Result = -1;
    UserMessages Messages;
};

// Replaces the S1/S2 records of the bank's window in the source by the 512 records of its bank
// file and writes the result to OutputDir + targetName. The result is -1 when the merge was
// abandoned (with a message) or the source has no S9 line, 0 when the source has an S9 line but
// the bank was not inserted, 1 when it was. With askWhenMissing, a bank whose window holds no
// record may be inserted before the S9 line when the observer says so. Throws Failure when
// Bin.sx, the bank file, the source or the target cannot be opened.
MergeOutcome MergeBank(const CompositionContext& context, int bank, bool askWhenMissing, const std::string& sourcePath,
                       const std::string& targetName, CompositionObserver& observer);

struct CompositionOutcome {
    int Result = 0;           // the result of the last merge (0 before any)
    bool Abandoned = false;   // a merge returned -1 (or a write failed) and the chain stopped there
    bool Refused = false;     // the composed file was whole but its verification refused it
    bool Written = false;     // OutputDir + NewFirmwareName now holds the new firmware, whole
    std::string Problem;      // why the new firmware was not made or was refused
    bool ProblemSaid = false; // the problem is told by one of the messages already
    std::string Summary;      // what the verification found, for the window's status line
    UserMessages Messages;    // what the composition has to tell, in order
};

// The whole composition: bank by bank through the intermediate files, the selected banks merged
// and the others passed through, then the intermediate files removed. A run of selected banks
// before bank 5 is merged in one pass over the file, with the same result, messages and colours
// as merging them one after the other. The base firmware is never changed. The new firmware
// takes its name only when every byte of it was written, flushed and closed (and the context's
// verification passed); otherwise a file of that name from an earlier run stays as it was.
// Throws Failure as MergeBank does, after removing the temporary files.
CompositionOutcome ComposeFirmware(const CompositionContext& context, CompositionObserver& observer);

} // namespace zz
