#include "canbus/CandumpLine.h"

#include "common/AsciiText.h"

#include <cstdio>

inline namespace zz {

namespace {

CandumpLineResult Unreadable(std::string why)
{
    return {CandumpLineKind::Unreadable, 0, std::move(why)};
}

// Hexadecimal pairs, "." allowed between them, up to `most` bytes; stops at the first other
// character. False on an odd digit or too many bytes.
bool ReadBytes(const char*& p, const char* end, CanLogFrame& frame, size_t most)
{
    frame.Length = 0;
    while (p < end) {
        if (*p == '.') {
            ++p;
            continue;
        }
        const int high = HexDigitValue(*p);
        if (high < 0) break;
        const int low = p + 1 < end ? HexDigitValue(p[1]) : -1;
        if (low < 0 || frame.Length == most) return false;
        frame.Data[frame.Length++] = static_cast<uint8_t>(high << 4 | low);
        p += 2;
    }
    return true;
}

CandumpLineResult ReadDropCount(std::string_view line)
{
    // "DROPCOUNT: dropped 3 CAN frames on 'can0' socket (total drops 7)"
    static constexpr std::string_view kDropped = "DROPCOUNT: dropped ";
    if (line.substr(0, kDropped.size()) != kDropped) return Unreadable("a DROPCOUNT line without its count");
    uint64_t frames = 0;
    size_t at = kDropped.size();
    const size_t first = at;
    for (; at < line.size() && line[at] >= '0' && line[at] <= '9' && at - first < 19; ++at)
        frames = frames * 10 + static_cast<uint64_t>(line[at] - '0');
    if (at == first) return Unreadable("a DROPCOUNT line without its count");
    return {CandumpLineKind::Dropped, frames, {}};
}

} // namespace

CandumpLineResult ReadCandumpLine(std::string_view line, CanLogFrame& frame)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    if (line.substr(0, 9) == "DROPCOUNT") return ReadDropCount(line);
    const char* p = line.data();
    const char* end = p + line.size();
    if (p == end || *p != '(') return Unreadable("no \"(seconds.micros)\" at the start");
    const char* close = p + 1;
    while (close < end && *close != ')') ++close;
    if (close == end || !ParseLogTime(p + 1, close, frame.TimeNs)) return Unreadable("no time \"(seconds.micros)\"");
    frame.Time.assign(p + 1, close);
    p = close + 1;
    if (p == end || *p != ' ') return Unreadable("no interface after the time");
    ++p;
    const char* name = p;
    while (p < end && *p != ' ' && *p != '\t') ++p;
    if (p == name || p == end) return Unreadable("no frame after the interface");
    ++p;

    const char* id = p;
    uint32_t value = 0;
    while (p < end && HexDigitValue(*p) >= 0 && p - id < 9)
        value = value << 4 | static_cast<uint32_t>(HexDigitValue(*p++));
    const auto digits = p - id;
    if (p == end || *p != '#') return Unreadable("no \"#\" after the identifier");
    ++p;
    frame.Kind = CanFrameKind::Data;
    if (digits == 3) {
        if (value > 0x7FF) return Unreadable("11-bit identifier beyond 7FF");
        frame.Extended = false;
        frame.Id = value;
    } else if (digits == 8) {
        if (value & 0x20000000) frame.Kind = CanFrameKind::Error;
        else if (value > 0x1FFFFFFF) return Unreadable("29-bit identifier beyond 1FFFFFFF");
        frame.Extended = !(value & 0x20000000);
        frame.Id = value & 0x1FFFFFFF;
    } else {
        return Unreadable("an identifier of 3 or 8 hexadecimal digits expected");
    }

    if (p < end && *p == '#') {
        // CAN FD: a flags digit, then up to 64 bytes.
        if (frame.Kind == CanFrameKind::Error) return Unreadable("a CAN FD error frame");
        ++p;
        if (p == end || HexDigitValue(*p) < 0) return Unreadable("no flags digit after \"##\"");
        ++p;
        frame.Kind = CanFrameKind::Fd;
        if (!ReadBytes(p, end, frame, 64)) return Unreadable("data bytes are not hexadecimal pairs (64 at most)");
    } else if (p < end && (*p == 'R' || *p == 'r')) {
        if (frame.Kind == CanFrameKind::Error) return Unreadable("a remote error frame");
        ++p;
        frame.Kind = CanFrameKind::Remote;
        frame.Length = 0;
        if (p < end && *p >= '0' && *p <= '8') frame.Length = static_cast<uint8_t>(*p++ - '0');
        if (p + 1 < end && *p == '_' && HexDigitValue(p[1]) >= 9) p += 2;
    } else {
        if (!ReadBytes(p, end, frame, 8)) return Unreadable("data bytes are not hexadecimal pairs (8 at most)");
        if (frame.Length == 8 && p + 1 < end && *p == '_' && HexDigitValue(p[1]) >= 9) p += 2;
    }

    if (p != end) {
        const bool direction = end - p == 2 && p[0] == ' ' && (p[1] == 'T' || p[1] == 'R');
        if (!direction) return Unreadable("unexpected text after the data");
    }
    return {CandumpLineKind::Frame, 0, {}};
}

std::string CandumpLineOf(int64_t timeNs, const std::string& interface, uint32_t id, bool extended, const uint8_t* data,
                          size_t length)
{
    char head[64];
    std::snprintf(head, sizeof head, extended ? "(%010lld.%06lld) %s %08X#" : "(%010lld.%06lld) %s %03X#",
                  static_cast<long long>(timeNs / 1000000000), static_cast<long long>(timeNs % 1000000000 / 1000),
                  interface.c_str(), static_cast<unsigned>(extended ? id & 0x1FFFFFFF : id & 0x7FF));
    std::string line = head;
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (size_t k = 0; k < length; ++k) {
        line += kHex[data[k] >> 4];
        line += kHex[data[k] & 15];
    }
    line += '\n';
    return line;
}

} // namespace zz
