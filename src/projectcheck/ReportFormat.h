#pragma once
#include "projectcheck/ByteMap.h"
#include "projectcheck/Finding.h"

#include <string>
#include <vector>

inline namespace zz {

// The findings as a JSON list of objects with the keys severity, rule, document, row (null
// when not about a row), field and message.
std::string FindingsJson(const std::vector<Finding>& findings);
// One line a finding: "error   Receive_Info.xml row 3 B2: message", then a summary line.
std::string FindingsText(const std::vector<Finding>& findings);

// The byte map as JSON: for each area its size, one object per DeviceNet byte with the CAN
// bytes that feed it (input) or that it feeds (output), the mappings beyond the area, and the
// frames.
std::string ByteMapJson(const ByteMap& map);
// One line per DeviceNet byte: area, byte, COB ID, CAN byte, mnemonic; several CAN bytes on
// one DeviceNet byte are listed on its line, separated by "; ".
std::string ByteMapText(const ByteMap& map);

} // namespace zz
