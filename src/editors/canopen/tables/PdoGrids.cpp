#include "editors/canopen/tables/PdoGrids.h"

#include "xmlstore/ProjectDocument.h"

inline namespace zz {

namespace {

GridLoad LoadPdoTranslation(const ProjectContext& context, ProjectDocument& document, GridCells& sga, GridCells& sgb)
{
    PdoTranslationTable table;
    const GuardedReadResult read =
        GuardedRead(document, context.RpdoDefFile, kFileXmlNotFound, kErrorReadingFileXml,
                    [&](ProjectDocument& d, XmlNode root) { ReadPdoTranslation(d, root, table); });
    return {read, FillPdoGrid(table.Pages[CanSide::A], sga) + FillPdoGrid(table.Pages[CanSide::B], sgb)};
}

// A cobid that is no integer stops here, before the document changes.
std::string WritePdoTranslationOf(const ProjectContext& context, const GridCells& sga, const GridCells& sgb,
                                  ProjectDocument& document)
{
    PdoTranslationTable table;
    table.Pages[CanSide::A] = PdoEntriesOf(sga);
    table.Pages[CanSide::B] = PdoEntriesOf(sgb);
    WritePdoTranslation(table, document);
    return context.RpdoDefFile;
}

} // namespace

const TwoGridTable& PdoGridTable()
{
    static const TwoGridTable table{
        kPdoTableName,
        kPdoGridColumns,
        kPdoGridRows,
        {"N\xC2\xB0", "cobid", "id_dev_orig", "en_traslate", "posid", "n_tPDO"},
        {"cobid", "id_dev_orig", "en_bypass", "posind", "n_tpdo"},
        3,
        0x02,
        0x01,
        {"01", "00"},
        {"11", "10"},
        4,
        LoadPdoTranslation,
        WritePdoTranslationOf,
    };
    return table;
}

int FillPdoGrid(const std::vector<PdoEntry>& entries, GridCells& grid)
{
    GridRowFeed feed(grid);
    for (const PdoEntry& e : entries)
        if (const int row = feed.Next())
            FillGridRow(PdoGridTable(), grid, row, e.Enabled, {&e.cobid, &e.id_dev_orig, &e.posind, &e.n_tpdo});
    return feed.Dropped();
}

std::vector<PdoEntry> PdoEntriesOf(const GridCells& grid)
{
    std::vector<PdoEntry> entries;
    for (int row = 1; row < grid.RowCount() && !grid.Cell(1, row).empty(); ++row)
        entries.push_back(
            {grid.Cell(1, row), grid.Cell(2, row), grid.Cell(4, row), grid.Cell(5, row), grid.Cell(3, row) == "1"});
    return entries;
}

} // namespace zz
