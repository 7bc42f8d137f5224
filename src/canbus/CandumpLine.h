#pragma once
#include "canbus/CanLogFrame.h"

#include <string>
#include <string_view>

inline namespace zz {

// One line of a candump -l log: "(seconds.micros) interface id#data" with an optional " T" or
// " R" after it; 3 hexadecimal digits for an 11-bit identifier, 8 for a 29-bit one (the error
// flag 0x20000000 marks an error frame); "#R" and an optional length for a remote frame, "##"
// and a flags digit for a CAN FD frame; data bytes as hexadecimal pairs, "." between them
// allowed, and "_" with a length code after 8 of them.
enum class CandumpLineKind { Frame, Dropped, Unreadable };

struct CandumpLineResult {
    CandumpLineKind Kind = CandumpLineKind::Unreadable;
    uint64_t Dropped = 0; // a DROPCOUNT line's frames
    std::string Why;      // when unreadable
};

// `line` without its line end; fills `frame` (Line stays as it is).
CandumpLineResult ReadCandumpLine(std::string_view line, CanLogFrame& frame);

// A candump -l line for a data frame: "(0000000001.000000) can0 181#0102\n".
std::string CandumpLineOf(int64_t timeNs, const std::string& interface, uint32_t id, bool extended, const uint8_t* data,
                          size_t length);

} // namespace zz
