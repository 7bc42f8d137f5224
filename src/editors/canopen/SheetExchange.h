#pragma once
#include "app/OpenExcel.h"
#include "app/ProjectContext.h"

#include <functional>
#include <string>
#include <vector>

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

// The same import without the dialog, from a chosen file.
void ImportSheetFrom(const std::string& workbookPath, const std::string& tableName, size_t columnCount,
                     const SheetRowHandler& onRow);

// The CSV text of the lines: every value followed by a comma, no quoting, CR LF after every
// line, code page 1252.
std::string CsvText(const std::vector<std::vector<std::string>>& lines);

// Writes the lines to ProjectDir + "/" + tableName + ".csv", replacing the file. When the file
// cannot be written, the file-system error is shown in a plain message box and the previous
// file stays as it was. Nothing is reported on success.
void ExportCsv(const ProjectContext& context, const std::string& tableName,
               const std::vector<std::vector<std::string>>& lines);
