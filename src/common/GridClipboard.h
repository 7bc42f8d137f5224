#pragma once
#include "common/GridCells.h"

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

inline namespace zz {

// A rectangular block of cell texts, one vector per row.
using CellBlock = std::vector<std::vector<std::string>>;

// The rows and cells of a block as spreadsheet programs put it on the clipboard: cells split
// by tabs, rows by LF, CR LF or CR, a final line break ending the last row rather than
// starting an empty one. A cell that starts with a double quote and is closed by one is
// taken without the quotes, doubled quotes inside it as one (the way cells holding line
// breaks or tabs are written).
CellBlock ParseTabSeparated(std::string_view text);

// The block as tab-separated lines, each ending in a line break; cells holding a tab, a line
// break or a double quote are quoted so that ParseTabSeparated gives them back.
std::string FormatTabSeparated(const CellBlock& block);

// The value a check cell holds for a typed or pasted text: "Y" for Y, 1 or TRUE, "N" for N,
// 0, FALSE or an empty text, in any letter case and with blanks around; nothing when the
// text says neither.
std::optional<std::string> CheckCellValue(std::string_view text);

// What a paste did not put into the grid.
struct PasteOutcome {
    int RowsLeftOut = 0;    // rows of the block below the grid's last row
    int ColumnsLeftOut = 0; // columns of the block right of the grid's last column
    int RefusedChecks = 0;  // texts a check cell does not take; those cells keep their value
    // The notice to show, empty when everything was pasted.
    std::string Notice() const;
};

// Puts the block into the cells with its first cell at (column, row). Row 0 (titles) and
// column 0 (row numbers) are never written: a paste starting there starts at the first data
// cell. Check columns take only what CheckCellValue understands.
PasteOutcome PasteBlock(GridCells& cells, const CellBlock& block, int column, int row,
                        const std::set<int>& checkColumns);

} // namespace zz
