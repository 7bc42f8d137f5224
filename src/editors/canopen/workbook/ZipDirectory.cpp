#include "editors/canopen/workbook/ZipDirectory.h"

#include "common/Failure.h"
#include "editors/canopen/workbook/LittleEndian.h"

#include <zlib.h>

inline namespace zz {

namespace {

constexpr uint32_t kEndOfDirectory = 0x06054b50;
constexpr uint32_t kDirectoryEntry = 0x02014b50;
constexpr size_t kEndSize = 22;
constexpr size_t kEntrySize = 46;

[[noreturn]] void Damaged()
{
    throw Failure("The workbook is damaged");
}

// The end record is the last 22 bytes unless a comment of up to 65,535 bytes follows it;
// the last one found from the end counts.
size_t FindEndOfDirectory(std::string_view archive)
{
    if (archive.size() < kEndSize) Damaged();
    const size_t lowest = archive.size() > kEndSize + 0xFFFF ? archive.size() - kEndSize - 0xFFFF : 0;
    for (size_t at = archive.size() - kEndSize + 1; at-- > lowest;)
        if (U32At(archive, at) == kEndOfDirectory && at + kEndSize + U16At(archive, at + 20) <= archive.size())
            return at;
    Damaged();
}

} // namespace

std::map<std::string, ZipMemberCheck> ReadZipDirectory(std::string_view archive)
{
    const size_t end = FindEndOfDirectory(archive);
    const uint16_t entries = U16At(archive, end + 10);
    const uint32_t size = U32At(archive, end + 12);
    const uint32_t offset = U32At(archive, end + 16);
    if (entries == 0xFFFF || size == 0xFFFFFFFF || offset == 0xFFFFFFFF)
        throw Failure("This kind of workbook cannot be read");
    if (offset > end || end - offset < size) Damaged();
    const std::string_view directory = archive.substr(offset, size);
    std::map<std::string, ZipMemberCheck> members;
    size_t at = 0;
    for (uint16_t i = 0; i < entries; ++i) {
        if (U32At(directory, at) != kDirectoryEntry) Damaged();
        ZipMemberCheck check;
        check.crc32 = U32At(directory, at + 16);
        const uint32_t compressed = U32At(directory, at + 20);
        check.size = U32At(directory, at + 24);
        if (compressed == 0xFFFFFFFF || check.size == 0xFFFFFFFF) throw Failure("This kind of workbook cannot be read");
        const size_t nameLength = U16At(directory, at + 28);
        const size_t extraLength = U16At(directory, at + 30);
        const size_t commentLength = U16At(directory, at + 32);
        const size_t next = at + kEntrySize + nameLength + extraLength + commentLength;
        if (next > directory.size()) Damaged();
        std::string name(directory.substr(at + kEntrySize, nameLength));
        if (!members.emplace(std::move(name), check).second) Damaged();
        at = next;
    }
    return members;
}

uint32_t ZipCrc32(std::string_view bytes, uint32_t crc)
{
    while (!bytes.empty()) {
        const uInt chunk = static_cast<uInt>(std::min<size_t>(bytes.size(), 1u << 30));
        crc = static_cast<uint32_t>(crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), chunk));
        bytes.remove_prefix(chunk);
    }
    return crc;
}

} // namespace zz
