#include "editors/canopen/workbook/SheetGrid.h"

#include "common/Failure.h"

#include <algorithm>

inline namespace zz {

namespace {

// The rows of a table are alike: room for as many cells as the last row had saves growing each
// row cell by cell, up to a width no table row comes near.
constexpr size_t kMaxHint = 256;

} // namespace

void SheetGrid::Set(uint32_t row, uint32_t column, std::string text)
{
    if (text.empty()) {
        if (row >= rows_.size() || column >= rows_[row].size() || rows_[row][column].empty()) return;
        rows_[row][column] = std::string();
        --cells_;
        return;
    }
    if (row >= rows_.size()) rows_.resize(size_t(row) + 1);
    std::vector<std::string>& cells = rows_[row];
    if (cells.empty()) cells.reserve(std::max<size_t>(size_t(column) + 1, widthHint_));
    if (column >= cells.size()) cells.resize(size_t(column) + 1);
    if (cells[column].empty()) ++cells_;
    cells[column] = std::move(text);
    widthHint_ = std::min(cells.size(), kMaxHint);
    if (cells_ > kMaxCells) throw Failure("The sheet is too large to be read");
}

Sheet SheetGrid::Build()
{
    Sheet sheet;
    // Each row ends at its last cell with text, the sheet at its last row with text.
    uint64_t width = 0;
    size_t rows = 0;
    for (size_t r = 0; r < rows_.size(); ++r) {
        std::vector<std::string>& cells = rows_[r];
        while (!cells.empty() && cells.back().empty()) cells.pop_back();
        if (cells.empty()) continue;
        width = std::max<uint64_t>(width, cells.size());
        rows = r + 1;
    }
    if (rows == 0) {
        *this = SheetGrid();
        return sheet;
    }
    rows_.resize(rows);
    const uint64_t dataRows = rows - 1;
    const bool full = width * std::max<uint64_t>(dataRows, 1) <= kMaxFullArea;
    sheet.columnCount = width;
    sheet.titleRow = std::move(rows_.front());
    sheet.titleRow.resize(width);
    rows_.erase(rows_.begin());
    if (full)
        for (std::vector<std::string>& cells : rows_) cells.resize(width);
    sheet.rows = std::move(rows_);
    *this = SheetGrid();
    return sheet;
}

} // namespace zz
