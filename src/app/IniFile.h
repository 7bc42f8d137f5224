#pragma once
#include <string>

inline namespace zz {

// The settings file, read and written as a plain INI file with raw values: a write changes
// only the one key and keeps every other line of the file as it was. Section and key names
// compare without regard to letter case, as the desktop's INI functions do.

// The value, or empty when the file, the section or the key is absent.
std::string ReadIniValue(const std::string& path, const std::string& section, const std::string& key);

// Sets the value, adding the key (and the section) when absent and creating the file when
// needed. Throws Failure when the file cannot be written.
void WriteIniValue(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& value);

} // namespace zz
