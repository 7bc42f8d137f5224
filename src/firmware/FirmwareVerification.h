#pragma once
#include "firmware/BankImage.h"
#include "firmware/SRecordFile.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline namespace zz {

// Checks a composed firmware against what it must hold: the bank images of banks 1 and 2 in
// their windows (where the composer puts them) and exactly the base firmware's data
// everywhere else, each file read as a programmer writes it (records in file order, a later
// record overwriting an earlier one).

// The two banks the device update merges.
inline constexpr int kVerifiedBanks[] = {1, 2};

// One address where the firmware differs from what it must hold.
struct FirmwareDifference {
    uint32_t Address = 0;
    int Bank = 0;                    // 1 or 2 inside the window of that bank, 0 elsewhere
    uint32_t Offset = 0;             // from the bank's first address (inside a bank)
    std::optional<uint8_t> Expected; // none: nothing is to be there
    std::optional<uint8_t> Found;    // none: the firmware holds nothing there

    // "bank 1, offset 15,005, Net_Dev_Id: firmware 12, project 40 (address 0x38BA9D)"
    // "address 0x3A0010, outside banks 1 and 2: firmware 63, base firmware 64"
    std::string Describe() const;
};

// A number with a comma every three digits: 15005 gives "15,005".
std::string GroupedNumber(uint64_t value);

inline constexpr size_t kMaxReportedDifferences = 100;

struct FirmwareVerification {
    // A line of the firmware that is not a valid record, or a missing or misplaced S9.
    std::optional<SRecordProblem> FirmwareFault;
    // The same for the base firmware.
    std::optional<SRecordProblem> BaseFault;
    // The first differences in ascending address (at most kMaxReportedDifferences) and how
    // many there are in all. Not looked for when either file has a damaged line.
    std::vector<FirmwareDifference> Differences;
    size_t DifferenceCount = 0;
    // ReceiveCount and SendCount of the firmware's bank 1, when it holds them.
    std::optional<int> ReceiveFrames, SendFrames;

    bool Matches() const { return !FirmwareFault && !BaseFault && DifferenceCount == 0; }
    // One line for a message box, naming the firmware file by the given name.
    std::string Summary(std::string_view firmwareName) const;
    // Every fault and reported difference, one a line.
    std::vector<std::string> Details() const;
};

// Compares the firmware with the base firmware and banks 1 and 2 of `banks`.
FirmwareVerification VerifyFirmware(const SRecordFile& firmware, const SRecordFile& base, const BankImage& banks);

// The same from the files, each read once, record by record, as long as their data go up in
// address; throws Failure when either cannot be read.
FirmwareVerification VerifyFirmwareFile(const std::string& firmwarePath, const std::string& basePath,
                                        const BankImage& banks);
class BaseFirmware;
// The same for a firmware file against a base firmware read already: a line of the firmware
// that is the same text as the base firmware's, which was found valid, is not checked again.
FirmwareVerification VerifyComposedFile(const std::string& firmwarePath, const BaseFirmware& base,
                                        const BankImage& banks);

} // namespace zz
