// Binary workbooks from arbitrary bytes: the compound file, the record stream, the shared
// strings and the cells.
#include "WorkbookFuzz.h"
#include "editors/canopen/workbook/WorkbookReaders.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        ReadEverySheet(OpenXlsWorkbook(std::string(reinterpret_cast<const char*>(data), size)));
    } catch (const Failure&) {
    }
    return 0;
}
