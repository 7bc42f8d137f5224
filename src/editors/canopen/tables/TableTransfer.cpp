#include "editors/canopen/tables/TableTransfer.h"

#include "common/Failure.h"
#include "common/GridCells.h"
#include "editors/canopen/tables/EmcyDefDocument.h"
#include "editors/canopen/tables/EmcyDefSheet.h"
#include "editors/canopen/tables/EmcyWordDocument.h"
#include "editors/canopen/tables/EmcyWordSheet.h"
#include "editors/canopen/tables/PdoGrids.h"
#include "editors/canopen/tables/SdoGrids.h"
#include "editors/canopen/tables/StoredPdo.h"
#include "xmlstore/GuardedRead.h"

#include <algorithm>

inline namespace zz {

const std::vector<std::string>& CanopenTableNames()
{
    static const std::vector<std::string> names{kSdoTableName, kPdoTableName, kStoredPdoTableName, kEmcyDefTable,
                                                kEmcyWordTable};
    return names;
}

bool IsCanopenTable(const std::string& name)
{
    const std::vector<std::string>& names = CanopenTableNames();
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::string TableImportReport::Summary() const
{
    std::string text = std::to_string(toCanA) + (toCanA == 1 ? " row" : " rows") + " to CAN A, " +
                       std::to_string(toCanB) + " to CAN B";
    const auto row = [this](size_t i) { return "row " + std::to_string(skipped[i].first) + ", " + skipped[i].second; };
    // A large sheet may skip every row: beyond a few the line tells the first and the last.
    constexpr size_t kListedSkips = 10;
    if (skipped.size() > kListedSkips) {
        text += ", " + std::to_string(skipped.size()) + " skipped, the first " + row(0) + ", the last " +
                row(skipped.size() - 1);
    } else if (!skipped.empty()) {
        text += ", " + std::to_string(skipped.size()) + " skipped: ";
        for (size_t i = 0; i < skipped.size(); ++i) text += (i ? "; " : "") + row(i);
    }
    return text;
}

namespace {

class Recorder {
public:
    explicit Recorder(TableImportReport& report)
        : report_(report)
    {
    }
    void operator()(const RowRouting& routing, size_t sheetRow)
    {
        if (routing.Side == CanSide::A) ++report_.toCanA;
        else if (routing.Side == CanSide::B) ++report_.toCanB;
        else report_.skipped.emplace_back(sheetRow, routing.Why);
    }

private:
    TableImportReport& report_;
};

// One table's import into an empty table and its save into the project's document.
class TableImport {
public:
    TableImport(const ProjectContext& context, Recorder record)
        : context_(context),
          record_(record)
    {
    }
    virtual ~TableImport() = default;
    virtual SheetImportOutcome Read(const std::string& workbookPath) = 0;
    virtual std::string Save() = 0; // the path written

protected:
    const ProjectContext& context_;
    Recorder record_;
};

// The SDO access and the PDO translation tables: the rows go into the window's two grids, and
// the document is built from them as the window's OK builds it.
class TwoGridImport : public TableImport {
public:
    TwoGridImport(const TwoGridTable& table, const ProjectContext& context, Recorder record)
        : TableImport(context, record),
          table_(table)
    {
        PrepareGrid(table_, sga_);
        PrepareGrid(table_, sgb_);
    }
    SheetImportOutcome Read(const std::string& path) override
    {
        TwoGridSheetImport import(table_, sga_, sgb_);
        return ImportSheetRows(path, table_.Name, table_.SheetColumns(),
                               [&](const std::vector<std::string>& row, size_t n) { record_(import.Row(row), n); });
    }
    std::string Save() override
    {
        ProjectDocument document(Discipline::Guarded);
        const std::string path = table_.write(context_, sga_, sgb_, document);
        document.SaveFile(path);
        return path;
    }

private:
    const TwoGridTable& table_;
    GridCells sga_{table_.Columns, table_.Rows}, sgb_{table_.Columns, table_.Rows};
};

class StoredPdoImport : public TableImport {
public:
    StoredPdoImport(const ProjectContext& context, Recorder record)
        : TableImport(context, record)
    {
        // The PDOs the rows refer to by number, read as the window reads them.
        ProjectDocument document(Discipline::Guarded);
        GuardedRead(document, context.RpdoDefFile, kPdoXmlNotFound, kErrorReadingPdoXml,
                    [&](ProjectDocument& d, XmlNode root) { ReadPdoLists(d, root, tables_); });
    }
    SheetImportOutcome Read(const std::string& path) override { return ImportStoredPdoSheet(path, tables_, record_); }
    std::string Save() override
    {
        ProjectDocument document(Discipline::Guarded);
        WriteStoredPdo(tables_, document);
        document.SaveFile(context_.SdoPdoFile);
        return context_.SdoPdoFile;
    }

private:
    StoredPdoTables tables_;
};

// Saves an emergency table into a fresh document at `path` with its document function.
template <class Table>
std::string SaveTable(void (*save)(ProjectDocument&, const std::string&, const Table&), const std::string& path,
                      const Table& table)
{
    ProjectDocument document(Discipline::Guarded);
    save(document, path, table);
    return path;
}

class EmcyDefImport : public TableImport {
public:
    using TableImport::TableImport;
    SheetImportOutcome Read(const std::string& path) override
    {
        return ImportSheetRows(path, kEmcyDefTable, kEmcyColumns.size(),
                               [&](const std::vector<std::string>& row, size_t n) {
                                   const CanSide side = AddEmcyDefSheetRow(table_, row);
                                   record_(RowRouting::To(side), n);
                               });
    }
    std::string Save() override { return SaveTable(SaveEmcyDef, context_.EmcyDefFile, table_); }

private:
    EmcyTable table_;
};

class EmcyWordImport : public TableImport {
public:
    using TableImport::TableImport;
    SheetImportOutcome Read(const std::string& path) override
    {
        return ImportSheetRows(path, kEmcyWordTable, kEmcyWordColumnCount,
                               [&](const std::vector<std::string>& row, size_t n) {
                                   std::optional<std::pair<CanSide, TClWEmcy>> routed = EmcyWordFromSheetRow(row);
                                   if (!routed) {
                                       record_(RowRouting::Skip("extdata '" + row.at(2) + "' is neither 0 nor 1"), n);
                                       return;
                                   }
                                   table_.Side(routed->first).push_back(std::move(routed->second));
                                   record_(RowRouting::To(routed->first), n);
                               });
    }
    std::string Save() override { return SaveTable(SaveEmcyWord, context_.EmcyWordFile, table_); }

private:
    EmcyWordTable table_;
};

std::unique_ptr<TableImport> MakeImport(const ProjectContext& context, const std::string& table, Recorder record)
{
    if (table == kSdoTableName) return std::make_unique<TwoGridImport>(SdoGridTable(), context, record);
    if (table == kPdoTableName) return std::make_unique<TwoGridImport>(PdoGridTable(), context, record);
    if (table == kStoredPdoTableName) return std::make_unique<StoredPdoImport>(context, record);
    if (table == kEmcyDefTable) return std::make_unique<EmcyDefImport>(context, record);
    if (table == kEmcyWordTable) return std::make_unique<EmcyWordImport>(context, record);
    throw Failure("'" + table + "' is no table");
}

} // namespace

TableImportReport ImportTable(const ProjectContext& context, const std::string& table, const std::string& workbookPath,
                              bool partial)
{
    TableImportReport report;
    const std::unique_ptr<TableImport> import = MakeImport(context, table, Recorder(report));
    report.outcome = import->Read(workbookPath);
    // --partial keeps the rows read before the import stopped; a sheet the table cannot take
    // gave none, and an empty table must not replace the previous document.
    const bool readSome = report.outcome.sheetFound && !report.outcome.sheetRefused;
    if (report.outcome.Complete() || (partial && readSome)) report.writtenPath = import->Save();
    return report;
}

TableExport ExportTable(const ProjectContext& context, const std::string& table)
{
    TableExport result;
    std::vector<std::vector<std::string>> lines;
    ProjectDocument document(Discipline::Guarded);
    const auto read = [&](GuardedReadResult outcome) { result.ReadWhole = outcome != GuardedReadResult::Failed; };
    if (table == kSdoTableName || table == kPdoTableName) {
        const TwoGridTable& grids = table == kSdoTableName ? SdoGridTable() : PdoGridTable();
        GridCells sga(grids.Columns, grids.Rows), sgb(grids.Columns, grids.Rows);
        read(LoadGrids(grids, context, document, sga, sgb).Read);
        lines = ExportLines(grids, sga, sgb);
    } else if (table == kStoredPdoTableName) {
        StoredPdoTables tables;
        result.ReadWhole = LoadStoredPdoTables(context, document, tables);
        lines = StoredPdoExportLines(tables);
    } else if (table == kEmcyDefTable) {
        EmcyTable emcy;
        read(LoadEmcyDef(document, context.EmcyDefFile, emcy));
        lines = EmcyDefExportLines(emcy);
    } else if (table == kEmcyWordTable) {
        EmcyWordTable words;
        read(LoadEmcyWord(document, context.EmcyWordFile, words));
        lines = EmcyWordExportLines(words);
    } else {
        throw Failure("'" + table + "' is no table");
    }
    result.Csv = CsvText(lines);
    return result;
}

} // namespace zz
