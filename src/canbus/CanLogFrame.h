#pragma once
#include <array>
#include <cstdint>
#include <string>

inline namespace zz {

// What a log line holds besides a data frame; the replay acts only on data frames.
enum class CanFrameKind : uint8_t { Data, Remote, Error, Fd };

// One frame of a CAN log, as the readers hand it on. The object is reused from line to line:
// copy what must outlive the callback.
struct CanLogFrame {
    int64_t Line = 0;      // from 1
    int64_t TimeNs = 0;    // the log's time in nanoseconds
    std::string Time;      // the time as the log writes it ("1700000000.100000", "0.300000")
    uint32_t Id = 0;       // without flags
    bool Extended = false; // a 29-bit identifier
    CanFrameKind Kind = CanFrameKind::Data;
    uint8_t Length = 0; // data bytes (a remote frame's requested length)
    std::array<uint8_t, 64> Data{};
};

// "1700000000.100000" read into nanoseconds: digits, a point, 1 to 9 digits; false otherwise.
bool ParseLogTime(const char* begin, const char* end, int64_t& nanoseconds);
// Nanoseconds as seconds with six decimals ("12.500000").
std::string LogTimeText(int64_t nanoseconds);

} // namespace zz
