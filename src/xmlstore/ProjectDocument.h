#pragma once
#include <pugixml.hpp>

#include <string>
#include <string_view>
#include <vector>

inline namespace zz {

// A node of a project document; an empty handle stands for "none".
using XmlNode = pugi::xml_node;

// How a reader finds the root and treats failures.
//  Strict  (the gateway editors and the firmware loader): Root is the first top-level node,
//          so a comment or processing instruction before the root element leaves no rows;
//          every failure ends the load and reaches the application error box.
//  Guarded (the CANopen editors and the string list): Root is the document element; the
//          window catches every failure and shows its own read-error message.
enum class Discipline { Strict, Guarded };

// The document layer through which every window reads and writes its XML document: one root
// element and a flat list of children, either attribute rows or named values. All names and
// values are UTF-8 text. Written files have no XML declaration, are UTF-8, hold one element a
// line with two-blank indentation and CR LF line ends, and are the same bytes for the same
// content. Any well-formed file can be read; an XML declaration is not a node.
class ProjectDocument {
public:
    explicit ProjectDocument(Discipline discipline = Discipline::Strict);

    // Replaces the tree with the parsed file; throws Failure on an unreadable or ill-formed file.
    void LoadFile(const std::string& path);
    // Replaces the tree with the parsed text; `origin` names it in failure messages.
    void LoadText(std::string_view bytes, const std::string& origin);

    // The path or name the tree was loaded from, as failure messages name it.
    const std::string& Origin() const { return origin_; }

    // Strict: the first top-level node. Guarded: the document element. None when empty.
    XmlNode Root() const;
    size_t ChildCount(XmlNode node) const;
    XmlNode ChildAt(XmlNode node, size_t index) const;
    // The first child element of that name, or none.
    XmlNode FindChild(XmlNode node, std::string_view name) const;
    // The attribute's value; throws Failure when the attribute is absent.
    std::string AttributeText(XmlNode node, std::string_view name) const;
    // The text content; throws Failure for none and for content that is more than one text
    // or CDATA node.
    std::string NodeText(XmlNode node) const;

    // Removes every top-level node.
    void Reset();
    // Creates the root element of an empty document; throws Failure on a name XML refuses.
    XmlNode AddRoot(std::string_view name);
    // Appends a child element; throws Failure on a name XML refuses.
    XmlNode AddChild(XmlNode node, std::string_view name);
    void SetAttribute(XmlNode node, std::string_view name, std::string_view text);
    void SetNodeText(XmlNode node, std::string_view text);

    // The bytes a save writes.
    std::string Serialize() const;
    // Writes the whole tree, replacing the file atomically: a failed save leaves the previous
    // file as it was. Throws Failure naming the path and the reason.
    void SaveFile(const std::string& path) const;

private:
    std::string Describe(XmlNode node) const;
    const std::vector<XmlNode>& ChildrenOf(XmlNode node) const;

    Discipline discipline_;
    pugi::xml_document document_;
    std::string origin_;
    mutable std::string lastMissingChild_;
    mutable XmlNode cachedParent_;
    mutable std::vector<XmlNode> cachedChildren_;
};

// True when the text is a valid XML element or attribute name.
bool IsXmlName(std::string_view name);

} // namespace zz
