#include "common/GridClipboard.h"

#include <gtest/gtest.h>

namespace {

TEST(GridClipboard, ReadsBlocksAsSpreadsheetProgramsWriteThem)
{
    EXPECT_EQ(ParseTabSeparated("a\tb\r\nc\td\r\n"), (CellBlock{{"a", "b"}, {"c", "d"}}));
    EXPECT_EQ(ParseTabSeparated("a\tb\nc\td"), (CellBlock{{"a", "b"}, {"c", "d"}}));
    EXPECT_EQ(ParseTabSeparated("a\t\t\n\nb\n"), (CellBlock{{"a", "", ""}, {""}, {"b"}}));
    EXPECT_EQ(ParseTabSeparated("x\n"), (CellBlock{{"x"}}));
    EXPECT_EQ(ParseTabSeparated(""), CellBlock{});
    // A cell holding a line break or a quote comes quoted; a stray quote is plain text.
    EXPECT_EQ(ParseTabSeparated("\"two\nlines\"\t\"say \"\"hi\"\"\"\n"), (CellBlock{{"two\nlines", "say \"hi\""}}));
    EXPECT_EQ(ParseTabSeparated("5\" pipe\t\"open\n"), (CellBlock{{"5\" pipe", "\"open"}}));

    const CellBlock block{{"a\tb", "say \"hi\""}, {"", "x"}};
    EXPECT_EQ(FormatTabSeparated(block), "\"a\tb\"\t\"say \"\"hi\"\"\"\n\tx\n");
    EXPECT_EQ(ParseTabSeparated(FormatTabSeparated(block)), block);
}

TEST(GridClipboard, CheckCellsTakeYesAndNoInTheirUsualForms)
{
    for (const char* yes : {"Y", "y", "1", "TRUE", "True", " true "}) EXPECT_EQ(CheckCellValue(yes), "Y") << yes;
    for (const char* no : {"N", "n", "0", "FALSE", "false", ""}) EXPECT_EQ(CheckCellValue(no), "N") << no;
    for (const char* other : {"yes", "2", "x"}) EXPECT_FALSE(CheckCellValue(other)) << other;
}

} // namespace
