#include "editors/canopen/workbook/SheetGrid.h"

#include "common/Failure.h"

#include <algorithm>

inline namespace zz {

void SheetGrid::Set(uint32_t row, uint32_t column, std::string text)
{
    if (text.empty() && cells_.empty()) return;
    cells_.push_back({row, column, std::move(text)});
    // A damaged file may repeat cells without end; merging keeps only one per place.
    if (cells_.size() - merged_ > kMaxCells) Merge();
}

void SheetGrid::Merge()
{
    const auto before = [](const Entry& a, const Entry& b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    };
    // Readers mostly give the cells in order; then there is nothing to sort.
    if (!std::is_sorted(cells_.begin(), cells_.end(), before)) std::stable_sort(cells_.begin(), cells_.end(), before);
    // Of the cells at one place the last one counts; a blank removes the place.
    size_t out = 0;
    for (size_t i = 0; i < cells_.size(); ++i) {
        if (i + 1 < cells_.size() && cells_[i + 1].row == cells_[i].row && cells_[i + 1].column == cells_[i].column)
            continue;
        if (cells_[i].text.empty()) continue;
        if (out != i) cells_[out] = std::move(cells_[i]);
        ++out;
    }
    cells_.resize(out);
    merged_ = out;
    if (cells_.size() > kMaxCells) throw Failure("The sheet is too large to be read");
}

Sheet SheetGrid::Build()
{
    Merge();
    Sheet sheet;
    if (cells_.empty()) return sheet;
    uint64_t width = 0;
    for (const Entry& cell : cells_) width = std::max<uint64_t>(width, uint64_t(cell.column) + 1);
    const uint64_t dataRows = cells_.back().row; // rows 1 .. last row with text
    const bool full = width * std::max<uint64_t>(dataRows, 1) <= kMaxFullArea;
    sheet.columnCount = width;
    sheet.titleRow.assign(width, std::string());
    sheet.rows.assign(dataRows, full ? std::vector<std::string>(width) : std::vector<std::string>());
    for (Entry& cell : cells_) {
        std::vector<std::string>& row = cell.row == 0 ? sheet.titleRow : sheet.rows[cell.row - 1];
        if (row.size() <= cell.column) row.resize(cell.column + 1);
        row[cell.column] = std::move(cell.text);
    }
    cells_.clear();
    merged_ = 0;
    return sheet;
}

} // namespace zz
