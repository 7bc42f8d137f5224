#include "common/AsciiText.h"
#include "common/Cp1252.h"

#include <gtest/gtest.h>

namespace {

TEST(AsciiText, LowerCasesOnlyAsciiLetters)
{
    EXPECT_EQ(AsciiLower("Workbook EMCYDEF_1"), "workbook emcydef_1");
    EXPECT_EQ(AsciiLower("\xC3\x84rger"), "\xC3\x84rger"); // UTF-8 bytes pass unchanged
    EXPECT_TRUE(SameIgnoringAsciiCase("LastProj", "lastproj"));
    EXPECT_FALSE(SameIgnoringAsciiCase("lastproj", "lastproj "));
    EXPECT_FALSE(SameIgnoringAsciiCase("\xC3\x84", "\xC3\xA4"));
}

TEST(AsciiText, TrimsTheBlanksAskedFor)
{
    EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
    EXPECT_EQ(Trim(" \t a b \t", " "), "\t a b \t");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim(""), "");
    EXPECT_EQ(TrimEnd("  x  ", " "), "  x");
    EXPECT_EQ(TrimEnd("  ", " "), "");
}

TEST(AsciiText, HexadecimalDigitsOfEitherCase)
{
    EXPECT_EQ(HexDigitValue('0'), 0);
    EXPECT_EQ(HexDigitValue('9'), 9);
    EXPECT_EQ(HexDigitValue('a'), 10);
    EXPECT_EQ(HexDigitValue('F'), 15);
    for (const char c : {'g', 'G', '/', ':', '@', '`', ' ', '\0', '\xFF'}) EXPECT_EQ(HexDigitValue(c), -1) << int(c);
    std::string out = "S2";
    AppendHexByte(out, 0x1AF); // the low byte only
    AppendHexByte(out, 0x0B);
    EXPECT_EQ(out, "S2AF0B");
}

TEST(AsciiText, Utf8WhenValidElseCodePage1252)
{
    EXPECT_EQ(Utf8OrCp1252ToUtf8("Gr\xC3\xBC\xC3\x9F"), "Gr\xC3\xBC\xC3\x9F");
    EXPECT_EQ(Utf8OrCp1252ToUtf8("Gr\xFC\xDF \x80"), "Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC");
}

} // namespace
