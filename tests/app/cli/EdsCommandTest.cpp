// The command eds: the file, the identity it creates, and what it refuses.
#include "CommandRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

const std::string kDemo = ZZ_DEMO_PROJECT_DIR;

// The EDS of a project in an application directory: the identity is created in MASTER, the
// sizes come from pargen.xml, and a refused size leaves the written file as it was.
TEST(EdsCommand, WritesAndRefuses)
{
    TempDir app;
    for (const char* file : {"pargen.xml", "Receive_Frame.xml", "Receive_Info.xml", "Send_Frame.xml", "Send_Info.xml"})
        app.Write(std::string("PROJECTS/Demo/") + file, ReadAll(kDemo + "/" + file));
    const std::string eds = app.File("demo.eds");

    const CommandRun run = RunCommand(kEdsCommand, {"--app-dir", app.Path(), "Demo", eds});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const std::string written = ReadAll(eds);
    EXPECT_NE(written.find("$ Project: Demo\r\n"), std::string::npos);
    EXPECT_NE(written.find("$ Base firmware: sx48802.sx\r\n"), std::string::npos);
    EXPECT_NE(written.find("        Input1 =\r\n                32,"), std::string::npos) << written;
    EXPECT_NE(ReadAll(app.File("MASTER/DeviceNet_Identity.txt")).find("ProductType = 12\r\n"), std::string::npos);

    app.Write("PROJECTS/Demo/pargen.xml",
              "<Par_Gen><Can_Baud>5</Can_Baud><CAN_Type>0</CAN_Type><How_Send>1</How_Send>"
              "<Delay_Send>100</Delay_Send><Net_Dev_Id>12</Net_Dev_Id><Net_Baud>2</Net_Baud>"
              "<Net_In>32</Net_In><Net_Out>200</Net_Out></Par_Gen>");
    const CommandRun refused = RunCommand(kEdsCommand, {"--app-dir", app.Path(), "Demo", eds});
    EXPECT_EQ(refused.Status, 1);
    EXPECT_NE(refused.Err.find("Net_Out (Number Byte OUT) must be a number from 1 to 128, not '200'"),
              std::string::npos)
        << refused.Err;
    EXPECT_EQ(ReadAll(eds), written);

    app.Write("MASTER/DeviceNet_Identity.txt", "VendorCode = 0\r\n");
    const CommandRun badIdentity = RunCommand(kEdsCommand, {"--app-dir", app.Path(), "Demo", eds});
    EXPECT_EQ(badIdentity.Status, 1);
    EXPECT_NE(badIdentity.Err.find("line 1: Vendor code must be a number from 1 to 65535, not '0'"), std::string::npos)
        << badIdentity.Err;
    EXPECT_EQ(RunCommand(kEdsCommand, {"--app-dir", app.Path(), "Demo"}).Status, 2);
}

} // namespace
