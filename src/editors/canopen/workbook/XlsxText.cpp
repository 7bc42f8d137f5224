#include "editors/canopen/workbook/XlsxText.h"

#include "editors/canopen/workbook/BiffStream.h"

#include <cstring>

inline namespace zz {

namespace {

bool IsHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsWhiteSpace(std::string_view text)
{
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

} // namespace

std::string_view LocalName(std::string_view name)
{
    const size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

const char* FindAttribute(const char** attributes, std::string_view localName)
{
    for (const char** a = attributes; *a; a += 2)
        if (LocalName(a[0]) == localName) return a[1];
    return nullptr;
}

std::string DecodeEscapes(const std::string& text)
{
    if (text.find("_x") == std::string::npos) return text;
    std::string out;
    std::u16string units;
    for (size_t i = 0; i < text.size();) {
        if (text.compare(i, 2, "_x") == 0 && i + 7 <= text.size() && text[i + 6] == '_' && IsHex(text[i + 2]) &&
            IsHex(text[i + 3]) && IsHex(text[i + 4]) && IsHex(text[i + 5])) {
            units += static_cast<char16_t>(std::stoul(text.substr(i + 2, 4), nullptr, 16));
            i += 7;
            continue;
        }
        out += Utf16ToUtf8(units);
        units.clear();
        out += text[i++];
    }
    return out + Utf16ToUtf8(units);
}

void FirstTextNode::Begin()
{
    value_.clear();
    run_.clear();
    found_ = hasChild_ = inCdata_ = false;
}

void FirstTextNode::Text(std::string_view text)
{
    if (!found_) run_.append(text);
}

// A run of white space is kept only when the element's end follows it and nothing came before.
void FirstTextNode::EndRun(bool atEnd)
{
    if (run_.empty()) return;
    if (!IsWhiteSpace(run_) || (atEnd && !hasChild_)) {
        if (!found_) value_ = std::move(run_);
        found_ = hasChild_ = true;
    }
    run_.clear();
}

void FirstTextNode::Child()
{
    EndRun(false);
    hasChild_ = true;
}

void FirstTextNode::Markup(XmlPass::Mark mark)
{
    switch (mark) {
    case XmlPass::Mark::CdataStart:
        EndRun(false);
        inCdata_ = true;
        break;
    case XmlPass::Mark::CdataEnd:
        // A CDATA section is a node of its own, empty or white as it may be.
        inCdata_ = false;
        if (!found_) value_ = std::move(run_);
        found_ = hasChild_ = true;
        run_.clear();
        break;
    case XmlPass::Mark::Other: EndRun(false); break;
    }
}

std::string FirstTextNode::Take()
{
    EndRun(true);
    return std::move(value_);
}

void StringItem::Begin()
{
    text_.clear();
    textDepth_ = 0;
    inRun_ = runHasText_ = false;
}

void StringItem::Start(size_t depth, std::string_view localName)
{
    if (textDepth_) {
        if (depth == textDepth_ + 1) node_.Child();
        return;
    }
    if (depth == 1) {
        inRun_ = localName == "r";
        runHasText_ = false;
        if (localName == "t") textDepth_ = 1;
    } else if (depth == 2 && inRun_ && !runHasText_ && localName == "t") {
        // Only a run's first <t> counts.
        runHasText_ = true;
        textDepth_ = 2;
    }
    if (textDepth_) node_.Begin();
}

void StringItem::End(size_t depth)
{
    if (textDepth_ == depth) {
        text_ += node_.Take();
        textDepth_ = 0;
    }
    if (depth == 1) inRun_ = false;
}

void StringItem::Text(size_t depth, std::string_view text)
{
    if (textDepth_ && depth == textDepth_) node_.Text(text);
}

void StringItem::Markup(size_t depth, XmlPass::Mark mark)
{
    if (textDepth_ && depth == textDepth_) node_.Markup(mark);
}

std::string StringItem::Take()
{
    return DecodeEscapes(text_);
}

} // namespace zz
