#pragma once
#include <string>
#include <string_view>
#include <vector>

inline namespace zz {

// Text files as the system writes them: code page 1252, every line (the last one included)
// ended by CR LF.

// The lines, converted from UTF-8 to code page 1252, each followed by CR LF.
std::string EncodeTextLines(const std::vector<std::string>& utf8Lines);

// Splits text at LF; a CR before the LF is dropped. A final line without LF counts when it
// is not empty.
std::vector<std::string> SplitTextLines(std::string_view text);

} // namespace zz
