#pragma once
#include "editors/canopen/workbook/Workbook.h"

#include <cstdint>
#include <string>
#include <vector>

inline namespace zz {

// Collects the cells of a sheet in any order (row and column counted from 0) and lays them
// out as the import reads them: row 0 is the title row, the rows below it are the data rows
// down to the last one holding text, and the width runs from column A to the last column
// holding text. Cells without text (blank, formatted only) neither widen nor lengthen it.
// The cells are kept in their rows from the start, so that laying them out copies nothing.
class SheetGrid {
public:
    // The most cells holding text that a sheet may have; a damaged file may name millions.
    static constexpr uint64_t kMaxCells = uint64_t(1) << 21;
    // Up to this many cells (data rows times width) every row is laid out to the full width;
    // a larger, sparse sheet (a note far below the table) keeps each row only up to its last
    // cell with text, so that its empty area costs no memory.
    static constexpr uint64_t kMaxFullArea = uint64_t(1) << 21;

    // A later cell at the same place replaces the earlier one; an empty text clears the place.
    // Throws Failure when the sheet comes to hold more than kMaxCells cells with text.
    void Set(uint32_t row, uint32_t column, std::string text);

    // The sheet; the grid is empty afterwards.
    Sheet Build();

private:
    std::vector<std::vector<std::string>> rows_; // each up to its last cell set
    uint64_t cells_ = 0;                         // how many places hold text
    size_t widthHint_ = 0;                       // the cells of the row set last, as a guess for the next
};

} // namespace zz
