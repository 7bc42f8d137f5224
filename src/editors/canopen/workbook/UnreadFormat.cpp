#include "editors/canopen/workbook/WorkbookReaders.h"

inline namespace zz {

std::string ReadFormatsNote()
{
    return "workbooks are read as .xls, .xlsx and .ods, tables also as CSV text";
}

std::string UnreadFormatMessage(const std::string& what)
{
    return "The file is " + what + ", a format that is not read; " + ReadFormatsNote();
}

} // namespace zz
