#include "firmware/SRecord.h"

#include "common/AsciiText.h"
#include "common/Failure.h"

inline namespace zz {

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
    AppendHexByte(digits, SRecordChecksumOfSum(sum));
    return digits;
}

std::string BankRecord(uint32_t address, const uint8_t* data)
{
    // Built straight from the bytes: the composer makes 512 of these per bank.
    std::string record = "S224";
    record.reserve(76);
    unsigned sum = 0x24;
    auto put = [&](unsigned value) {
        AppendHexByte(record, value);
        sum += value & 0xFF;
    };
    put(address >> 16);
    put(address >> 8);
    put(address);
    for (int k = 0; k < kBankRecordBytes; ++k) put(data[k]);
    AppendHexByte(record, SRecordChecksumOfSum(sum));
    return record;
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

} // namespace zz
