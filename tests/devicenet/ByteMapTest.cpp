#include "devicenet/ByteMap.h"
#include "devicenet/ByteMapFormat.h"
#include "devicenet/ByteMapPicture.h"
#include "devicenet/TagList.h"
#include "gateway/GatewayProject.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <pugixml.hpp>

#include <algorithm>

namespace {

// Input area of 8 bytes: frame 1 feeds bytes 0 and 1, frame 2 feeds byte 1 (a conflict) and
// byte 9 (beyond the area). Output area of 4 bytes: byte 2 feeds two send frames.
ByteMap ConflictMap()
{
    TempDir project;
    project.Write("pargen.xml", "<Par_Gen><Can_Baud>5</Can_Baud><CAN_Type>0</CAN_Type><How_Send>0</How_Send>"
                                "<Delay_Send>100</Delay_Send><Net_Dev_Id>1</Net_Dev_Id><Net_Baud>2</Net_Baud>"
                                "<Net_In>8</Net_In><Net_Out>4</Net_Out></Par_Gen>");
    project.Write("Receive_Frame.xml", "<R><row COBID=\"0x181\" Dim=\"2\" Mnemonic=\"first\"/>"
                                       "<row COBID=\"0x182\" Dim=\"3\" Mnemonic=\"second\"/></R>");
    project.Write("Receive_Info.xml",
                  "<I><row B1=\"0\" B2=\"1\" B3=\"255\" B4=\"255\" B5=\"255\" B6=\"255\" B7=\"255\" B8=\"255\"/>"
                  "<row B1=\"1\" B2=\"255\" B3=\"9\" B4=\"255\" B5=\"255\" B6=\"255\" B7=\"255\" B8=\"255\"/></I>");
    project.Write("Send_Frame.xml", "<R><row COBID=\"0x201\" Dim=\"1\" Mnemonic=\"out a\"/>"
                                    "<row COBID=\"0x202\" Dim=\"1\" Mnemonic=\"out b\"/></R>");
    project.Write("Send_Info.xml",
                  "<I><row B1=\"2\" B2=\"255\" B3=\"255\" B4=\"255\" B5=\"255\" B6=\"255\" B7=\"255\" B8=\"255\"/>"
                  "<row B1=\"2\" B2=\"255\" B3=\"255\" B4=\"255\" B5=\"255\" B6=\"255\" B7=\"255\" B8=\"255\"/></I>");

    return BuildByteMap(LoadGatewayProject(ProjectLayout::Of(project.Path())));
}

TEST(ByteMap, PlacesEveryMappedByte)
{
    const ByteMap map = ConflictMap();
    ASSERT_EQ(map.Input.Bytes.size(), 8u);
    ASSERT_EQ(map.Input.Bytes[1].size(), 2u);
    EXPECT_TRUE(map.Input.Conflict(1));
    EXPECT_FALSE(map.Input.Conflict(0));
    ASSERT_EQ(map.Input.Beyond.size(), 1u);
    EXPECT_EQ(map.Input.Beyond[0].DeviceNetByte, 9);
    EXPECT_EQ(FeedLabel(map.Input, map.Input.Beyond[0].Feed), "0x182 B3");

    ASSERT_EQ(map.Output.Bytes.size(), 4u);
    EXPECT_EQ(map.Output.Bytes[2].size(), 2u);
    EXPECT_FALSE(map.Output.Conflict(2)); // several send frames may take the same byte

    const std::string text = ByteMapText(map);
    EXPECT_NE(text.find("IN  1    0x181      B2  first; 0x182      B1  second  [conflict]\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("IN  9    0x182      B3  second  [beyond the area of 8 bytes]\n"), std::string::npos) << text;
    EXPECT_NE(text.find("OUT 3    -\n"), std::string::npos) << text;

    // The JSON form, written piece by piece, is the tree's own indented text.
    const std::string json = ByteMapJson(map);
    const nlohmann::json tree = nlohmann::json::parse(json);
    EXPECT_EQ(tree.dump(4) + "\n", json);
    EXPECT_EQ(tree["input"]["beyondArea"][0]["byte"], 9);
    EXPECT_EQ(tree["input"]["bytes"][1]["feeds"].size(), 2u);
    EXPECT_EQ(tree["output"]["bytes"][3]["feeds"], nlohmann::json::array());
}

// One tag per CAN byte on a DeviceNet byte, named as PLC tools accept: a long or non-ASCII
// mnemonic is shortened and cleaned, and a name taken already gets a number.
TEST(ByteMap, TagListNamesEveryMappedByte)
{
    TempDir project;
    project.Write("pargen.xml", "<Par_Gen><Can_Baud>5</Can_Baud><CAN_Type>0</CAN_Type><How_Send>0</How_Send>"
                                "<Delay_Send>100</Delay_Send><Net_Dev_Id>1</Net_Dev_Id><Net_Baud>2</Net_Baud>"
                                "<Net_In>8</Net_In><Net_Out>4</Net_Out></Par_Gen>");
    project.Write("Receive_Frame.xml",
                  "<R><row COBID=\"0x181\" Dim=\"2\" Mnemonic=\"Temp. &#xB0;C, zone \\&quot;A&quot;\"/>"
                  "<row COBID=\"0x182\" Dim=\"3\" Mnemonic=\"Temp. &#xB0;C, zone \\&quot;A&quot;\"/>"
                  "<row COBID=\"0x183\" Dim=\"1\" Mnemonic=\"a very long mnemonic that goes on and on and on\"/></R>");
    project.Write("Receive_Info.xml",
                  "<I><row B1=\"0\" B2=\"9\" B3=\"255\" B4=\"255\" B5=\"255\" B6=\"255\" B7=\"255\" B8=\"255\"/>"
                  "<row B1=\"0\" B2=\"255\" B3=\"255\" B4=\"255\" B5=\"255\" B6=\"255\" B7=\"255\" B8=\"255\"/>"
                  "<row B1=\"7\" B2=\"255\" B3=\"255\" B4=\"255\" B5=\"255\" B6=\"255\" B7=\"255\" B8=\"255\"/></I>");
    project.Write("Send_Frame.xml", "<R><row COBID=\"0x201\" Dim=\"1\" Mnemonic=\"\"/></R>");
    project.Write(
        "Send_Info.xml",
        "<I><row B1=\"3\" B2=\"255\" B3=\"255\" B4=\"255\" B5=\"255\" B6=\"255\" B7=\"255\" B8=\"255\"/></I>");

    const std::vector<TagEntry> tags = TagEntries(BuildByteMap(LoadGatewayProject(ProjectLayout::Of(project.Path()))));
    ASSERT_EQ(tags.size(), 4u); // byte 9 lies beyond the input area
    EXPECT_EQ(tags[0].Tag, "IN000_Temp_C_zone_A_B1");
    EXPECT_EQ(tags[1].Tag, "IN000_Temp_C_zone_A_B1_2");
    EXPECT_EQ(tags[2].Tag, "IN007_a_very_long_mnemonic_that_goes_B1");
    EXPECT_EQ(tags[3].Tag, "OUT003_B1");
    for (const TagEntry& tag : tags) EXPECT_TRUE(IsPlcTagName(tag.Tag)) << tag.Tag;
    EXPECT_FALSE(IsPlcTagName("1A"));
    EXPECT_FALSE(IsPlcTagName(std::string(41, 'A')));

    const std::string csv = TagListCsv(tags);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n", csv.find("\r\n") + 2) + 2),
              "direction,byte,cob_id,can_byte,mnemonic,tag\r\n"
              "IN,0,0x181,1,\"Temp. \xC2\xB0"
              "C, zone \\\"\"A\"\"\",IN000_Temp_C_zone_A_B1\r\n");
    EXPECT_NE(csv.find("OUT,3,0x201,1,,OUT003_B1\r\n"), std::string::npos) << csv;
}

// The SVG picture: a page of the picture's size, a filled and outlined cell per byte in its
// frame's colour, the conflict crossed out in red, the stray mapping listed, texts escaped.
TEST(ByteMap, SvgDrawsEveryCellAndEscapesTheTexts)
{
    ByteMap map = ConflictMap();
    map.Input.Frames[0].Mnemonic = "a < b & \"c\"";
    pugi::xml_document svg;
    ASSERT_TRUE(svg.load_string(ByteMapSvg(map).c_str()));
    const pugi::xml_node root = svg.child("svg");
    const PictureRect box = ByteMapPictureBox(map);
    EXPECT_EQ(root.attribute("viewBox").as_string(),
              "0 0 " + std::to_string(box.Width) + " " + std::to_string(box.Height));

    std::vector<std::string> texts;
    int cells = 0, frameColoured = 0, red = 0;
    char first[8];
    const PictureColour c = FrameRgb({GatewaySide::Receive, 0});
    std::snprintf(first, sizeof first, "#%02x%02x%02x", c.Red, c.Green, c.Blue);
    for (const pugi::xml_node node : root.child("g").children()) {
        const std::string name = node.name();
        if (name == "text") texts.emplace_back(node.child_value());
        if (name == "rect" && node.attribute("width").as_int() == 104 && node.attribute("height").as_int() == 40) {
            ++cells;
            if (node.attribute("fill").as_string() == std::string(first)) ++frameColoured;
        }
        if (node.attribute("stroke").as_string() == std::string("#ff0000")) ++red;
    }
    EXPECT_EQ(cells, 8 + 4);
    EXPECT_EQ(frameColoured, 2); // bytes 0 and 1 are fed by the first frame first
    EXPECT_EQ(red, 2);           // the cross and the frame of the conflicting byte
    for (const char* text : {"0x182 B3 to byte 9", "0x181 B2 +1", "receive 0x181 (row 1)  a < b & \"c\""})
        EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
}

// A mapping document that does not load leaves its side empty and says why.
TEST(ByteMap, UnreadableSideKeepsTheReason)
{
    TempDir project;
    project.Write("Receive_Frame.xml", "<R><row COBID=\"0x181\" Dim=\"abc\" Mnemonic=\"x\"/></R>");
    const ByteMap map = BuildByteMap(LoadGatewayProject(ProjectLayout::Of(project.Path())));
    EXPECT_NE(map.Input.Problem.find("abc"), std::string::npos);
    EXPECT_EQ(map.Input.Bytes.size(), 128u);
    EXPECT_TRUE(map.Input.Frames.empty());
    const std::string json = ByteMapJson(map);
    EXPECT_EQ(nlohmann::json::parse(json).dump(4) + "\n", json);
}

} // namespace
