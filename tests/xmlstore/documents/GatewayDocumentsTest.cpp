#include "common/Failure.h"
#include "support/TempDir.h"
#include "xmlstore/documents/FrameInfoXml.h"
#include "xmlstore/documents/FrameTableXml.h"
#include "xmlstore/documents/PargenXml.h"

#include <gtest/gtest.h>

namespace {

TEST(PargenXml, AbsentEmptyAndMixedElementsAreToldApart)
{
    TempDir dir;
    const std::string path = dir.Write("pargen.xml", "<Par_Gen><Can_Baud>5</Can_Baud><Delay_Send/>"
                                                     "<Net_In>1<b/>2</Net_In></Par_Gen>");
    ProjectDocument document(Discipline::Strict);
    const PargenTexts texts = ReadPargenXml(document, path);
    EXPECT_EQ(texts.CanBaud.Text, "5");
    EXPECT_EQ(texts.DelaySend.Text, "");
    EXPECT_TRUE(texts.DelaySend.Present);
    EXPECT_FALSE(texts.NetOut.Present);
    EXPECT_FALSE(texts.NetOut.Text);
    EXPECT_TRUE(texts.NetIn.Present);
    EXPECT_FALSE(texts.NetIn.Text);
    // Each failure is the document layer's own message, naming the element and the file.
    try {
        (void)texts.NetOut.Value();
        ADD_FAILURE() << "an absent element has no value";
    } catch (const Failure& failure) {
        EXPECT_EQ(std::string(failure.what()), "Element \"Net_Out\" not found in '" + path + "'");
    }
    EXPECT_THROW((void)texts.NetIn.Value(), Failure);
}

TEST(PargenXml, WritesPresentElementsInTheirFixedOrder)
{
    TempDir dir;
    const std::string path = dir.File("pargen.xml");
    PargenTexts texts;
    texts.NetOut = StoredText::Of("128");
    texts.CanBaud = StoredText::Of("5");
    texts.DelaySend = StoredText::Of("");
    ProjectDocument document(Discipline::Guarded);
    WritePargenXml(document, path, texts);
    EXPECT_EQ(ReadAll(path), "<Par_Gen>\r\n  <Can_Baud>5</Can_Baud>\r\n  <Delay_Send/>\r\n"
                             "  <Net_Out>128</Net_Out>\r\n</Par_Gen>\r\n");
    ProjectDocument again(Discipline::Strict);
    const PargenTexts back = ReadPargenXml(again, path);
    EXPECT_EQ(back.CanBaud, texts.CanBaud);
    EXPECT_EQ(back.DelaySend, texts.DelaySend);
    EXPECT_EQ(back.NetOut, texts.NetOut);
    EXPECT_FALSE(back.CanType.Present);
}

TEST(FrameTableXml, EveryNodeIsARowAndAbsentAttributesNameTheirPlace)
{
    TempDir dir;
    const std::string path = dir.Write("Receive_Frame.xml", "<Receive_Frames><row COBID=\"0x181\" Dim=\"8\" "
                                                            "Delete=\"\" Mnemonic=\"a\"/><!-- note --><row Dim=\"2\"/>"
                                                            "</Receive_Frames>");
    ProjectDocument document(Discipline::Strict);
    const FrameTableTexts texts = ReadFrameTableXml(document, path);
    ASSERT_EQ(texts.Rows.size(), 3u);
    EXPECT_EQ(texts.Rows[0].CobId.Text, "0x181");
    EXPECT_EQ(texts.Rows[0].Delete.Text, "");
    EXPECT_FALSE(texts.Rows[1].Dim.Present);
    EXPECT_FALSE(texts.Rows[2].Delete.Present);
    // The same message the document layer gives when asked for the attribute.
    const auto problemOf = [&](size_t index, const char* name) {
        const XmlNode root = document.Root();
        try {
            (void)document.AttributeText(document.ChildAt(root, index), name);
        } catch (const Failure& failure) {
            return std::string(failure.what());
        }
        return std::string();
    };
    EXPECT_EQ(texts.Rows[1].CobId.Problem, problemOf(1, "COBID"));
    EXPECT_EQ(texts.Rows[2].CobId.Problem, problemOf(2, "COBID"));
    EXPECT_NE(texts.Rows[2].CobId.Problem, "");
}

TEST(FrameTableXml, AStrictRootThatIsNoElementHasNoRows)
{
    TempDir dir;
    const std::string path =
        dir.Write("Send_Frame.xml", "<!-- c --><Receive_Frames><row COBID=\"1\"/></Receive_Frames>");
    ProjectDocument strict(Discipline::Strict);
    EXPECT_TRUE(ReadFrameTableXml(strict, path).Rows.empty());
    ProjectDocument guarded(Discipline::Guarded);
    EXPECT_EQ(ReadFrameTableXml(guarded, path).Rows.size(), 1u);
}

TEST(FrameTableXml, WritesOnlyPresentAttributes)
{
    TempDir dir;
    const std::string path = dir.File("Send_Frame.xml");
    FrameTableTexts texts;
    FrameTableRowTexts& row = texts.Rows.emplace_back();
    row.CobId = StoredText::Of("1");
    row.Dim = StoredText::Of("8");
    row.Mnemonic = StoredText::Of("");
    ProjectDocument document;
    WriteFrameTableXml(document, path, texts);
    EXPECT_EQ(ReadAll(path),
              "<Receive_Frames>\r\n  <row COBID=\"1\" Dim=\"8\" Mnemonic=\"\"/>\r\n</Receive_Frames>\r\n");
}

TEST(FrameInfoXml, EachSideWritesItsRootAndReadsBack)
{
    TempDir dir;
    FrameInfoTexts texts;
    FrameInfoRowTexts& row = texts.Rows.emplace_back();
    for (size_t k = 0; k < row.Bytes.size(); ++k) row.Bytes[k] = StoredText::Of(std::to_string(k));
    row.Bytes[7] = StoredText();
    ProjectDocument document;
    WriteReceiveInfoXml(document, dir.File("Receive_Info.xml"), texts);
    WriteSendInfoXml(document, dir.File("Send_Info.xml"), texts);
    const std::string rowText = "  <row B1=\"0\" B2=\"1\" B3=\"2\" B4=\"3\" B5=\"4\" B6=\"5\" B7=\"6\"/>\r\n";
    EXPECT_EQ(ReadAll(dir.File("Receive_Info.xml")),
              "<Receive_Frames_Info>\r\n" + rowText + "</Receive_Frames_Info>\r\n");
    EXPECT_EQ(ReadAll(dir.File("Send_Info.xml")), "<Send_Frames_Info>\r\n" + rowText + "</Send_Frames_Info>\r\n");

    const FrameInfoTexts back = ReadFrameInfoXml(document, dir.File("Send_Info.xml"));
    ASSERT_EQ(back.Rows.size(), 1u);
    EXPECT_EQ(back.Rows[0].Bytes[6].Text, "6");
    EXPECT_FALSE(back.Rows[0].Bytes[7].Present);
    EXPECT_THROW((void)back.Rows[0].Bytes[7].Value(), Failure);
}

} // namespace
