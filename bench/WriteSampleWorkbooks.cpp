// write_sample_workbooks DIR [ROWS]: the benchmark's workbooks as DIR/sample.xls and
// DIR/sample.xlsx, for bench/compare-workbooks.sh to hand to other readers.
#include "SampleWorkbooks.h"

#include <cstdlib>
#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "Usage: write_sample_workbooks DIR [ROWS]\n";
        return 2;
    }
    const int rows = argc > 2 ? std::atoi(argv[2]) : 20000;
    const std::string dir = argv[1];
    std::ofstream(dir + "/sample.xls", std::ios::binary) << SampleXls(rows);
    std::ofstream(dir + "/sample.xlsx", std::ios::binary) << SampleXlsx(rows);
    return 0;
}
