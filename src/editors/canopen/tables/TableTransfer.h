#pragma once
#include "common/ProjectContext.h"
#include "editors/canopen/tables/RowRouting.h"
#include "editors/canopen/tables/SheetExchange.h"

#include <string>
#include <utility>
#include <vector>

inline namespace zz {

// The import and export of the five CANopen tables without their windows: what a window's
// Import followed by its OK writes, and what its Export writes after a fresh showing, through
// the same modules.

// "sdo", "rpdodef", "sdopdo", "emcydef", "emcyword".
const std::vector<std::string>& CanopenTableNames();
bool IsCanopenTable(const std::string& name);

// What an import read.
struct TableImportReport {
    SheetImportOutcome outcome;
    size_t toCanA = 0;
    size_t toCanB = 0;
    std::vector<std::pair<size_t, std::string>> skipped; // sheet row, why
    std::string writtenPath;                             // empty when nothing was written

    // "12 rows to CAN A, 3 to CAN B, 1 skipped: row 7, PDO 4 does not exist"; beyond ten skipped rows
    // "0 rows to CAN A, 0 to CAN B, 65535 skipped, the first row 2, ..., the last row 65536, ..."
    std::string Summary() const;
};

// Imports the table's sheet of the workbook into an empty table, by the rules of the table's
// window, and saves the table's document as the window's OK does ("sdo", whose window saves
// nothing, as sdo.xml in the project directory). Nothing is written when the workbook does not
// open or has no sheet for the table; nor when the import ended early (a bad row, a sheet that
// cannot be read or is too narrow) unless `partial`, which saves the rows read before.
// "sdopdo" routes its rows to the PDOs of the project's rpdodef.xml, read as the window reads it
// (its messages go to the message sink). Throws Failure when the document cannot be built or
// written (a cobid or ID that is no integer, a file that cannot be replaced); the previous file
// then stays as it was.
TableImportReport ImportTable(const ProjectContext& context, const std::string& table, const std::string& workbookPath,
                              bool partial);

// The table's CSV export as the window writes it after a fresh showing: its document read as
// the window reads it (its messages go to the message sink). `readWhole` tells whether every
// document that exists was read to its end.
struct TableExport {
    std::string Csv;
    bool ReadWhole = true;
};
TableExport ExportTable(const ProjectContext& context, const std::string& table);

} // namespace zz
