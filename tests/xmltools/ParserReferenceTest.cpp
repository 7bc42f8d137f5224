#include "ParseHelpers.h"

#include <gtest/gtest.h>

namespace {

TEST(ParserReferences, CharacterAndEntityReferencesInContent)
{
    EXPECT_EQ(RootValue("<a>&#65;&#x42;&lt;</a>"), "AB<");
    EXPECT_EQ(RootValue("<a>&amp;&gt;&quot;&apos;</a>"), "&>\"'");
    EXPECT_EQ(RootValue("<a>x&amp;y</a>"), "x&y");
}

TEST(ParserReferences, ReferencesInAttributeValues)
{
    auto document = ParseXmlText("<a v='a&amp;b' w=\"&#x3C;&quot;\"/>");
    EXPECT_EQ(document->NodeAt(0)->NodeAt(0)->Value, "a&b");
    EXPECT_EQ(document->NodeAt(0)->NodeAt(1)->Value, "<\"");
}

TEST(ParserReferences, NumbersKeepTheirLow8Bits)
{
    EXPECT_EQ(RootValue("<a>&#x20AC;</a>"), "\xAC");
    EXPECT_EQ(RootValue("<a>x&#256;y</a>"), std::string("x\0y", 3));
    EXPECT_EQ(RootValue("<a>&#-1;</a>"), "\xFF");
    EXPECT_EQ(RootValue("<a>&#xFFFFFF41;</a>"), "A");
}

TEST(ParserReferences, DecimalReferencesAcceptEveryIntegerForm)
{
    EXPECT_EQ(RootValue("<a>&#$41;&#0x42;&#X43;&# 68;&#+69;&#070;</a>"), "ABCDEF");
}

TEST(ParserReferences, NumbersThatCannotBeReadAreRefused)
{
    EXPECT_EQ(ErrorOf("<a>&#xZ;</a>"), "Invalid integer in reference &#xZ;");
    EXPECT_EQ(ErrorOf("<a>&#;</a>"), "Invalid integer in reference &#;");
    EXPECT_EQ(ErrorOf("<a>&#x;</a>"), "Invalid integer in reference &#x;");
    EXPECT_EQ(ErrorOf("<a>&#12 ;</a>"), "Invalid integer in reference &#12 ;");
    EXPECT_EQ(ErrorOf("<a>&#x100000000;</a>"), "Invalid integer in reference &#x100000000;");
    EXPECT_EQ(ErrorOf("<a>&#2147483648;</a>"), "Invalid integer in reference &#2147483648;");
    EXPECT_EQ(ErrorOf("<a v='&#x-1;'/>"), "Invalid integer in reference &#x-1;");
}

TEST(ParserReferences, UnknownAndMiscasedNamesAreRefused)
{
    for (const char* text : {"<a>&foo;</a>", "<a>&AMP;</a>", "<a>&;</a>", "<a v='&nbsp;'/>", "<a>&x#41;</a>"})
        EXPECT_EQ(ErrorOf(text), "Unrecognized reference") << text;
}

TEST(ParserReferences, AReferenceCutOffByTheEndOfData)
{
    EXPECT_EQ(ErrorOf("<a>&amp"), "Unexpected end of data");
    EXPECT_EQ(ErrorOf("<a>&amp;"), "Unexpected end of data") << "the byte after the semicolon must exist";
}

} // namespace
