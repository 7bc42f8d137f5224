#pragma once
#include "firmware/SRecordFile.h"
#include "firmware/StreamFiles.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

inline namespace zz {

// The base firmware as the composition takes it: read once, its bytes held in memory, and
// checked record by record in the same go. The composer merges from these bytes and the new
// firmware is verified against them, so the file is neither read nor checked a second time.
class BaseFirmware {
public:
    // Throws Failure naming the path and the reason when the file cannot be read. What is wrong
    // inside the file is not thrown: see Fault().
    static BaseFirmware Read(const std::string& path);

    std::string_view Bytes() const { return bytes_.View(); }
    // The first line that is not a valid record, or a missing or misplaced S9 (as
    // SRecordFile::FirstFault); none for a complete, valid S-record file.
    const std::optional<SRecordProblem>& Fault() const { return fault_; }
    // True when an S1 or S2 record starts in the window of the bank (1 to 5) as the composer
    // reads it (WindowReading::Composer), up to the first invalid line.
    bool HasRecordInWindow(int bank) const { return inWindow_[static_cast<size_t>(bank - 1)]; }

private:
    FileBytes bytes_;
    std::optional<SRecordProblem> fault_;
    std::array<bool, 5> inWindow_{};
};

} // namespace zz
