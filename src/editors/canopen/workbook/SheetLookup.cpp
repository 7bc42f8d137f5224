#include "editors/canopen/workbook/SheetLookup.h"

#include "editors/canopen/workbook/Workbook.h"

#include <algorithm>
#include <cctype>
#include <exception>

bool WorkbookHasSheet(const std::string& path, const std::string& tableName)
{
    try {
        for (std::string name : OpenWorkbook(path)->SheetNames()) {
            std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
            if (name == tableName) return true;
        }
    } catch (const std::exception&) {
    }
    return false;
}
