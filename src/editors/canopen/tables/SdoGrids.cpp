#include "editors/canopen/tables/SdoGrids.h"

#include "xmlstore/ProjectDocument.h"

inline namespace zz {

namespace {

// A missing document shows empty grids without a message.
GridLoad LoadSdoAccess(const ProjectContext& context, ProjectDocument& document, GridCells& sga, GridCells& sgb)
{
    std::vector<SdoAccessEntry> entries;
    const GuardedReadResult read =
        GuardedRead(document, context.SdoFile, "", kErrorReadingFileXml,
                    [&](ProjectDocument& d, XmlNode root) { ReadSdoAccessEntries(d, root, entries); });
    return {read, FillSdoGrids(entries, sga, sgb)};
}

std::string WriteSdoAccessOf(const ProjectContext& context, const GridCells& sga, const GridCells& sgb,
                             ProjectDocument& document)
{
    std::vector<SdoAccessEntry> entries = SdoEntriesOf(sga, false);
    for (SdoAccessEntry& entry : SdoEntriesOf(sgb, true)) entries.push_back(std::move(entry));
    WriteSdoAccess(entries, document);
    return context.SdoFile;
}

} // namespace

const TwoGridTable& SdoGridTable()
{
    static const TwoGridTable table{
        kSdoTableName,
        kSdoGridColumns,
        kSdoGridRows,
        {"N\xC2\xB0", "RW", "Index", "SubIndex", "devID", "Index", "SubIndex", "nbyte", "mnemonico"},
        {"RW", "Index", "Subindex", "devID", "Index", "Subindex", "nbyte", "mnemonico"},
        1,
        kConfRequestOnCanB,
        kConfReadWrite,
        {"16", "0"},
        {"17", "1"},
        4,
        LoadSdoAccess,
        WriteSdoAccessOf,
    };
    return table;
}

int FillSdoGrids(const std::vector<SdoAccessEntry>& entries, GridCells& sga, GridCells& sgb)
{
    GridRowFeed a(sga), b(sgb);
    for (const SdoAccessEntry& e : entries) {
        GridRowFeed& feed = e.RequestOnCanB ? b : a;
        if (const int row = feed.Next())
            FillGridRow(SdoGridTable(), feed.Grid(), row, e.ReadWrite,
                        {&e.IndexA, &e.SubindexA, &e.DevIDB, &e.IndexB, &e.SubindexB, &e.NbyteB, &e.Mnemonico});
    }
    return a.Dropped() + b.Dropped();
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

} // namespace zz
