#pragma once
#include <string>
#include <string_view>

// True when the text is a rich-text (RTF) document.
bool IsRtf(std::string_view text);

// The plain text of an RTF document (UTF-8): its characters and paragraphs, without fonts,
// colours, pictures or other destinations. Enough to show a help file that was written as
// rich text.
std::string RtfToPlainText(std::string_view rtf);
