#include "common/AsciiText.h"

inline namespace zz {

namespace {

constexpr char kUpperDigits[] = "0123456789ABCDEF";

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string AsciiLower(std::string_view text)
{
    std::string out(text);
    for (char& c : out) c = LowerAscii(c);
    return out;
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

std::string_view Trim(std::string_view text, std::string_view blanks)
{
    const size_t begin = text.find_first_not_of(blanks);
    if (begin == std::string_view::npos) return {};
    return TrimEnd(text.substr(begin), blanks);
}

std::string_view TrimEnd(std::string_view text, std::string_view blanks)
{
    const size_t last = text.find_last_not_of(blanks);
    return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

void AppendHexByte(std::string& out, unsigned value)
{
    out += kUpperDigits[(value >> 4) & 0x0F];
    out += kUpperDigits[value & 0x0F];
}

} // namespace zz
