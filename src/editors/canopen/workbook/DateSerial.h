#pragma once
#include <optional>
#include <string_view>

inline namespace zz {

// The serial number a spreadsheet keeps for an ISO 8601 date or time ("2024-03-01",
// "2024-03-01T12:30:00", "12:30:00"): whole days since its epoch plus the time as a fraction of
// a day. In the 1900 date system day 1 is 1900-01-01 and, as spreadsheets count it, the year
// 1900 has a 29 February, so that dates from 1900-03-01 on are one day later; in the 1904
// system day 0 is 1904-01-01. A zone suffix is ignored (cells keep wall-clock time). Nothing for
// a text of another form or a date before the epoch.
std::optional<double> DateSerial(std::string_view iso, bool date1904);

// An ISO 8601 duration of days, hours, minutes and seconds ("PT36H30M00S", "-P1DT2H") in days,
// as spreadsheets keep a time of day or a span of time. Nothing for another form, or one
// with years or months, whose length in days is not fixed.
std::optional<double> DurationDays(std::string_view iso);

} // namespace zz
