#include "editors/canopen/workbook/DateSerial.h"

#include <charconv>
#include <cstdint>

inline namespace zz {

namespace {

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

bool LeapYear(int64_t y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

// Exactly `count` decimal digits at `at`.
bool Digits(std::string_view text, size_t at, size_t count, unsigned& value)
{
    if (at + count > text.size()) return false;
    value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + static_cast<unsigned>(text[i] - '0');
    }
    return true;
}

// "hh:mm[:ss[.fraction]]" then nothing, "Z" or an offset; the fraction of a day.
std::optional<double> TimeOfDay(std::string_view text)
{
    unsigned h, m, s = 0;
    if (!Digits(text, 0, 2, h) || text.size() < 5 || text[2] != ':' || !Digits(text, 3, 2, m)) return std::nullopt;
    size_t at = 5;
    double seconds = 0;
    if (at < text.size() && text[at] == ':') {
        if (!Digits(text, at + 1, 2, s)) return std::nullopt;
        at += 3;
        seconds = s;
        if (at < text.size() && text[at] == '.') {
            size_t end = at + 1;
            while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
            double fraction = 0;
            const std::string_view digits = text.substr(at, end - at); // ".123"
            if (digits.size() > 1) std::from_chars(digits.data(), digits.data() + digits.size(), fraction);
            seconds += fraction;
            at = end;
        }
    }
    if (at < text.size()) {
        const char zone = text[at];
        if (zone != 'Z' && zone != '+' && zone != '-') return std::nullopt;
    }
    if (h > 24 || m > 59 || s > 60) return std::nullopt;
    return (h * 3600.0 + m * 60.0 + seconds) / 86400.0;
}

} // namespace

std::optional<double> DateSerial(std::string_view iso, bool date1904)
{
    if (iso.size() >= 5 && iso[2] == ':') return TimeOfDay(iso);
    unsigned y, m, d;
    if (!Digits(iso, 0, 4, y) || iso.size() < 10 || iso[4] != '-' || !Digits(iso, 5, 2, m) || iso[7] != '-' ||
        !Digits(iso, 8, 2, d))
        return std::nullopt;
    static const unsigned kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1 || m > 12 || d < 1 || d > kMonthDays[m - 1] + (m == 2 && LeapYear(y) ? 1u : 0u)) return std::nullopt;
    double fraction = 0;
    if (iso.size() > 10) {
        if (iso[10] != 'T' && iso[10] != ' ') return std::nullopt;
        const std::optional<double> time = TimeOfDay(iso.substr(11));
        if (!time) return std::nullopt;
        fraction = *time;
    }
    const int64_t days = DaysFromCivil(y, m, d);
    int64_t serial;
    if (date1904) {
        serial = days - DaysFromCivil(1904, 1, 1);
    } else {
        serial = days - DaysFromCivil(1899, 12, 31);
        if (serial >= 60) ++serial; // the 29 February 1900 that spreadsheets count
    }
    if (serial < 0 || (!date1904 && serial == 0)) return std::nullopt;
    return static_cast<double>(serial) + fraction;
}

std::optional<double> DurationDays(std::string_view iso)
{
    const bool negative = !iso.empty() && iso[0] == '-';
    if (negative) iso.remove_prefix(1);
    if (iso.empty() || iso[0] != 'P') return std::nullopt;
    iso.remove_prefix(1);
    double days = 0;
    bool inTime = false, any = false;
    while (!iso.empty()) {
        if (iso[0] == 'T') {
            if (inTime) return std::nullopt;
            inTime = true;
            iso.remove_prefix(1);
            continue;
        }
        double value = 0;
        const auto [end, error] = std::from_chars(iso.data(), iso.data() + iso.size(), value, std::chars_format::fixed);
        if (error != std::errc() || end == iso.data() + iso.size() || value < 0) return std::nullopt;
        const char unit = *end;
        iso.remove_prefix(static_cast<size_t>(end - iso.data()) + 1);
        if (!inTime && unit == 'D') days += value;
        else if (inTime && unit == 'H') days += value / 24;
        else if (inTime && unit == 'M') days += value / 1440;
        else if (inTime && unit == 'S') days += value / 86400;
        else return std::nullopt;
        any = true;
    }
    if (!any) return std::nullopt;
    return negative ? -days : days;
}

} // namespace zz
