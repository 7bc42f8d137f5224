#include "canbus/CanLogFrame.h"

#include <cstdio>

inline namespace zz {

bool ParseLogTime(const char* begin, const char* end, int64_t& nanoseconds)
{
    const char* p = begin;
    int64_t seconds = 0;
    int integerDigits = 0;
    for (; p < end && *p >= '0' && *p <= '9'; ++p, ++integerDigits) {
        if (integerDigits == 11) return false; // beyond the year 5000
        seconds = seconds * 10 + (*p - '0');
    }
    if (integerDigits == 0 || p == end || *p != '.') return false;
    ++p;
    int64_t fraction = 0;
    int fractionDigits = 0;
    for (; p < end && *p >= '0' && *p <= '9'; ++p, ++fractionDigits) {
        if (fractionDigits == 9) return false;
        fraction = fraction * 10 + (*p - '0');
    }
    if (fractionDigits == 0 || p != end) return false;
    for (int k = fractionDigits; k < 9; ++k) fraction *= 10;
    nanoseconds = seconds * 1000000000 + fraction;
    return true;
}

std::string LogTimeText(int64_t nanoseconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%06lld", static_cast<long long>(nanoseconds / 1000000000),
                  static_cast<long long>(nanoseconds % 1000000000 / 1000));
    return text;
}

} // namespace zz
