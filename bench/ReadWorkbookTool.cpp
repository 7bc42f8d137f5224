// read_workbook FILE: reads every sheet of the workbook as the import does and prints the
// number of cells, so that a whole run can be timed against other readers of the same file.
#include "editors/canopen/workbook/Workbook.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "Usage: read_workbook FILE\n";
        return 2;
    }
    try {
        const std::unique_ptr<Workbook> workbook = OpenWorkbook(argv[1]);
        size_t cells = 0;
        for (const std::string& name : workbook->SheetNames()) {
            const Sheet sheet = workbook->ReadSheet(name);
            cells += sheet.rows.size() * sheet.columnCount;
        }
        std::cout << cells << '\n';
    } catch (const std::exception& failure) {
        std::cerr << failure.what() << '\n';
        return 1;
    }
    return 0;
}
