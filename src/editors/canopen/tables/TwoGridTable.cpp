#include "editors/canopen/tables/TwoGridTable.h"

#include "common/ParseInt.h"

inline namespace zz {

void PrepareGrid(const TwoGridTable& table, GridCells& grid)
{
    grid = GridCells(table.Columns, table.Rows);
    for (int column = 0; column < table.Columns; ++column) grid.SetCell(column, 0, table.Captions[size_t(column)]);
    for (int row = 1; row < table.Rows; ++row) grid.SetCell(0, row, std::to_string(row - 1));
}

GridLoad LoadGrids(const TwoGridTable& table, const ProjectContext& context, ProjectDocument& document, GridCells& sga,
                   GridCells& sgb)
{
    PrepareGrid(table, sga);
    PrepareGrid(table, sgb);
    return table.load(context, document, sga, sgb);
}

void FillGridRow(const TwoGridTable& table, GridCells& grid, int row, bool flag,
                 const std::vector<const std::string*>& values)
{
    grid.SetCell(table.FlagColumn, row, flag ? "1" : "0");
    int column = 1;
    for (const std::string* value : values) {
        if (column == table.FlagColumn) ++column;
        grid.SetCell(column++, row, *value);
    }
}

TwoGridSheetImport::TwoGridSheetImport(const TwoGridTable& table, GridCells& sga, GridCells& sgb)
    : table_(table),
      a_(sga),
      b_(sgb)
{
}

RowRouting TwoGridSheetImport::Row(const std::vector<std::string>& row)
{
    const size_t flagPosition = size_t(table_.FlagColumn - 1);
    std::vector<size_t> titlePositions;
    std::vector<std::string> titles;
    for (size_t position = 0; position < table_.SheetColumns(); ++position) {
        if (position == flagPosition) continue;
        titlePositions.push_back(position);
        titles.push_back(table_.TitleTexts[position]);
    }
    // The flag's title is coded as a cleared flag in the export, so the other titles tell.
    if (IsTitleLine(row, titlePositions, titles)) return RowRouting::Skip("a title line");
    const int flag = ParseInt(row.at(flagPosition));
    const bool onB = (flag & table_.RoutingBit) != 0;
    GridRowFeed& feed = onB ? b_ : a_;
    const int target = feed.Next();
    if (target == 0) return RowRouting::Skip(feed.FullText(onB ? "CAN B" : "CAN A"));
    std::vector<const std::string*> values;
    for (const size_t position : titlePositions) values.push_back(&row.at(position));
    FillGridRow(table_, feed.Grid(), target, (flag & table_.FlagBit) != 0, values);
    return RowRouting::To(onB ? CanSide::B : CanSide::A);
}

namespace {

void AppendGridLines(const TwoGridTable& table, const GridCells& grid, const FlagCodes& codes,
                     std::vector<std::vector<std::string>>& lines)
{
    for (int row = 0; row < grid.RowCount(); ++row) {
        std::vector<std::string> line;
        line.reserve(table.SheetColumns());
        for (int column = 1; column < table.Columns; ++column) {
            const std::string& cell = row == 0 ? table.TitleTexts[size_t(column - 1)] : grid.Cell(column, row);
            line.push_back(column == table.FlagColumn ? (cell == "1" ? codes.Set : codes.Clear) : cell);
        }
        lines.push_back(std::move(line));
    }
}

} // namespace

std::vector<std::vector<std::string>> ExportLines(const TwoGridTable& table, const GridCells& sga, const GridCells& sgb)
{
    std::vector<std::vector<std::string>> lines;
    lines.reserve(size_t(sga.RowCount() + sgb.RowCount()));
    AppendGridLines(table, sga, table.CodesA, lines);
    AppendGridLines(table, sgb, table.CodesB, lines);
    return lines;
}

} // namespace zz
