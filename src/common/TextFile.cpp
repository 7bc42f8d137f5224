#include "common/TextFile.h"

#include "common/Cp1252.h"

inline namespace zz {

std::string EncodeTextLines(const std::vector<std::string>& utf8Lines)
{
    std::string out;
    for (const std::string& line : utf8Lines) {
        out += Utf8ToCp1252(line);
        out += "\r\n";
    }
    return out;
}

std::vector<std::string> SplitTextLines(std::string_view text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const bool last = end == std::string_view::npos;
        if (last) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        start = last ? text.size() : end + 1;
    }
    return lines;
}

} // namespace zz
