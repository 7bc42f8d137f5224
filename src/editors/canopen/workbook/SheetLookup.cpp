#include "editors/canopen/workbook/SheetLookup.h"

#include "common/AsciiText.h"
#include "editors/canopen/workbook/Workbook.h"

#include <exception>

inline namespace zz {

bool WorkbookHasSheet(const std::string& path, const std::string& tableName)
{
    try {
        for (const std::string& name : OpenWorkbook(path)->SheetNames())
            if (AsciiLower(name) == tableName) return true;
    } catch (const std::exception&) {
    }
    return false;
}

} // namespace zz
