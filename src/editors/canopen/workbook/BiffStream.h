#pragma once
// The record layer of a binary (BIFF5/BIFF8) workbook stream.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline namespace zz {

// A record with the CONTINUE records that follow it: parts[0] is its own data, the others
// are the data of each continuation, in order.
struct BiffRecord {
    uint16_t type = 0;
    size_t offset = 0; // of its header in the stream
    std::vector<std::string_view> parts;
};

// Walks the records of a stream from an offset. Throws Failure for a record that runs past
// the end of the stream.
class BiffRecordReader {
public:
    BiffRecordReader(std::string_view stream, size_t offset);
    // The next record; false at the end of the stream.
    bool Next(BiffRecord& record);

private:
    std::string_view stream_;
    size_t offset_;
};

// Reads a record's data across its parts. Every read is checked: past the last part it
// throws Failure.
class BiffPieces {
public:
    explicit BiffPieces(const std::vector<std::string_view>& parts)
        : parts_(parts)
    {
    }
    uint8_t U8();
    uint16_t U16();
    uint32_t U32();
    void Skip(size_t count);
    bool AtEnd();

    // A BIFF8 string (length, flags, optional run count and extension size, characters, runs
    // and extension), as UTF-8. `byteLength` is true for the one-byte length of sheet names.
    // Characters continued into the next part start there with a new flag byte telling
    // whether they are one or two bytes wide; rich-text runs and the extension are skipped.
    std::string UnicodeString(bool byteLength = false);

    // A BIFF5 string: a two-byte (or one-byte) length and code page 1252 bytes, as UTF-8.
    std::string ByteString(bool byteLength = false);

private:
    std::string_view Take(size_t count); // within one part, moving to the next at its end
    void NextPartIfDone();

    const std::vector<std::string_view>& parts_;
    size_t part_ = 0;
    size_t at_ = 0;
};

// UTF-16 code units as UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(const std::u16string& units);

} // namespace zz
