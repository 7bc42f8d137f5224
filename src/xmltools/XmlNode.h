#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

inline namespace zz {

// What a parsed node stands for. The values are part of the window's picture numbers
// (picture = 2 x kind), so they must not change.
enum class TXMLNodeKind : std::uint8_t {
    nkDocument = 0,
    nkElement = 1,
    nkAttribute = 2,
    nkProcessingInstruction = 3,
    nkXMLDeclaration = 4,
};

// One node of a parsed XML text. Texts are the bytes of the input, undecoded.
class TXMLNode {
public:
    TXMLNode() = default;
    TXMLNode(TXMLNodeKind kind, std::string name, std::string value = {});
    virtual ~TXMLNode();
    TXMLNode(const TXMLNode&) = delete;
    TXMLNode& operator=(const TXMLNode&) = delete;

    std::string Value; // attribute value, instruction content or the element's collected text
    std::string Name;  // element, attribute or instruction name
    std::vector<std::unique_ptr<TXMLNode>> Children;
    TXMLNodeKind Kind = TXMLNodeKind::nkDocument;
    std::string FileName; // set by the caller on the document node only

    // Appends the node and returns it.
    TXMLNode* AppendNode(std::unique_ptr<TXMLNode> node);
    std::size_t NodeCount() const { return Children.size(); }
    // The child at index (from 0); null outside the list.
    TXMLNode* NodeAt(std::size_t index) const;
    // Takes the node out of the children without destroying it; null when it is not a child.
    std::unique_ptr<TXMLNode> RemoveNode(const TXMLNode* node);

    // The node's one-line text: the name and the kind's name ("File: " and the file name for
    // the document), then " = " and the value when there is one.
    std::string DisplayText() const;
};

// The name DisplayText puts after a node's name.
const char* KindName(TXMLNodeKind kind);

} // namespace zz
