#include "xmltools/XmlTreeListing.h"

#include <utility>
#include <vector>

inline namespace zz {

void WalkTree(const TXMLNode& top, const std::function<void(const TXMLNode&, int depth)>& visit)
{
    std::vector<std::pair<const TXMLNode*, int>> pending{{&top, 0}};
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        visit(*node, depth);
        for (auto it = node->Children.rbegin(); it != node->Children.rend(); ++it)
            pending.emplace_back(it->get(), depth + 1);
    }
}

std::string TreeListing(const TXMLNode& top)
{
    std::string out;
    WalkTree(top, [&out](const TXMLNode& node, int depth) {
        out.append(static_cast<std::size_t>(depth) * 2, ' ');
        out += node.DisplayText();
        out += '\n';
    });
    return out;
}

} // namespace zz
