#include "firmware/SRecordStream.h"

#include "common/AsciiText.h"
#include "common/Failure.h"
#include "common/FileSystem.h"
#include "firmware/SRecord.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

inline namespace zz {

namespace {

// Two hexadecimal digits as one byte, or kNotHex, through a table of the digit values.
constexpr unsigned kNotHex = 0x100;

const int8_t* DigitTable()
{
    static const auto table = [] {
        std::array<int8_t, 256> t{};
        for (unsigned c = 0; c < 256; ++c) t[c] = static_cast<int8_t>(HexDigitValue(static_cast<char>(c)));
        return t;
    }();
    return table.data();
}

inline unsigned Pair(const int8_t* digits, const char* at)
{
    const int high = digits[static_cast<unsigned char>(at[0])];
    const int low = digits[static_cast<unsigned char>(at[1])];
    return (high | low) < 0 ? kNotHex : static_cast<unsigned>(high * 16 + low);
}

// Address bytes of each record type; 0 for S4, which is no record type.
constexpr int AddressBytes(char type)
{
    switch (type) {
    case '0':
    case '1':
    case '5':
    case '9': return 2;
    case '2':
    case '6':
    case '8': return 3;
    case '3':
    case '7': return 4;
    default: return 0;
    }
}

std::string HexByte(unsigned value)
{
    std::string digits;
    AppendHexByte(digits, value);
    return digits;
}

std::string Printable(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7F) return std::string("\"") + c + "\"";
    return "the byte 0x" + HexByte(u);
}

// The column (from 1) of the first character of the digit pair that is not hexadecimal.
size_t BadDigitColumn(const char* pair, size_t column)
{
    return HexDigitValue(pair[0]) < 0 ? column : column + 1;
}

// Eight bytes of text at once: true when all eight are hexadecimal digits.
inline bool AllHex(uint64_t x)
{
    constexpr uint64_t ones = 0x0101010101010101u, high = 0x8080808080808080u;
    if (x & high) return false;
    // With the top bit of every byte clear, these sums carry into no neighbour.
    const uint64_t digit = (x + ones * (0x80 - '0')) & ~(x + ones * (0x7F - '9'));
    const uint64_t lower = x | ones * 0x20;
    const uint64_t letter = (lower + ones * (0x80 - 'a')) & ~(lower + ones * (0x7F - 'f'));
    return ((digit | letter) & high) == high;
}

// Sixteen hexadecimal digits (checked) into eight bytes; adds the bytes, each in a 16-bit lane,
// to `lanes`.
inline void DecodeSixteen(const char* text, uint8_t* into, uint64_t& lanes)
{
    constexpr uint64_t ones = 0x0101010101010101u, evenBytes = 0x00FF00FF00FF00FFu;
    for (int half = 0; half < 2; ++half) {
        uint64_t x;
        std::memcpy(&x, text + 8 * half, 8);
        const uint64_t nibbles = (x & ones * 0x0F) + ((x >> 6) & ones) * 9; // 'A'/'a' give 10
        const uint64_t bytes = ((nibbles & evenBytes) << 4) | ((nibbles >> 8) & evenBytes);
        lanes += bytes;
        uint64_t packed = (bytes | (bytes >> 8)) & 0x0000FFFF0000FFFFu;
        packed = (packed | (packed >> 16)) & 0xFFFFFFFFu;
        const auto four = static_cast<uint32_t>(packed);
        std::memcpy(into + 4 * half, &four, 4);
    }
}

#if defined(__SSE2__)
// Sixteen characters at once: true when all are hexadecimal digits. A byte of 0x80 and above
// compares below '0' as a signed byte and so counts as no digit.
inline bool AllHex(__m128i x)
{
    const __m128i digit =
        _mm_and_si128(_mm_cmpgt_epi8(x, _mm_set1_epi8('0' - 1)), _mm_cmplt_epi8(x, _mm_set1_epi8('9' + 1)));
    const __m128i lower = _mm_or_si128(x, _mm_set1_epi8(0x20));
    const __m128i letter =
        _mm_and_si128(_mm_cmpgt_epi8(lower, _mm_set1_epi8('a' - 1)), _mm_cmplt_epi8(lower, _mm_set1_epi8('f' + 1)));
    return _mm_movemask_epi8(_mm_or_si128(digit, letter)) == 0xFFFF;
}

// Sixteen hexadecimal digits as eight 16-bit values: a digit's value is its low four bits, plus
// 9 for a letter (bit 6 set).
inline __m128i PairValues(__m128i x)
{
    const __m128i letter = _mm_add_epi8(_mm_and_si128(_mm_srli_epi16(x, 3), _mm_set1_epi8(0x08)),
                                        _mm_and_si128(_mm_srli_epi16(x, 6), _mm_set1_epi8(0x01)));
    const __m128i nibbles = _mm_add_epi8(_mm_and_si128(x, _mm_set1_epi8(0x0F)), letter);
    return _mm_or_si128(_mm_slli_epi16(_mm_and_si128(nibbles, _mm_set1_epi16(0x00FF)), 4), _mm_srli_epi16(nibbles, 8));
}

// Thirty-two hexadecimal digits into sixteen bytes, their sum added to `sum`; false, with
// nothing decoded, when a character is no digit.
inline bool DecodeThirtyTwo(const char* text, uint8_t* into, unsigned& sum)
{
    const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
    const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + 16));
    if (!AllHex(first) || !AllHex(second)) return false;
    const __m128i bytes = _mm_packus_epi16(PairValues(first), PairValues(second));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(into), bytes);
    const __m128i sums = _mm_sad_epu8(bytes, _mm_setzero_si128());
    sum += static_cast<unsigned>(_mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4));
    return true;
}
#endif

class Parser {
public:
    Parser()
        : table_(DigitTable())
    {
    }

    // The reason the line is not a valid record, or empty when it is one: then `record` and the
    // data in `into` (up to 255 bytes) hold it.
    std::string Line(const char* p, size_t n, uint32_t lineNumber, SRecord& record, uint8_t* into) const
    {
        if (n == 0) return "an empty line";
        if (p[0] != 'S') {
            if (p[0] == 's') return "\"s\" in lower case: a record begins with \"S\"";
            return "the line begins with " + Printable(p[0]) + ", not with \"S\"";
        }
        if (n < 2) return "the line ends after \"S\"";
        const char type = p[1];
        const int addressBytes = AddressBytes(type);
        if (addressBytes == 0) {
            const auto u = static_cast<unsigned char>(type);
            if (u >= 0x20 && u < 0x7F) return std::string("\"S") + type + "\" is not a record type";
            return "\"S\" followed by " + Printable(type) + " is not a record type";
        }
        if (n < 4) return "the line ends before the byte count";
        const unsigned count = Pair(table_, p + 2);
        if (count == kNotHex) return Column(p + 2, 3);
        const size_t digits = n - 4;
        if (digits != 2 * size_t{count}) {
            if (const void* cr = std::memchr(p, '\r', n))
                return "a carriage return inside the line, at column " +
                       std::to_string(static_cast<const char*>(cr) - p + 1);
            if (digits % 2) return "an odd number of hexadecimal digits after the byte count";
            return "the byte count " + HexByte(count) + " says " + std::to_string(count) + " bytes, the line holds " +
                   std::to_string(digits / 2);
        }
        if (count < static_cast<unsigned>(addressBytes) + 1)
            return "the byte count " + HexByte(count) + " is too small for an S" + std::string(1, type) +
                   " record (at least " + std::to_string(addressBytes + 1) + ")";

        // Every character from here on must be a hexadecimal digit, so no line end hides inside.
        unsigned sum = count;
        uint32_t address = 0;
        const char* at = p + 4;
        for (int k = 0; k < addressBytes; ++k, at += 2) {
            const unsigned byte = Pair(table_, at);
            if (byte == kNotHex) return Column(at, static_cast<size_t>(at - p) + 1);
            address = (address << 8) | byte;
            sum += byte;
        }
        const size_t dataSize = count - static_cast<size_t>(addressBytes) - 1;
        size_t k = 0;
#if defined(__SSE2__)
        for (; k + 16 <= dataSize; k += 16, at += 32)
            if (!DecodeThirtyTwo(at, into + k, sum)) break; // the loops below find the digit
#endif
        uint64_t lanes = 0;
        for (; k + 8 <= dataSize; k += 8, at += 16) {
            uint64_t first, second;
            std::memcpy(&first, at, 8);
            std::memcpy(&second, at + 8, 8);
            if (!AllHex(first) || !AllHex(second)) break; // the byte by byte loop finds the digit
            DecodeSixteen(at, into + k, lanes);
        }
        sum += static_cast<unsigned>((lanes & 0xFFFF) + ((lanes >> 16) & 0xFFFF) + ((lanes >> 32) & 0xFFFF) +
                                     (lanes >> 48));
        for (; k < dataSize; ++k, at += 2) {
            const unsigned byte = Pair(table_, at);
            if (byte == kNotHex) return Column(at, static_cast<size_t>(at - p) + 1);
            into[k] = static_cast<uint8_t>(byte);
            sum += byte;
        }
        const unsigned checksum = Pair(table_, at);
        if (checksum == kNotHex) return Column(at, static_cast<size_t>(at - p) + 1);
        if (checksum != SRecordChecksumOfSum(sum)) {
            // The composer's own checksum of the record says what it should be.
            std::string line(p, n);
            line[n - 2] = line[n - 1] = '0';
            return "the checksum is " + HexByte(checksum) + ", the record's bytes give " + SRecordChecksum(line);
        }
        const bool data = type == '1' || type == '2' || type == '3';
        if (data && dataSize > 0 && uint64_t{address} + dataSize - 1 > 0xFFFFFFFFu)
            return "the data runs past the address FFFFFFFF";
        record = {type, address, 0, static_cast<uint32_t>(dataSize), lineNumber};
        return {};
    }

private:
    static std::string Column(const char* pair, size_t column)
    {
        const size_t bad = BadDigitColumn(pair, column);
        return Printable(pair[bad - column]) + " at column " + std::to_string(bad) + " is not a hexadecimal digit";
    }

    const int8_t* table_;
};

constexpr size_t kBufferSize = size_t{64} << 10;
constexpr size_t kLongestLine = 1024; // far beyond the 514 characters of the longest record

[[noreturn]] void FailToRead(const std::string& path, int error)
{
    throw Failure("Cannot read file '" + path + "': " + std::strerror(error));
}

} // namespace

std::string SRecordProblem::Describe() const
{
    return Line == 0 ? Reason : "line " + std::to_string(Line) + ": " + Reason;
}

SRecordStream::SRecordStream(std::string_view text)
    : text_(text.data()),
      size_(text.size()),
      digits_(DigitTable())
{
}

SRecordStream::SRecordStream(std::string_view text, Checked)
    : SRecordStream(text)
{
    checked_ = true;
}

SRecordStream::SRecordStream(const OpenFile& file)
    : path_(file.path),
      digits_(DigitTable())
{
    fd_ = OpenRegularFile(path_);
    buffer_.reset(new char[kBufferSize]);
    capacity_ = kBufferSize;
    text_ = buffer_.get();
    eof_ = false;
}

SRecordStream::~SRecordStream()
{
    if (fd_ >= 0) ::close(fd_);
}

bool SRecordStream::Refill()
{
    // Keeps the unread part, which is shorter than a line can be.
    const size_t kept = size_ - pos_;
    if (kept > 0) std::memmove(buffer_.get(), buffer_.get() + pos_, kept);
    text_ = buffer_.get();
    pos_ = 0;
    size_ = kept;
    const ssize_t got = ReadRetrying(fd_, buffer_.get() + size_, capacity_ - size_);
    if (got < 0) FailToRead(path_, errno);
    if (got == 0) eof_ = true;
    size_ += static_cast<size_t>(got);
    return got > 0;
}

bool SRecordStream::PeekLine(const char*& line, size_t& length, size_t& next)
{
    for (;;) {
        const char* p = text_ + pos_;
        const char* const end = text_ + size_;
        if (p == end && eof_) return false;
        // A valid record tells its own length: look for its line end there before searching.
        const char* lineEnd = nullptr;
        if (end - p >= 4) {
            const unsigned count = Pair(digits_, p + 2);
            const char* expected = p + 4 + 2 * static_cast<size_t>(count);
            if (count != kNotHex && expected < end) {
                if (*expected == '\n') lineEnd = expected;
                else if (*expected == '\r' && expected + 1 < end && expected[1] == '\n') lineEnd = expected + 1;
            }
        }
        if (!lineEnd) lineEnd = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
        // No record is longer than 514 characters: a longer line is broken whatever follows,
        // and the file is not read further to find its end.
        if (!lineEnd && !eof_ && static_cast<size_t>(end - p) < kLongestLine) {
            Refill();
            continue;
        }
        if (!lineEnd && static_cast<size_t>(end - p) >= kLongestLine) {
            line = p;
            length = kLongestLine;
            next = static_cast<size_t>(p + kLongestLine - text_);
            return true;
        }
        line = p;
        if (lineEnd) {
            length = static_cast<size_t>(lineEnd - p);
            if (length > 0 && p[length - 1] == '\r') --length;
            next = static_cast<size_t>(lineEnd + 1 - text_);
        } else {
            length = static_cast<size_t>(end - p);
            next = size_;
        }
        return true;
    }
}

namespace {
const Parser& LineParser()
{
    static const Parser parser;
    return parser;
}
} // namespace

bool SRecordStream::Next(SRecord& record, std::span<const uint8_t>& data)
{
    if (problem_) return false;
    const char* line = nullptr;
    size_t length = 0, next = 0;
    if (!PeekLine(line, length, next)) return false;
    pos_ = next;
    ++line_;
    std::string reason = LineParser().Line(line, length, line_, record, data_);
    if (!reason.empty()) {
        problem_ = SRecordProblem{line_, std::move(reason)};
        return false;
    }
    data = std::span<const uint8_t>(data_, record.DataSize);
    Count(record);
    return true;
}

bool SRecordStream::NextIfSame(SRecordStream& other, SRecord& record)
{
    if (problem_ || other.problem_) return false;
    const char *mine = nullptr, *theirs = nullptr;
    size_t length = 0, otherLength = 0, next = 0, otherNext = 0;
    if (!PeekLine(mine, length, next) || !other.PeekLine(theirs, otherLength, otherNext)) return false;
    if (length != otherLength || std::memcmp(mine, theirs, length) != 0) return false;
    pos_ = next;
    other.pos_ = otherNext;
    ++line_;
    ++other.line_;
    shared_ = nullptr;
    if (checked_ || other.checked_) {
        // A valid record: its count, address and data are where its type says.
        const char type = mine[1];
        const int addressBytes = AddressBytes(type);
        const unsigned count = Pair(digits_, mine + 2);
        uint32_t address = 0;
        for (int k = 0; k < addressBytes; ++k) address = (address << 8) | Pair(digits_, mine + 4 + 2 * k);
        const auto dataSize = static_cast<uint32_t>(count - static_cast<unsigned>(addressBytes) - 1);
        record = {type, address, 0, dataSize, line_};
        shared_ = mine + 4 + 2 * addressBytes;
        sharedSize_ = dataSize;
    } else {
        std::string reason = LineParser().Line(mine, length, line_, record, data_);
        if (!reason.empty()) {
            other.problem_ = SRecordProblem{other.line_, reason};
            problem_ = SRecordProblem{line_, std::move(reason)};
            return false;
        }
        sharedSize_ = record.DataSize;
    }
    SRecord copy = record;
    other.Count(copy);
    Count(record);
    return true;
}

std::span<const uint8_t> SRecordStream::SharedData()
{
    if (shared_) {
        for (size_t k = 0; k < sharedSize_; ++k) data_[k] = static_cast<uint8_t>(Pair(digits_, shared_ + 2 * k));
        shared_ = nullptr;
    }
    return {data_, sharedSize_};
}

void SRecordStream::Count(SRecord& record)
{
    record.DataOffset = static_cast<uint32_t>(dataOffset_);
    dataOffset_ += record.DataSize;
    ++records_;
    if (endLine_ != 0 && !afterEnd_) {
        afterEnd_ =
            record.Type == '9'
                ? SRecordProblem{line_,
                                 "a second S9 end record (the first is on line " + std::to_string(endLine_) + ")"}
                : SRecordProblem{line_, "an S" + std::string(1, record.Type) +
                                            " record after the S9 end record of line " + std::to_string(endLine_)};
    }
    if (record.Type == '9') {
        ++endCount_;
        if (endLine_ == 0) endLine_ = line_;
    }
}

std::optional<SRecordProblem> SRecordStream::FirstFault() const
{
    if (problem_) return problem_;
    if (records_ == 0) return SRecordProblem{0, "the file holds no record"};
    if (endCount_ == 0) return SRecordProblem{line_, "the file ends without an S9 end record"};
    return afterEnd_;
}

} // namespace zz
