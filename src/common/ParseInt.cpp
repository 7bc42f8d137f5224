#include "common/ParseInt.h"

#include "common/AsciiText.h"
#include "common/Failure.h"

#include <string>

inline namespace zz {

std::optional<int32_t> TryParseInt(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;

    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }

    bool hex = false;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }

    if (i >= text.size()) return std::nullopt; // empty, lone sign or lone prefix

    uint64_t value = 0;
    const uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 2147483648ull : 2147483647ull);
    for (; i < text.size(); ++i) {
        const int digit = hex ? HexDigitValue(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
        if (digit < 0) return std::nullopt;
        value = value * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
        if (value > limit) return std::nullopt;
    }

    // Hexadecimal keeps its 32 bits (80000000 and above read negative); a sign negates
    // with the wrap-around of 32-bit arithmetic.
    uint32_t bits = static_cast<uint32_t>(value);
    if (negative) bits = 0u - bits;
    return static_cast<int32_t>(bits);
}

int32_t ParseInt(std::string_view text)
{
    if (auto value = TryParseInt(text)) return *value;
    throw Failure("'" + std::string(text) + "' is not a valid integer value");
}

int32_t ParseIntOr(std::string_view text, int32_t fallback)
{
    return TryParseInt(text).value_or(fallback);
}

} // namespace zz
