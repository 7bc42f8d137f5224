#pragma once
#include <memory>
#include <string>
#include <vector>

inline namespace zz {

// One sheet of a workbook as the import reads it: the rows below the title row, each with
// `columnCount` cells by position (an empty cell is the empty text). Cells read as the
// spreadsheet shows them: a whole number as "17", 1.5 as "1.5", text unchanged, a formula
// as its stored result, a date as its serial number. Empty rows at the end of a sheet are not
// rows. In a large sparse sheet a row may end before `columnCount`: the cells after its end
// are empty (CellAt reads either alike).
struct Sheet {
    size_t columnCount = 0;
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> titleRow; // the cells of the first row, `columnCount` of them
    bool fromCsv = false;              // read from a CSV text file, not a workbook
};

// The cell at a position of a row; the empty text past the row's end.
inline const std::string& CellAt(const std::vector<std::string>& row, size_t column)
{
    static const std::string empty;
    return column < row.size() ? row[column] : empty;
}

// A workbook opened read-only.
class Workbook {
public:
    virtual ~Workbook() = default;
    // The sheet names in workbook order.
    virtual std::vector<std::string> SheetNames() const = 0;
    // The sheet of that name; throws Failure when it cannot be read.
    virtual Sheet ReadSheet(const std::string& name) const = 0;
};

// Opens a workbook by its content (.xls, .xlsx, .ods and its flat form .fods, the bare
// worksheets of BIFF2 to BIFF4, which are one sheet named after the file) or, for other text
// files, as a CSV file like those the editors export (one sheet, named after the file). Throws
// Failure, saying what the file is and which formats are read, for a file of another format
// (an .xlsb, a word-processor document, a web page), and for a damaged one.
std::unique_ptr<Workbook> OpenWorkbook(const std::string& path);

// The CSV reader on its own: fields separated by commas, no quoting, a trailing comma ends a
// line's last field; lines end in CR LF or LF; code page 1252 (UTF-8 when valid).
std::unique_ptr<Workbook> OpenCsvWorkbook(const std::string& path);

} // namespace zz
