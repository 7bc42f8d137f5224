#pragma once
#include "firmware/MemoryImage.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

inline namespace zz {

class SRecordStream;

// Reading and checking a Motorola S-record file as a flashing program reads it: every line one
// record ("S", the type digit, the byte count, the address, the data and the checksum, in
// hexadecimal digits of either case), lines ended by LF or CR LF.

// The first line that breaks the format, and why.
struct SRecordProblem {
    size_t Line = 0; // from 1
    std::string Reason;

    // "line 12: the checksum is 5A, the record's bytes give 5B"
    std::string Describe() const;
};

struct SRecord {
    char Type = '0';         // the digit after "S": '0' to '9', never '4'
    uint32_t Address = 0;    // 16, 24 or 32 bits, as the type says
    uint32_t DataOffset = 0; // where its data starts in the file's data store (see SRecordFile::Data)
    uint32_t DataSize = 0;
    uint32_t Line = 0; // from 1
};

// Where a record is taken to start when it is compared with a bank window.
enum class WindowReading {
    Address,  // the record's address
    Composer, // characters 5 to 10 read as six hexadecimal digits, as the firmware composer reads
              // them (for an S1 record: its four address digits and its first data byte)
};

// Where an S1 or S2 record starts as the firmware composer compares it with a bank window
// (WindowReading::Composer): characters 5 to 10 of its line as six hexadecimal digits.
uint32_t ComposerStart(const SRecord& record, std::span<const uint8_t> data);

class SRecordFile {
public:
    // Reads the file; throws Failure naming the path and the reason when it cannot be read.
    // What is wrong inside the file is not thrown: see Problem().
    static SRecordFile Read(const std::string& path);
    // The same from bytes in memory.
    static SRecordFile Parse(std::string_view text);

    // The records up to the first problem, in file order.
    const std::vector<SRecord>& Records() const { return records_; }
    std::span<const uint8_t> Data(const SRecord& record) const
    {
        return std::span<const uint8_t>(data_).subspan(record.DataOffset, record.DataSize);
    }
    // The first line that is not a valid record (bad syntax, hexadecimal digit, byte count,
    // checksum or record type); reading stops there.
    const std::optional<SRecordProblem>& Problem() const { return problem_; }
    // The number of lines read (up to the problem, if any).
    size_t LineCount() const { return lines_; }

    // The line of the first S9 end record; 0 when there is none.
    size_t EndRecordLine() const { return endLine_; }
    // True when there is exactly one S9 record and nothing follows it.
    bool EndRecordIsLast() const;
    // The problem, or else a missing or misplaced S9 record told as a problem; none when the
    // file is a complete, valid S-record file.
    std::optional<SRecordProblem> FirstFault() const;

    // True when an S1 or S2 record starts inside first..last (both included).
    bool HasDataRecordIn(uint32_t first, uint32_t last, WindowReading reading = WindowReading::Address) const;

    // The memory the data records (S1, S2, S3) describe, written in file order.
    MemoryImage Image() const;

private:
    static SRecordFile From(SRecordStream& stream, size_t sizeHint);

    std::vector<SRecord> records_;
    std::vector<uint8_t> data_; // the data bytes of every record, one after the other
    std::optional<SRecordProblem> fault_;
    std::optional<SRecordProblem> problem_;
    size_t lines_ = 0;
    size_t endLine_ = 0;
    size_t endCount_ = 0;
};

// True for the data records S1, S2 and S3.
inline bool IsDataRecord(const SRecord& record)
{
    return record.Type == '1' || record.Type == '2' || record.Type == '3';
}

} // namespace zz
