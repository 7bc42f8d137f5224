#pragma once
#include "projectcheck/Finding.h"

#include <string>
#include <vector>

inline namespace zz {

// The findings as a JSON list of objects with the keys severity, rule, document, row (null
// when not about a row), field and message.
std::string FindingsJson(const std::vector<Finding>& findings);
// One line a finding: "error   Receive_Info.xml row 3 B2: message", then a summary line.
std::string FindingsText(const std::vector<Finding>& findings);

} // namespace zz
