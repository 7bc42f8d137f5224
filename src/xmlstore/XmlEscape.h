#pragma once
#include <string>
#include <string_view>

inline namespace zz {

// Appends text as XML 1.0 holds it: &, < and > escaped, in an attribute also the quote and
// the line ends and tabs as character references (so they read back as they were); other
// control characters, which XML 1.0 cannot hold, are left out.
void AppendXmlEscaped(std::string& out, std::string_view text, bool attribute);

} // namespace zz
