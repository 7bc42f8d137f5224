#pragma once
#include "firmware/SRecordFile.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

inline namespace zz {

// Reads the records of an S-record file one at a time, checking every line as SRecordFile
// does, with a fixed buffer: a file of any size is read without holding it in memory.
class SRecordStream {
public:
    // Over bytes in memory, which must outlive the stream.
    explicit SRecordStream(std::string_view text);
    // Over bytes in memory every line of which was read as a valid record before.
    struct Checked {};
    SRecordStream(std::string_view text, Checked);
    // Over a file; throws Failure naming the path and the reason when it cannot be opened.
    struct OpenFile {
        std::string path;
    };
    explicit SRecordStream(const OpenFile& file);
    ~SRecordStream();
    SRecordStream(const SRecordStream&) = delete;
    SRecordStream& operator=(const SRecordStream&) = delete;

    // The next record and its data bytes (valid until the next call). False at the end, and at
    // the first line that is not a valid record (see Problem()). Throws Failure when the file
    // cannot be read.
    bool Next(SRecord& record, std::span<const uint8_t>& data);

    // When the next lines of this stream and of `other` are the same text, reads that line
    // from both, checking it once, and gives its record as Next does; otherwise reads nothing
    // and returns false (also when the shared line is broken: then both have a problem). When
    // either stream is Checked, the line is valid already and only its record's start is read:
    // SharedData() then gives its data bytes.
    bool NextIfSame(SRecordStream& other, SRecord& record);
    // The data bytes of the line NextIfSame read last (valid until the next call).
    std::span<const uint8_t> SharedData();

    const std::optional<SRecordProblem>& Problem() const { return problem_; }
    size_t LineCount() const { return line_; }
    size_t EndRecordLine() const { return endLine_; }
    size_t EndRecordCount() const { return endCount_; }
    // Once the stream has ended: the problem, or a missing or misplaced S9 told as a problem.
    std::optional<SRecordProblem> FirstFault() const;

private:
    // The next line's text and where the line after it starts, without reading past it.
    bool PeekLine(const char*& line, size_t& length, size_t& next);
    // Counts a record read from this stream.
    void Count(SRecord& record);
    bool Refill();

    std::string path_;
    int fd_ = -1;
    std::unique_ptr<char[]> buffer_;
    size_t capacity_ = 0;
    const char* text_ = nullptr; // the bytes in view: the whole text, or the buffer's filled part
    size_t size_ = 0;
    size_t pos_ = 0;
    bool eof_ = true;

    const int8_t* digits_; // the value of each hexadecimal digit, -1 for other characters
    bool checked_ = false;
    uint8_t data_[256];
    const char* shared_ = nullptr; // the digits of the shared line's data when not decoded yet
    size_t sharedSize_ = 0;
    size_t dataOffset_ = 0; // data bytes handed out so far, for SRecord::DataOffset
    uint32_t line_ = 0;
    std::optional<SRecordProblem> problem_;
    size_t records_ = 0;
    size_t endLine_ = 0;
    size_t endCount_ = 0;
    std::optional<SRecordProblem> afterEnd_; // the first record after the first S9
};

} // namespace zz
