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
    uint64_t width = 0;
    for (const auto& [place, text] : cells_) width = std::max<uint64_t>(width, uint64_t(place.second) + 1);
    const uint64_t dataRows = cells_.rbegin()->first.first; // rows 1 .. last row with text
    if (width * std::max<uint64_t>(dataRows, 1) > kMaxCells) throw Failure("The sheet is too large to be read");
    sheet.columnCount = width;
    sheet.rows.assign(dataRows, std::vector<std::string>(width));
    for (const auto& [place, text] : cells_)
        if (place.first > 0) sheet.rows[place.first - 1][place.second] = text;
    return sheet;
}
