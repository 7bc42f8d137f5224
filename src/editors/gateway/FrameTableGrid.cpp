#include "editors/gateway/FrameTableGrid.h"

#include "common/FileSystem.h"

#include <algorithm>

inline namespace zz {

FrameColumns ColumnsOf(GatewaySide side)
{
    return side == GatewaySide::Receive ? FrameColumns{1, 2, 3, 4} : FrameColumns{1, 2, -1, 3};
}

int ColumnCountOf(GatewaySide side)
{
    return side == GatewaySide::Receive ? 5 : 4;
}

void ResetFrameGrid(GridCells& cells, GatewaySide side)
{
    const FrameColumns c = ColumnsOf(side);
    cells.SetCell(0, 0, "N\xC2\xB0");
    cells.SetCell(c.CobId, 0, "COB ID");
    cells.SetCell(c.Dim, 0, "Dimension");
    if (c.Delete >= 0) cells.SetCell(c.Delete, 0, "Delete");
    cells.SetCell(c.Mnemonic, 0, "Mnemonic");
    for (int row = 1; row <= kFrameGridRows; ++row) cells.SetCell(0, row, std::to_string(row));
    cells.ClearData();
}

void LoadFrameTable(ProjectDocument& document, const std::string& path, GatewaySide side, GridCells& cells)
{
    if (!FileExists(path)) return;
    const FrameTableTexts texts = ReadFrameTableXml(document, path);
    const FrameColumns c = ColumnsOf(side);
    // Only the rows that fit the grid are read; this system never writes more than 127.
    const size_t count = std::min(texts.Rows.size(), static_cast<size_t>(kFrameGridRows));
    for (size_t i = 0; i < count; ++i) {
        const FrameTableRowTexts& row = texts.Rows[i];
        const int gridRow = static_cast<int>(i) + 1;
        cells.SetCell(c.CobId, gridRow, row.CobId.Value());
        cells.SetCell(c.Dim, gridRow, row.Dim.Value());
        if (c.Delete >= 0) cells.SetCell(c.Delete, gridRow, row.Delete.Text.value_or("N"));
        cells.SetCell(c.Mnemonic, gridRow, row.Mnemonic.Value());
    }
}

std::vector<FrameRow> FrameTableRun(const GridCells& cells, GatewaySide side)
{
    const FrameColumns c = ColumnsOf(side);
    std::vector<FrameRow> frames;
    for (int row = 1; row <= kMaxFrames && !cells.Cell(c.CobId, row).empty(); ++row) {
        FrameRow frame;
        frame.CobId = cells.Cell(c.CobId, row);
        frame.Dim = cells.Cell(c.Dim, row);
        if (c.Delete >= 0) frame.Delete = cells.Cell(c.Delete, row);
        frame.Mnemonic = cells.Cell(c.Mnemonic, row);
        frames.push_back(std::move(frame));
    }
    return frames;
}

} // namespace zz
