#include "firmware/demo/SyntheticFirmware.h"

#include "firmware/SRecord.h"

#include <fstream>

inline namespace zz {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

void AppendHexByte(std::string& out, unsigned value)
{
    out += kDigits[(value >> 4) & 0x0F];
    out += kDigits[value & 0x0F];
}

// The record type and the bytes after the count, with the count and the checksum filled in.
std::string Record(const char* type, const std::string& hexBody)
{
    std::string record = type;
    AppendHexByte(record, static_cast<unsigned>(hexBody.size() / 2 + 1));
    record += hexBody;
    record += "00";
    record.replace(record.size() - 2, 2, SRecordChecksum(record));
    return record;
}

} // namespace

std::string SyntheticFirmware(uint32_t first, uint32_t end, uint32_t seed)
{
    std::string out;
    out.reserve(static_cast<size_t>(end - first) / 32 * 78 + 64);
    std::string header = "0000";
    for (char c : std::string("sx48802 demo")) AppendHexByte(header, static_cast<unsigned char>(c));
    out += Record("S0", header) + "\r\n";

    uint32_t state = seed ? seed : 1;
    for (uint32_t address = first; address + 32 <= end; address += 32) {
        uint8_t data[32];
        for (uint8_t& byte : data) {
            // xorshift32: the same bytes on every machine and every run.
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            byte = static_cast<uint8_t>(state >> 24);
        }
        out += BankRecord(address, data); // S2: three address bytes, 32 data bytes
        out += "\r\n";
    }
    out += Record("S9", "0000") + "\r\n";
    return out;
}

bool WriteSyntheticFirmware(const std::string& path, uint32_t first, uint32_t end, uint32_t seed)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    const std::string bytes = SyntheticFirmware(first, end, seed);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file.flush());
}

} // namespace zz
