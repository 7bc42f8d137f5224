#include "gateway/GatewayProject.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const char* kPargen = "<Par_Gen><Can_Baud>5</Can_Baud><CAN_Type>0</CAN_Type><How_Send>0</How_Send>"
                      "<Delay_Send>100</Delay_Send><Net_Dev_Id>10</Net_Dev_Id><Net_Baud>2</Net_Baud>"
                      "<Net_In>16</Net_In><Net_Out>0</Net_Out></Par_Gen>";

TEST(GatewayProject, HoldsEachDocumentAsReadWithTheReasonOneDidNotLoad)
{
    TempDir dir;
    dir.Write("pargen.xml", kPargen);
    dir.Write("Receive_Frame.xml", "<Receive_Frames><row COBID=\"0x181\"");
    dir.Write("Send_Frame.xml", "<Receive_Frames><row COBID=\"0x201\" Dim=\"2\" Mnemonic=\"Valve\"/></Receive_Frames>");
    const GatewayProject project = LoadGatewayProject(ProjectLayout::Of(dir.Path() + "/"));
    EXPECT_EQ(project.Layout.PargenFile, dir.File("pargen.xml"));

    // The texts stay with the project once read: the documents on disk are not needed again.
    std::filesystem::remove_all(dir.Path());
    ASSERT_TRUE(project.Pargen.Loaded());
    EXPECT_EQ(project.Pargen.Read().NetIn.Text, "16");
    ASSERT_TRUE(project.SendFrames.Loaded());
    EXPECT_EQ(FrameRowsOf(project.SendFrames.Read(), GatewaySide::Send).at(0).Mnemonic, "Valve");
    EXPECT_FALSE(project.SendInfo.Exists);

    const auto& broken = project.Frames(GatewaySide::Receive);
    ASSERT_TRUE(broken.Exists);
    ASSERT_FALSE(broken.Loaded());
    try {
        broken.Read();
        FAIL() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.Problem().Document, "Receive_Frame.xml");
        EXPECT_EQ(failure.Problem(), *broken.Problem);
        EXPECT_NE(std::string(failure.what()).find(dir.File("Receive_Frame.xml")), std::string::npos) << failure.what();
    }

    // A refused area size counts as the full area.
    const DeviceNetAreas areas = AreasOf(project);
    EXPECT_EQ(areas.Of(GatewaySide::Receive), 16);
    EXPECT_EQ(areas.Of(GatewaySide::Send), 128);
    EXPECT_EQ(AreasOf(LoadGatewayProject(ProjectLayout::Of(dir.Path()))).Input, 128);
}

TEST(GatewayProject, SideMappingsReadTheTableBeforeItsMapping)
{
    TempDir dir;
    dir.Write("Receive_Frame.xml", "<Receive_Frames><row COBID=\"0x181\" Dim=\"x\" Mnemonic=\"\"/></Receive_Frames>");
    dir.Write("Receive_Info.xml", "<Info><row");
    dir.Write("Send_Frame.xml", "<Receive_Frames/>");
    dir.Write("Send_Info.xml", "<Info><row");
    const GatewayProject project = LoadGatewayProject(ProjectLayout::Of(dir.Path()));
    MappingList list;
    try {
        SideMappings(project, GatewaySide::Receive, list);
        FAIL() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_EQ(std::string(failure.what()), "'x' is not a valid integer value");
    }
    // Without frames the broken mapping is never looked at, as in the editor.
    EXPECT_NO_THROW(SideMappings(project, GatewaySide::Send, list));
    EXPECT_TRUE(list.Records.empty());
}

} // namespace
