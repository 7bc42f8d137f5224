#include "editors/canopen/SheetExchange.h"

#include "common/Cp1252.h"
#include "common/Desktop.h"
#include "common/FileSystem.h"
#include "common/MessageSink.h"
#include "common/ParseInt.h"
#include "editors/canopen/Workbook.h"

#include <algorithm>
#include <cctype>
#include <exception>

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

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
        if (tableName == table) return column < sheet.titleRow.size() && TryParseInt(sheet.titleRow[column]).has_value();
    return false;
}

} // namespace

void ImportSheetFrom(const std::string& workbookPath, const std::string& tableName, size_t columnCount,
                     const SheetRowHandler& onRow)
{
    try {
        const std::unique_ptr<Workbook> workbook = OpenWorkbook(workbookPath);
        for (const std::string& name : workbook->SheetNames()) {
            if (Lower(name) != tableName) continue;
            const Sheet sheet = workbook->ReadSheet(name);
            if (sheet.columnCount < columnCount) return; // the driver cannot give the missing columns
            const auto hand = [&](const std::vector<std::string>& row) {
                onRow(std::vector<std::string>(row.begin(), row.begin() + static_cast<std::ptrdiff_t>(columnCount)));
            };
            if (FirstCsvLineIsRecord(tableName, sheet)) hand(sheet.titleRow);
            for (const std::vector<std::string>& row : sheet.rows) hand(row);
            return;
        }
    } catch (const std::exception&) {
        // The import reports nothing; what was read so far stays in the window.
    }
}

void ImportSheet(OpenExcelDialog& dialog, const std::string& tableName, size_t columnCount,
                 const std::function<void()>& clear, const SheetRowHandler& onRow)
{
    const std::string start = dialog.FileName.empty() ? dialog.InitialDir : dialog.FileName;
    const std::optional<std::string> chosen = DesktopServices().PickOpenFile("", start, kOpenExcelFilter);
    if (!chosen) return;
    dialog.FileName = *chosen;
    dialog.InitialDir = DirectoryOf(*chosen);
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

void ExportCsv(const ProjectContext& context, const std::string& tableName,
               const std::vector<std::vector<std::string>>& lines)
{
    try {
        WriteFileAtomically(context.ProjectDir + "/" + tableName + ".csv", CsvText(lines));
    } catch (const std::exception& e) {
        Messages().Notice(e.what());
    }
}
