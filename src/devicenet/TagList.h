#pragma once
#include "devicenet/ByteMap.h"

#include <string>
#include <string_view>
#include <vector>

inline namespace zz {

// The tag list the PLC programmer imports: one entry per CAN byte on a DeviceNet byte of the
// input or output area (an input byte fed twice, or an output byte feeding several frames, has
// an entry for each), in the order of the areas and their bytes. Mappings beyond an area reach
// no DeviceNet byte and have no entry.
struct TagEntry {
    GatewaySide Direction = GatewaySide::Receive;
    int Byte = 0; // the DeviceNet byte, from 0
    std::string CobId;
    int CanByte = 0; // 1 to 8
    std::string Mnemonic;
    std::string Tag; // a name PLC tools accept, unique in the list
};

inline constexpr size_t kMaxTagLength = 40;

std::vector<TagEntry> TagEntries(const ByteMap& map);

// The entries as CSV (RFC 4180: comma separated, quoted where needed, CR LF line ends) under
// the header "direction,byte,cob_id,can_byte,mnemonic,tag"; direction is IN or OUT.
std::string TagListCsv(const std::vector<TagEntry>& entries);

// True for a name PLC tools accept: a letter, then letters, digits and underscores, at most
// kMaxTagLength characters.
bool IsPlcTagName(std::string_view name);

} // namespace zz
