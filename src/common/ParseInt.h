#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

inline namespace zz {

// Integer text conversion shared by every editor, the loader and the XML parser.
// Accepts leading blanks, one optional sign, then decimal digits or a hexadecimal prefix
// ("$", "x", "X", "0x", "0X") with hexadecimal digits. Nothing may follow the digits.
// Decimal must fit a signed 32-bit integer; hexadecimal may use all 32 bits and reads as
// the negative number with the same bits from 80000000 on.

// The value, or nothing when the text is not such a number.
std::optional<int32_t> TryParseInt(std::string_view text);

// The value; throws Failure "'<text>' is not a valid integer value" on bad text.
int32_t ParseInt(std::string_view text);

// The value, or fallback on bad text.
int32_t ParseIntOr(std::string_view text, int32_t fallback);

} // namespace zz
