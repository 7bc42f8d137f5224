// Open XML workbooks from arbitrary bytes: the archive, its directory check, the workbook,
// relationships, shared strings and sheet parts.
#include "WorkbookFuzz.h"
#include "editors/canopen/workbook/WorkbookReaders.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        ReadEverySheet(OpenXlsxWorkbook(std::string(reinterpret_cast<const char*>(data), size)));
    } catch (const Failure&) {
    }
    return 0;
}
