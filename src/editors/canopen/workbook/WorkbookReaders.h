#pragma once
#include "editors/canopen/workbook/Workbook.h"

#include <memory>
#include <string>
#include <string_view>

inline namespace zz {

// The readers behind OpenWorkbook, on the bytes of a file. Both throw Failure for bytes that
// are no such workbook or are damaged, at once or when a damaged sheet is read.

// A binary workbook: an OLE2 compound file with a "Workbook" (BIFF8) or "Book" (BIFF5)
// stream, the names compared without letter case, "Workbook" first. Only worksheets are
// listed; charts and macro sheets are not tables.
std::unique_ptr<Workbook> OpenXlsWorkbook(std::string bytes);

// A bare BIFF5 or BIFF8 workbook stream, not wrapped in a compound file.
std::unique_ptr<Workbook> OpenBiffStreamWorkbook(std::string stream);

// A bare worksheet of BIFF2, BIFF3 or BIFF4, the only sheet of its file, named `name`. A BIFF4
// workbook of several sheets is refused.
std::unique_ptr<Workbook> OpenOldWorksheet(std::string stream, std::string name);

class ZipArchive;
class FilePieces;

// An Office Open XML workbook: a ZIP archive whose members are checked against the CRC-32
// and size of its central directory before they are read.
std::unique_ptr<Workbook> OpenXlsxWorkbook(std::string bytes);
std::unique_ptr<Workbook> OpenXlsxArchive(std::unique_ptr<ZipArchive> archive);

// An OpenDocument spreadsheet (.ods): its content.xml read in one pass when it opens; a
// sheet that is too large is refused when it is read.
std::unique_ptr<Workbook> OpenOdsWorkbook(std::string bytes);
std::unique_ptr<Workbook> OpenOdsArchive(std::unique_ptr<ZipArchive> archive);

// A flat OpenDocument spreadsheet (.fods), the same content as one XML document; `name`
// stands for it in messages.
std::unique_ptr<Workbook> OpenFlatOdsWorkbook(std::string_view document, const std::string& name);

// A ZIP archive of any kind: an .xlsx or .ods workbook by its members, or refused saying what
// it is (an .xlsb, a word-processor document).
std::unique_ptr<Workbook> OpenZipWorkbook(std::string bytes);

// Text files hold no control characters but tab, line ends, form feed and a DOS end mark.
bool LooksLikeText(std::string_view bytes);

// A CSV file (OpenCsvWorkbook) already open.
std::unique_ptr<Workbook> OpenCsvFile(std::shared_ptr<const FilePieces> file);

// "The file is WHAT, a format that is not read; " and the note naming the formats that are.
std::string UnreadFormatMessage(const std::string& what);
std::string ReadFormatsNote();

} // namespace zz
