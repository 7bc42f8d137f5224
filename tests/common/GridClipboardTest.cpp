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

TEST(GridClipboard, PasteKeepsTitlesAndRowNumbersAndCountsWhatIsLeftOut)
{
    GridCells cells(3, 4); // titles, then three rows of two data columns
    cells.SetCell(0, 1, "1");
    const PasteOutcome outcome = PasteBlock(cells, {{"a", "Y", "z"}, {"b", "no"}, {"c"}, {"d"}, {"e"}}, 0, 2, {2});
    EXPECT_EQ(cells.Cell(0, 2), "");
    EXPECT_EQ(cells.Cell(1, 2), "a");
    EXPECT_EQ(cells.Cell(2, 2), "Y");
    EXPECT_EQ(cells.Cell(1, 3), "b");
    EXPECT_EQ(cells.Cell(2, 3), "");
    EXPECT_EQ(cells.Cell(1, 1), "");
    EXPECT_EQ(outcome.rowsLeftOut, 3);
    EXPECT_EQ(outcome.columnsLeftOut, 1);
    EXPECT_EQ(outcome.refusedChecks, 1);
    EXPECT_EQ(outcome.Notice(), "The pasted block is larger than the table: 3 rows and 1 column beyond its end were "
                                "left out.\n1 value could not be pasted into check cells, which take only Y, N, 1, 0, "
                                "TRUE or FALSE; that cell keeps its value.");
    EXPECT_EQ(PasteOutcome{}.Notice(), "");
}

} // namespace
