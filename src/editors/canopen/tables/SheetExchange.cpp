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
bool FirstCsvLineIsRecord(const std::string& tableName, const SheetHead& sheet)
{
    static const std::pair<const char*, size_t> kRoutingColumn[] = {{"sdopdo", 2}, {"emcydef", 11}, {"emcyword", 2}};
    if (!sheet.fromCsv) return false;
    for (const auto& [table, column] : kRoutingColumn)
        if (tableName == table)
            return column < sheet.titleRow.size() && TryParseInt(sheet.titleRow[column]).has_value();
    return false;
}

// The tables that grow with every row they read: the stored SDOs and the emergency tables (the
// grids of the others take a fixed number of rows and pass over the rest). Saving such a table
// holds its entries some four times over, up to 10 kB a row of the widest; these limits keep
// an import within about 200 MB, and no network has a fraction of so many entries.
constexpr size_t kMaxListRows = 8192;
constexpr uint64_t kMaxListText = uint64_t(8) << 20;

bool IsListTable(const std::string& tableName)
{
    return tableName == "sdopdo" || tableName == "emcydef" || tableName == "emcyword";
}

// Why the table cannot take the sheet; nothing when it can.
std::optional<std::string> RefusedSheet(const std::string& tableName, size_t columnCount, const std::string& name,
                                        const SheetHead& sheet)
{
    const std::string where = "the sheet '" + name + "' ";
    if (sheet.columnCount < columnCount) // the driver cannot give the missing columns
        return where + "has " + std::to_string(sheet.columnCount) + " columns; the table needs " +
               std::to_string(columnCount);
    if (!IsListTable(tableName)) return std::nullopt;
    if (sheet.rowCount > kMaxListRows)
        return where + "has " + std::to_string(sheet.rowCount) + " rows below its title row; the table takes at most " +
               std::to_string(kMaxListRows);
    if (sheet.textBytes > kMaxListText)
        return where + "holds " + std::to_string(sheet.textBytes) + " bytes of text; the table takes at most " +
               std::to_string(kMaxListText);
    return std::nullopt;
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
        // The rows come one at a time, numbered as the spreadsheet numbers them.
        size_t number = 1;
        const auto hand = [&](const std::vector<std::string>& row) {
            currentRow = number;
            onRow(ImportRowCells(row, columnCount), number);
            ++outcome.rowsHanded;
        };
        workbook->ReadSheetRows(
            *name,
            [&](const SheetHead& sheet) {
                if (std::optional<std::string> refused = RefusedSheet(tableName, columnCount, *name, sheet)) {
                    outcome.problem = std::move(*refused);
                    outcome.sheetRefused = true;
                    return false;
                }
                if (FirstCsvLineIsRecord(tableName, sheet)) hand(sheet.titleRow);
                return true;
            },
            [&](const std::vector<std::string>& row) {
                ++number;
                hand(row);
            });
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
