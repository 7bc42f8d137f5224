#pragma once
#include "common/GridCells.h"
#include "gateway/FrameTableDocument.h"

#include <string>
#include <vector>

inline namespace zz {

// The grid of a frame table editor: row numbers 1 to 128 below the title row. A table never
// holds more than 127 frames, so the last grid row is never saved.
inline constexpr int kFrameGridRows = 128;

// Grid columns of each side (column 0 holds the row numbers).
struct FrameColumns {
    int CobId, Dim, Delete, Mnemonic; // Delete is -1 on the send side
};
FrameColumns ColumnsOf(GatewaySide side);
int ColumnCountOf(GatewaySide side);

// The title row and row numbers of an empty table; clears every data cell.
void ResetFrameGrid(GridCells& cells, GatewaySide side);

// Puts row i of the document into grid row i + 1, as far as the grid reaches. A missing
// "COBID", "Dim" or "Mnemonic" throws Failure, leaving the rows read so far in the grid; a
// missing "Delete" reads as "N". Does nothing when the file does not exist.
void LoadFrameTable(ProjectDocument& document, const std::string& path, GatewaySide side, GridCells& cells);

// The frames of the grid: rows 1 to 127, ending before the first row whose "COB ID" is empty.
std::vector<FrameRow> FrameTableRun(const GridCells& cells, GatewaySide side);

} // namespace zz
