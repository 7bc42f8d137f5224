#include "editors/canopen/tables/SdoGrids.h"

#include "common/ParseInt.h"

const std::vector<std::string>& SdoColumnCaptions()
{
    static const std::vector<std::string> captions{"N\xC2\xB0", "RW",       "Index", "SubIndex", "devID",
                                                   "Index",     "SubIndex", "nbyte", "mnemonico"};
    return captions;
}

const std::vector<std::string>& SdoTitleTexts()
{
    static const std::vector<std::string> titles{"RW",    "Index",    "Subindex", "devID",
                                                 "Index", "Subindex", "nbyte",    "mnemonico"};
    return titles;
}

void PrepareSdoGrid(GridCells& grid)
{
    grid = GridCells(kSdoGridColumns, kSdoGridRows);
    const std::vector<std::string>& captions = SdoColumnCaptions();
    for (int column = 0; column < kSdoGridColumns; ++column) grid.SetCell(column, 0, captions[size_t(column)]);
    for (int row = 1; row < kSdoGridRows; ++row) grid.SetCell(0, row, std::to_string(row - 1));
}

namespace {

void FillRow(GridCells& grid, int row, bool readWrite, const std::vector<const std::string*>& values)
{
    grid.SetCell(1, row, readWrite ? "1" : "0");
    for (size_t i = 0; i < values.size(); ++i) grid.SetCell(int(i) + 2, row, *values[i]);
}

} // namespace

int FillSdoGrids(const std::vector<SdoAccessEntry>& entries, GridCells& sga, GridCells& sgb)
{
    GridRowFeed a(sga), b(sgb);
    for (const SdoAccessEntry& e : entries) {
        GridRowFeed& feed = e.requestOnCanB ? b : a;
        if (const int row = feed.Next())
            FillRow(feed.Grid(), row, e.readWrite,
                    {&e.IndexA, &e.SubindexA, &e.devIDB, &e.IndexB, &e.SubindexB, &e.nbyteB, &e.mnemonico});
    }
    return a.Dropped() + b.Dropped();
}

RowRouting SdoSheetImport::Row(const std::vector<std::string>& row)
{
    static const std::vector<size_t> titlePositions{1, 2, 3, 4, 5, 6, 7};
    static const std::vector<std::string> titles(SdoTitleTexts().begin() + 1, SdoTitleTexts().end());
    if (IsTitleLine(row, titlePositions, titles)) return RowRouting::Skip("a title line");
    const int conf = ParseInt(row.at(0));
    const bool onB = (conf & kConfRequestOnCanB) != 0;
    GridRowFeed& feed = onB ? b_ : a_;
    const int target = feed.Next();
    if (target == 0) return RowRouting::Skip(feed.FullText(onB ? "CAN B" : "CAN A"));
    std::vector<const std::string*> values;
    for (size_t position = 1; position < kSdoSheetColumns; ++position) values.push_back(&row.at(position));
    FillRow(feed.Grid(), target, (conf & kConfReadWrite) != 0, values);
    return RowRouting::To(onB ? CanSide::B : CanSide::A);
}

std::vector<SdoAccessEntry> SdoEntriesOf(const GridCells& grid, bool requestOnCanB)
{
    int last = 0;
    for (int row = 1; row < grid.RowCount(); ++row)
        for (int column = 2; column < kSdoGridColumns; ++column)
            if (!grid.Cell(column, row).empty()) last = row;
    std::vector<SdoAccessEntry> entries;
    for (int row = 1; row <= last; ++row)
        entries.push_back({requestOnCanB, grid.Cell(1, row) == "1", grid.Cell(2, row), grid.Cell(3, row),
                           grid.Cell(4, row), grid.Cell(5, row), grid.Cell(6, row), grid.Cell(7, row),
                           grid.Cell(8, row)});
    return entries;
}

namespace {

void AppendGridLines(const GridCells& grid, const char* setFlag, const char* clearFlag,
                     std::vector<std::vector<std::string>>& lines)
{
    const std::vector<std::string>& titles = SdoTitleTexts();
    for (int row = 0; row < grid.RowCount(); ++row) {
        std::vector<std::string> line;
        line.reserve(kSdoSheetColumns);
        for (int column = 1; column < kSdoGridColumns; ++column) {
            const std::string& cell = row == 0 ? titles[size_t(column - 1)] : grid.Cell(column, row);
            line.push_back(column == 1 ? (cell == "1" ? setFlag : clearFlag) : cell);
        }
        lines.push_back(std::move(line));
    }
}

} // namespace

std::vector<std::vector<std::string>> SdoExportLines(const GridCells& sga, const GridCells& sgb)
{
    std::vector<std::vector<std::string>> lines;
    lines.reserve(size_t(sga.RowCount() + sgb.RowCount()));
    AppendGridLines(sga, "16", "0", lines);
    AppendGridLines(sgb, "17", "1", lines);
    return lines;
}
