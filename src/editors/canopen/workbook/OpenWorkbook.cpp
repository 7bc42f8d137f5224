#include "editors/canopen/workbook/Workbook.h"

#include "common/Failure.h"
#include "common/FileSystem.h"
#include "editors/canopen/workbook/FilePieces.h"
#include "editors/canopen/workbook/WorkbookReaders.h"

#include <cctype>
#include <exception>

inline namespace zz {

bool LooksLikeText(std::string_view bytes)
{
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f' && byte != 0x1A) return false;
    }
    return true;
}

namespace {

bool StartsWith(const std::string& bytes, std::string_view start)
{
    return bytes.size() >= start.size() && std::string_view(bytes).substr(0, start.size()) == start;
}

// The BOF record that opens a bare BIFF stream, as the first spreadsheet programs wrote a
// workbook straight into a file: 0x0009 (BIFF2), 0x0209 (BIFF3), 0x0409 (BIFF4) and 0x0809
// (BIFF5 and BIFF8), each followed by a short length.
int BareBiffKind(const std::string& bytes)
{
    if (bytes.size() < 8 || bytes[0] != '\x09' || bytes[3] != '\0' || bytes[2] == '\0' || bytes[2] > 20) return 0;
    switch (bytes[1]) {
    case '\x00': return 2;
    case '\x02': return 3;
    case '\x04': return 4;
    case '\x08': return 5;
    default: return 0;
    }
}

bool StartsWithNoCase(std::string_view text, std::string_view start)
{
    if (text.size() < start.size()) return false;
    for (size_t i = 0; i < start.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != start[i]) return false;
    return true;
}

// How much of a file tells its format: the signature of a binary workbook, and of a text
// whether it is markup or CSV.
constexpr size_t kHeadBytes = size_t(1) << 17;

// Markup is no CSV text: a flat OpenDocument spreadsheet is read, any other XML or HTML
// document is refused saying what it is. Nothing for a text that is no markup.
std::unique_ptr<Workbook> OpenMarkup(const std::string& bytes, const std::string& path)
{
    std::string_view text(bytes);
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text[0]))) text.remove_prefix(1);
    if (!StartsWithNoCase(text, "<?xml") && !StartsWithNoCase(text, "<!doctype") && !StartsWithNoCase(text, "<html") &&
        !StartsWithNoCase(text, "<office:document"))
        return nullptr;
    // The root element and its attributes come first; a spreadsheet names its kind there.
    const std::string_view head = text.substr(0, 1 << 16);
    if (head.find("application/vnd.oasis.opendocument.spreadsheet") != std::string_view::npos)
        return OpenFlatOdsWorkbook(text, FileNameOf(path));
    if (head.find("urn:schemas-microsoft-com:office:spreadsheet") != std::string_view::npos)
        throw Failure(UnreadFormatMessage("an XML spreadsheet of Excel 2003 (.xml)"));
    if (head.find("urn:oasis:names:tc:opendocument:xmlns:office") != std::string_view::npos)
        throw Failure(UnreadFormatMessage("a flat OpenDocument file that holds no spreadsheet"));
    if (StartsWithNoCase(text, "<html") || StartsWithNoCase(text, "<!doctype html"))
        throw Failure(UnreadFormatMessage("a web page (.html)"));
    throw Failure(UnreadFormatMessage("an XML document"));
}

// Whether a file whose head this is must be read whole: a binary workbook, or a text that may
// be markup (its first character after white space is '<', or the head is all white space).
// Binary content that is no workbook is refused by its head alone.
bool NeedsWholeFile(const std::string& head)
{
    if (StartsWith(head, "\xD0\xCF\x11\xE0") || StartsWith(head, "PK") || BareBiffKind(head) != 0) return true;
    if (!LooksLikeText(head)) return false;
    std::string_view text(head);
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    const size_t first = text.find_first_not_of(" \t\n\v\f\r");
    return first == std::string_view::npos || text[first] == '<';
}

} // namespace

// The content decides, not the file name: a workbook saved under another extension still
// opens, and a text file named .xls is read as the CSV it is. Any other binary file, and
// markup that is no spreadsheet, is refused rather than read as text. Only the head of a file
// is read to tell: a large CSV file is then read from the file, never held whole.
std::unique_ptr<Workbook> OpenWorkbook(const std::string& path)
{
    const auto file = std::make_shared<const FilePieces>(path);
    std::string bytes = file->Head(kHeadBytes);
    if (bytes.size() == kHeadBytes && NeedsWholeFile(bytes)) bytes = file->All();
    try {
        if (StartsWith(bytes, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) return OpenXlsWorkbook(std::move(bytes));
        if (StartsWith(bytes, "PK\x03\x04")) return OpenZipWorkbook(std::move(bytes));
        if (StartsWith(bytes, "PK\x05\x06")) throw Failure("The file is an empty archive and holds no workbook");
        switch (BareBiffKind(bytes)) {
        case 0: break;
        case 5: return OpenBiffStreamWorkbook(std::move(bytes));
        default: {
            // A worksheet of its own, named after the file as the programs of its time name it.
            std::string name = FileNameOf(path);
            if (const size_t dot = name.find_last_of('.'); dot != std::string::npos && dot > 0) name.resize(dot);
            return OpenOldWorksheet(std::move(bytes), std::move(name));
        }
        }
        if (!LooksLikeText(bytes)) throw Failure("The file is no workbook and no text file; " + ReadFormatsNote());
        if (std::unique_ptr<Workbook> markup = OpenMarkup(bytes, path)) return markup;
    } catch (const std::exception& e) {
        throw Failure("'" + path + "': " + e.what());
    }
    bytes = std::string();
    return OpenCsvFile(file);
}

} // namespace zz
