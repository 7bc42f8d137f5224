#pragma once
#include "canbus/CanLogFrame.h"

#include <string>
#include <string_view>

inline namespace zz {

// One line of a Vector ASC log: the header ("date", "base hex|dec", "internal events logged",
// comments, "Begin/End Triggerblock"), frame lines "time channel id[x] Rx|Tx d|r length
// bytes...", "time channel ErrorFrame", "time CANFD channel Rx|Tx id[x] [name] brs esi dlc
// length bytes... duration bits flags ...", and event lines (statistics, status, start of
// measurement), which are skipped.
enum class AscLineKind { Frame, Skipped, Unreadable };

struct AscLineResult {
    AscLineKind Kind = AscLineKind::Unreadable;
    std::string Why;
};

// `base` is the identifiers' base the header set (16 unless "base dec"); a "base" line
// changes it. Fills `frame` (Line stays as it is).
AscLineResult ReadAscLine(std::string_view line, int& base, CanLogFrame& frame);

// True when the line could only start an ASC log (its header, or a time and a channel).
bool LooksLikeAsc(std::string_view line);

} // namespace zz
