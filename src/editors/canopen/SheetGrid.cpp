#include "editors/canopen/SheetGrid.h"

#include "common/Failure.h"

#include <algorithm>

void SheetGrid::Set(uint32_t row, uint32_t column, std::string text)
{
    if (text.empty())
        cells_.erase({row, column});
    else
        cells_[{row, column}] = std::move(text);
}

Sheet SheetGrid::Build() const
{
    Sheet sheet;
    if (cells_.empty()) return sheet;
    if (cells_.size() > kMaxCells) throw Failure("The sheet is too large to be read");
    uint64_t width = 0;
    for (const auto& [place, text] : cells_) width = std::max<uint64_t>(width, uint64_t(place.second) + 1);
    const uint64_t dataRows = cells_.rbegin()->first.first; // rows 1 .. last row with text
    const bool full = width * std::max<uint64_t>(dataRows, 1) <= kMaxFullArea;
    sheet.columnCount = width;
    sheet.titleRow.assign(width, std::string());
    sheet.rows.assign(dataRows, full ? std::vector<std::string>(width) : std::vector<std::string>());
    for (const auto& [place, text] : cells_) {
        std::vector<std::string>& row = place.first == 0 ? sheet.titleRow : sheet.rows[place.first - 1];
        if (row.size() <= place.second) row.resize(place.second + 1);
        row[place.second] = text;
    }
    return sheet;
}
