#pragma once
#include <string>
#include <string_view>

inline namespace zz {

// True when the text is a rich-text (RTF) document.
bool IsRtf(std::string_view text);

// The RTF document as HTML for a rich text box: its paragraphs (one per \par, the text after
// the last one included) with their spacing before and after and their alignment, and the
// characters with bold, italic, underline and font size. Fonts, colours, pictures and the
// other destinations are left out.
std::string RtfToHtml(std::string_view rtf);

} // namespace zz
