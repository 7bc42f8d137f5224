#include "canbus/AscLine.h"

#include <array>

inline namespace zz {

namespace {

constexpr size_t kMostTokens = 96;

// The line split at blanks; at most kMostTokens tokens are kept.
struct Tokens {
    std::array<std::string_view, kMostTokens> Items;
    size_t Count = 0;
    std::string_view operator[](size_t k) const { return k < Count ? Items[k] : std::string_view(); }
};

Tokens Split(std::string_view line)
{
    Tokens tokens;
    size_t at = 0;
    while (at < line.size() && tokens.Count < kMostTokens) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t' || line[at] == '\r')) ++at;
        const size_t start = at;
        while (at < line.size() && line[at] != ' ' && line[at] != '\t' && line[at] != '\r') ++at;
        if (at > start) tokens.Items[tokens.Count++] = line.substr(start, at - start);
    }
    return tokens;
}

bool Number(std::string_view text, int base, uint32_t& value)
{
    if (text.empty() || text.size() > 8) return false;
    value = 0;
    for (char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        if (digit < 0 || digit >= base) return false;
        value = value * static_cast<uint32_t>(base) + static_cast<uint32_t>(digit);
    }
    return true;
}

bool Digits(std::string_view text)
{
    uint32_t ignored = 0;
    return Number(text, 10, ignored);
}

bool IsTime(std::string_view text)
{
    int64_t ignored = 0;
    return ParseLogTime(text.data(), text.data() + text.size(), ignored);
}

bool IsDirection(std::string_view text)
{
    return text == "Rx" || text == "Tx";
}

AscLineResult Unreadable(std::string why)
{
    return {AscLineKind::Unreadable, std::move(why)};
}

AscLineResult Frame()
{
    return {AscLineKind::Frame, {}};
}

// "123" or "12345678x": the identifier and its length.
bool ReadIdentifier(std::string_view text, int base, CanLogFrame& frame)
{
    frame.Extended = !text.empty() && (text.back() == 'x' || text.back() == 'X');
    if (frame.Extended) text.remove_suffix(1);
    uint32_t id = 0;
    if (!Number(text, base, id) || id > (frame.Extended ? 0x1FFFFFFFu : 0x7FFu)) return false;
    frame.Id = id;
    return true;
}

bool ReadDataBytes(const Tokens& tokens, size_t first, size_t count, CanLogFrame& frame)
{
    if (first + count > tokens.Count || count > frame.Data.size()) return false;
    for (size_t k = 0; k < count; ++k) {
        uint32_t byte = 0;
        if (tokens[first + k].size() != 2 || !Number(tokens[first + k], 16, byte)) return false;
        frame.Data[k] = static_cast<uint8_t>(byte);
    }
    frame.Length = static_cast<uint8_t>(count);
    return true;
}

// "time 1 123 Rx d 8 11 22 ..." or "time 1 123 Rx r [length]".
AscLineResult ReadClassic(const Tokens& t, int base, CanLogFrame& frame)
{
    if (!ReadIdentifier(t[2], base, frame)) return Unreadable("not an identifier: \"" + std::string(t[2]) + "\"");
    uint32_t code = 0;
    if (t[4] == "r" || t[4] == "R") {
        frame.Kind = CanFrameKind::Remote;
        frame.Length = t.Count > 5 && Number(t[5], 16, code) && code <= 8 ? static_cast<uint8_t>(code) : 0;
        return Frame();
    }
    if (t[4] != "d" && t[4] != "D") return Unreadable("no \"d\" or \"r\" after the direction");
    if (!Number(t[5], 16, code) || t[5].size() != 1) return Unreadable("no length code after \"d\"");
    frame.Kind = CanFrameKind::Data;
    if (!ReadDataBytes(t, 6, code > 8 ? 8 : code, frame)) return Unreadable("fewer data bytes than the length says");
    return Frame();
}

// "time CANFD 1 Rx 123 [name] brs esi dlc length bytes... duration bits flags ...".
AscLineResult ReadFd(const Tokens& t, int base, CanLogFrame& frame)
{
    if (t[4] == "ErrorFrame") {
        frame.Kind = CanFrameKind::Error;
        frame.Id = 0;
        frame.Extended = false;
        frame.Length = 0;
        return Frame();
    }
    if (!IsDirection(t[3])) return Unreadable("no \"Rx\" or \"Tx\" in a CANFD line");
    if (!ReadIdentifier(t[4], base, frame)) return Unreadable("not an identifier: \"" + std::string(t[4]) + "\"");
    for (size_t k : {size_t{5}, size_t{6}}) { // without and with a symbolic name
        uint32_t brs = 0, esi = 0, code = 0, length = 0, flags = 0;
        if (!Number(t[k], 10, brs) || brs > 1 || !Number(t[k + 1], 10, esi) || esi > 1) continue;
        if (t[k + 2].size() != 1 || !Number(t[k + 2], 16, code) || !Number(t[k + 3], 10, length) || length > 64)
            continue;
        const size_t after = k + 4 + length;
        if (!ReadDataBytes(t, k + 4, length, frame) || !Number(t[after + 2], 16, flags)) continue;
        if (flags & 0x1000) frame.Kind = CanFrameKind::Fd; // extended data length
        else if (flags & 0x10) frame.Kind = CanFrameKind::Remote;
        else frame.Kind = length > 8 ? CanFrameKind::Fd : CanFrameKind::Data;
        if (frame.Kind == CanFrameKind::Remote) frame.Length = static_cast<uint8_t>(code > 8 ? 8 : code);
        return Frame();
    }
    return Unreadable("a CANFD line without its lengths, data and flags");
}

bool IsHeader(std::string_view first)
{
    return first == "date" || first == "base" || first == "internal" || first == "no" || first == "Begin" ||
           first == "End" || first.substr(0, 2) == "//";
}

} // namespace

bool LooksLikeAsc(std::string_view line)
{
    const Tokens t = Split(line);
    return t.Count > 0 && (IsHeader(t[0]) || (IsTime(t[0]) && t.Count > 1));
}

AscLineResult ReadAscLine(std::string_view line, int& base, CanLogFrame& frame)
{
    const Tokens t = Split(line);
    if (t.Count == 0) return {AscLineKind::Skipped, {}};
    if (IsHeader(t[0])) {
        if (t[0] == "base") base = t[1] == "dec" ? 10 : 16;
        return {AscLineKind::Skipped, {}};
    }
    if (!ParseLogTime(t[0].data(), t[0].data() + t[0].size(), frame.TimeNs)) return Unreadable("no time at the start");
    frame.Time.assign(t[0]);
    if (t[1] == "CANFD") return ReadFd(t, base, frame);
    if (Digits(t[1]) && t[2] == "ErrorFrame") {
        frame.Kind = CanFrameKind::Error;
        frame.Id = 0;
        frame.Extended = false;
        frame.Length = 0;
        return Frame();
    }
    if (Digits(t[1]) && IsDirection(t[3])) return ReadClassic(t, base, frame);
    return {AscLineKind::Skipped, {}}; // statistics, status and other events
}

} // namespace zz
