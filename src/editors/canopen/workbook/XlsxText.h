#pragma once
#include "editors/canopen/workbook/XmlPass.h"

#include <string>
#include <string_view>

inline namespace zz {

// The texts of Open XML parts as a document tree gives them, read from the events of one pass.

// Element and attribute names without their namespace prefix ("x:row" is "row").
std::string_view LocalName(std::string_view name);

// An attribute by local name ("r:id" under whatever prefix); null when there is none.
const char* FindAttribute(const char** attributes, std::string_view localName);

// Spreadsheet texts escape characters XML cannot hold as "_xHHHH_" (a line break is
// "_x000D_", a literal "_x" is "_x005F_x").
std::string DecodeEscapes(const std::string& text);

// The first text node directly in an element, as a document tree gives it: a run of character
// data between two pieces of markup, or a CDATA section. A run of white space only is no node,
// unless it is all the element holds.
class FirstTextNode {
public:
    void Begin();
    void Text(std::string_view text);
    // A child element starts directly in the element.
    void Child();
    void Markup(XmlPass::Mark mark);
    // At the element's end: the node's text, empty when it has none.
    std::string Take();

private:
    void EndRun(bool atEnd);

    std::string value_, run_;
    bool found_ = false, hasChild_ = false, inCdata_ = false;
};

// The text of a string item (<si> of the shared strings, <is> of a cell): plain <t>, or the
// <t> of each rich-text run; phonetic runs are not part of the text. Given the events below
// the item, `depth` counting from 1 for its children.
class StringItem {
public:
    void Begin();
    // An element at that depth starts or ends.
    void Start(size_t depth, std::string_view localName);
    void End(size_t depth);
    // Text or markup inside the element at that depth.
    void Text(size_t depth, std::string_view text);
    void Markup(size_t depth, XmlPass::Mark mark);
    // At the item's end.
    std::string Take();

private:
    FirstTextNode node_;
    std::string text_;
    size_t textDepth_ = 0; // of the <t> being read; 0 when none
    bool inRun_ = false, runHasText_ = false;
};

} // namespace zz
