#pragma once
#include "xmlstore/ProjectDocument.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

inline namespace zz {

// A node of the tree the XML window shows: its text and its picture number, which says what
// it stands for (see kImage*).
struct ShownNode {
    std::string Text;
    int Image = 0;
    std::vector<ShownNode> Children;
};

inline constexpr int kImageDocument = 0;
inline constexpr int kImageElement = 2;
inline constexpr int kImageAttribute = 4;
inline constexpr int kImageInstruction = 6;
inline constexpr int kImageDeclaration = 8;

// A shown text split at its first "=" into name and text, both without leading and trailing
// blanks; no text when there is no "=".
std::pair<std::string, std::optional<std::string>> SplitShownText(const std::string& text);

// The name of the written file: the top node's text after its first ":", without leading and
// trailing blanks (the whole text when it has no ":").
std::string WrittenFileName(const std::string& topText);

// Rebuilds the document from the shown tree below its top node: the first element node under
// the top node becomes the document element, and below it every element and attribute node,
// to any depth; instructions and declarations are left out. Returns false, leaving the
// document empty, when there is no element to write. Throws Failure on a name the document
// refuses.
bool BuildDocumentFromShownTree(ProjectDocument& document, const ShownNode& top);

} // namespace zz
