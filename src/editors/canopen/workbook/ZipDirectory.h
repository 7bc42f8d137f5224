#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

inline namespace zz {

// What the central directory of a ZIP archive says of each member.
struct ZipMemberCheck {
    uint32_t crc32 = 0;
    uint64_t size = 0; // uncompressed
};

// The members of the archive by their full name ("xl/workbook.xml"). Throws Failure for bytes
// without a readable central directory, for one that names a member twice, and for ZIP64
// archives, which no workbook of these tables needs.
std::map<std::string, ZipMemberCheck> ReadZipDirectory(std::string_view archive);

// The CRC-32 of ZIP archives (zlib's); `crc` carries on from the bytes before these.
uint32_t ZipCrc32(std::string_view bytes, uint32_t crc = 0);

} // namespace zz
