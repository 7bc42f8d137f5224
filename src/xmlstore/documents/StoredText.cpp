#include "xmlstore/documents/StoredText.h"

#include "common/Failure.h"

inline namespace zz {

StoredText StoredText::Of(std::string text)
{
    StoredText stored;
    stored.Text = std::move(text);
    stored.Present = true;
    return stored;
}

const std::string& StoredText::Value() const
{
    if (!Text) throw Failure(Problem);
    return *Text;
}

StoredText ChildText(const ProjectDocument& document, XmlNode parent, std::string_view name)
{
    StoredText stored;
    const XmlNode node = document.FindChild(parent, name);
    stored.Present = static_cast<bool>(node);
    try {
        stored.Text = document.NodeText(node);
    } catch (const Failure& failure) {
        stored.Problem = failure.what();
    }
    return stored;
}

StoredText RowReader::Attribute(XmlNode row, size_t index, std::string_view name) const
{
    StoredText stored;
    const std::string wanted(name);
    if (const pugi::xml_attribute attribute = row.attribute(wanted.c_str())) {
        stored.Text = attribute.value();
        stored.Present = true;
        return stored;
    }
    // The document layer's message for a missing attribute, built from the row's position
    // rather than by walking its siblings, so that files of many rows stay quick to read.
    std::string where = row.type() == pugi::node_element ? "element \"" + std::string(row.name()) + "\"" : "a node";
    if (const XmlNode parent = row.parent(); parent && parent.type() == pugi::node_element)
        where += " number " + std::to_string(index + 1) + " under \"" + parent.name() + "\"";
    stored.Problem = "Attribute \"" + wanted + "\" not found in " + where + " of '" + Origin + "'";
    return stored;
}

void AddChildText(ProjectDocument& document, XmlNode parent, std::string_view name, const StoredText& text)
{
    if (text.Text) document.SetNodeText(document.AddChild(parent, name), *text.Text);
}

void SetAttributeText(ProjectDocument& document, XmlNode node, std::string_view name, const StoredText& text)
{
    if (text.Text) document.SetAttribute(node, name, *text.Text);
}

} // namespace zz
