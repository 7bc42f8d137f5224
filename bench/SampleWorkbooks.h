#pragma once
#include <string>

// Workbooks of one sheet "sdo" shaped like an SDO access table: a title row, then `rows` rows of
// eight cells (numbers, hexadecimal texts, a text of its own in every row), as bytes.
// The binary one stores texts in its cells (LABEL) and numbers as RK and NUMBER records; the
// Open XML one keeps its texts in a shared string table, as spreadsheet programs write them.
std::string SampleXls(int rows);
std::string SampleXlsx(int rows);

// The same table as a CSV file as the editors export it (every value followed by a comma, CR LF
// line ends), `rows` rows below its title line; each row names its entry in a longer text, so
// that a million rows come to some 64 MB.
std::string SampleCsv(int rows);
