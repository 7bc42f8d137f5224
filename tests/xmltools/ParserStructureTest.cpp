#include "ParseHelpers.h"

#include <gtest/gtest.h>

namespace {

TEST(ParserStructure, AnEmptyElementMayEndTheText)
{
    auto document = ParseXmlText("<r/>");
    EXPECT_EQ(document->Kind, TXMLNodeKind::nkDocument);
    EXPECT_EQ(document->Name, "");
    ASSERT_EQ(document->NodeCount(), 1u);
    EXPECT_EQ(document->NodeAt(0)->Kind, TXMLNodeKind::nkElement);
    EXPECT_EQ(document->NodeAt(0)->Name, "r");
    EXPECT_EQ(document->NodeAt(0)->NodeCount(), 0u);
}

TEST(ParserStructure, AttributesComeInTagOrderWithOrWithoutBlanksBetween)
{
    const std::string expected = "File: \n  a\n    x = 1\n    y = 2\n";
    EXPECT_EQ(Tree("<a x='1' y='2'/>"), expected);
    EXPECT_EQ(Tree("<a x='1'y='2'/>"), expected);
    EXPECT_EQ(Tree("<a x = \"1\"\n\ty\t=\t'2' />"), expected);
    EXPECT_EQ(Tree("<a x='1' x='2'/>"), "File: \n  a\n    x = 1\n    x = 2\n") << "duplicates are kept";
}

TEST(ParserStructure, AttributeValuesStayAsWritten)
{
    auto document = ParseXmlText("<a v=' a \"b\"\tc ' w=\"it's\" e=''/>");
    const TXMLNode& a = *document->NodeAt(0);
    EXPECT_EQ(a.NodeAt(0)->Value, " a \"b\"\tc ");
    EXPECT_EQ(a.NodeAt(1)->Value, "it's");
    EXPECT_EQ(a.NodeAt(2)->Value, "");
    EXPECT_EQ(a.NodeAt(2)->DisplayText(), "e");
}

TEST(ParserStructure, TheValueCollectsAllTextAndIsTrimmedOfWhiteSpaceOnly)
{
    EXPECT_EQ(RootValue("<a>  hello  </a>"), "hello");
    EXPECT_EQ(RootValue("<a>x<b/>y</a>"), "xy");
    EXPECT_EQ(RootValue("<a>\r\n\t one <b>two</b> three \n</a>"), "one  three");
    EXPECT_EQ(RootValue("<a>\x0Bx\x0B</a>"), "\x0Bx\x0B") << "only TAB, LF, CR and blank are trimmed";
    EXPECT_EQ(Tree("<a>x<b/>y</a>"), "File: \n  a = xy\n    b\n");
}

TEST(ParserStructure, ChildrenKeepDocumentOrderAttributesFirst)
{
    EXPECT_EQ(Tree("<r k='v'><b>1</b><?p q?><c/></r>"),
              "File: \n  r\n    k = v\n    b = 1\n    pProcessingInstruction = q\n    c\n");
}

TEST(ParserStructure, NamesTakeTheAllowedBytesOnly)
{
    EXPECT_EQ(Tree("<_a:b-c.d\xB7"
                   "9/>"),
              "File: \n  _a:b-c.d\xB7"
              "9\n");
    EXPECT_EQ(ErrorOf("<9a/>"), "Missing element");
    EXPECT_EQ(ErrorOf("<a\xE9/>"), "Tag not terminated properly");
    EXPECT_EQ(ErrorOf("<\xB7/>"), "Missing element") << "the middle dot cannot start a name";
}

TEST(ParserStructure, TrailingDataAfterTheRootIsIgnored)
{
    EXPECT_EQ(Tree("<r/>garbage"), "File: \n  r\n");
    EXPECT_EQ(Tree("<r/><r2/>"), "File: \n  r\n");
    EXPECT_EQ(Tree("<r/> <!-- c --> <?p x?> tail </r>"), "File: \n  r\n  pProcessingInstruction = x\n");
}

TEST(ParserStructure, BytesAreNotDecoded)
{
    auto document = ParseXmlText("<a v='\xC3\xA9\xFF'>\xE9\x80</a>");
    EXPECT_EQ(document->NodeAt(0)->Value, "\xE9\x80");
    EXPECT_EQ(document->NodeAt(0)->NodeAt(0)->Value, "\xC3\xA9\xFF");
}

TEST(ParserStructure, TheStringReaderFollowsItsPositions)
{
    TXMLStringReader reader("ab");
    EXPECT_EQ(reader.Current, 0);
    EXPECT_EQ(reader.Position(), 1u);
    EXPECT_FALSE(reader.Eof());
    reader.NextChar();
    const TXMLReaderState saved = reader.SaveState();
    reader.NextChar();
    EXPECT_EQ(reader.Current, 'b');
    EXPECT_TRUE(reader.Eof()) << "no character follows the current one";
    reader.NextChar();
    EXPECT_EQ(reader.Current, 0);
    EXPECT_EQ(reader.Position(), 3u);
    reader.RestoreState(saved);
    EXPECT_EQ(reader.Current, 'a');
    EXPECT_EQ(reader.Position(), 2u);
}

// A source other than a string: the parse has to give the same tree.
class ChunkReader : public TXMLReader {
public:
    explicit ChunkReader(std::string text)
        : text_(std::move(text))
    {
    }
    bool Eof() const override { return next_ >= text_.size(); }
    void FreeState(TXMLReaderState&) override {}
    void NextChar() override { Current = next_ < text_.size() ? text_[next_++] : '\0'; }
    void RestoreState(const TXMLReaderState& s) override
    {
        next_ = s.Position;
        Current = s.Current;
    }
    TXMLReaderState SaveState() const override { return {next_, Current}; }

private:
    std::string text_;
    std::size_t next_ = 0;
};

TEST(ParserStructure, AnyReaderGivesTheSameTree)
{
    const std::string text = "<?xml version='1.0'?><r a='&lt;'>x<c/>y</r>";
    ChunkReader chunks(text);
    EXPECT_EQ(TreeListing(*chunks.Parse()), Tree(text));
    ChunkReader bad("<a>");
    EXPECT_THROW(bad.Parse(), TXMLError);
}

} // namespace
