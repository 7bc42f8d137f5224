#include "app/RtfText.h"

#include "common/Cp1252.h"

#include <cctype>
#include <set>
#include <vector>

namespace {

// Groups whose content is not text.
const std::set<std::string, std::less<>> kSkippedDestinations = {
    "fonttbl", "colortbl", "stylesheet", "info", "pict", "header", "footer", "listtable",
    "listoverridetable", "rsidtbl", "generator", "xmlnstbl", "themedata", "colorschememapping",
    "latentstyles", "datastore", "object", "fldinst", "filetbl", "revtbl", "pgdsctbl",
};

void AppendCodePoint(std::string& out, long cp)
{
    if (cp < 0) cp += 65536; // RTF writes code points above 32767 as negative numbers
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

bool IsRtf(std::string_view text)
{
    return text.substr(0, 5) == "{\\rtf";
}

std::string RtfToPlainText(std::string_view rtf)
{
    std::string out;
    std::vector<bool> skipping{false}; // one entry per open group
    int skipAfterUnicode = 0;          // characters that stand in for the last \u value
    size_t i = 0;
    const auto skip = [&] { return skipping.back(); };
    const auto emit = [&](const std::string& text) {
        if (skipAfterUnicode > 0) {
            --skipAfterUnicode;
            return;
        }
        if (!skip()) out += text;
    };

    while (i < rtf.size()) {
        const char c = rtf[i];
        if (c == '{') {
            skipping.push_back(skip());
            ++i;
        } else if (c == '}') {
            if (skipping.size() > 1) skipping.pop_back();
            ++i;
        } else if (c == '\\' && i + 1 < rtf.size()) {
            const char next = rtf[i + 1];
            if (next == '\\' || next == '{' || next == '}') {
                emit(std::string(1, next));
                i += 2;
            } else if (next == '\'' && i + 3 < rtf.size()) {
                const std::string hex(rtf.substr(i + 2, 2));
                char* end = nullptr;
                const long byte = std::strtol(hex.c_str(), &end, 16);
                if (end == hex.c_str() + 2) emit(Cp1252ToUtf8(std::string(1, static_cast<char>(byte))));
                i += 4;
            } else if (next == '*') {
                skipping.back() = true; // an optional destination we do not know
                i += 2;
            } else if (std::isalpha(static_cast<unsigned char>(next))) {
                size_t j = i + 1;
                while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j]))) ++j;
                const std::string word(rtf.substr(i + 1, j - i - 1));
                size_t k = j;
                if (k < rtf.size() && (rtf[k] == '-' || std::isdigit(static_cast<unsigned char>(rtf[k])))) ++k;
                while (k < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[k]))) ++k;
                const std::string number(rtf.substr(j, k - j));
                if (k < rtf.size() && rtf[k] == ' ') ++k; // the delimiter belongs to the word
                i = k;
                if (kSkippedDestinations.count(word)) skipping.back() = true;
                else if (word == "par" || word == "line" || word == "sect" || word == "page") emit("\n");
                else if (word == "tab") emit("\t");
                else if (word == "u" && !number.empty()) {
                    if (!skip()) AppendCodePoint(out, std::strtol(number.c_str(), nullptr, 10));
                    skipAfterUnicode = 1;
                } else if (word == "emdash") emit("\xE2\x80\x94");
                else if (word == "endash") emit("\xE2\x80\x93");
                else if (word == "bullet") emit("\xE2\x80\xA2");
            } else {
                i += 2; // a control symbol such as \~ or \-
                if (next == '~') emit(" ");
            }
        } else if (c == '\r' || c == '\n') {
            ++i; // line breaks of the RTF text itself are not text
        } else {
            emit(Cp1252ToUtf8(std::string(1, c)));
            ++i;
        }
    }
    return out;
}
