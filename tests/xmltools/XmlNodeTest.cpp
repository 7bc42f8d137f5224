#include "xmltools/XmlNode.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

TEST(XmlNode, DisplayTextOfEveryKind)
{
    TXMLNode document(TXMLNodeKind::nkDocument, "");
    document.FileName = "data.xml";
    EXPECT_EQ(document.DisplayText(), "File: data.xml");
    EXPECT_EQ(TXMLNode(TXMLNodeKind::nkElement, "row").DisplayText(), "row");
    EXPECT_EQ(TXMLNode(TXMLNodeKind::nkElement, "v", "12").DisplayText(), "v = 12");
    EXPECT_EQ(TXMLNode(TXMLNodeKind::nkAttribute, "id_dev", "5").DisplayText(), "id_dev = 5");
    EXPECT_EQ(TXMLNode(TXMLNodeKind::nkAttribute, "empty", "").DisplayText(), "empty");
    EXPECT_EQ(TXMLNode(TXMLNodeKind::nkProcessingInstruction, "style", "a").DisplayText(),
              "styleProcessingInstruction = a");
    EXPECT_EQ(TXMLNode(TXMLNodeKind::nkXMLDeclaration, "").DisplayText(), "XMLDeclaration");
}

TEST(XmlNode, ChildListOperations)
{
    TXMLNode parent(TXMLNodeKind::nkElement, "p");
    TXMLNode* a = parent.AppendNode(std::make_unique<TXMLNode>(TXMLNodeKind::nkElement, "a"));
    TXMLNode* b = parent.AppendNode(std::make_unique<TXMLNode>(TXMLNodeKind::nkElement, "b"));
    EXPECT_EQ(parent.NodeCount(), 2u);
    EXPECT_EQ(parent.NodeAt(1), b);
    EXPECT_EQ(parent.NodeAt(2), nullptr);
    std::unique_ptr<TXMLNode> taken = parent.RemoveNode(a);
    ASSERT_EQ(taken.get(), a) << "removed, not destroyed";
    EXPECT_EQ(taken->Name, "a");
    EXPECT_EQ(parent.NodeCount(), 1u);
    EXPECT_EQ(parent.NodeAt(0), b);
    EXPECT_EQ(parent.RemoveNode(a), nullptr);
}

TEST(XmlNode, AVeryDeepTreeIsDestroyedWithoutExhaustingTheStack)
{
    auto top = std::make_unique<TXMLNode>(TXMLNodeKind::nkDocument, "");
    TXMLNode* at = top.get();
    for (int i = 0; i < 1000000; ++i) {
        at = at->AppendNode(std::make_unique<TXMLNode>(TXMLNodeKind::nkElement, "e"));
        if (i % 3 == 0) at->AppendNode(std::make_unique<TXMLNode>(TXMLNodeKind::nkAttribute, "a", "1"));
    }
    // Each element's last child is the next element, after its attribute.
    std::size_t depth = 0;
    for (const TXMLNode* node = top.get();
         !node->Children.empty() && node->Children.back()->Kind == TXMLNodeKind::nkElement;
         node = node->Children.back().get())
        ++depth;
    ASSERT_EQ(depth, 1000000u);
    // A recursive destruction would overflow the stack and kill the process; the child must
    // come back normally.
    EXPECT_EXIT(
        {
            top.reset();
            std::exit(top ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
