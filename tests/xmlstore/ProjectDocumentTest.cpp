#include "xmlstore/ProjectDocument.h"
#include "common/Failure.h"
#include "common/MessageSink.h"
#include "support/TempDir.h"
#include "xmlstore/GuardedRead.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

std::string SaveRows(const std::vector<std::pair<std::string, std::string>>& rows)
{
    ProjectDocument doc;
    doc.Reset();
    XmlNode root = doc.AddRoot("Receive_Frames");
    for (const auto& [id, dim] : rows) {
        XmlNode row = doc.AddChild(root, "row");
        doc.SetAttribute(row, "COBID", id);
        doc.SetAttribute(row, "Dim", dim);
    }
    return doc.Serialize();
}

TEST(ProjectDocumentWrite, OneElementALineWithCrLfAndNoDeclaration)
{
    EXPECT_EQ(SaveRows({{"0x181", "8"}, {"2047", "1"}}), "<Receive_Frames>\r\n"
                                                         "  <row COBID=\"0x181\" Dim=\"8\"/>\r\n"
                                                         "  <row COBID=\"2047\" Dim=\"1\"/>\r\n"
                                                         "</Receive_Frames>\r\n");
    EXPECT_EQ(SaveRows({}), "<Receive_Frames/>\r\n");
}

TEST(ProjectDocumentWrite, NamedValuesAndEscapesRoundTrip)
{
    TempDir dir;
    const std::string path = dir.File("pargen.xml");
    ProjectDocument doc;
    XmlNode root = doc.AddRoot("Par_Gen");
    doc.SetNodeText(doc.AddChild(root, "Delay_Send"), "100");
    doc.SetNodeText(doc.AddChild(root, "Net_In"), "");
    XmlNode row = doc.AddChild(root, "row");
    doc.SetAttribute(row, "Mnemonic", "a<b & \"c\"\nd \xC3\xA9");
    doc.SaveFile(path);
    EXPECT_EQ(ReadAll(path).substr(0, 43), "<Par_Gen>\r\n  <Delay_Send>100</Delay_Send>\r\n");

    ProjectDocument back;
    back.LoadFile(path);
    XmlNode r = back.Root();
    EXPECT_EQ(back.NodeText(back.FindChild(r, "Delay_Send")), "100");
    EXPECT_EQ(back.NodeText(back.FindChild(r, "Net_In")), "");
    EXPECT_EQ(back.AttributeText(back.FindChild(r, "row"), "Mnemonic"), "a<b & \"c\"\nd \xC3\xA9");
}

TEST(ProjectDocumentWrite, TwoSavesOfTheSameContentAreIdentical)
{
    EXPECT_EQ(SaveRows({{"1", "2"}}), SaveRows({{"1", "2"}}));
    // A root holding only a comment or an instruction saves in one form, load after load.
    for (const char* text : {"<X><!-- note --></X>", "<X><?pi x?></X>", "<X><r><!-- c --></r></X>"}) {
        ProjectDocument doc;
        doc.LoadText(text, "t.xml");
        const std::string first = doc.Serialize();
        doc.LoadText(first, "t.xml");
        EXPECT_EQ(doc.Serialize(), first) << text;
    }
}

TEST(ProjectDocumentWrite, RefusesNamesXmlCannotHold)
{
    ProjectDocument doc;
    XmlNode root = doc.AddRoot("a");
    EXPECT_THROW(doc.AddChild(root, "a b"), Failure);
    EXPECT_THROW(doc.AddChild(root, ""), Failure);
    EXPECT_THROW(doc.SetAttribute(root, "1x", "v"), Failure);
}

TEST(ProjectDocumentWrite, FailedSaveLeavesThePreviousFileWhole)
{
    TempDir dir;
    const std::string path =
        dir.Write("Receive_Frame.xml", "<Receive_Frames>\r\n  <row COBID=\"1\"/>\r\n</Receive_Frames>\r\n");
    const std::string before = ReadAll(path);
    ::chmod(path.c_str(), 0444);
    ProjectDocument doc;
    doc.AddRoot("Receive_Frames");
    EXPECT_THROW(doc.SaveFile(path), Failure);
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_THROW(doc.SaveFile(dir.File("missing/dir/x.xml")), Failure);
}

TEST(ProjectDocumentRead, StrictRootIsTheFirstTopLevelNode)
{
    ProjectDocument strict(Discipline::Strict), guarded(Discipline::Guarded);
    const std::string text = "<!-- note --><Receive_Frames><row COBID=\"1\"/></Receive_Frames>";
    strict.LoadText(text, "t.xml");
    guarded.LoadText(text, "t.xml");
    EXPECT_EQ(strict.ChildCount(strict.Root()), 0u);
    EXPECT_EQ(guarded.ChildCount(guarded.Root()), 1u);

    strict.LoadText("<?pi x?><R><row/></R>", "t.xml");
    EXPECT_EQ(strict.ChildCount(strict.Root()), 0u);
}

TEST(ProjectDocumentRead, AnXmlDeclarationIsNotANode)
{
    ProjectDocument strict(Discipline::Strict);
    strict.LoadText("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<R><row a=\"1\"/><row a=\"2\"/></R>", "t.xml");
    ASSERT_EQ(strict.ChildCount(strict.Root()), 2u);
    EXPECT_EQ(strict.AttributeText(strict.ChildAt(strict.Root(), 1), "a"), "2");
}

TEST(ProjectDocumentRead, EmptyRootHasNoRows)
{
    ProjectDocument doc;
    doc.LoadText("<Receive_Frames/>", "t.xml");
    EXPECT_EQ(doc.ChildCount(doc.Root()), 0u);
}

TEST(ProjectDocumentRead, FailuresNameTheProblem)
{
    ProjectDocument doc;
    EXPECT_THROW(doc.LoadText("<R><row></R>", "bad.xml"), Failure);
    EXPECT_THROW(doc.LoadText("", "empty.xml"), Failure);
    doc.LoadText("<R><row a=\"1\"/><x>1<y/></x><z><![CDATA[c]]></z></R>", "t.xml");
    XmlNode root = doc.Root();
    try {
        doc.AttributeText(doc.ChildAt(root, 0), "COBID");
        FAIL();
    } catch (const Failure& e) {
        EXPECT_NE(std::string(e.what()).find("COBID"), std::string::npos);
    }
    try {
        doc.NodeText(doc.FindChild(root, "Can_Baud"));
        FAIL();
    } catch (const Failure& e) {
        EXPECT_NE(std::string(e.what()).find("Can_Baud"), std::string::npos);
    }
    EXPECT_THROW(doc.NodeText(doc.FindChild(root, "x")), Failure); // text and an element
    EXPECT_EQ(doc.NodeText(doc.FindChild(root, "z")), "c");
}

TEST(ProjectDocumentRead, WesternCodePageFilesAreRead)
{
    ProjectDocument doc;
    doc.LoadText("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><R><row m=\"caf\xE9\"/></R>", "t.xml");
    EXPECT_EQ(doc.AttributeText(doc.ChildAt(doc.Root(), 0), "m"), "caf\xC3\xA9");
    doc.LoadText("<R><row m=\"\xB0\"/></R>", "t.xml"); // no declaration, not UTF-8
    EXPECT_EQ(doc.AttributeText(doc.ChildAt(doc.Root(), 0), "m"), "\xC2\xB0");
}

TEST(ProjectDocumentRead, RefusesWhatIsNotWellFormedXml)
{
    const std::pair<std::string, std::string> cases[] = {
        {"<R><row a=\"1\" a=\"2\"/></R>", "attribute \"a\" twice in element \"row\""},
        {"<R/>trailing", "text after the root element"},
        {"<R/><R/>", "a second root element"},
        {"lead<R/>", "text before the root element"},
        {"<R><row a=\"x\x01y\"/></R>", "a control character in attribute \"a\" of element \"row\""},
        {"<R><v>&#x1F;</v></R>", "a control character in element \"v\""},
        {"<R><!-- \x07 --></R>", "a control character in element \"R\""},
        {"\xEF\xBB\xBF\xEF\xBB\xBF<R/>", "a second byte-order mark"},
        {"\xEF\xBB\xBF<R m=\"caf\xE9\"/>", "not UTF-8 after its UTF-8 byte-order mark"},
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?><R m=\"caf\xE9\"/>",
         "not UTF-8, though its declaration names no Western code page"},
        {"\xF0<R/>", "it begins with the byte 240, which is no byte-order mark"},
        {"\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-16\"?><R/>",
         "labelled utf-16 but UTF-8 by its byte-order mark"},
        {"<R><row \x93"
         "a=\"1\"/></R>",
         "a character that is no name character in attribute \"\xE2\x80\x9C"
         "a\" of element \"row\""},
        {"<R><r\xC2\xA0w/></R>", "a character that is no name character in the tag \"r\xC2\xA0w\""},
        {"\xEF<R/>", "it begins with the byte 239, which is no byte-order mark"},
    };
    for (const auto& [text, reason] : cases) {
        ProjectDocument doc;
        try {
            doc.LoadText(text, "t.xml");
            ADD_FAILURE() << "accepted: " << reason;
        } catch (const Failure& e) {
            EXPECT_EQ(std::string(e.what()), "The file 't.xml' is not a well-formed XML document (" + reason + ")");
        }
        EXPECT_FALSE(doc.Root()) << "nothing of a refused file stays";
    }
}

TEST(ProjectDocumentRead, ByteOrderMarksAndTextAroundTheRootThatXmlAllows)
{
    ProjectDocument doc(Discipline::Guarded);
    doc.LoadText("\xEF\xBB\xBF<R><row m=\"caf\xC3\xA9\"/></R>\r\n<!-- after --><?pi x?>\r\n", "t.xml");
    EXPECT_EQ(doc.AttributeText(doc.ChildAt(doc.Root(), 0), "m"), "caf\xC3\xA9");
    // UTF-16 with its mark, as an editor may store it.
    const std::string utf16("\xFF\xFE<\0R\0 \0a\0=\0\"\0\xE9\0\"\0/\0>\0", 22);
    doc.LoadText(utf16, "t.xml");
    EXPECT_EQ(doc.AttributeText(doc.Root(), "a"), "\xC3\xA9");
    doc.LoadText("<R a=\"tab\there\"><v>line\r\nnext</v></R>", "t.xml");
    EXPECT_EQ(doc.NodeText(doc.FindChild(doc.Root(), "v")), "line\nnext");
}

TEST(GuardedRead, MissingFileAndReadErrorShowTheirMessagesAndKeepWhatWasRead)
{
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    TempDir dir;
    ProjectDocument doc(Discipline::Guarded);
    std::vector<std::string> read;
    const auto walk = [&](ProjectDocument& d, XmlNode root) {
        for (size_t i = 0; i < d.ChildCount(root); ++i) read.push_back(d.AttributeText(d.ChildAt(root, i), "id"));
    };
    EXPECT_EQ(GuardedRead(doc, dir.File("none.xml"), kFileXmlNotFound, kErrorReadingFileXml, walk),
              GuardedReadResult::Missing);
    const std::string path = dir.Write("d.xml", "<!-- c --><t><row id=\"1\"/><row/><row id=\"3\"/></t>");
    EXPECT_EQ(GuardedRead(doc, path, kFileXmlNotFound, kErrorReadingFileXml, walk), GuardedReadResult::Failed);
    EXPECT_EQ(read, std::vector<std::string>{"1"});
    EXPECT_EQ(sink.Texts(), (std::vector<std::string>{"File XML not found", "Error in reading file XML"}));
}

} // namespace
