#include "editors/canopen/workbook/CellText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

inline namespace zz {

namespace {

std::string Shortest(double value, std::chars_format format)
{
    char buffer[400];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, format);
    if (error != std::errc()) return "#NUM!";
    return std::string(buffer, end);
}

// "2.5e-07" as a spreadsheet writes it: "2.5E-07".
std::string SpreadsheetExponent(std::string text)
{
    const size_t e = text.find('e');
    if (e != std::string::npos) text[e] = 'E';
    return text;
}

} // namespace

std::string NumberCellText(double value)
{
    if (!std::isfinite(value)) return "#NUM!";
    if (value == 0) return "0"; // also -0
    // Whole numbers, most cells of these tables, need no rounding.
    if (std::fabs(value) < 1e15 && value == std::trunc(value)) return std::to_string(static_cast<int64_t>(value));
    char rounded[40];
    std::snprintf(rounded, sizeof rounded, "%.15g", value);
    value = std::strtod(rounded, nullptr);
    const double magnitude = std::fabs(value);
    if (magnitude >= 1e15 || magnitude < 1e-5)
        return SpreadsheetExponent(Shortest(value, std::chars_format::scientific));
    return Shortest(value, std::chars_format::fixed);
}

std::string BooleanCellText(bool value)
{
    return value ? "TRUE" : "FALSE";
}

std::string ErrorCellText(unsigned code)
{
    switch (code) {
    case 0x00: return "#NULL!";
    case 0x07: return "#DIV/0!";
    case 0x0F: return "#VALUE!";
    case 0x17: return "#REF!";
    case 0x1D: return "#NAME?";
    case 0x24: return "#NUM!";
    case 0x2A: return "#N/A";
    default: return "#N/A";
    }
}

} // namespace zz
