#include "editors/canopen/Workbook.h"

#include "common/Failure.h"
#include "common/FileSystem.h"

std::unique_ptr<Workbook> OpenWorkbook(const std::string& path)
{
    const std::string head = ReadFileBytes(path).substr(0, 8);
    if (head.rfind("\xD0\xCF\x11\xE0", 0) == 0 || head.rfind("PK\x03\x04", 0) == 0)
        throw Failure("'" + path + "': this kind of workbook cannot be read yet");
    return OpenCsvWorkbook(path);
}
