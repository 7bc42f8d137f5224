#include "editors/canopen/workbook/CellText.h"
#include "common/Failure.h"
#include "editors/canopen/workbook/SheetGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(NumberCellText, WholeNumbersHaveNoFractionAndFractionsTheirShortestForm)
{
    EXPECT_EQ(NumberCellText(17), "17");
    EXPECT_EQ(NumberCellText(-12), "-12");
    EXPECT_EQ(NumberCellText(0), "0");
    EXPECT_EQ(NumberCellText(-0.0), "0");
    EXPECT_EQ(NumberCellText(1.5), "1.5");
    EXPECT_EQ(NumberCellText(0.1), "0.1");
    EXPECT_EQ(NumberCellText(385), "385");
    EXPECT_EQ(NumberCellText(123456789012), "123456789012");
    EXPECT_EQ(NumberCellText(999999999999999), "999999999999999");
    EXPECT_EQ(NumberCellText(0.00001), "0.00001");
}

TEST(NumberCellText, RoundsToFifteenDigitsAsTheSpreadsheetDoes)
{
    EXPECT_EQ(NumberCellText(0.1 + 0.2), "0.3");
    EXPECT_EQ(NumberCellText(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(NumberCellText(16.999999999999996), "17");
}

TEST(NumberCellText, OnlyExtremeMagnitudesUseAnExponent)
{
    EXPECT_EQ(NumberCellText(1e20), "1E+20");
    EXPECT_EQ(NumberCellText(1e15), "1E+15");
    EXPECT_EQ(NumberCellText(-2.5e-7), "-2.5E-07");
    EXPECT_EQ(NumberCellText(std::numeric_limits<double>::quiet_NaN()), "#NUM!");
    EXPECT_EQ(NumberCellText(-std::numeric_limits<double>::infinity()), "#NUM!");
}

TEST(CellTexts, BooleansAndErrorsReadAsShown)
{
    EXPECT_EQ(BooleanCellText(true), "TRUE");
    EXPECT_EQ(BooleanCellText(false), "FALSE");
    EXPECT_EQ(ErrorCellText(0x07), "#DIV/0!");
    EXPECT_EQ(ErrorCellText(0x2A), "#N/A");
    EXPECT_EQ(ErrorCellText(0x17), "#REF!");
    EXPECT_EQ(ErrorCellText(0x0F), "#VALUE!");
}

TEST(SheetGrid, TitleRowIsRowOneAndEmptyRowsStayOnlyInTheMiddle)
{
    SheetGrid grid;
    grid.Set(0, 0, "title");
    grid.Set(1, 2, "c2");
    grid.Set(3, 0, "a4");
    grid.Set(5, 7, ""); // blank cells neither widen nor lengthen the sheet
    grid.Set(3, 1, "b4");
    grid.Set(3, 1, "B4"); // a later cell replaces an earlier one
    const Sheet sheet = grid.Build();
    EXPECT_EQ(sheet.columnCount, 3u);
    EXPECT_EQ(sheet.rows, (std::vector<std::vector<std::string>>{{"", "", "c2"}, {"", "", ""}, {"a4", "B4", ""}}));
}

TEST(SheetGrid, AnEmptyOrTitleOnlySheetHasNoRows)
{
    EXPECT_EQ(SheetGrid().Build().rows.size(), 0u);
    SheetGrid titles;
    titles.Set(0, 4, "e");
    const Sheet sheet = titles.Build();
    EXPECT_EQ(sheet.columnCount, 5u);
    EXPECT_TRUE(sheet.rows.empty());
}

TEST(SheetGrid, ACellFarAwayIsReadWithoutFillingMemory)
{
    // One note far below and to the right of a table: the table's rows keep their width, the
    // empty area between costs nothing, and the note is where it was written.
    SheetGrid grid;
    grid.Set(0, 0, "title");
    grid.Set(1, 1, "b2");
    grid.Set(1048575, 16383, "x");
    const Sheet sheet = grid.Build();
    EXPECT_EQ(sheet.columnCount, 16384u);
    ASSERT_EQ(sheet.rows.size(), 1048575u);
    EXPECT_EQ(CellAt(sheet.rows[0], 1), "b2");
    EXPECT_EQ(CellAt(sheet.rows[0], 7), "");
    EXPECT_TRUE(sheet.rows[500].empty());
    EXPECT_EQ(CellAt(sheet.rows.back(), 16383), "x");
    EXPECT_EQ(sheet.titleRow.size(), 16384u);
    EXPECT_EQ(sheet.titleRow[0], "title");

    SheetGrid wide;
    wide.Set(3000, 51, "x"); // the largest real table, 1,500 rows per side and 52 columns
    const Sheet table = wide.Build();
    EXPECT_EQ(table.rows.size(), 3000u);
    EXPECT_EQ(table.rows[0].size(), 52u);
}

TEST(SheetGrid, TooManyCellsWithTextAreRefused)
{
    const auto fill = [](uint32_t count) {
        SheetGrid grid;
        for (uint32_t i = 0; i < count; ++i) grid.Set(i / 64, i % 64, "x");
        return grid.Build().rows.size();
    };
    EXPECT_THROW(fill(SheetGrid::kMaxCells + 1), Failure);
    // The same place over and over is one cell, however often a damaged file repeats it.
    SheetGrid repeated;
    for (uint32_t i = 0; i <= 3 * SheetGrid::kMaxCells; ++i) repeated.Set(1, 0, i % 2 ? "y" : "x");
    EXPECT_EQ(repeated.Build().rows, (std::vector<std::vector<std::string>>{{"x"}}));
}

} // namespace
