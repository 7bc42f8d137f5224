#include "firmware/SRecord.h"

#include "common/Failure.h"

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

void AppendHexByte(std::string& out, unsigned value)
{
    out += kDigits[(value >> 4) & 0x0F];
    out += kDigits[value & 0x0F];
}

} // namespace

std::string SRecordChecksum(std::string_view record)
{
    if (record.size() < 4 || (record.size() - 4) % 2 != 0)
        throw Failure("'" + std::string(record) + "' is not an S-record text");
    unsigned sum = 0;
    for (size_t i = 2; i + 2 < record.size(); i += 2) {
        const int high = HexValue(record[i]);
        const int low = HexValue(record[i + 1]);
        if (high < 0 || low < 0) throw Failure("'" + std::string(record) + "' is not an S-record text");
        sum += static_cast<unsigned>(high * 16 + low);
    }
    std::string digits;
    AppendHexByte(digits, 0xFFu - (sum & 0xFFu));
    return digits;
}

std::string BankRecord(uint32_t address, const uint8_t* data)
{
    std::string record = "S224";
    record.reserve(76);
    AppendHexByte(record, address >> 16);
    AppendHexByte(record, address >> 8);
    AppendHexByte(record, address);
    for (int k = 0; k < kBankRecordBytes; ++k) AppendHexByte(record, data[k]);
    record += "00"; // placeholders for the checksum
    const std::string checksum = SRecordChecksum(record);
    record.replace(record.size() - 2, 2, checksum);
    return record;
}

bool ReadHexAddress(std::string_view text, size_t at, uint32_t& address)
{
    if (text.size() < at + 6) return false;
    uint32_t value = 0;
    for (size_t k = 0; k < 6; ++k) {
        const int digit = HexValue(text[at + k]);
        if (digit < 0) return false;
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    address = value;
    return true;
}
