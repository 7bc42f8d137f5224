#include "common/widgets/StringGrid.h"

#include "support/GuiTest.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class StringGridTest : public ::testing::Test {
protected:
    StringGridTest()
        : grid(4, 6)
    {
        grid.Cells().SetCell(0, 0, "N\xC2\xB0");
        grid.Cells().SetCell(1, 0, "COB ID");
        grid.SetCheckColumn(3);
        for (int row = 1; row < 6; ++row) grid.Cells().SetCell(0, row, std::to_string(row));
        grid.CellsChanged();
        grid.resize(400, 300);
        grid.show();
        grid.setFocus();
    }
    StringGrid grid;
};

TEST_F(StringGridTest, TypingStartsEditingAndEnterMovesToTheNextCell)
{
    TypeIntoCell(&grid, 1, 1, QStringLiteral("0x181"));
    EXPECT_EQ(grid.Cell(1, 1), "0x181");
    EXPECT_EQ(grid.CurrentColumn(), 2);
    EXPECT_EQ(grid.CurrentRow(), 1);
    TypeIntoCell(&grid, 1, 1, QString());
    EXPECT_EQ(grid.Cell(1, 1), "");
}

TEST_F(StringGridTest, EnterAtTheEndOfARowWrapsToTheNextRow)
{
    grid.MoveCursor(3, 2);
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_EQ(grid.CurrentColumn(), 1);
    EXPECT_EQ(grid.CurrentRow(), 3);
}

TEST_F(StringGridTest, CheckColumnStaysEmptyUntilTouchedThenWritesYAndN)
{
    EXPECT_EQ(grid.Cell(3, 2), "");
    grid.MoveCursor(3, 2);
    QTest::keyClick(&grid, Qt::Key_Space);
    EXPECT_EQ(grid.Cell(3, 2), "Y");
    QTest::keyClick(&grid, Qt::Key_Space);
    EXPECT_EQ(grid.Cell(3, 2), "N");
    QTest::keyClicks(&grid, "abc");
    EXPECT_EQ(grid.Cell(3, 2), "N");
}

TEST_F(StringGridTest, NumberColumnIsNotEditable)
{
    grid.MoveCursor(0, 1);
    QTest::keyClicks(&grid, "9");
    EXPECT_EQ(grid.Cell(0, 1), "1");
}

TEST_F(StringGridTest, HeaderShowsRowZero)
{
    EXPECT_EQ(grid.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("COB ID"));
    EXPECT_EQ(grid.model()->rowCount(), 5);
}

} // namespace
