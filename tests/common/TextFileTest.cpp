#include "common/TextFile.h"
#include "common/Cp1252.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(TextFile, EncodesCodePage1252WithCrLfAfterEveryLine)
{
    EXPECT_EQ(EncodeTextLines({"caf\xC3\xA9,\xE2\x82\xAC", "", "last"}), "caf\xE9,\x80\r\n\r\nlast\r\n");
}

TEST(TextFile, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    EXPECT_EQ(Utf8ToCp1252("a\xE4\xB8\xAD"
                           "b"),
              "a?b");
    EXPECT_FALSE(FitsCp1252("\xE4\xB8\xAD"));
    EXPECT_TRUE(FitsCp1252("\xC2\xB6\xC2\xB0"));
}

TEST(TextFile, CodePageRoundTripsEveryByte)
{
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    EXPECT_TRUE(IsValidUtf8(Cp1252ToUtf8(all)));
    EXPECT_FALSE(IsValidUtf8("\xE9t\xE9"));
}

TEST(TextFile, SplitsAtLfAndDropsTheCrBeforeIt)
{
    const std::vector<std::string> expected = {"a", "", "b", "c"};
    EXPECT_EQ(SplitTextLines("a\r\n\r\nb\nc"), expected);
    EXPECT_EQ(SplitTextLines("a\r\n\r\nb\nc\n"), expected);
    EXPECT_TRUE(SplitTextLines("").empty());
}

} // namespace
