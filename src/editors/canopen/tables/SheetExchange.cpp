#include "editors/canopen/tables/SheetExchange.h"

#include "common/AsciiText.h"
#include "common/Cp1252.h"
#include "common/Desktop.h"
#include "common/FileSystem.h"
#include "common/ParseInt.h"

#include <algorithm>
#include <cctype>
#include <exception>

inline namespace zz {

namespace {

std::string DirectoryOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// The exports of these tables have no title line: their first line is already a record. Read
// back from the CSV file itself (not from a workbook made of it), that line is taken as a
// record when its routing column holds a number, which a column title never does; so an
// export imports back whole.
bool FirstCsvLineIsRecord(const std::string& tableName, const Sheet& sheet)
{
    static const std::pair<const char*, size_t> kRoutingColumn[] = {{"sdopdo", 2}, {"emcydef", 11}, {"emcyword", 2}};
    if (!sheet.fromCsv) return false;
    for (const auto& [table, column] : kRoutingColumn)
        if (tableName == table)
            return column < sheet.titleRow.size() && TryParseInt(sheet.titleRow[column]).has_value();
    return false;
}

} // namespace

std::optional<std::string> TableSheetName(const std::vector<std::string>& sheetNames, const std::string& tableName)
{
    for (const std::string& name : sheetNames)
        if (AsciiLower(name) == tableName) return name;
    return std::nullopt;
}

std::vector<std::string> ImportRowCells(const std::vector<std::string>& row, size_t columnCount)
{
    std::vector<std::string> cells(columnCount);
    for (size_t i = 0; i < columnCount && i < row.size(); ++i) cells[i] = row[i];
    return cells;
}

std::vector<std::pair<size_t, const std::vector<std::string>*>> ImportedRows(const std::string& tableName,
                                                                             const Sheet& sheet)
{
    std::vector<std::pair<size_t, const std::vector<std::string>*>> rows;
    rows.reserve(sheet.rows.size() + 1);
    if (FirstCsvLineIsRecord(tableName, sheet)) rows.emplace_back(1, &sheet.titleRow);
    for (size_t i = 0; i < sheet.rows.size(); ++i) rows.emplace_back(i + 2, &sheet.rows[i]);
    return rows;
}

SheetImportOutcome ImportSheetRows(const std::string& workbookPath, const std::string& tableName, size_t columnCount,
                                   const NumberedRowHandler& onRow, const std::function<void()>& onSheetFound)
{
    SheetImportOutcome outcome;
    std::optional<size_t> currentRow;
    try {
        const std::unique_ptr<Workbook> workbook = OpenWorkbook(workbookPath);
        outcome.opened = true;
        const std::optional<std::string> name = TableSheetName(workbook->SheetNames(), tableName);
        if (!name) {
            std::string sheets;
            for (const std::string& sheet : workbook->SheetNames())
                sheets += (sheets.empty() ? "'" : ", '") + sheet + "'";
            outcome.problem = "the workbook has no sheet named '" + tableName +
                              "' (its sheets: " + (sheets.empty() ? std::string("none") : sheets) + ")";
            return outcome;
        }
        outcome.sheetFound = true;
        outcome.sheetName = *name;
        if (onSheetFound) onSheetFound();
        const Sheet sheet = workbook->ReadSheet(*name);
        if (sheet.columnCount < columnCount) { // the driver cannot give the missing columns
            outcome.problem = "the sheet '" + *name + "' has " + std::to_string(sheet.columnCount) +
                              " columns; the table needs " + std::to_string(columnCount);
            return outcome;
        }
        for (const auto& [number, row] : ImportedRows(tableName, sheet)) {
            currentRow = number;
            onRow(ImportRowCells(*row, columnCount), number);
            ++outcome.rowsHanded;
        }
    } catch (const std::exception& e) {
        // The import reports nothing; what was read so far stays in the window.
        outcome.stoppedAtRow = currentRow;
        outcome.problem = e.what();
    }
    return outcome;
}

SheetImportOutcome ImportSheetFrom(const std::string& workbookPath, const std::string& tableName, size_t columnCount,
                                   const SheetRowHandler& onRow)
{
    return ImportSheetRows(workbookPath, tableName, columnCount,
                           [&](const std::vector<std::string>& row, size_t) { onRow(row); });
}

std::optional<std::string> PickWorkbook(OpenExcelDialog& dialog)
{
    const std::string start = dialog.FileName.empty() ? dialog.InitialDir : dialog.FileName;
    const std::optional<std::string> chosen = DesktopServices().PickOpenFile("", start, kOpenExcelFilter);
    if (!chosen) return std::nullopt;
    dialog.FileName = *chosen;
    dialog.InitialDir = DirectoryOf(*chosen);
    return chosen;
}

void ImportSheet(OpenExcelDialog& dialog, const std::string& tableName, size_t columnCount,
                 const std::function<void()>& clear, const SheetRowHandler& onRow)
{
    const std::optional<std::string> chosen = PickWorkbook(dialog);
    if (!chosen) return;
    clear();
    ImportSheetFrom(*chosen, tableName, columnCount, onRow);
}

std::string CsvText(const std::vector<std::vector<std::string>>& lines)
{
    std::string out;
    for (const std::vector<std::string>& line : lines) {
        for (const std::string& value : line) {
            out += Utf8ToCp1252(value);
            out += ',';
        }
        out += "\r\n";
    }
    return out;
}

UserMessages ExportCsv(const ProjectContext& context, const std::string& tableName,
                       const std::vector<std::vector<std::string>>& lines)
{
    try {
        WriteFileAtomically(context.ProjectDir + "/" + tableName + ".csv", CsvText(lines));
    } catch (const std::exception& e) {
        return {NoticeMessage(e.what())};
    }
    return {};
}

} // namespace zz
