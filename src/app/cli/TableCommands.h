#pragma once
#include <string>
#include <vector>

inline namespace zz {

// The CANopen tables on the command line. Each returns the exit status: 0 on success, 1 on
// failure, 2 for bad arguments; messages go to standard error.

// zuzududada-cli import [--app-dir DIR] PROJECT_DIR TABLE WORKBOOK [--partial]
int RunImportCommand(const std::vector<std::string>& arguments);
inline constexpr const char* kImportUsage = "[--app-dir DIR] PROJECT_DIR TABLE WORKBOOK [--partial]";
inline constexpr const char* kImportSummary =
    "Imports a CANopen table (sdo, rpdodef, sdopdo, emcydef, emcyword) from a workbook and saves its document.";

// zuzududada-cli export [--app-dir DIR] PROJECT_DIR TABLE [FILE]
int RunExportCommand(const std::vector<std::string>& arguments);
inline constexpr const char* kExportUsage = "[--app-dir DIR] PROJECT_DIR TABLE [FILE]";
inline constexpr const char* kExportSummary =
    "Writes a CANopen table's CSV export, as its window's Export does (default PROJECT_DIR/TABLE.csv).";

// zuzududada-cli sheets [--json] [--all] WORKBOOK [SHEET...]
int RunSheetsCommand(const std::vector<std::string>& arguments);
inline constexpr const char* kSheetsUsage = "[--json] [--all] WORKBOOK [SHEET...]";
inline constexpr const char* kSheetsSummary =
    "Lists a workbook's sheets and shows the named ones as the import reads them.";

} // namespace zz
