#pragma once
#include "devicenet/ByteMap.h"

#include <iosfwd>
#include <string>

inline namespace zz {

// The byte map as JSON: for each area its size, one object per DeviceNet byte with the CAN
// bytes that feed it (input) or that it feeds (output), the mappings beyond the area, and the
// frames.
std::string ByteMapJson(const ByteMap& map);
// The same text written to `to` as it is made, for maps too large to hold as one text.
void WriteByteMapJson(const ByteMap& map, std::ostream& to);
// One line per DeviceNet byte: area, byte, COB ID, CAN byte, mnemonic; several CAN bytes on
// one DeviceNet byte are listed on its line, separated by "; ".
std::string ByteMapText(const ByteMap& map);

} // namespace zz
