#include "app/RtfText.h"

#include "common/Cp1252.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <set>
#include <vector>

inline namespace zz {

namespace {

// Groups whose content is not text.
const std::set<std::string, std::less<>> kSkippedDestinations = {
    "fonttbl",      "colortbl",          "stylesheet", "info",      "pict",     "header",    "footer",
    "listtable",    "listoverridetable", "rsidtbl",    "generator", "xmlnstbl", "themedata", "colorschememapping",
    "latentstyles", "datastore",         "object",     "fldinst",   "filetbl",  "revtbl",    "pgdsctbl",
};

void AppendCodePoint(std::string& out, long cp)
{
    if (cp < 0) cp += 65536; // RTF writes code points above 32767 as negative numbers
    AppendUtf8(out, static_cast<char32_t>(cp));
}

} // namespace

bool IsRtf(std::string_view text)
{
    return text.substr(0, 5) == "{\\rtf";
}

namespace {

struct CharacterFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24; // \fs: the font size in half points
    bool operator==(const CharacterFormat&) const = default;
};

struct ParagraphFormat {
    int spaceBefore = 0; // \sb, \sa: twips
    int spaceAfter = 0;
    char align = 'l'; // \ql, \qc, \qr, \qj
};

// The state a group opens with and gives back when it closes.
struct GroupState {
    bool skipping = false;
    CharacterFormat character;
    ParagraphFormat paragraph;
};

void AppendEscaped(std::string& out, const std::string& text)
{
    for (char c : text) {
        switch (c) {
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '&': out += "&amp;"; break;
        case '"': out += "&quot;"; break;
        case '\n': out += "<br />"; break;
        default: out += c;
        }
    }
}

// Builds the HTML paragraph by paragraph; a run of characters of one format becomes a span.
class HtmlWriter {
public:
    void Text(const std::string& text, const CharacterFormat& format)
    {
        if (text.empty()) return;
        if (!runOpen_ || !(format == runFormat_)) {
            CloseRun();
            body_ += "<span style=\"";
            if (format.bold) body_ += "font-weight:700; ";
            if (format.italic) body_ += "font-style:italic; ";
            if (format.underline) body_ += "text-decoration:underline; ";
            body_ +=
                "font-size:" + std::to_string(format.halfPoints / 2) + (format.halfPoints % 2 ? ".5" : "") + "pt;\">";
            runOpen_ = true;
            runFormat_ = format;
        }
        AppendEscaped(body_, text);
        empty_ = false;
    }

    // Ends the paragraph with the format it has at its end, as RTF readers do.
    void EndParagraph(const ParagraphFormat& format)
    {
        CloseRun();
        html_ += "<p style=\"margin-top:" + std::to_string(format.spaceBefore / 15) +
                 "px; margin-bottom:" + std::to_string(format.spaceAfter / 15) +
                 "px; margin-left:0px; margin-right:0px; white-space:pre-wrap;";
        if (format.align == 'c') html_ += " text-align:center;";
        else if (format.align == 'r') html_ += " text-align:right;";
        else if (format.align == 'j') html_ += " text-align:justify;";
        if (empty_) html_ += " -qt-paragraph-type:empty;\"><br />";
        else html_ += "\">" + body_;
        html_ += "</p>\n";
        body_.clear();
        empty_ = true;
    }

    std::string Finish(const ParagraphFormat& format)
    {
        EndParagraph(format);
        return "<html><body>\n" + html_ + "</body></html>\n";
    }

private:
    void CloseRun()
    {
        if (runOpen_) body_ += "</span>";
        runOpen_ = false;
    }

    std::string html_;
    std::string body_;
    bool empty_ = true;
    bool runOpen_ = false;
    CharacterFormat runFormat_;
};

// Sizes out of all proportion (a damaged file) are kept within what a page can show.
constexpr int kMaxSpace = 14400; // twips: ten inches

int NumberOr(const std::string& number, int fallback)
{
    if (number.empty()) return fallback;
    const long value = std::strtol(number.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp(value, -1000000L, 1000000L));
}

} // namespace

std::string RtfToHtml(std::string_view rtf)
{
    HtmlWriter html;
    std::vector<GroupState> groups{GroupState{}};
    int skipAfterUnicode = 0;
    size_t i = 0;
    const auto state = [&]() -> GroupState& { return groups.back(); };
    const auto emit = [&](const std::string& text) {
        if (skipAfterUnicode > 0) {
            --skipAfterUnicode;
            return;
        }
        if (!state().skipping) html.Text(text, state().character);
    };

    while (i < rtf.size()) {
        const char c = rtf[i];
        if (c == '{') {
            groups.push_back(state());
            ++i;
        } else if (c == '}') {
            if (groups.size() > 1) groups.pop_back();
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
                state().skipping = true;
                i += 2;
            } else if (std::isalpha(static_cast<unsigned char>(next))) {
                size_t j = i + 1;
                while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j]))) ++j;
                const std::string word(rtf.substr(i + 1, j - i - 1));
                size_t k = j;
                if (k < rtf.size() && (rtf[k] == '-' || std::isdigit(static_cast<unsigned char>(rtf[k])))) ++k;
                while (k < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[k]))) ++k;
                const std::string number(rtf.substr(j, k - j));
                if (k < rtf.size() && rtf[k] == ' ') ++k;
                i = k;
                CharacterFormat& character = state().character;
                ParagraphFormat& paragraph = state().paragraph;
                const bool on = NumberOr(number, 1) != 0; // \b and \b1 switch on, \b0 off
                if (kSkippedDestinations.count(word)) state().skipping = true;
                else if (state().skipping) continue;
                else if (word == "par" || word == "sect" || word == "page") html.EndParagraph(paragraph);
                else if (word == "line") emit("\n");
                else if (word == "tab") emit("\t");
                else if (word == "b") character.bold = on;
                else if (word == "i") character.italic = on;
                else if (word == "ul") character.underline = on;
                else if (word == "ulnone") character.underline = false;
                else if (word == "fs") character.halfPoints = std::clamp(NumberOr(number, 24), 2, 1000);
                else if (word == "plain") character = CharacterFormat{};
                else if (word == "pard") paragraph = ParagraphFormat{};
                else if (word == "sb") paragraph.spaceBefore = std::clamp(NumberOr(number, 0), 0, kMaxSpace);
                else if (word == "sa") paragraph.spaceAfter = std::clamp(NumberOr(number, 0), 0, kMaxSpace);
                else if (word == "ql" || word == "qc" || word == "qr" || word == "qj") paragraph.align = word[1];
                else if (word == "u" && !number.empty()) {
                    std::string cp;
                    AppendCodePoint(cp, std::strtol(number.c_str(), nullptr, 10));
                    emit(cp);
                    skipAfterUnicode = 1;
                } else if (word == "emdash") emit("\xE2\x80\x94");
                else if (word == "endash") emit("\xE2\x80\x93");
                else if (word == "bullet") emit("\xE2\x80\xA2");
            } else {
                i += 2;
                if (next == '~') emit("\xC2\xA0");
            }
        } else if (c == '\r' || c == '\n') {
            ++i;
        } else {
            emit(Cp1252ToUtf8(std::string(1, c)));
            ++i;
        }
    }
    return html.Finish(state().paragraph);
}

} // namespace zz
