#pragma once
#include "common/GridCells.h"

#include <QAbstractTableModel>
#include <QTableView>

#include <set>

inline namespace zz {

class StringGridModel;

// A text grid in the manner of the windows' tables: row 0 of the cells is the title row (shown
// as the column headers), column 0 the fixed column of row numbers (shown grey, never edited,
// cleared or pasted into), every other cell editable text. Check-box columns show a centred
// check box and hold "Y" when ticked, "N" when cleared, and stay empty until touched.
//
// It types as a spreadsheet does. Typing on a cell starts editing with the typed character
// replacing the text; F2 or a double-click edits keeping it. Enter and Tab store the edit and
// move one cell on (wrapping to the first data cell of the next row), Shift+Enter and
// Shift+Tab one back; Tab on the last cell leaves the grid. Arrows, Home, End, Page Up and Page
// Down move when no edit is in progress. Escape drops an edit in progress; with none, it goes
// to the window (which cancels). A check cell never opens an editor: Space or a click toggles
// it. Delete or Backspace empties the selected cells (check cells become "N"). Ctrl+C copies
// the selected block as tab-separated lines, Ctrl+X cuts it, Ctrl+V pastes such a block at the
// selection (one value fills every selected cell); what falls outside the grid is left out
// with a notice. Columns can be resized.
class StringGrid : public QTableView {
    Q_OBJECT
public:
    StringGrid(int columns, int rows, QWidget* parent = nullptr);

    // The cells; after changing them directly, call CellsChanged to repaint.
    GridCells& Cells();
    const GridCells& Cells() const;
    void CellsChanged();

    const std::string& Cell(int column, int row) const { return Cells().Cell(column, row); }
    void SetCell(int column, int row, const std::string& text);

    // Shows the column as a centred check box writing "Y" or "N".
    void SetCheckColumn(int column);
    // Makes the whole grid read-only (the cursor still moves and Ctrl+C still copies).
    void SetReadOnly(bool readOnly);
    // Sets the design width of a column in pixels.
    void SetColumnWidth(int column, int width);

    // The cell of the cursor as (column, row) of the cells; row 0 when there is none.
    int CurrentColumn() const;
    int CurrentRow() const;
    // Moves the cursor to a cell of the cells.
    void MoveCursor(int column, int row);

    // The clipboard commands of Ctrl+C, Ctrl+X and Ctrl+V, and the Delete key.
    void CopySelection();
    void CutSelection();
    void PasteClipboard();
    void ClearSelection();

    using QTableView::edit;

signals:
    // The cursor moved to (column, row) of the cells.
    void CellSelected(int column, int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    friend class StringGridDelegate;
    // Moves one cell forward or back in reading order; false when there is no such cell.
    bool Step(bool forward);
    bool IsCheckCell(const QModelIndex& index) const;
    void ToggleCheck(const QModelIndex& index);
    // The selected data cells (never the row numbers), or the current one when none is.
    QModelIndexList SelectedDataCells() const;
    void SelectBlock(int firstColumn, int firstRow, int lastColumn, int lastRow);
    // Shift with a moving key: the block from the anchor to the cell moved to.
    bool ExtendSelection(QKeyEvent* event);
    // The block from the anchor to the cell, which becomes the current one.
    void ExtendTo(const QModelIndex& to);

    StringGridModel* model_;
    // Where a block selected with Shift starts: the cell the cursor last reached without Shift.
    QPersistentModelIndex anchor_;
    bool extending_ = false;
};

// The model behind StringGrid: the cells without row 0 (the headers) as the table.
class StringGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    StringGridModel(int columns, int rows, QObject* parent);

    GridCells cells;
    std::set<int> checkColumns;
    bool readOnly = false;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // A check cell takes the check state, or a text CheckCellValue understands.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void Reset();
    void CellChanged(int column, int row);

signals:
    // A check cell was toggled, by key, click or an assistive tool.
    void CheckToggled(const QModelIndex& index);
};

} // namespace zz
