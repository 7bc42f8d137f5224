// Comments, processing instructions, the XML declaration and CDATA sections.
#include "ParseHelpers.h"

#include <gtest/gtest.h>

namespace {

TEST(ParserComments, AreDroppedWherePermitted)
{
    EXPECT_EQ(Tree("<a><!-- c --></a>"), "File: \n  a\n");
    EXPECT_EQ(Tree("<!-- before --><a>x<!-- <b/> & -->y</a><!-- after -->"), "File: \n  a = xy\n");
    EXPECT_EQ(Tree("<a><!----></a>"), "File: \n  a\n");
    EXPECT_EQ(Tree("<a><!-- a - b -- c --></a>"), "File: \n  a\n");
}

TEST(ParserComments, MayNotEndInThreeHyphens)
{
    EXPECT_EQ(ErrorOf("<a><!-- c ---></a>"), "Comments cannot end in \"--->\"");
    EXPECT_EQ(ErrorOf("<!-- c ---><a/>"), "Comments cannot end in \"--->\"");
}

TEST(ParserComments, ACommentCutOffByTheEndOfDataIsAccepted)
{
    EXPECT_EQ(Tree("<r/><!-- never closed"), "File: \n  r\n");
    EXPECT_EQ(ErrorOf("<!-- never closed"), "Missing element");
}

TEST(ParserInstructions, BecomeNodesWithTheirContent)
{
    EXPECT_EQ(Tree("<?style a?><r/>"), "File: \n  styleProcessingInstruction = a\n  r\n");
    EXPECT_EQ(Tree("<r><?p?><?q  x y  ?></r>"),
              "File: \n  r\n    pProcessingInstruction\n    qProcessingInstruction = x y  \n");
    EXPECT_EQ(Tree("<r><?p a?b > c?></r>"), "File: \n  r\n    pProcessingInstruction = a?b > c\n");
    EXPECT_EQ(Tree("<r/><?p a?>"), "File: \n  r\n  pProcessingInstruction = a\n")
        << "an instruction may close at the very end of the data";
}

TEST(ParserInstructions, NameFaults)
{
    EXPECT_EQ(ErrorOf("<? x?><r/>"), "Processing instruction does not contain valid name");
    EXPECT_EQ(ErrorOf("<r><?1?></r>"), "Processing instruction does not contain valid name");
    EXPECT_EQ(ErrorOf(" <?xml version='1.0'?><r/>"), "Processing instruction cannot have the reserved name \"xml\"");
    EXPECT_EQ(ErrorOf("<r><?xml?></r>"), "Processing instruction cannot have the reserved name \"xml\"");
    EXPECT_EQ(Tree("<?XML a?><r/>"), "File: \n  XMLProcessingInstruction = a\n  r\n") << "only lower case is reserved";
}

TEST(ParserInstructions, TheDataEndingInsideOneIsRefused)
{
    EXPECT_EQ(ErrorOf("<r/><?p never closed"), "Unterminated processing instruction");
    EXPECT_EQ(ErrorOf("<r><?p ?</r>"), "Unterminated processing instruction");
}

TEST(ParserDeclaration, OnlyAtTheVeryFirstByte)
{
    EXPECT_EQ(Tree("<?xml version='1.0'?><r/>"), "File: \n  XMLDeclaration\n    version = 1.0\n  r\n");
    EXPECT_EQ(Tree("<?xml version=\"1.0\" encoding=\"windows-1252\" standalone='yes' ?>\r\n<r/>"),
              "File: \n  XMLDeclaration\n    version = 1.0\n    encoding = windows-1252\n    standalone = yes\n  r\n");
    EXPECT_EQ(Tree("<?xml?><r/>"), "File: \n  XMLDeclaration\n  r\n");
}

TEST(ParserDeclaration, MustBeClosedWithQuestionMarkAndGreaterThan)
{
    EXPECT_EQ(ErrorOf("<?xml version='1.0'><r/>"), "XML declaration not terminated with \"?>\"");
    EXPECT_EQ(ErrorOf("<?xml-stylesheet href='a'?><r/>"), "XML declaration not terminated with \"?>\"");
    EXPECT_EQ(ErrorOf("<?xml version='1.0' ?"), "XML declaration not terminated with \"?>\"");
}

TEST(ParserDocumentType, IsRefusedInTheProlog)
{
    EXPECT_EQ(ErrorOf("<!DOCTYPE r><r/>"), "DocTypeDecl parsing not yet implemented");
    EXPECT_EQ(ErrorOf("<?xml version='1.0'?>\n<!-- c -->\n<!DOCTYPE r [ ]><r/>"),
              "DocTypeDecl parsing not yet implemented");
    EXPECT_EQ(Tree("<r/><!DOCTYPE r>"), "File: \n  r\n") << "after the root it is trailing data";
}

TEST(ParserCdata, KeepsItsContentUnchanged)
{
    EXPECT_EQ(RootValue("<a><![CDATA[ <x> ]]></a>"), "<x>");
    EXPECT_EQ(RootValue("<a>1<![CDATA[&amp;<![CDATA[]]]>2</a>"), "1&amp;<![CDATA[]2");
    EXPECT_EQ(RootValue("<a><![CDATA[]]></a>"), "");
    EXPECT_EQ(ErrorOf("<a><![CDATA[ open"), "Unexpected end of data");
}

TEST(ParserCdata, ItsEndSequenceMayNotStandInCharacterData)
{
    EXPECT_EQ(ErrorOf("<a>x]]>y</a>"), "Character data cannot contain \"]]>\"");
    EXPECT_EQ(RootValue("<a>x]]&gt;y ]] ></a>"), "x]]>y ]] >");
    EXPECT_EQ(Tree("<a v=']]>'/>"), "File: \n  a\n    v = ]]>\n") << "attribute values may hold it";
}

} // namespace
