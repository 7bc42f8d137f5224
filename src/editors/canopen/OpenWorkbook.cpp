#include "editors/canopen/Workbook.h"

#include "common/Failure.h"
#include "common/FileSystem.h"
#include "editors/canopen/WorkbookReaders.h"

#include <exception>

// The content decides, not the file name: a workbook saved under another extension still
// opens, and a text file named .xls is read as the CSV it is.
std::unique_ptr<Workbook> OpenWorkbook(const std::string& path)
{
    std::string bytes = ReadFileBytes(path);
    try {
        if (bytes.rfind("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 0) == 0) return OpenXlsWorkbook(std::move(bytes));
        if (bytes.rfind("PK\x03\x04", 0) == 0) return OpenXlsxWorkbook(std::move(bytes));
    } catch (const std::exception& e) {
        throw Failure("'" + path + "': " + e.what());
    }
    return OpenCsvWorkbook(path);
}
