#include "xmltools/XmlNode.h"

#include <algorithm>

inline namespace zz {

TXMLNode::TXMLNode(TXMLNodeKind kind, std::string name, std::string value)
    : Value(std::move(value)),
      Name(std::move(name)),
      Kind(kind)
{
}

// A crafted tree may be deep; taking the descendants apart one by one keeps destruction off
// the stack however deep the tree is.
TXMLNode::~TXMLNode()
{
    std::vector<std::unique_ptr<TXMLNode>> pending = std::move(Children);
    while (!pending.empty()) {
        std::unique_ptr<TXMLNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->Children) pending.push_back(std::move(child));
        node->Children.clear();
    }
}

TXMLNode* TXMLNode::AppendNode(std::unique_ptr<TXMLNode> node)
{
    Children.push_back(std::move(node));
    return Children.back().get();
}

TXMLNode* TXMLNode::NodeAt(std::size_t index) const
{
    return index < Children.size() ? Children[index].get() : nullptr;
}

std::unique_ptr<TXMLNode> TXMLNode::RemoveNode(const TXMLNode* node)
{
    auto it = std::find_if(Children.begin(), Children.end(), [node](const auto& c) { return c.get() == node; });
    if (it == Children.end()) return nullptr;
    std::unique_ptr<TXMLNode> taken = std::move(*it);
    Children.erase(it);
    return taken;
}

const char* KindName(TXMLNodeKind kind)
{
    switch (kind) {
    case TXMLNodeKind::nkDocument: return "File: ";
    case TXMLNodeKind::nkProcessingInstruction: return "ProcessingInstruction";
    case TXMLNodeKind::nkXMLDeclaration: return "XMLDeclaration";
    case TXMLNodeKind::nkElement:
    case TXMLNodeKind::nkAttribute: break;
    }
    return "";
}

std::string TXMLNode::DisplayText() const
{
    std::string text = Name + KindName(Kind);
    if (Kind == TXMLNodeKind::nkDocument) text += FileName;
    if (!Value.empty()) text += " = " + Value;
    return text;
}

} // namespace zz
