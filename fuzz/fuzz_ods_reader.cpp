// OpenDocument spreadsheets from arbitrary bytes: the archive, its directory check and the
// one pass over content.xml with its repeated rows and cells. Bytes that are no ZIP archive
// go to the same pass as a flat document, which no checksum keeps the mutations from.
#include "WorkbookFuzz.h"
#include "editors/canopen/workbook/WorkbookReaders.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        std::string bytes(reinterpret_cast<const char*>(data), size);
        if (bytes.starts_with("PK")) ReadEverySheet(OpenOdsWorkbook(std::move(bytes)));
        else ReadEverySheet(OpenFlatOdsWorkbook(bytes, "fuzz.fods"));
    } catch (const Failure&) {
    }
    return 0;
}
