// The two-grid machinery on a table of its own, whose flag stands between two value columns
// and whose grids hold two entries each: what the SDO and PDO tables share, apart from their
// own layouts.
#include "editors/canopen/tables/TwoGridTable.h"
#include "common/Failure.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::vector<std::string>>;

const TwoGridTable kTable{
    "demo", 4, 3, {"N", "x", "on", "y"}, {"x", "f", "y"}, 2, 0x04, 0x01, {"S", "s"}, {"T", "t"}, 3, nullptr, nullptr,
};

struct Grids {
    GridCells sga{1, 1}, sgb{1, 1};
    Grids()
    {
        PrepareGrid(kTable, sga);
        PrepareGrid(kTable, sgb);
    }
};

TEST(TwoGridTable, PreparedGridsHaveTheCaptionsAndNumberTheEntryRowsFromZero)
{
    Grids g;
    EXPECT_EQ(g.sga.ColCount(), 4);
    EXPECT_EQ(g.sga.RowCount(), 3);
    EXPECT_EQ(g.sga.Cell(2, 0), "on");
    EXPECT_EQ(g.sga.Cell(0, 1), "0");
    EXPECT_EQ(g.sga.Cell(0, 2), "1");
    EXPECT_EQ(g.sga.Cell(1, 1), "");
}

TEST(TwoGridTable, ImportRoutesByTheRoutingBitSetsTheFlagSkipsTitlesAndDropsBeyondAFullGrid)
{
    Grids g;
    TwoGridSheetImport import(kTable, g.sga, g.sgb);
    EXPECT_EQ(import.Row({"a", "5", "b"}).Side, CanSide::B); // 4 + 1: CAN B, flag set
    EXPECT_EQ(import.Row({"c", "0", "d"}).Side, CanSide::A);
    EXPECT_EQ(import.Row({"x", "T", "y"}).Why, "a title line"); // the flag's title is coded
    EXPECT_EQ(import.Row({"e", "0x4", "f"}).Side, CanSide::B);
    const RowRouting full = import.Row({"g", "4", "h"});
    EXPECT_TRUE(full.Skipped());
    EXPECT_EQ(full.Why, "the CAN B grid is full (2 rows)");
    EXPECT_THROW(import.Row({"i", "no", "j"}), Failure);

    EXPECT_EQ((std::vector<std::string>{g.sgb.Cell(1, 1), g.sgb.Cell(2, 1), g.sgb.Cell(3, 1)}),
              (std::vector<std::string>{"a", "1", "b"}));
    EXPECT_EQ(g.sgb.Cell(2, 2), "0");
    EXPECT_EQ(g.sga.Cell(3, 1), "d");
    EXPECT_EQ(g.sga.Cell(1, 2), "");

    // The export codes the flag by its grid, on the title rows too.
    const Lines lines = ExportLines(kTable, g.sga, g.sgb);
    EXPECT_EQ(
        lines,
        (Lines{{"x", "s", "y"}, {"c", "s", "d"}, {"", "s", ""}, {"x", "t", "y"}, {"a", "T", "b"}, {"e", "t", "f"}}));
}

} // namespace
