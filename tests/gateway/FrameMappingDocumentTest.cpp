#include "gateway/FrameMappingDocument.h"

#include "common/Failure.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

std::string Row(const std::string& attributes)
{
    return "<row " + attributes + "/>";
}

std::string Bytes(const std::vector<int>& values)
{
    std::string out;
    for (size_t k = 0; k < values.size(); ++k)
        out += "B" + std::to_string(k + 1) + "=\"" + std::to_string(values[k]) + "\" ";
    return out;
}

class FrameMappingDocumentTest : public ::testing::Test {
protected:
    void Frames(const std::string& rows)
    {
        dir.Write("Receive_Frame.xml", "<Receive_Frames>" + rows + "</Receive_Frames>");
    }
    void Info(const std::string& rows)
    {
        dir.Write("Receive_Info.xml", "<Receive_Frames_Info>" + rows + "</Receive_Frames_Info>");
    }
    MappingList Load()
    {
        MappingList list;
        LoadMappings(document, dir.File("Receive_Frame.xml"), dir.File("Receive_Info.xml"), list);
        return list;
    }

    TempDir dir;
    ProjectDocument document;
};

TEST_F(FrameMappingDocumentTest, PairsRowsByPositionAndReadsOnlyBytesWithinTheLength)
{
    Frames(Row("COBID=\"0x100\" Dim=\"8\"") + Row("COBID=\"$181\" Dim=\"3\"") + Row("COBID=\"385\" Dim=\"6\""));
    // Row 2 had a longer frame once: its bytes 4 to 8 are dropped. Row 3 lacks B7, which its
    // length of 6 never asks for.
    Info(Row(Bytes({0, 1, 2, 3, 4, 5, 6, 7})) + Row(Bytes({8, 9, 10, 11, 12, 13, 14, 15})) +
         Row("B1=\"16\" B2=\"255\" B3=\"0x12\" B4=\"19\" B5=\"20\" B6=\"21\""));
    const MappingList list = Load();
    ASSERT_EQ(list.CobIds, (std::vector<std::string>{"0x100", "$181", "385"}));
    EXPECT_EQ(list.Records[0].B8, 7);
    EXPECT_EQ(list.Records[1].Dim, 3);
    EXPECT_EQ(list.Records[1].B3, 10);
    EXPECT_EQ(list.Records[1].B4, kNoByte);
    EXPECT_EQ(list.Records[2].B2, kNoByte);
    EXPECT_EQ(list.Records[2].B3, 18);
    EXPECT_EQ(list.Records[2].B7, kNoByte);
    EXPECT_FALSE(CheckMappings(list, GatewaySide::Receive));
}

TEST_F(FrameMappingDocumentTest, TheSmallerCountDecides)
{
    Frames(Row("COBID=\"1\" Dim=\"1\"") + Row("COBID=\"2\" Dim=\"1\""));
    Info(Row(Bytes({40, 0, 0, 0, 0, 0, 0, 0})));
    MappingList fewer = Load();
    ASSERT_EQ(fewer.Records.size(), 2u);
    EXPECT_EQ(fewer.Records[0].B1, 40);
    EXPECT_EQ(fewer.Records[1].B1, kNoByte);

    Info(Row(Bytes({40})) + Row(Bytes({41})) + Row("junk=\"1\"")); // the third row is never read
    MappingList more = Load();
    ASSERT_EQ(more.Records.size(), 2u);
    EXPECT_EQ(more.Records[1].B1, 41);
    SaveMappings(document, dir.File("Receive_Info.xml"), GatewaySide::Receive, more.Records);
    EXPECT_EQ(ReadAll(dir.File("Receive_Info.xml")),
              "<Receive_Frames_Info>\r\n"
              "  <row B1=\"40\" B2=\"255\" B3=\"255\" B4=\"255\" B5=\"255\" B6=\"255\" B7=\"255\" B8=\"255\"/>\r\n"
              "  <row B1=\"41\" B2=\"255\" B3=\"255\" B4=\"255\" B5=\"255\" B6=\"255\" B7=\"255\" B8=\"255\"/>\r\n"
              "</Receive_Frames_Info>\r\n");
}

TEST_F(FrameMappingDocumentTest, MissingDocumentsAndBrokenRows)
{
    MappingList none = Load();
    EXPECT_TRUE(none.Records.empty());
    SaveMappings(document, dir.File("Send_Info.xml"), GatewaySide::Send, none.Records);
    EXPECT_EQ(ReadAll(dir.File("Send_Info.xml")), "<Send_Frames_Info/>\r\n");

    Frames(Row("COBID=\"1\" Dim=\"2\""));
    EXPECT_EQ(Load().Records.at(0).B1, kNoByte); // no info document yet

    Info(Row("B1=\"3\""));
    EXPECT_THROW(Load(), Failure); // B2 is within the length
    Info(Row("B1=\"3\" B2=\"three\""));
    EXPECT_THROW(Load(), Failure);
    Frames(Row("COBID=\"1\" Dim=\"two\""));
    EXPECT_THROW(Load(), Failure);
    Frames(Row("COBID=\"1\" Dim=\"2\"") + Row("Dim=\"2\""));
    MappingList partial;
    EXPECT_THROW(LoadMappings(document, dir.File("Receive_Frame.xml"), dir.File("Receive_Info.xml"), partial), Failure);
    EXPECT_EQ(partial.CobIds.size(), 1u);
}

TEST(FrameMappingEntry, TypedTexts)
{
    for (const char* none : {"", "  ", " none ", "None", "NONE", "\tnone\r"})
        EXPECT_EQ(ParseByteEntry(none), std::optional<uint8_t>(kNoByte)) << "'" << none << "'";
    EXPECT_EQ(ParseByteEntry("0x7F"), std::optional<uint8_t>(127));
    EXPECT_EQ(ParseByteEntry(" 0 "), std::optional<uint8_t>(0));
    EXPECT_EQ(ParseByteEntry("$10"), std::optional<uint8_t>(16));
    for (const char* bad : {"128", "-1", "255", "n", "no", "non", "nonee", "12a"})
        EXPECT_FALSE(ParseByteEntry(bad)) << "'" << bad << "'";
    // While 200 is typed, 2 and 20 are taken and 200 refused.
    EXPECT_EQ(ParseByteEntry("2"), std::optional<uint8_t>(2));
    EXPECT_EQ(ParseByteEntry("20"), std::optional<uint8_t>(20));
    EXPECT_FALSE(ParseByteEntry("200"));
    EXPECT_EQ(ByteEntryMessage(3), "Error Byte 3!! Value have to be between 0 to 127 or none. ");
    EXPECT_EQ(ByteText(kNoByte), "none");
    EXPECT_EQ(ByteText(0), "0");
}

MappingList Two(uint8_t firstB1, uint8_t secondB2)
{
    MappingList list;
    list.CobIds = {"0x100", "0x181"};
    list.Records.resize(2);
    for (FrameMapping& r : list.Records) r.Dim = 8;
    list.Records[0].B1 = firstB1;
    list.Records[1].B2 = secondB2;
    return list;
}

TEST(FrameMappingCheck, OverlapNamesTheLaterPairFirst)
{
    EXPECT_EQ(CheckMappings(Two(5, 5), GatewaySide::Receive).value_or(""),
              "Error!! The Byte 5 is used in COB ID 0x181 in Byte 2 and in COB ID 0x100 in Byte 1 ");
    EXPECT_FALSE(CheckMappings(Two(5, 6), GatewaySide::Receive));
    EXPECT_FALSE(CheckMappings(Two(5, 5), GatewaySide::Send)); // a byte may feed many send bytes

    MappingList same = Two(0, kNoByte);
    same.Records[0].B3 = 0;
    EXPECT_EQ(CheckMappings(same, GatewaySide::Receive).value_or(""),
              "Error!! The Byte 0 is used in COB ID 0x100 in Byte 3 and in COB ID 0x100 in Byte 1 ");

    // Three users of byte 127: the first conflict in list order is the one reported.
    MappingList three = Two(127, 127);
    three.Records[0].B8 = 127;
    EXPECT_EQ(CheckMappings(three, GatewaySide::Receive).value_or(""),
              "Error!! The Byte 127 is used in COB ID 0x100 in Byte 8 and in COB ID 0x100 in Byte 1 ");
}

TEST_F(FrameMappingDocumentTest, StoredValuesOutsideTheDeviceNetAreaAreRefusedOnBothSides)
{
    Frames(Row("COBID=\"0x100\" Dim=\"2\"") + Row("COBID=\"0x181\" Dim=\"3\""));
    Info(Row("B1=\"300\" B2=\"-1\"") + Row("B1=\"1\" B2=\"200\" B3=\"128\""));
    const MappingList list = Load();
    EXPECT_EQ(list.Records[0].B1, 44); // the low 8 bits, as the firmware image takes them
    EXPECT_EQ(list.Records[0].B2, kNoByte);
    EXPECT_EQ(list.Records[1].B2, 200);
    const std::string message = "Error!! The Byte 200 in COB ID 0x181 in Byte 2 is not between 0 and 127. ";
    EXPECT_EQ(CheckMappings(list, GatewaySide::Receive).value_or(""), message);
    EXPECT_EQ(CheckMappings(list, GatewaySide::Send).value_or(""), message);
}

TEST(FrameMappingSave, BytesBeyondTheLengthAreWrittenAsNone)
{
    TempDir dir;
    ProjectDocument document;
    FrameMapping record;
    record.Dim = 3;
    record.B1 = 0;
    record.B3 = 127;
    record.B4 = 9; // cannot stand beyond the length
    SaveMappings(document, dir.File("Send_Info.xml"), GatewaySide::Send, {record});
    EXPECT_EQ(ReadAll(dir.File("Send_Info.xml")),
              "<Send_Frames_Info>\r\n"
              "  <row B1=\"0\" B2=\"255\" B3=\"127\" B4=\"255\" B5=\"255\" B6=\"255\" B7=\"255\" B8=\"255\"/>\r\n"
              "</Send_Frames_Info>\r\n");
}

} // namespace
