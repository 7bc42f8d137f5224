#pragma once
#include "editors/canopen/workbook/Workbook.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

inline namespace zz {

// Collects the cells of a sheet in any order (row and column counted from 0) and lays them
// out as the import reads them: row 0 is the title row, the rows below it are the data rows
// down to the last one holding text, and the width runs from column A to the last column
// holding text. Cells without text (blank, formatted only) neither widen nor lengthen it.
class SheetGrid {
public:
    // The most cells holding text that a sheet may have; a damaged file may name millions.
    static constexpr uint64_t kMaxCells = uint64_t(1) << 21;
    // Up to this many cells (data rows times width) every row is laid out to the full width;
    // a larger, sparse sheet (a note far below the table) keeps each row only up to its last
    // cell with text, so that its empty area costs no memory.
    static constexpr uint64_t kMaxFullArea = uint64_t(1) << 21;

    // Room for about that many cells (an estimate from the size of the sheet's data), so that
    // collecting them moves nothing; at most kMaxCells.
    void Reserve(uint64_t cells) { cells_.reserve(static_cast<size_t>(std::min(cells, kMaxCells))); }

    // A later cell at the same place replaces the earlier one.
    void Set(uint32_t row, uint32_t column, std::string text);

    // Throws Failure when the sheet holds more than kMaxCells cells with text.
    Sheet Build();

private:
    struct Entry {
        uint32_t row;
        uint32_t column;
        std::string text; // empty: a blank that removes what was there
    };
    // The cells in the order they came; sorted and merged when laid out (and whenever many
    // repeated places pile up), which costs far less than a tree of cells.
    void Merge();

    std::vector<Entry> cells_;
    size_t merged_ = 0; // how many of cells_, from the front, are sorted and unique
};

} // namespace zz
