#pragma once
#include <string>

inline namespace zz {

// The texts of typed cells, as a spreadsheet shows them in its general format.

// A number in its shortest form: 17 as "17", 1.5 as "1.5", -0.25 as "-0.25". The value is
// first rounded to the 15 significant digits a spreadsheet works with, so a formula result
// such as 0.1+0.2 reads "0.3". Ordinary values never use an exponent; only magnitudes from
// 1E+15 on or below 1E-05 are written like "1E+20" or "2.5E-07". Not-a-number and the
// infinities, which no spreadsheet stores, read "#NUM!".
std::string NumberCellText(double value);

// "TRUE" or "FALSE".
std::string BooleanCellText(bool value);

// The text of an error code of a binary workbook (0x07 is "#DIV/0!"); an unknown code reads
// "#N/A".
std::string ErrorCellText(unsigned code);

} // namespace zz
