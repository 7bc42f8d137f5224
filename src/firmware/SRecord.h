#pragma once
#include "firmware/BankLayout.h"

#include <cstdint>
#include <string>
#include <string_view>

inline namespace zz {

// Motorola S-record pieces of the firmware composer.

// A record's checksum: the one's complement of the low byte of the sum of its count, address
// and data bytes.
constexpr uint8_t SRecordChecksumOfSum(unsigned byteSum)
{
    return static_cast<uint8_t>(0xFFu - (byteSum & 0xFFu));
}

// The two upper-case hexadecimal digits of the checksum of a record text whose last two
// characters are placeholders, over the bytes given by the digit pairs from the third
// character up to the placeholders. Throws Failure when those characters are not pairs of
// hexadecimal digits.
std::string SRecordChecksum(std::string_view record);

// A bank (BankLayout.h) goes into the firmware as 512 records of 32 bytes.
inline constexpr int kBankRecordBytes = 32;
inline constexpr int kBankRecordCount = static_cast<int>(kBankSize) / kBankRecordBytes;

// The S2 record of 32 data bytes at the address: "S224", six address digits, 64 data digits and
// the checksum (76 characters, no line end).
std::string BankRecord(uint32_t address, const uint8_t* data);

// Reads six hexadecimal digits (either case) at text[at]; false when they are not all there.
bool ReadHexAddress(std::string_view text, size_t at, uint32_t& address);

} // namespace zz
