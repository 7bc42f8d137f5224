#pragma once
#include <map>
#include <string>
#include <vector>

inline namespace zz {

// A reader of the EDS grammar, written apart from the writer so that the tests read the file
// as a configuration tool would: "$" comments to the line end outside strings, [sections],
// "Key = field, field, ...;" entries over any number of lines, empty fields, quoted strings
// with adjacent strings joined. Throws std::runtime_error at the first thing out of grammar.
struct EdsField {
    std::string Text;
    bool Quoted = false;
};
using EdsEntry = std::vector<EdsField>;
using EdsSection = std::map<std::string, EdsEntry>;
using EdsDocument = std::map<std::string, EdsSection>;

EdsDocument ReadEds(const std::string& text);

// The one field of an entry; throws std::runtime_error when it is missing or has several.
std::string EdsValue(const EdsDocument& eds, const std::string& section, const std::string& key);

} // namespace zz
