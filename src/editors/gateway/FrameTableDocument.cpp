#include "editors/gateway/FrameTableDocument.h"

#include "common/FileSystem.h"
#include "common/ParseInt.h"
#include "xmlstore/documents/FrameTableXml.h"

#include <algorithm>

inline namespace zz {

namespace {

constexpr int32_t kMax11BitId = 2047;
constexpr int32_t kMax29BitId = 0x1FFFFFFF;

// One row of the document: a missing "COBID", "Dim" or "Mnemonic" throws, a missing "Delete"
// reads as "N".
FrameRow ReadRow(const FrameTableRowTexts& row, FrameSide side)
{
    FrameRow frame;
    frame.CobId = row.CobId.Value();
    frame.Dim = row.Dim.Value();
    if (side == FrameSide::Receive) frame.Delete = row.Delete.Text.value_or("N");
    frame.Mnemonic = row.Mnemonic.Value();
    return frame;
}

} // namespace

FrameColumns ColumnsOf(FrameSide side)
{
    return side == FrameSide::Receive ? FrameColumns{1, 2, 3, 4} : FrameColumns{1, 2, -1, 3};
}

int ColumnCountOf(FrameSide side)
{
    return side == FrameSide::Receive ? 5 : 4;
}

void ResetFrameGrid(GridCells& cells, FrameSide side)
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

void LoadFrameTable(ProjectDocument& document, const std::string& path, FrameSide side, GridCells& cells)
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

std::vector<FrameRow> ReadFrameRows(ProjectDocument& document, const std::string& path, FrameSide side)
{
    std::vector<FrameRow> frames;
    if (!FileExists(path)) return frames;
    const FrameTableTexts texts = ReadFrameTableXml(document, path);
    frames.reserve(texts.Rows.size());
    for (const FrameTableRowTexts& row : texts.Rows) frames.push_back(ReadRow(row, side));
    return frames;
}

std::vector<FrameRow> FrameTableRun(const GridCells& cells, FrameSide side)
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

std::optional<std::string> ValidateFrames(const std::vector<FrameRow>& frames, bool is29Bit)
{
    for (const FrameRow& frame : frames) {
        const int32_t id = ParseIntOr(frame.CobId, -1);
        if (!is29Bit && (id < 0 || id > kMax11BitId)) return "Error!! COB-ID must be between 0 and 2047. ";
        if (is29Bit && (id < 0 || id > kMax29BitId))
            return "Error!! COB-ID must be between 0x00000000 and 0x1FFFFFFF. ";
        const int32_t length = ParseIntOr(frame.Dim, -1);
        if (length < 1 || length > 8) return "Error!! Dimension must be between 1 and 8. ";
    }
    return std::nullopt;
}

void SaveFrameTable(ProjectDocument& document, const std::string& path, FrameSide side,
                    const std::vector<FrameRow>& frames)
{
    FrameTableTexts texts;
    texts.Rows.reserve(frames.size());
    for (const FrameRow& frame : frames) {
        FrameTableRowTexts& row = texts.Rows.emplace_back();
        row.CobId = StoredText::Of(frame.CobId);
        row.Dim = StoredText::Of(frame.Dim);
        if (side == FrameSide::Receive) row.Delete = StoredText::Of(frame.Delete);
        row.Mnemonic = StoredText::Of(frame.Mnemonic);
    }
    WriteFrameTableXml(document, path, texts);
}

} // namespace zz
