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

TEST(RtfText, HtmlKeepsCharacterFormatsWithinTheirGroupsAndParagraphSpacing)
{
    const std::string html = RtfToHtml("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\*\\generator W;}\\pard\\sb120\\qc\\fs28 "
                                       "{\\b B<1>}{\\i I}\\ul U\\ul0  \\'e9\\par\\pard\\par}");
    EXPECT_EQ(html, "<html><body>\n"
                    "<p style=\"margin-top:8px; margin-bottom:0px; margin-left:0px; margin-right:0px; "
                    "white-space:pre-wrap; text-align:center;\">"
                    "<span style=\"font-weight:700; font-size:14pt;\">B&lt;1&gt;</span>"
                    "<span style=\"font-style:italic; font-size:14pt;\">I</span>"
                    "<span style=\"text-decoration:underline; font-size:14pt;\">U</span>"
                    "<span style=\"font-size:14pt;\"> \xC3\xA9</span></p>\n"
                    "<p style=\"margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; "
                    "white-space:pre-wrap; -qt-paragraph-type:empty;\"><br /></p>\n"
                    "<p style=\"margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; "
                    "white-space:pre-wrap; -qt-paragraph-type:empty;\"><br /></p>\n"
                    "</body></html>\n");
}

} // namespace
