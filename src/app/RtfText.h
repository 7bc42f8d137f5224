#pragma once
#include <string>
#include <string_view>

// True when the text is a rich-text (RTF) document.
bool IsRtf(std::string_view text);

// The plain text of an RTF document (UTF-8): its characters and paragraphs, without fonts,
// colours, pictures or other destinations. Enough to show a help file that was written as
// rich text.
std::string RtfToPlainText(std::string_view rtf);

// The RTF document as HTML for a rich text box: its paragraphs (one per \par, the text after
// the last one included) with their spacing before and after and their alignment, and the
// characters with bold, italic, underline and font size. Fonts, colours, pictures and the
// other destinations are left out.
std::string RtfToHtml(std::string_view rtf);
