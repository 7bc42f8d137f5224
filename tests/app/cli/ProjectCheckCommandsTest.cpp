// The commands check and map: exit statuses, text, JSON and the picture.
#include "CommandRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>

namespace {

const std::string kDemo = ZZ_DEMO_PROJECT_DIR;

TEST(CheckCommand, ExitStatusAndJson)
{
    EXPECT_EQ(RunCommand(kCheckCommand, {kDemo}).Status, 0);
    EXPECT_EQ(RunCommand(kCheckCommand, {}).Status, 2);
    EXPECT_EQ(RunCommand(kCheckCommand, {"--bogus", kDemo}).Status, 2);
    EXPECT_EQ(RunCommand(kCheckCommand, {"--help"}).Status, 0);

    // A mapping beyond the 32 input bytes is an error, found in its row and field.
    TempDir project;
    for (const char* name : {"pargen.xml", "Receive_Frame.xml", "Receive_Info.xml", "Send_Frame.xml", "Send_Info.xml"})
        project.Write(name, ReadAll(kDemo + "/" + name));
    std::string info = ReadAll(kDemo + "/Receive_Info.xml");
    project.Write("Receive_Info.xml", info.replace(info.find("B2=\"1\""), 6, "B2=\"40\""));
    const CommandRun run = RunCommand(kCheckCommand, {"--json", project.Path()});
    EXPECT_EQ(run.Status, 1);
    const nlohmann::json list = nlohmann::json::parse(run.Out);
    ASSERT_EQ(list.size(), 1u) << run.Out;
    EXPECT_EQ(list[0]["severity"], "error");
    EXPECT_EQ(list[0]["document"], "Receive_Info.xml");
    EXPECT_EQ(list[0]["row"], 1);
    EXPECT_EQ(list[0]["field"], "B2");
}

TEST(MapCommand, TextJsonAndPicture)
{
    const CommandRun text = RunCommand(kMapCommand, {kDemo});
    EXPECT_EQ(text.Status, 0);
    // The demo's areas are 32 and 24 bytes: a header and one line per DeviceNet byte.
    EXPECT_EQ(std::count(text.Out.begin(), text.Out.end(), '\n'), 1 + 32 + 24);
    EXPECT_NE(text.Out.find("IN  8    $281       B1  Drive 1 actual speed"), std::string::npos) << text.Out;

    const CommandRun json = RunCommand(kMapCommand, {"--json", kDemo});
    EXPECT_EQ(nlohmann::json::parse(json.Out)["output"]["size"], 24);

    const CommandRun csv = RunCommand(kMapCommand, {"--csv", kDemo});
    EXPECT_EQ(csv.Status, 0);
    EXPECT_EQ(csv.Out.rfind("direction,byte,cob_id,can_byte,mnemonic,tag\r\n", 0), 0u) << csv.Out;
    EXPECT_NE(csv.Out.find("IN,8,$281,1,Drive 1 actual speed,IN008_Drive_1_actual_speed_B1\r\n"), std::string::npos)
        << csv.Out;
    EXPECT_EQ(RunCommand(kMapCommand, {"--csv", "--json", kDemo}).Status, 2);

    // The whole program writes the picture, as it links no drawing library.
    TempDir out;
    EXPECT_EQ(RunProgram("map --svg '" + out.File("map.svg") + "' '" + kDemo + "'").Status, 0);
    EXPECT_NE(ReadAll(out.File("map.svg")).find("<svg"), std::string::npos);
    // A COB ID the build refuses is said, and the map is still drawn.
    TempDir project;
    for (const char* name : {"pargen.xml", "Receive_Info.xml", "Send_Frame.xml", "Send_Info.xml"})
        project.Write(name, ReadAll(kDemo + "/" + name));
    std::string frames = ReadAll(kDemo + "/Receive_Frame.xml");
    project.Write("Receive_Frame.xml", frames.replace(frames.find("$281"), 4, "$2G1"));
    const CommandRun refused = RunCommand(kMapCommand, {project.Path()});
    EXPECT_EQ(refused.Status, 1);
    EXPECT_NE(refused.Err.find("The project would not build: "), std::string::npos) << refused.Err;
    EXPECT_EQ(std::count(refused.Out.begin(), refused.Out.end(), '\n'), 1 + 32 + 24);

    const CommandRun noFile = RunCommand(kMapCommand, {"--svg"});
    EXPECT_EQ(noFile.Status, 2);
    EXPECT_EQ(noFile.Err.rfind("zuzududada-cli map: --svg needs a value\n", 0), 0u) << noFile.Err;
}

} // namespace
