#include "app/RtfText.h"

#include <gtest/gtest.h>

namespace {

TEST(RtfText, KeepsTextAndParagraphsAndDropsTablesAndDestinations)
{
    const std::string rtf =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red0\\green0\\blue0;}"
        "{\\*\\generator Writer;}{\\info{\\title Help}}\\pard\\f0\\fs20 Step 1: \\b New project\\b0\\par\n"
        "Braces \\{ and \\} and \\\\\\tab tab\\line next\\par}";
    const std::string html = RtfToHtml(rtf);
    EXPECT_NE(html.find("Step 1: </span><span style=\"font-weight:700; font-size:10pt;\">New project</span></p>"),
              std::string::npos)
        << html;
    EXPECT_NE(html.find(">Braces { and } and \\\ttab<br />next</span></p>"), std::string::npos) << html;
    for (const char* hidden : {"Arial", "Writer", "Help", "red0"})
        EXPECT_EQ(html.find(hidden), std::string::npos) << hidden;
}

TEST(RtfText, DecodesCodePageAndUnicodeCharacters)
{
    EXPECT_NE(RtfToHtml("{\\rtf1 \\'b0C \\u8364?\\u-4064?}")
                  .find(">\xC2\xB0"
                        "C \xE2\x82\xAC\xEF\x80\xA0</span>"),
              std::string::npos);
    EXPECT_TRUE(IsRtf("{\\rtf1 x}"));
    EXPECT_FALSE(IsRtf("plain"));
}

} // namespace
