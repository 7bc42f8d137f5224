#include "app/RtfText.h"

#include <gtest/gtest.h>

namespace {

TEST(RtfText, KeepsTextAndParagraphsAndDropsTablesAndDestinations)
{
    const std::string rtf =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red0\\green0\\blue0;}"
        "{\\*\\generator Writer;}{\\info{\\title Help}}\\pard\\f0\\fs20 Step 1: \\b New project\\b0\\par\n"
        "Braces \\{ and \\} and \\\\\\tab tab\\line next\\par}";
    EXPECT_EQ(RtfToPlainText(rtf), "Step 1: New project\nBraces { and } and \\\ttab\nnext\n");
}

TEST(RtfText, DecodesCodePageAndUnicodeCharacters)
{
    EXPECT_EQ(RtfToPlainText("{\\rtf1 \\'b0C \\u8364?\\u-4064?}"), "\xC2\xB0" "C \xE2\x82\xAC\xEF\x80\xA0");
    EXPECT_TRUE(IsRtf("{\\rtf1 x}"));
    EXPECT_FALSE(IsRtf("plain"));
}

} // namespace
