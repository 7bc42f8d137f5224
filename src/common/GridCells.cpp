#include "common/GridCells.h"

inline namespace zz {

GridCells::GridCells(int columns, int rows)
    : columns_(columns),
      rows_(rows),
      cells_(static_cast<size_t>(columns) * static_cast<size_t>(rows))
{
}

const std::string& GridCells::Cell(int column, int row) const
{
    static const std::string empty;
    if (column < 0 || row < 0 || column >= columns_ || row >= rows_) return empty;
    return cells_[static_cast<size_t>(row) * static_cast<size_t>(columns_) + static_cast<size_t>(column)];
}

void GridCells::SetCell(int column, int row, std::string text)
{
    if (column < 0 || row < 0 || column >= columns_ || row >= rows_) return;
    cells_[static_cast<size_t>(row) * static_cast<size_t>(columns_) + static_cast<size_t>(column)] = std::move(text);
}

void GridCells::ClearData()
{
    for (int row = 1; row < rows_; ++row)
        for (int column = 1; column < columns_; ++column) SetCell(column, row, {});
}

} // namespace zz
