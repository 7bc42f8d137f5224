#pragma once
#include "xmltools/XmlNode.h"

#include <functional>
#include <string>

inline namespace zz {

// Visits the tree depth first in document order, the node itself first, with its depth
// (0 for the node given). Does not recurse, so any depth is safe.
void WalkTree(const TXMLNode& top, const std::function<void(const TXMLNode&, int depth)>& visit);

// The tree as the XML window shows it: one line per node, each level indented two blanks
// more than its parent, the node's text bytes unchanged, LF line ends.
std::string TreeListing(const TXMLNode& top);

} // namespace zz
