#pragma once
#include <string>

class QWidget;

inline namespace zz {

class DbcImportDialog;

// Tools > "Export DBC...": asks for the file and writes the project's frame tables into it,
// then says what was written. Failures are thrown to the caller's error boundary.
void ExportDbcFromWindow(const std::string& projectDir);

// Tools > "Import DBC...": asks for the file, then in the dialog how to take its frames, and
// writes the tables; the editors show them at their next showing.
void ImportDbcFromWindow(const std::string& projectDir, DbcImportDialog& dialog);

} // namespace zz
