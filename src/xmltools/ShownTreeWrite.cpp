#include "xmltools/ShownTreeWrite.h"

#include "common/AsciiText.h"

#include <vector>

inline namespace zz {

namespace {

std::string TrimBlanks(std::string_view text)
{
    return std::string(Trim(text, " "));
}

XmlNode AddElement(ProjectDocument& document, XmlNode parent, const std::string& text, bool root)
{
    auto [name, content] = SplitShownText(text);
    XmlNode element = root ? document.AddRoot(name) : document.AddChild(parent, name);
    if (content) document.SetNodeText(element, *content);
    return element;
}

} // namespace

std::pair<std::string, std::optional<std::string>> SplitShownText(const std::string& text)
{
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos) return {text, std::nullopt};
    return {TrimBlanks(text.substr(0, equals)), TrimBlanks(text.substr(equals + 1))};
}

std::string WrittenFileName(const std::string& topText)
{
    const std::size_t colon = topText.find(':');
    return colon == std::string::npos ? topText : TrimBlanks(topText.substr(colon + 1));
}

bool BuildDocumentFromShownTree(ProjectDocument& document, const ShownNode& top)
{
    document.Reset();
    // A declaration or instruction before the root element must not become the root: the
    // first element node under the top node is the document element.
    const ShownNode* rootNode = nullptr;
    for (const ShownNode& child : top.Children) {
        if (child.Image == kImageElement) {
            rootNode = &child;
            break;
        }
    }
    if (!rootNode) return false;
    // The root's text is split like every other element's, so an element holding text can
    // be the document element too.
    struct Pending {
        const ShownNode* shown;
        XmlNode element;
    };
    std::vector<Pending> pending{{rootNode, AddElement(document, XmlNode(), rootNode->Text, true)}};
    while (!pending.empty()) {
        const Pending at = pending.back();
        pending.pop_back();
        std::vector<Pending> below;
        for (const ShownNode& child : at.shown->Children) {
            if (child.Image == kImageElement) {
                below.push_back({&child, AddElement(document, at.element, child.Text, false)});
            } else if (child.Image == kImageAttribute) {
                auto [name, value] = SplitShownText(child.Text);
                document.SetAttribute(at.element, name, value.value_or(std::string()));
            }
        }
        // Children are filled after their parent's own children exist, in any order: each
        // element is already placed.
        for (auto it = below.rbegin(); it != below.rend(); ++it) pending.push_back(*it);
    }
    return true;
}

} // namespace zz
