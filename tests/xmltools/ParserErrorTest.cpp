// Every refusal of the parser with its message.
#include "ParseHelpers.h"
#include "xmltools/XmlMessages.h"

#include <gtest/gtest.h>

namespace {

TEST(ParserErrors, EndOfDataWhereverTheReaderMustAdvance)
{
    for (const char* text :
         {"", "<", "<a", "<a>", "<a x", "<a x=", "<a x='1", "<a x='1'", "<a/", "<a>t</a", "<a>t</", "<a>&#65"})
        EXPECT_EQ(ErrorOf(text), "Unexpected end of data") << '"' << text << '"';
}

TEST(ParserErrors, NoRootElement)
{
    EXPECT_EQ(ErrorOf("\xEF\xBB\xBF<r/>"), "Missing element") << "a byte order mark is not skipped";
    EXPECT_EQ(ErrorOf("text"), "Missing element");
    EXPECT_EQ(ErrorOf("<?xml version='1.0'?>"), "Missing element");
    EXPECT_EQ(ErrorOf("   "), "Missing element");
    EXPECT_EQ(ErrorOf("<!-- only -->"), "Missing element");
    EXPECT_EQ(ErrorOf("</r>"), "Missing element");
}

TEST(ParserErrors, StartTagFaults)
{
    EXPECT_EQ(ErrorOf("<a/ ></a>"), "Tag not terminated properly");
    EXPECT_EQ(ErrorOf("<a x='1'?>"), "Tag not terminated properly");
    EXPECT_EQ(ErrorOf("<a x y='1'/>"), "Equals sign missing in attribute");
    EXPECT_EQ(ErrorOf("<a x:1/>"), "Equals sign missing in attribute");
    EXPECT_EQ(ErrorOf("<a x=1/>"), "Attribute \"x\" missing value");
    EXPECT_EQ(ErrorOf("<?xml version=1.0?><r/>"), "Attribute \"version\" missing value");
    EXPECT_EQ(ErrorOf("<a x='<'/>"), "Invalid character \"<\" in attribute value");
}

TEST(ParserErrors, EndTagFaults)
{
    EXPECT_EQ(ErrorOf("<a></b>"), "End tag name \"b\" does not match start tag name \"a\"");
    EXPECT_EQ(ErrorOf("<a></A>"), "End tag name \"A\" does not match start tag name \"a\"");
    EXPECT_EQ(ErrorOf("<a><b></a></b>"), "End tag name \"a\" does not match start tag name \"b\"");
    EXPECT_EQ(ErrorOf("<a></a x>"), "End tag missing \">\"");
    EXPECT_EQ(Tree("<a></a \r\n>"), "File: \n  a\n");
}

TEST(ParserErrors, ContentWithoutItsEndTag)
{
    EXPECT_EQ(ErrorOf("<a>text"), "No ending tag for a");
    EXPECT_EQ(ErrorOf(std::string("<a>te\0xt</a>", 11)), "No ending tag for a") << "a NUL byte ends the content";
    EXPECT_EQ(ErrorOf("<a>x < y</a>"), "No ending tag for a");
    EXPECT_EQ(ErrorOf("<a>x<!y></a>"), "No ending tag for a");
    EXPECT_EQ(ErrorOf("<a></ b>"), "No ending tag for a");
    EXPECT_EQ(ErrorOf("<r><a>x</r>"), "End tag name \"r\" does not match start tag name \"a\"");
}

TEST(ParserErrors, TheFirstFaultDecides)
{
    EXPECT_EQ(ErrorOf("<a x='<'><b></c></a>"), "Invalid character \"<\" in attribute value");
    EXPECT_EQ(ErrorOf("<a><b>&bad;</c></a>"), "Unrecognized reference");
}

std::string Nested(int levels)
{
    std::string text;
    for (int i = 0; i < levels; ++i) text += "<e>";
    for (int i = 0; i < levels; ++i) text += "</e>";
    return text;
}

TEST(ParserNesting, IsLimitedSoThatNoFileCanExhaustTheStack)
{
    EXPECT_EQ(ErrorOf(Nested(xmlmsg::kMaxNesting)), "");
    EXPECT_EQ(ErrorOf(Nested(xmlmsg::kMaxNesting + 1)), "Elements nested more than 1000 levels deep");
    EXPECT_EQ(ErrorOf(std::string(100000, '<')), "Missing element");
    std::string open;
    for (int i = 0; i < 100000; ++i) open += "<e a='1'>";
    EXPECT_EQ(ErrorOf(open), "Elements nested more than 1000 levels deep");
}

TEST(ParserNesting, EmptyElementsDoNotCount)
{
    std::string text = "<r>";
    for (int i = 0; i < 5000; ++i) text += "<e/>";
    text += "</r>";
    EXPECT_EQ(ParseXmlText(text)->NodeAt(0)->NodeCount(), 5000u);
}

} // namespace
