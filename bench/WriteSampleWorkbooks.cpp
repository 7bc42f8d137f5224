// write_sample_workbooks DIR [ROWS [CSV_ROWS]]: the benchmark's workbooks as DIR/sample.xls and
// DIR/sample.xlsx, and with CSV_ROWS the same table as DIR/sdo.csv, for
// bench/compare-workbooks.sh to hand to other readers and to the command line.
#include "SampleWorkbooks.h"

#include <cstdlib>
#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "Usage: write_sample_workbooks DIR [ROWS [CSV_ROWS]]\n";
        return 2;
    }
    const int rows = argc > 2 ? std::atoi(argv[2]) : 20000;
    const std::string dir = argv[1];
    std::ofstream(dir + "/sample.xls", std::ios::binary) << SampleXls(rows);
    std::ofstream(dir + "/sample.xlsx", std::ios::binary) << SampleXlsx(rows);
    if (argc > 3) std::ofstream(dir + "/sdo.csv", std::ios::binary) << SampleCsv(std::atoi(argv[3]));
    return 0;
}
