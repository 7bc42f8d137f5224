#pragma once
#include <string>

inline namespace zz {

// The workbook file-open dialog shared by the CANopen editors. The main window owns it and
// keeps its initial directory equal to the project directory; the dialog keeps the last
// chosen file between uses.
struct OpenExcelDialog {
    std::string InitialDir;
    std::string FileName;
};

// Workbooks as engineers keep them today, and the CSV files the editors export.
inline constexpr const char* kOpenExcelFilter = "File EXCEL (*.xls;*.xlsx;*.ods;*.csv)|*.xls;*.xlsx;*.ods;*.csv|File "
                                                "EXCEL (*.xls)|*.xls|File EXCEL (*.xlsx)|*.xlsx|"
                                                "OpenDocument spreadsheet (*.ods)|*.ods|CSV export (*.csv)|*.csv";

} // namespace zz
