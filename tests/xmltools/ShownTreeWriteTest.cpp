#include "xmltools/ShownTreeWrite.h"

#include <gtest/gtest.h>

namespace {

ShownNode Element(std::string text, std::vector<ShownNode> children = {})
{
    return {std::move(text), kImageElement, std::move(children)};
}
ShownNode Attribute(std::string text)
{
    return {std::move(text), kImageAttribute, {}};
}

TEST(ShownTreeWrite, SplitsAtTheFirstEqualsSignAndTrimsBlanksOnly)
{
    using Split = std::pair<std::string, std::optional<std::string>>;
    EXPECT_EQ(SplitShownText("a = b = c"), Split("a", "b = c"));
    EXPECT_EQ(SplitShownText("  name  =  value  "), Split("name", "value"));
    EXPECT_EQ(SplitShownText("name =\tv\t"), Split("name", "\tv\t"));
    EXPECT_EQ(SplitShownText("name ="), Split("name", ""));
    EXPECT_EQ(SplitShownText("row"), Split("row", std::nullopt));
}

TEST(ShownTreeWrite, TheFileNameFollowsTheFirstColon)
{
    EXPECT_EQ(WrittenFileName("File: emcydef.xml"), "emcydef.xml");
    EXPECT_EQ(WrittenFileName("File:  copy.xml  "), "copy.xml");
    EXPECT_EQ(WrittenFileName("File: a:b.xml"), "a:b.xml");
    EXPECT_EQ(WrittenFileName("plain.xml"), "plain.xml");
}

TEST(ShownTreeWrite, WritesElementsAndAttributesToAnyDepth)
{
    ShownNode top{"File: t.xml",
                  kImageDocument,
                  {Element("root", {Attribute("id = 7"),
                                    Attribute("flag"),
                                    {"pProcessingInstruction = x", kImageInstruction, {}},
                                    Element("a = b = c", {Element("deep", {Element("deeper = 1")})}),
                                    Element("row", {Attribute("bypass_set = 33")})})}};
    ProjectDocument document(Discipline::Guarded);
    ASSERT_TRUE(BuildDocumentFromShownTree(document, top));
    EXPECT_EQ(document.Serialize(), "<root id=\"7\" flag=\"\">\r\n"
                                    "  <a>b = c<deep><deeper>1</deeper></deep></a>\r\n"
                                    "  <row bypass_set=\"33\"/>\r\n"
                                    "</root>\r\n");
}

TEST(ShownTreeWrite, TheDocumentElementIsTheFirstElementUnderTheTop)
{
    ShownNode top{"File: t.xml",
                  kImageDocument,
                  {{"XMLDeclaration", kImageDeclaration, {Attribute("version = 1.0")}},
                   {"styleProcessingInstruction = a", kImageInstruction, {}},
                   Element("r = text", {Attribute("k = v")})}};
    ProjectDocument document(Discipline::Guarded);
    ASSERT_TRUE(BuildDocumentFromShownTree(document, top));
    EXPECT_EQ(document.Serialize(), "<r k=\"v\">text</r>\r\n");

    ShownNode noElement{"File: t.xml", kImageDocument, {{"XMLDeclaration", kImageDeclaration, {}}}};
    EXPECT_FALSE(BuildDocumentFromShownTree(document, noElement));
    EXPECT_EQ(document.Serialize(), "");
}

TEST(ShownTreeWrite, ANameTheDocumentRefusesEndsTheBuild)
{
    ShownNode top{"File: t.xml", kImageDocument, {Element("root", {Element("1bad")})}};
    ProjectDocument document(Discipline::Guarded);
    EXPECT_ANY_THROW(BuildDocumentFromShownTree(document, top));
}

} // namespace
