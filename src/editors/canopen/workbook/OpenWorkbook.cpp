#include "editors/canopen/workbook/Workbook.h"

#include "common/Failure.h"
#include "common/FileSystem.h"
#include "editors/canopen/workbook/WorkbookReaders.h"

#include <exception>

inline namespace zz {

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

// Text files hold no control characters but tab, line ends, form feed and a DOS end mark.
bool LooksLikeText(const std::string& bytes)
{
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f' && byte != 0x1A) return false;
    }
    return true;
}

} // namespace

// The content decides, not the file name: a workbook saved under another extension still
// opens, and a text file named .xls is read as the CSV it is. Any other binary file is
// refused rather than read as text.
std::unique_ptr<Workbook> OpenWorkbook(const std::string& path)
{
    std::string bytes = ReadFileBytes(path);
    try {
        if (StartsWith(bytes, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) return OpenXlsWorkbook(std::move(bytes));
        if (StartsWith(bytes, "PK\x03\x04")) return OpenXlsxWorkbook(std::move(bytes));
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
        if (!LooksLikeText(bytes)) throw Failure("The file is no workbook and no text file");
    } catch (const std::exception& e) {
        throw Failure("'" + path + "': " + e.what());
    }
    return OpenCsvWorkbook(path);
}

} // namespace zz
