// The grid as an engineer types into it: keys on the focused widget, then the cells.
#include "common/widgets/StringGrid.h"

#include "common/MessageSink.h"
#include "support/GuiTest.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// A window holding a grid like "Receive Frames" (COB ID, Dimension, the Delete check column,
// Mnemonic; five rows) and a field after it.
class GridTest : public ::testing::Test {
protected:
    GridTest()
        : scope(sink)
    {
        grid = new StringGrid(5, 6, &window);
        const char* titles[] = {"N\xC2\xB0", "COB ID", "Dimension", "Delete", "Mnemonic"};
        for (int column = 0; column < 5; ++column) grid->Cells().SetCell(column, 0, titles[column]);
        for (int row = 1; row < 6; ++row) grid->Cells().SetCell(0, row, std::to_string(row));
        grid->SetCheckColumn(3);
        grid->CellsChanged();
        after = new QLineEdit(&window);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(grid);
        layout->addWidget(after);
        window.resize(500, 320);
        ShowActive(&window);
        grid->setFocus();
        grid->MoveCursor(1, 1);
    }

    // The cell of the cursor as "column,row".
    std::string At() const { return std::to_string(grid->CurrentColumn()) + "," + std::to_string(grid->CurrentRow()); }
    QLineEdit* Editor() const { return qobject_cast<QLineEdit*>(Focused()); }
    QPoint Centre(int column, int row) const
    {
        return grid->visualRect(grid->model()->index(row - 1, column)).center();
    }
    void SelectFromCursor(int right, int down)
    {
        for (int i = 0; i < right; ++i) Press(Qt::Key_Right, Qt::ShiftModifier);
        for (int i = 0; i < down; ++i) Press(Qt::Key_Down, Qt::ShiftModifier);
    }
    void Fill(const std::vector<std::vector<std::string>>& rows)
    {
        for (size_t r = 0; r < rows.size(); ++r)
            for (size_t c = 0; c < rows[r].size(); ++c) grid->SetCell(int(c) + 1, int(r) + 1, rows[r][c]);
    }
    std::string Row(int row) const
    {
        std::string text;
        for (int column = 1; column < 5; ++column) text += (column > 1 ? "|" : "") + grid->Cell(column, row);
        return text;
    }

    RecordingSink sink;
    ScopedMessageSink scope;
    QDialog window;
    StringGrid* grid;
    QLineEdit* after;
};

TEST_F(GridTest, TypingReplacesTheTextWhileF2AndADoubleClickKeepIt)
{
    grid->SetCell(1, 1, "0x181");
    Type(QStringLiteral("7"));
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->text(), QStringLiteral("7"));
    Press(Qt::Key_Return);
    EXPECT_EQ(grid->Cell(1, 1), "7");

    grid->MoveCursor(1, 1);
    Press(Qt::Key_F2);
    Type(QStringLiteral("5"));
    Press(Qt::Key_Return);
    EXPECT_EQ(grid->Cell(1, 1), "75");

    grid->SetCell(4, 2, "Drive");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, Centre(4, 2)); // a double-click starts as a click
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, Centre(4, 2));
    Type(QStringLiteral("s"));
    Press(Qt::Key_Return);
    EXPECT_EQ(grid->Cell(4, 2), "Drives");
}

TEST_F(GridTest, EnterAndTabStoreTheEditAndMoveExactlyOneCell)
{
    // The table as it is typed in: every value followed by Enter lands in its own column.
    Type(QStringLiteral("0x181"));
    Press(Qt::Key_Return);
    Type(QStringLiteral("8"));
    Press(Qt::Key_Return);
    EXPECT_EQ(Row(1), "0x181|8||");
    EXPECT_EQ(At(), "3,1");
    Press(Qt::Key_Tab);
    Type(QStringLiteral("Drive"));
    Press(Qt::Key_Tab); // wraps to the first data cell of the next row
    EXPECT_EQ(At(), "1,2");
    Type(QStringLiteral("0x182"));
    Press(Qt::Key_Tab);
    EXPECT_EQ(Row(1), "0x181|8||Drive");
    EXPECT_EQ(Row(2), "0x182|||");
    EXPECT_EQ(At(), "2,2");

    Press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(At(), "1,2");
    Press(Qt::Key_Tab, Qt::ShiftModifier); // back over the row start to the last cell above
    EXPECT_EQ(At(), "4,1");
    Press(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(At(), "3,1");
    Press(Qt::Key_Return);
    Press(Qt::Key_Return);
    EXPECT_EQ(At(), "1,2");
    Type(QStringLiteral("9"));
    Press(Qt::Key_Return, Qt::ShiftModifier); // stores and goes back
    EXPECT_EQ(grid->Cell(1, 2), "9");
    EXPECT_EQ(At(), "4,1");

    // Past the last cell Enter stays and Tab leaves the grid for the next control.
    grid->MoveCursor(4, 5);
    Press(Qt::Key_Return);
    EXPECT_EQ(At(), "4,5");
    EXPECT_EQ(Focused(), grid);
    Press(Qt::Key_Tab);
    EXPECT_EQ(Focused(), after);
}

TEST_F(GridTest, ArrowsHomeEndAndPageKeysMoveAndNeverReachTheRowNumbers)
{
    grid->MoveCursor(2, 2);
    Press(Qt::Key_Home);
    EXPECT_EQ(At(), "1,2");
    Press(Qt::Key_Left);
    EXPECT_EQ(At(), "1,2");
    Press(Qt::Key_End);
    EXPECT_EQ(At(), "4,2");
    Press(Qt::Key_Down);
    EXPECT_EQ(At(), "4,3");
    Press(Qt::Key_PageDown);
    EXPECT_EQ(grid->CurrentRow(), 5);
    Press(Qt::Key_PageUp);
    EXPECT_EQ(grid->CurrentRow(), 1);
    Press(Qt::Key_Up);
    EXPECT_EQ(At(), "4,1");
}

TEST_F(GridTest, EscapeDropsAnEditAndOnlyWithoutOneCancelsTheWindow)
{
    grid->SetCell(1, 1, "0x181");
    Type(QStringLiteral("0x999"));
    Press(Qt::Key_Escape);
    EXPECT_EQ(grid->Cell(1, 1), "0x181");
    EXPECT_EQ(Focused(), grid);
    EXPECT_TRUE(window.isVisible());
    Press(Qt::Key_F2);
    Type(QStringLiteral("2"));
    Press(Qt::Key_Escape);
    EXPECT_EQ(grid->Cell(1, 1), "0x181");
    EXPECT_TRUE(window.isVisible());

    grid->MoveCursor(3, 1); // on a check cell as well
    Press(Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
}

TEST_F(GridTest, CheckCellsToggleWithoutAnEditorAndHoldOnlyYNOrNothing)
{
    Type(QStringLiteral("0x181"));
    Press(Qt::Key_Tab);
    Type(QStringLiteral("8"));
    Press(Qt::Key_Tab); // onto the check cell: no editor opens
    EXPECT_EQ(At(), "3,1");
    EXPECT_EQ(Focused(), grid);
    Type(QStringLiteral(" "));
    EXPECT_EQ(grid->Cell(3, 1), "Y");
    Type(QStringLiteral("x "));
    EXPECT_EQ(grid->Cell(3, 1), "N");
    Press(Qt::Key_F2);
    EXPECT_EQ(Focused(), grid);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, Centre(3, 1));
    EXPECT_EQ(Focused(), grid);
    EXPECT_EQ(grid->Cell(3, 2), "");

    // A click toggles and makes the cell current, so the next key acts there and nowhere else.
    grid->MoveCursor(1, 2);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, Centre(3, 2));
    EXPECT_EQ(grid->Cell(3, 2), "Y");
    EXPECT_EQ(At(), "3,2");
    Type(QStringLiteral(" "));
    EXPECT_EQ(grid->Cell(3, 2), "N");
    EXPECT_EQ(Row(2), "||N|");
}

TEST_F(GridTest, DeleteClearsTheSelectionButNeverTheRowNumbers)
{
    Fill({{"0x181", "8", "Y", "Drive"}, {"0x182", "4", "Y", "Pump"}, {"0x183", "2", "Y", "Fan"}});
    SelectFromCursor(3, 1);
    Press(Qt::Key_Delete);
    EXPECT_EQ(Row(1), "||N|");
    EXPECT_EQ(Row(2), "||N|");
    EXPECT_EQ(Row(3), "0x183|2|Y|Fan");
    grid->MoveCursor(2, 3);
    Press(Qt::Key_Backspace);
    EXPECT_EQ(Row(3), "0x183||Y|Fan");

    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, Centre(0, 3));
    Press(Qt::Key_Delete);
    Type(QStringLiteral("7"));
    EXPECT_EQ(grid->Cell(0, 3), "3");
}

TEST_F(GridTest, CopyAndCutPutTheSelectedBlockOnTheClipboardAsTabSeparatedLines)
{
    Fill({{"0x181", "8", "Y", "Drive"}, {"0x182", "4", "", "Pump"}});
    grid->MoveCursor(1, 1);
    SelectFromCursor(3, 1);
    Press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("0x181\t8\tY\tDrive\n0x182\t4\t\tPump\n"));

    grid->MoveCursor(2, 2);
    SelectFromCursor(2, 0);
    Press(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("4\t\tPump\n"));
    EXPECT_EQ(Row(2), "0x182||N|");
}

TEST_F(GridTest, ShiftClickSelectsFromTheCurrentCellAfterTypingAndEnter)
{
    Fill({{"0x181", "8", "Y", "Drive"}, {"0x182", "4", "", "Pump"}});
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, Centre(1, 1));
    Type(QStringLiteral("0x281"));
    Press(Qt::Key_Return);
    ASSERT_EQ(At(), "2,1");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier, Centre(4, 2));
    EXPECT_EQ(At(), "4,2");
    Press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("8\tY\tDrive\n4\t\tPump\n"));
}

TEST_F(GridTest, PasteTakesABlockAsSpreadsheetProgramsPutItOnTheClipboard)
{
    // As copied from a spreadsheet on Windows: CR LF after every row, the last one included.
    QApplication::clipboard()->setText(QStringLiteral("0x181\t8\tY\tDrive\r\n0x182\t4\tfalse\tPump\r\n"));
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Row(1), "0x181|8|Y|Drive");
    EXPECT_EQ(Row(2), "0x182|4|N|Pump");
    EXPECT_EQ(Row(3), "|||");
    EXPECT_TRUE(sink.Empty());

    // On Linux: LF, and the check values in any of their forms.
    QApplication::clipboard()->setText(QStringLiteral("1\n0\ntrue\n"));
    grid->MoveCursor(3, 1);
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid->Cell(3, 1), "Y");
    EXPECT_EQ(grid->Cell(3, 2), "N");
    EXPECT_EQ(grid->Cell(3, 3), "Y");

    // A block pasted on the row numbers starts at the first data column.
    QApplication::clipboard()->setText(QStringLiteral("0x300\t2\n"));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, Centre(0, 4));
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid->Cell(0, 4), "4");
    EXPECT_EQ(Row(4), "0x300|2||");
}

TEST_F(GridTest, OneValuePastesIntoEverySelectedCell)
{
    QApplication::clipboard()->setText(QStringLiteral("8\n"));
    grid->MoveCursor(2, 1);
    SelectFromCursor(0, 2);
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid->Cell(2, 1), "8");
    EXPECT_EQ(grid->Cell(2, 2), "8");
    EXPECT_EQ(grid->Cell(2, 3), "8");
    EXPECT_EQ(grid->Cell(2, 4), "");
}

TEST_F(GridTest, WhatFallsBeyondTheGridIsLeftOutWithANotice)
{
    QApplication::clipboard()->setText(QStringLiteral("0x184\t1\n0x185\t2\n0x186\t3\n0x187\t4\n"));
    grid->MoveCursor(1, 4);
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Row(4), "0x184|1||");
    EXPECT_EQ(Row(5), "0x185|2||");
    ASSERT_EQ(sink.All().size(), 1u);
    EXPECT_EQ(sink.All()[0].kind, RecordingSink::Kind::Notice);
    EXPECT_EQ(sink.Last(), "The pasted block is larger than the table: 2 rows beyond its end were left out.");

    sink.Clear();
    QApplication::clipboard()->setText(QStringLiteral("Pump\tspare\nmaybe\n"));
    grid->MoveCursor(4, 1);
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid->Cell(4, 1), "Pump");
    EXPECT_EQ(grid->Cell(4, 2), "maybe");
    EXPECT_NE(sink.Last().find("1 column beyond its end was left out"), std::string::npos) << sink.Last();

    sink.Clear();
    grid->MoveCursor(3, 1);
    Press(Qt::Key_V, Qt::ControlModifier); // "Pump" and "maybe" are no check values: the cells keep theirs
    EXPECT_EQ(grid->Cell(3, 1), "");
    EXPECT_EQ(grid->Cell(3, 2), "");
    EXPECT_EQ(grid->Cell(4, 1), "spare");
    EXPECT_EQ(sink.Last(), "2 values could not be pasted into check cells, which take only Y, N, 1, 0, TRUE or FALSE; "
                           "those cells keep their values.");
}

} // namespace
