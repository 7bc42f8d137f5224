#pragma once
#include <string>
#include <string_view>

inline namespace zz {

// The Windows ANSI code page 1252, in which the system writes its text files.
// Texts inside the program are UTF-8.

// UTF-8 to code page 1252; a character the code page lacks becomes '?'.
std::string Utf8ToCp1252(std::string_view utf8);

// Code page 1252 to UTF-8; the five unassigned bytes map to the C1 control characters.
std::string Cp1252ToUtf8(std::string_view bytes);

// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t codePoint);

// The bytes themselves when they are valid UTF-8, else read as code page 1252: how the system's
// older text files, written before it moved to UTF-8, are told apart from newer ones.
std::string Utf8OrCp1252ToUtf8(std::string bytes);

// True when the bytes form valid UTF-8.
bool IsValidUtf8(std::string_view bytes);

// True when every character of the UTF-8 text exists in code page 1252.
bool FitsCp1252(std::string_view utf8);

} // namespace zz
