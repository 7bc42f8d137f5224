#pragma once
#include "common/GridCells.h"

#include <QAbstractTableModel>
#include <QTableView>

#include <set>

class StringGridModel;

// A text grid in the manner of the windows' tables: row 0 of the cells is the title row (shown
// as the column headers), column 0 the fixed column of row numbers (shown grey, not
// editable), every other cell editable text. Check-box columns show a centred check box and
// hold "Y" when ticked, "N" when cleared, and stay empty until touched.
//
// Keys: Tab and Enter move to the next cell (wrapping to the next row), Space toggles a
// check box, typing starts editing, F2 edits the cell as it is, Delete empties it. Columns
// can be resized.
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
    // Makes the whole grid read-only (the cursor still moves).
    void SetReadOnly(bool readOnly);
    // Sets the design width of a column in pixels.
    void SetColumnWidth(int column, int width);

    // The cell of the cursor as (column, row) of the cells; row 0 when there is none.
    int CurrentColumn() const;
    int CurrentRow() const;
    // Moves the cursor to a cell of the cells.
    void MoveCursor(int column, int row);

signals:
    // The cursor moved to (column, row) of the cells.
    void CellSelected(int column, int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void MoveToNextCell();

    StringGridModel* model_;
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
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void Reset();
    void CellChanged(int column, int row);
};
