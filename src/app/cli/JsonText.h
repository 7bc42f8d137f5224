#pragma once
#include <nlohmann/json.hpp>

#include <string>

inline namespace zz {

// The one way the command line writes JSON: the library's document and escaping (text that
// is no UTF-8 is replaced), laid out as the forms have always been laid out. Objects and lists
// down to `openLevels` deep hold one member a line, indented `indent` blanks a level; deeper
// ones stay on one line, as in {"value": 5, "text": "250K"}. Empty ones are {} and [].
std::string JsonText(const nlohmann::ordered_json& document, int openLevels, int indent);

} // namespace zz
