#pragma once
#include <cstddef>

inline namespace zz {

// What a CSV file may hold to be read. Its rows come from the file one at a time, so its size
// costs no memory; these keep a file within what a sheet holds and a row within a few
// megabytes, and refuse a file beyond them before any row is read, naming the limit.
// - the rows and columns of a worksheet (as .xlsx and .ods sheets): 1,048,576 lines that
//   hold anything (empty lines at the end are no rows), 16,384 fields a line;
// - 1 MiB a line: the longest table row is a few hundred bytes. A text whose lines end in a
//   lone CR is all one line, and so is refused rather than read as one endless title row.
inline constexpr size_t kMaxCsvLines = size_t(1) << 20;
inline constexpr size_t kMaxCsvFields = size_t(1) << 14;
inline constexpr size_t kMaxCsvLineBytes = size_t(1) << 20;

} // namespace zz
