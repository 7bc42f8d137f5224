// The dbc command's arguments and what it says; the files it writes are checked against
// canmatrix in tests/canbus.
#include "CommandRun.h"
#include "common/FileSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(DbcCommand, RefusesWrongArgumentsBeforeTouchingTheProject)
{
    TempDir project;
    const std::string file = project.Write("bus.dbc", "BU_: GW\nBO_ 1 F: 1 GW\n");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"export", project.Path()}, "export or import is needed"},
        {{"move", project.Path(), file}, "export or import is needed"},
        {{"export", project.Path(), file, "--map"}, "export takes no options"},
        {{"import", project.Path(), file, "--side", "both"}, "--side is receive or send"},
        {{"import", project.Path(), file, "--side", "send", "--node", "GW"}, "exclude each other"},
        {{"import", project.Path(), file, "--node", "GW", "--frames", "1,,x"}, "--frames takes identifiers"},
    };
    for (const auto& [arguments, message] : cases) {
        const CommandRun run = RunCommand(kDbcCommand, arguments);
        EXPECT_EQ(run.Status, 2) << message;
        EXPECT_NE(run.Err.find(message), std::string::npos) << run.Err;
    }
    EXPECT_EQ(ReadAll(file), "BU_: GW\nBO_ 1 F: 1 GW\n");
    EXPECT_FALSE(FileExists(project.File("Send_Frame.xml")));
}

TEST(DbcCommand, ImportsAndExportsWithASummary)
{
    TempDir project;
    const std::string file = project.Write("bus.dbc", "BU_: GW\nBO_ 1 F: 1 GW\n SG_ S : 0|8@1+ (1,0) [0|0] \"\" X\n");
    CommandRun run = RunCommand(kDbcCommand, {"import", project.Path(), file, "--node", "GW", "--map"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Err, "zuzududada-cli dbc: 1 frame into the send table, 1 byte mapped\n");
    run = RunCommand(kDbcCommand, {"export", project.Path(), project.File("out.dbc")});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Err, "zuzududada-cli dbc: exported 0 receive and 1 send frames, 1 mapped bytes as signals\n");
    EXPECT_NE(ReadAll(project.File("out.dbc")).find("BO_ 1 F: 1 Gateway\r\n"), std::string::npos);
}

} // namespace
