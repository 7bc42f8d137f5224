#include "CommandRun.h"
#include "firmware/FirmwareFixture.h"

#include "common/FileSystem.h"
#include "common/MessageSink.h"
#include "support/ScriptedDesktop.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

class BuildCommandTest : public ::testing::Test {
protected:
    FirmwareWorkspace ws;
    RecordingSink sink;
    ScopedMessageSink scope{sink};
    ScriptedDesktop desktop;
    ScopedDesktop desktopScope{desktop};

    void SetUp() override
    {
        ws.PutDemoBaseFirmware();
        ws.dir.Write("PROJECTS/P/pargen.xml", DefaultPargen());
        ws.dir.Write("PROJECTS/P/Receive_Frame.xml", RowsDocument("Receive_Frames", {FrameXmlRow("0x181", "8")}));
        ws.dir.Write("PROJECTS/P/Receive_Info.xml", RowsDocument("Receive_Frames_Info", {InfoRow(0)}));
    }
    int Build(std::vector<std::string> extra = {})
    {
        std::vector<std::string> arguments{"--app-dir", ws.dir.Path()};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        arguments.push_back(ws.project.ProjectDir);
        return kBuildCommand.Run(arguments);
    }
    std::string NewFirmware() const { return ws.project.ProjectDir + "/New_sx48802.sx"; }
};

TEST_F(BuildCommandTest, TheWholeChainWritesBankFilesSourceAndNewFirmware)
{
    EXPECT_EQ(Build(), 0);
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    EXPECT_EQ(ReadAll(ws.project.ProjectDir + "/bin/bank1.bin").substr(0, 4), std::string("\x81\x01\0\0", 4));
    EXPECT_EQ(ReadAll(ws.project.ProjectDir + "/bin/bankg.c").size(), 117824u);
    EXPECT_NE(ReadAll(NewFirmware()).find("S2243880008101000008000001020304050607"), std::string::npos);
    EXPECT_TRUE(desktop.started.empty());
}

TEST_F(BuildCommandTest, TheVerdictOfTheProjectCheckIsPrintedAndAProjectWithErrorsStillBuilds)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(Build(), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Project check: no problems found\n");

    ws.dir.Write("PROJECTS/P/Receive_Frame.xml", RowsDocument("Receive_Frames", {FrameXmlRow("0x181", "9")}));
    ws.dir.Write("ZoruvOdeza.exe", "#!/bin/sh\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(Build({"--flash", "COM1"}), 0);
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(printed.rfind("Project check: 1 error", 0), 0u) << printed;
    EXPECT_EQ(ReadAll(ws.project.ProjectDir + "/bin/bank1.bin")[4], '\x09');
    EXPECT_EQ(desktop.started.size(), 1u);
    EXPECT_TRUE(sink.Empty()) << sink.Last();
}

TEST_F(BuildCommandTest, FlashStartsTheFlasherWithTheWindowsParameter)
{
    ws.dir.Write("ZoruvOdeza.exe", "#!/bin/sh\n");
    EXPECT_EQ(Build({"--flash", "COM3"}), 0);
    ASSERT_EQ(desktop.started.size(), 1u);
    EXPECT_EQ(desktop.started[0].program, ws.dir.Path() + "/ZoruvOdeza.exe");
    EXPECT_EQ(desktop.started[0].arguments, std::vector<std::string>{"\"" + NewFirmware() +
                                                                     "\"\xC2\xB6"
                                                                     "2"});
    EXPECT_EQ(desktop.started[0].workingDirectory, ws.project.MasterDir);

    std::filesystem::remove(ws.dir.File("ZoruvOdeza.exe"));
    EXPECT_EQ(Build({"--flash", "COM1"}), 1);
    EXPECT_EQ(sink.Last(), "ZoruvOdeza.exe Not Found, Procedure Aborted");
}

TEST_F(BuildCommandTest, AFailureStopsTheChainWithExitStatusOne)
{
    ws.dir.Write("PROJECTS/P/Receive_Frame.xml", RowsDocument("Receive_Frames", {FrameXmlRow("0x181", "abc")}));
    EXPECT_EQ(Build(), 1);
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"'abc' is not a valid integer value."});
    EXPECT_FALSE(FileExists(ws.project.ProjectDir + "/bin/bank1.bin"));
    EXPECT_FALSE(FileExists(NewFirmware()));
}

TEST_F(BuildCommandTest, MissingPiecesGiveTheWindowsMessages)
{
    std::filesystem::remove(ws.project.MasterDir + "/sx48802.sx");
    EXPECT_EQ(Build(), 1);
    EXPECT_EQ(sink.Last(), "Error! Firmware File not Found! Please reinstall the software.");
    std::filesystem::remove_all(ws.project.MasterDir);
    EXPECT_EQ(Build(), 1);
    EXPECT_EQ(sink.Last(), "Error! Firmware Directory not Found! Please reinstall the software.");

    sink.Clear();
    std::filesystem::remove_all(ws.project.ProjectDir + "/bin");
    EXPECT_EQ(Build(), 1);
    EXPECT_NE(sink.Last().find("/bin/bankg.c"), std::string::npos);

    // A bin linked to a place outside the project is refused, not filled.
    sink.Clear();
    const std::string outside = ws.dir.MakeDir("outside");
    std::filesystem::create_directory_symlink(outside, ws.project.ProjectDir + "/bin");
    EXPECT_EQ(Build(), 1);
    EXPECT_NE(sink.Last().find("is a link to a place outside the project"), std::string::npos) << sink.Last();
    EXPECT_TRUE(std::filesystem::is_empty(outside));

    EXPECT_EQ(kBuildCommand.Run({}), 2);
    EXPECT_EQ(kBuildCommand.Run({"--flash", "COM9", "x"}), 2);
    EXPECT_EQ(kBuildCommand.Run({"a", "b"}), 2);
}

TEST_F(BuildCommandTest, TheProgramItselfAnswersWithItsExitStatus)
{
    const std::string appDir = " --app-dir '" + ws.dir.Path() + "' ";
    EXPECT_EQ(RunProgram("build" + appDir + "'" + ws.project.ProjectDir + "'").Status, 0);
    EXPECT_TRUE(FileExists(NewFirmware()));
    EXPECT_EQ(RunProgram("build" + appDir + "none").Status, 1);
    EXPECT_EQ(RunProgram("build --help").Status, 0);
}

} // namespace
