#pragma once
#include <string>
#include <vector>

inline namespace zz {

// The cells of a text grid, addressed as (column, row) from (0, 0). Row 0 holds the column
// titles and column 0 the row numbers, as the windows show them; every cell is text.
class GridCells {
public:
    GridCells(int columns, int rows);

    int ColCount() const { return columns_; }
    int RowCount() const { return rows_; }

    // The cell's text; a cell outside the grid reads as empty.
    const std::string& Cell(int column, int row) const;
    // Sets a cell; a cell outside the grid is ignored.
    void SetCell(int column, int row, std::string text);

    // Empties the data cells: rows from 1, columns from 1.
    void ClearData();

private:
    int columns_;
    int rows_;
    std::vector<std::string> cells_;
};

} // namespace zz
