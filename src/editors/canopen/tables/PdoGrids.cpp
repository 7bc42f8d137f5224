#include "editors/canopen/tables/PdoGrids.h"

#include "common/ParseInt.h"

const std::vector<std::string>& PdoColumnCaptions()
{
    static const std::vector<std::string> captions{"N\xC2\xB0", "cobid", "id_dev_orig", "en_traslate", "posid", "n_tPDO"};
    return captions;
}

const std::vector<std::string>& PdoTitleTexts()
{
    static const std::vector<std::string> titles{"cobid", "id_dev_orig", "en_bypass", "posind", "n_tpdo"};
    return titles;
}

void PreparePdoGrid(GridCells& grid)
{
    grid = GridCells(kPdoGridColumns, kPdoGridRows);
    const std::vector<std::string>& captions = PdoColumnCaptions();
    for (int column = 0; column < kPdoGridColumns; ++column) grid.SetCell(column, 0, captions[size_t(column)]);
    for (int row = 1; row < kPdoGridRows; ++row) grid.SetCell(0, row, std::to_string(row - 1));
}

namespace {

void FillRow(GridCells& grid, int row, const std::string& cobid, const std::string& idDevOrig, bool enabled,
             const std::string& posind, const std::string& nTpdo)
{
    grid.SetCell(1, row, cobid);
    grid.SetCell(2, row, idDevOrig);
    grid.SetCell(3, row, enabled ? "1" : "0");
    grid.SetCell(4, row, posind);
    grid.SetCell(5, row, nTpdo);
}

} // namespace

int FillPdoGrid(const std::vector<PdoEntry>& entries, GridCells& grid)
{
    GridRowFeed feed(grid);
    for (const PdoEntry& e : entries)
        if (const int row = feed.Next()) FillRow(grid, row, e.cobid, e.id_dev_orig, e.enabled, e.posind, e.n_tpdo);
    return feed.Dropped();
}

std::vector<PdoEntry> PdoEntriesOf(const GridCells& grid)
{
    std::vector<PdoEntry> entries;
    for (int row = 1; row < grid.RowCount() && !grid.Cell(1, row).empty(); ++row)
        entries.push_back({grid.Cell(1, row), grid.Cell(2, row), grid.Cell(4, row), grid.Cell(5, row),
                           grid.Cell(3, row) == "1"});
    return entries;
}

RowRouting PdoSheetImport::Row(const std::vector<std::string>& row)
{
    static const std::vector<size_t> titlePositions{0, 1, 3, 4};
    static const std::vector<std::string> titles{"cobid", "id_dev_orig", "posind", "n_tpdo"};
    if (IsTitleLine(row, titlePositions, titles)) return RowRouting::Skip("a title line");
    const int enBypass = ParseInt(row.at(2));
    // The export's coding: "0x" for `sga`, "1x" (ten and up: bit 1 set) for `sgb`.
    const bool onB = (enBypass & 0x02) != 0;
    GridRowFeed& feed = onB ? b_ : a_;
    const int target = feed.Next();
    if (target == 0) return RowRouting::Skip(feed.FullText(onB ? "CAN B" : "CAN A"));
    FillRow(feed.Grid(), target, row.at(0), row.at(1), (enBypass & 0x01) != 0, row.at(3), row.at(4));
    return RowRouting::To(onB ? CanSide::B : CanSide::A);
}

namespace {

void AppendGridLines(const GridCells& grid, const char* setFlag, const char* clearFlag,
                     std::vector<std::vector<std::string>>& lines)
{
    const std::vector<std::string>& titles = PdoTitleTexts();
    for (int row = 0; row < grid.RowCount(); ++row) {
        std::vector<std::string> line;
        for (int column = 1; column < kPdoGridColumns; ++column) {
            const std::string& cell = row == 0 ? titles[size_t(column - 1)] : grid.Cell(column, row);
            line.push_back(column == 3 ? (cell == "1" ? setFlag : clearFlag) : cell);
        }
        lines.push_back(std::move(line));
    }
}

} // namespace

std::vector<std::vector<std::string>> PdoExportLines(const GridCells& sga, const GridCells& sgb)
{
    std::vector<std::vector<std::string>> lines;
    AppendGridLines(sga, "01", "00", lines);
    AppendGridLines(sgb, "11", "10", lines);
    return lines;
}
