#include "firmware/SRecordFile.h"

#include "common/Failure.h"
#include "firmware/SRecord.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Two hexadecimal digits as one lookup: the byte they spell, or kNotHex. A base firmware of
// 8 MB holds some 3.5 million digit pairs.
constexpr uint16_t kNotHex = 0x100;

const std::array<uint16_t, 65536>& PairTable()
{
    static const auto table = [] {
        std::array<uint16_t, 65536> t{};
        for (unsigned high = 0; high < 256; ++high)
            for (unsigned low = 0; low < 256; ++low) {
                const int h = HexDigitValue(static_cast<char>(high));
                const int l = HexDigitValue(static_cast<char>(low));
                t[(high << 8) | low] = (h < 0 || l < 0) ? kNotHex : static_cast<uint16_t>(h * 16 + l);
            }
        return t;
    }();
    return table;
}

inline unsigned Pair(const std::array<uint16_t, 65536>& table, const char* at)
{
    return table[(static_cast<unsigned>(static_cast<unsigned char>(at[0])) << 8) | static_cast<unsigned char>(at[1])];
}

// Address bytes of each record type; 0 for S4, which is no record type.
constexpr int AddressBytes(char type)
{
    switch (type) {
    case '0': case '1': case '5': case '9': return 2;
    case '2': case '6': case '8': return 3;
    case '3': case '7': return 4;
    default: return 0;
    }
}

std::string HexByte(unsigned value)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[(value >> 4) & 0xF], kDigits[value & 0xF]};
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

class Parser {
public:
    Parser(std::vector<SRecord>& records, std::vector<uint8_t>& data, std::vector<uint32_t>& composerStart)
        : records_(records), data_(data), composerStart_(composerStart), table_(PairTable())
    {
    }

    // The reason the line is not a valid record, or empty when it is one (then it is stored).
    std::string Line(const char* p, size_t n, uint32_t lineNumber)
    {
        if (n == 0) return "an empty line";
        if (std::memchr(p, '\r', n)) return "a carriage return inside the line";
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
            if (digits % 2) return "an odd number of hexadecimal digits after the byte count";
            return "the byte count " + HexByte(count) + " says " + std::to_string(count) + " bytes, the line holds " +
                   std::to_string(digits / 2);
        }
        if (count < static_cast<unsigned>(addressBytes) + 1)
            return "the byte count " + HexByte(count) + " is too small for an S" + std::string(1, type) +
                   " record (at least " + std::to_string(addressBytes + 1) + ")";

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
        const size_t offset = data_.size();
        data_.resize(offset + dataSize);
        uint8_t* into = data_.data() + offset;
        for (size_t k = 0; k < dataSize; ++k, at += 2) {
            const unsigned byte = Pair(table_, at);
            if (byte == kNotHex) {
                data_.resize(offset);
                return Column(at, static_cast<size_t>(at - p) + 1);
            }
            into[k] = static_cast<uint8_t>(byte);
            sum += byte;
        }
        const unsigned checksum = Pair(table_, at);
        if (checksum == kNotHex) {
            data_.resize(offset);
            return Column(at, static_cast<size_t>(at - p) + 1);
        }
        if (((sum + checksum) & 0xFF) != 0xFF) {
            data_.resize(offset);
            // The composer's own checksum of the record says what it should be.
            std::string line(p, n);
            line[n - 2] = line[n - 1] = '0';
            return "the checksum is " + HexByte(checksum) + ", the record's bytes give " + SRecordChecksum(line);
        }
        if (IsDataType(type) && dataSize > 0 && uint64_t{address} + dataSize - 1 > 0xFFFFFFFFu)
            return "the data runs past the address FFFFFFFF";

        uint32_t composerStart = 0;
        if (type == '1' || type == '2') ReadHexAddress(std::string_view(p, n), 4, composerStart);
        records_.push_back({type, address, static_cast<uint32_t>(offset), static_cast<uint32_t>(dataSize), lineNumber});
        composerStart_.push_back(composerStart);
        return {};
    }

private:
    static bool IsDataType(char type) { return type == '1' || type == '2' || type == '3'; }

    static std::string Column(const char* pair, size_t column)
    {
        const size_t bad = BadDigitColumn(pair, column);
        return Printable(pair[bad - column]) + " at column " + std::to_string(bad) + " is not a hexadecimal digit";
    }

    std::vector<SRecord>& records_;
    std::vector<uint8_t>& data_;
    std::vector<uint32_t>& composerStart_;
    const std::array<uint16_t, 65536>& table_;
};

// A read-only view of a whole file, mapped when it can be.
class FileView {
public:
    explicit FileView(const std::string& path)
    {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) Fail(path);
        struct stat info {};
        if (::fstat(fd, &info) != 0) {
            const int error = errno;
            ::close(fd);
            Fail(path, error);
        }
        if (S_ISREG(info.st_mode) && info.st_size > 0) {
            size_ = static_cast<size_t>(info.st_size);
            void* mapped = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
            if (mapped != MAP_FAILED) {
                mapped_ = mapped;
                ::close(fd);
                return;
            }
            size_ = 0;
        }
        // Not a plain file, or one that cannot be mapped: read it.
        char buffer[65536];
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0) {
                if (errno == EINTR) continue;
                const int error = errno;
                ::close(fd);
                Fail(path, error);
            }
            if (got == 0) break;
            copy_.append(buffer, static_cast<size_t>(got));
        }
        ::close(fd);
    }
    ~FileView()
    {
        if (mapped_) ::munmap(mapped_, size_);
    }
    FileView(const FileView&) = delete;
    FileView& operator=(const FileView&) = delete;

    std::string_view Bytes() const
    {
        return mapped_ ? std::string_view(static_cast<const char*>(mapped_), size_) : std::string_view(copy_);
    }

private:
    [[noreturn]] static void Fail(const std::string& path, int error = errno)
    {
        throw Failure("Cannot read file '" + path + "': " + std::strerror(error));
    }

    void* mapped_ = nullptr;
    size_t size_ = 0;
    std::string copy_;
};

} // namespace

std::string SRecordProblem::Describe() const
{
    return Line == 0 ? Reason : "line " + std::to_string(Line) + ": " + Reason;
}

SRecordFile SRecordFile::Read(const std::string& path)
{
    const FileView view(path);
    return Parse(view.Bytes());
}

SRecordFile SRecordFile::Parse(std::string_view text)
{
    SRecordFile file;
    // A record of 32 data bytes takes 78 characters.
    file.records_.reserve(text.size() / 70 + 16);
    file.composerStart_.reserve(text.size() / 70 + 16);
    file.data_.reserve(text.size() / 2);
    Parser parser(file.records_, file.data_, file.composerStart_);
    const char* p = text.data();
    const char* const end = p + text.size();
    uint32_t line = 0;
    while (p < end) {
        ++line;
        const auto* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
        const char* lineEnd = lf ? lf : end;
        size_t length = static_cast<size_t>(lineEnd - p);
        if (lf && length > 0 && p[length - 1] == '\r') --length;
        std::string reason = parser.Line(p, length, line);
        if (!reason.empty()) {
            file.problem_ = SRecordProblem{line, std::move(reason)};
            break;
        }
        if (file.records_.back().Type == '9') {
            ++file.endCount_;
            if (file.endLine_ == 0) file.endLine_ = line;
        }
        p = lf ? lf + 1 : end;
    }
    file.lines_ = line;
    return file;
}

bool SRecordFile::EndRecordIsLast() const
{
    return !problem_ && endCount_ == 1 && !records_.empty() && records_.back().Type == '9';
}

std::optional<SRecordProblem> SRecordFile::FirstFault() const
{
    if (problem_) return problem_;
    if (records_.empty()) return SRecordProblem{0, "the file holds no record"};
    if (endCount_ == 0) return SRecordProblem{lines_, "the file ends without an S9 end record"};
    for (const SRecord& record : records_) {
        if (record.Line <= endLine_) continue;
        if (record.Type == '9')
            return SRecordProblem{record.Line,
                                  "a second S9 end record (the first is on line " + std::to_string(endLine_) + ")"};
        return SRecordProblem{record.Line,
                              "an S" + std::string(1, record.Type) + " record after the S9 end record of line " +
                                  std::to_string(endLine_)};
    }
    return std::nullopt;
}

bool SRecordFile::HasDataRecordIn(uint32_t first, uint32_t last, WindowReading reading) const
{
    for (size_t i = 0; i < records_.size(); ++i) {
        const SRecord& record = records_[i];
        if (record.Type != '1' && record.Type != '2') continue;
        const uint32_t start = reading == WindowReading::Composer ? composerStart_[i] : record.Address;
        if (start >= first && start <= last) return true;
    }
    return false;
}

MemoryImage SRecordFile::Image() const
{
    MemoryImage image;
    for (const SRecord& record : records_)
        if (IsDataRecord(record)) image.Write(record.Address, data_.data() + record.DataOffset, record.DataSize);
    return image;
}
