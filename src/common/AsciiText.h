#pragma once
#include <string>
#include <string_view>

inline namespace zz {

// Small text helpers over ASCII letters, digits and blanks; every other byte (the parts of a
// UTF-8 character among them) passes through unchanged.

// The text with A to Z lower-cased.
std::string AsciiLower(std::string_view text);

// True when the texts are equal once A to Z are lower-cased.
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b);

// The blanks of the C locale's isspace.
inline constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";

// The text without the given blanks at its start and end.
std::string_view Trim(std::string_view text, std::string_view blanks = kWhiteSpace);
// The text without the given blanks at its end.
std::string_view TrimEnd(std::string_view text, std::string_view blanks = kWhiteSpace);

// The value of a hexadecimal digit of either case, -1 for any other character. Inline: the
// log readers call it for every digit of a frame.
inline int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Appends the two upper-case hexadecimal digits of the low byte of the value.
void AppendHexByte(std::string& out, unsigned value);

} // namespace zz
