#include "app/IniFile.h"

#include "common/AsciiText.h"
#include "common/Cp1252.h"
#include "common/FileSystem.h"
#include "common/TextFile.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

inline namespace zz {

namespace {

// Settings lines are trimmed of spaces and tabs only.
std::string TrimBlanks(std::string_view text)
{
    return std::string(Trim(text, " \t"));
}

// The section name of a "[name]" line.
std::optional<std::string> SectionOf(const std::string& line)
{
    const std::string t = TrimBlanks(line);
    if (t.size() < 2 || t.front() != '[') return std::nullopt;
    const size_t close = t.find(']');
    if (close == std::string::npos) return std::nullopt;
    return TrimBlanks(std::string_view(t).substr(1, close - 1));
}

// The key of a "key=value" line.
std::optional<std::string> KeyOf(const std::string& line)
{
    const size_t equals = line.find('=');
    if (equals == std::string::npos) return std::nullopt;
    return TrimBlanks(std::string_view(line).substr(0, equals));
}

// Older settings files are in the Western code page; ours are too where the name fits it.
std::string DecodeLine(const std::string& bytes)
{
    return Utf8OrCp1252ToUtf8(bytes);
}

std::string EncodeLine(const std::string& utf8)
{
    return FitsCp1252(utf8) ? Utf8ToCp1252(utf8) : utf8;
}

std::vector<std::string> ReadRawLines(const std::string& path)
{
    if (!FileExists(path)) return {};
    try {
        return SplitTextLines(ReadFileBytes(path));
    } catch (...) {
        return {};
    }
}

void SaveLines(const std::string& path, const std::vector<std::string>& rawLines)
{
    std::string out;
    for (const std::string& line : rawLines) out += line + "\r\n";
    WriteFileAtomically(path, out);
}

} // namespace

std::string ReadIniValue(const std::string& path, const std::string& section, const std::string& key)
{
    bool inSection = false;
    for (const std::string& raw : ReadRawLines(path)) {
        const std::string line = DecodeLine(raw);
        if (auto name = SectionOf(line)) {
            inSection = SameIgnoringAsciiCase(*name, section);
        } else if (auto k = KeyOf(line); inSection && k && SameIgnoringAsciiCase(*k, key)) {
            std::string value = TrimBlanks(std::string_view(line).substr(line.find('=') + 1));
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
                value = value.substr(1, value.size() - 2);
            return value;
        }
    }
    return {};
}

void WriteIniValue(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& value)
{
    std::vector<std::string> lines = ReadRawLines(path);
    const std::string entry = EncodeLine(key + "=" + value);

    std::optional<size_t> sectionEnd; // where a new key of the section goes
    bool inSection = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string line = DecodeLine(lines[i]);
        if (auto name = SectionOf(line)) {
            inSection = SameIgnoringAsciiCase(*name, section);
            if (inSection) sectionEnd = i + 1;
        } else if (inSection) {
            if (auto k = KeyOf(line); k && SameIgnoringAsciiCase(*k, key)) {
                lines[i] = entry;
                SaveLines(path, lines);
                return;
            }
            if (!TrimBlanks(line).empty()) sectionEnd = i + 1;
        }
    }
    if (sectionEnd) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*sectionEnd), entry);
    } else {
        lines.push_back(EncodeLine("[" + section + "]"));
        lines.push_back(entry);
    }
    SaveLines(path, lines);
}

} // namespace zz
