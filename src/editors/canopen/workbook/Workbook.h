#pragma once
#include <cstdint>
#include <functional>
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

// A sheet before its rows: what Sheet holds but the rows, how many rows there are, and how
// many bytes of text its cells hold, the title row's included (of a CSV file, as the file
// holds them).
struct SheetHead {
    size_t columnCount = 0;
    size_t rowCount = 0;
    std::vector<std::string> titleRow;
    bool fromCsv = false;
    uint64_t textBytes = 0;
};

// A workbook opened read-only.
class Workbook {
public:
    virtual ~Workbook() = default;
    // The sheet names in workbook order.
    virtual std::vector<std::string> SheetNames() const = 0;
    // The sheet of that name; throws Failure when it cannot be read.
    virtual Sheet ReadSheet(const std::string& name) const = 0;
    // The same sheet a row at a time: `head` first, then `row` for each row below the title
    // row, in order. A CSV file's rows are read from the file one by one, so that the sheet is
    // never held; a workbook's sheet is read whole first, and each row let go once handed over.
    // `head` returns false to take no rows. Throws Failure as ReadSheet does, before `head`;
    // after it only for a CSV file that changed while it was read. What the handlers throw ends
    // the reading and passes through.
    virtual void ReadSheetRows(const std::string& name, const std::function<bool(const SheetHead&)>& head,
                               const std::function<void(const std::vector<std::string>&)>& row) const;
};

// Opens a workbook by its content (.xls, .xlsx, .ods and its flat form .fods, the bare
// worksheets of BIFF2 to BIFF4, which are one sheet named after the file) or, for other text
// files, as a CSV file like those the editors export (one sheet, named after the file). Throws
// Failure, saying what the file is and which formats are read, for a file of another format
// (an .xlsb, a word-processor document, a web page), and for a damaged one.
std::unique_ptr<Workbook> OpenWorkbook(const std::string& path);

// The CSV reader on its own: fields separated by commas, no quoting, a trailing comma ends a
// line's last field; lines end in CR LF or LF; code page 1252 (UTF-8 when valid). Throws
// Failure for a file with control characters, which is no text, and for one beyond the limits
// of CsvLimits.h, before any row is read.
std::unique_ptr<Workbook> OpenCsvWorkbook(const std::string& path);

} // namespace zz
