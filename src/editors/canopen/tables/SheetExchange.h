#pragma once
#include "common/ProjectContext.h"
#include "common/UserMessage.h"
#include "editors/canopen/workbook/OpenExcel.h"
#include "editors/canopen/workbook/Workbook.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

inline namespace zz {

// The import and export shared by the CANopen editors. A table name ("sdo", "rpdodef",
// "sdopdo", "emcydef", "emcyword") is the sheet the import looks for, the base name of the
// exported file and the root of the editor's document.

using SheetRowHandler = std::function<void(const std::vector<std::string>& row)>;

// Asks for a workbook with the shared dialog; on Cancel nothing happens. Otherwise `clear`
// empties the window first (also when the workbook then proves unusable), the sheet whose
// lower-case name equals the table name is found, and each row below its title row is handed
// to `onRow` as `columnCount` texts. Reports nothing, ever: a failure anywhere (a file that is
// no workbook, a missing sheet, a sheet narrower than columnCount, a row the handler refuses by
// throwing) ends the import there, keeping what was cleared and the rows already handed over.
void ImportSheet(OpenExcelDialog& dialog, const std::string& tableName, size_t columnCount,
                 const std::function<void()>& clear, const SheetRowHandler& onRow);

// Shows the shared workbook dialog; the chosen file (remembered for the next time), or nothing
// on Cancel.
std::optional<std::string> PickWorkbook(OpenExcelDialog& dialog);

// What an import read and where it ended.
struct SheetImportOutcome {
    bool opened = false;     // the file opened as a workbook
    bool sheetFound = false; // it has the table's sheet
    std::string sheetName;   // that sheet's name as the workbook spells it
    size_t rowsHanded = 0;   // rows the handler took without failing
    // The sheet row (numbered as the spreadsheet numbers them, the title row being 1) at which
    // the import ended early; nothing when it read every row or never reached one.
    std::optional<size_t> stoppedAtRow;
    bool sheetRefused = false; // the table cannot take the sheet (columns, size): no row was read
    std::string problem;       // why it ended early or read nothing; empty when it ran to its end
    bool Complete() const { return sheetFound && problem.empty(); }
};

// A row handler that is also told the row's number in the sheet (the title row being 1).
using NumberedRowHandler = std::function<void(const std::vector<std::string>& row, size_t sheetRow)>;

// The same import without the dialog, from a chosen file. `onSheetFound` runs once the sheet
// is found, before its rows are read. The rows read are those below the title row, and for the
// tables whose export has no title line, a CSV file's first line when it is a record; each is
// handed over as it is read, so that a CSV file is never held whole.
SheetImportOutcome ImportSheetRows(const std::string& workbookPath, const std::string& tableName, size_t columnCount,
                                   const NumberedRowHandler& onRow, const std::function<void()>& onSheetFound = {});
SheetImportOutcome ImportSheetFrom(const std::string& workbookPath, const std::string& tableName, size_t columnCount,
                                   const SheetRowHandler& onRow);

// The sheet the import takes for the table: the first whose lower-case name equals it.
std::optional<std::string> TableSheetName(const std::vector<std::string>& sheetNames, const std::string& tableName);

// A row of a sheet as the import hands it over: exactly `columnCount` texts.
std::vector<std::string> ImportRowCells(const std::vector<std::string>& row, size_t columnCount);

// The CSV text of the lines: every value followed by a comma, no quoting, CR LF after every
// line, code page 1252.
std::string CsvText(const std::vector<std::vector<std::string>>& lines);

// Writes the lines to ProjectDir + "/" + tableName + ".csv", replacing the file. When the file
// cannot be written, the previous file stays as it was and the file-system error is the
// message, for a plain box; none on success.
[[nodiscard]] UserMessages ExportCsv(const ProjectContext& context, const std::string& tableName,
                                     const std::vector<std::vector<std::string>>& lines);

} // namespace zz
