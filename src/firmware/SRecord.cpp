#include "firmware/SRecord.h"

#include "common/Failure.h"

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

void AppendHexByte(std::string& out, unsigned value)
{
    out += kDigits[(value >> 4) & 0x0F];
    out += kDigits[value & 0x0F];
}

} // namespace

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string SRecordChecksum(std::string_view record)
{
    if (record.size() < 4 || (record.size() - 4) % 2 != 0)
        throw Failure("'" + std::string(record) + "' is not an S-record text");
    unsigned sum = 0;
    for (size_t i = 2; i + 2 < record.size(); i += 2) {
        const int high = HexDigitValue(record[i]);
        const int low = HexDigitValue(record[i + 1]);
        if (high < 0 || low < 0) throw Failure("'" + std::string(record) + "' is not an S-record text");
        sum += static_cast<unsigned>(high * 16 + low);
    }
    std::string digits;
    AppendHexByte(digits, 0xFFu - (sum & 0xFFu));
    return digits;
}

std::string BankRecord(uint32_t address, const uint8_t* data)
{
    // Built straight from the bytes: the composer makes 512 of these per bank.
    char record[76] = {'S', '2', '2', '4'};
    unsigned sum = 0x24;
    char* at = record + 4;
    auto put = [&](unsigned value) {
        *at++ = kDigits[(value >> 4) & 0x0F];
        *at++ = kDigits[value & 0x0F];
        sum += value & 0xFF;
    };
    put(address >> 16);
    put(address >> 8);
    put(address);
    for (int k = 0; k < kBankRecordBytes; ++k) put(data[k]);
    const unsigned checksum = 0xFFu - (sum & 0xFFu);
    *at++ = kDigits[checksum >> 4];
    *at++ = kDigits[checksum & 0x0F];
    return std::string(record, sizeof record);
}

bool ReadHexAddress(std::string_view text, size_t at, uint32_t& address)
{
    if (text.size() < at + 6) return false;
    uint32_t value = 0;
    for (size_t k = 0; k < 6; ++k) {
        const int digit = HexDigitValue(text[at + k]);
        if (digit < 0) return false;
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    address = value;
    return true;
}
