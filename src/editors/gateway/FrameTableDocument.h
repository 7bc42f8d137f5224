#pragma once
#include "common/GridCells.h"
#include "xmlstore/ProjectDocument.h"

#include <optional>
#include <string>
#include <vector>

inline namespace zz {

// The frame tables of a gateway project: the frames it receives (Receive_Frame.xml) and the
// frames it sends (Send_Frame.xml). Both documents have the root "Receive_Frames" and one
// "row" per frame; the receive side carries a "Delete" flag, the send side does not. Cell
// texts are kept as typed; identifiers may be decimal or hexadecimal.
enum class FrameSide { Receive, Send };

struct FrameRow {
    std::string CobId;
    std::string Dim;
    std::string Delete; // "Y", "N" or empty; receive side only
    std::string Mnemonic;
};

// The grid holds row numbers 1 to 128 below its title row; a table never holds more than 127
// frames, so the last grid row is never saved.
inline constexpr int kFrameGridRows = 128;
inline constexpr int kMaxFrames = 127;

// Grid columns of each side (column 0 holds the row numbers).
struct FrameColumns {
    int CobId, Dim, Delete, Mnemonic; // Delete is -1 on the send side
};
FrameColumns ColumnsOf(FrameSide side);
int ColumnCountOf(FrameSide side);

// The title row and row numbers of an empty table; clears every data cell.
void ResetFrameGrid(GridCells& cells, FrameSide side);

// Puts row i of the document into grid row i + 1, as far as the grid reaches. A missing
// "COBID", "Dim" or "Mnemonic" throws Failure, leaving the rows read so far in the grid; a
// missing "Delete" reads as "N". Does nothing when the file does not exist.
void LoadFrameTable(ProjectDocument& document, const std::string& path, FrameSide side, GridCells& cells);

// Every row of the document, however many, read by the rules of LoadFrameTable; nothing when
// the file does not exist. For checks that look at what the editor would not show.
std::vector<FrameRow> ReadFrameRows(ProjectDocument& document, const std::string& path, FrameSide side);

// The frames of the grid: rows 1 to 127, ending before the first row whose "COB ID" is empty.
std::vector<FrameRow> FrameTableRun(const GridCells& cells, FrameSide side);

// The first broken rule over the frames in order; none when all pass.
std::optional<std::string> ValidateFrames(const std::vector<FrameRow>& frames, bool is29Bit);

// Rebuilds the document from the frames and writes it.
void SaveFrameTable(ProjectDocument& document, const std::string& path, FrameSide side,
                    const std::vector<FrameRow>& frames);

} // namespace zz
