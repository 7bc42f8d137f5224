#pragma once
#include <string>

inline namespace zz {

// True when the file opens as a workbook and holds the sheet the import takes for the table
// (its lower-case name equals the table name). Reports nothing.
bool WorkbookHasSheet(const std::string& path, const std::string& tableName);

} // namespace zz
