// CSV files from arbitrary bytes. The reader surveys the file as it opens (its shape, limits
// and code page) and reads it again row by row; on a file that does not change, the second
// pass must find what the first counted: as many rows as the survey, each as wide, and never
// "The file changed while it was read".
#include "WorkbookFuzz.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The reader reads from a file: one per fuzzing process, in memory where there is room.
    static const std::string path = (access("/dev/shm", W_OK) == 0 ? std::string("/dev/shm") : std::string("/tmp")) +
                                    "/fuzz-csv-" + std::to_string(getpid()) + ".csv";
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);
    std::unique_ptr<Workbook> workbook;
    try {
        workbook = OpenCsvWorkbook(path);
    } catch (const Failure&) {
    }
    if (workbook) {
        const std::string name = workbook->SheetNames().at(0);
        SheetHead counted;
        size_t rows = 0;
        try {
            workbook->ReadSheetRows(
                name,
                [&](const SheetHead& head) {
                    counted = head;
                    return true;
                },
                [&](const std::vector<std::string>& row) {
                    if (row.size() != counted.columnCount) __builtin_trap();
                    ++rows;
                });
        } catch (const Failure&) {
            __builtin_trap(); // the survey accepted the file, so every row reads
        }
        if (rows != counted.rowCount || counted.titleRow.size() != counted.columnCount) __builtin_trap();
    }
    std::remove(path.c_str());
    return 0;
}
