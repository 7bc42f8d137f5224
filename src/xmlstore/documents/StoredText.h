#pragma once
#include "xmlstore/ProjectDocument.h"

#include <optional>
#include <string>
#include <string_view>

inline namespace zz {

// One element's or attribute's text as a document holds it. An absent one has no Text and is
// told apart from an empty one; so is an element whose content is not a single text. Problem
// holds the message a reader that needs the value reports, naming the file and the place.
struct StoredText {
    std::optional<std::string> Text;
    bool Present = false;
    std::string Problem;

    // A text to write.
    static StoredText Of(std::string text);

    // The text; throws Failure with Problem when there is none.
    const std::string& Value() const;

    bool operator==(const StoredText&) const = default;
};

// The text of the first child of that name under `parent`, as ProjectDocument::NodeText reads it.
StoredText ChildText(const ProjectDocument& document, XmlNode parent, std::string_view name);

// The rows of a flat document: every node under the root, in order, whatever its kind.
struct RowReader {
    XmlNode Root;
    std::string Origin; // the path the document was loaded from

    // The attribute of row `index` (counted from 0 among all nodes under the root).
    StoredText Attribute(XmlNode row, size_t index, std::string_view name) const;
};

// Appends an element holding the text, when the text is present.
void AddChildText(ProjectDocument& document, XmlNode parent, std::string_view name, const StoredText& text);
// Sets the attribute, when the text is present.
void SetAttributeText(ProjectDocument& document, XmlNode node, std::string_view name, const StoredText& text);

} // namespace zz
