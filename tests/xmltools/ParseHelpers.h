#pragma once
#include "xmltools/XmlReader.h"
#include "xmltools/XmlTreeListing.h"

#include <string>

inline namespace zz {

// The tree of a parsed text as the window lists it, the top line without a file name; or
// "error: " and the parser's message.
inline std::string Tree(const std::string& text)
{
    try {
        return TreeListing(*ParseXmlText(text));
    } catch (const TXMLError& e) {
        return std::string("error: ") + e.what();
    }
}

// The parser's message for a text it refuses; empty when it accepts the text.
inline std::string ErrorOf(const std::string& text)
{
    try {
        ParseXmlText(text);
        return {};
    } catch (const TXMLError& e) {
        return e.what();
    }
}

// The value of the root element.
inline std::string RootValue(const std::string& text)
{
    auto document = ParseXmlText(text);
    for (const auto& child : document->Children)
        if (child->Kind == TXMLNodeKind::nkElement) return child->Value;
    return "<no element>";
}

} // namespace zz
