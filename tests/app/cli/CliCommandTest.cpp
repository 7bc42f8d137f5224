// What every command shares: the argument splitter, the error boundary, --help, and the one
// rule for PROJECT_DIR.
#include "CommandRun.h"
#include "common/Failure.h"
#include "editors/canopen/Fixtures.h"
#include "firmware/FirmwareFixture.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <tuple>

namespace {

TEST(SplitArguments, TakesFlagsValueOptionsAndOperandsInAnyOrder)
{
    const CommandOptions options{.Flags = {"--json"}, .Values = {"--app-dir", "--svg"}};
    const CommandArguments split = SplitArguments(
        {"p", "--svg", "a.svg", "--json", "--app-dir", "one", "--app-dir", "-two", "--", "--json", "-"}, options);
    EXPECT_TRUE(split.Problem.empty()) << split.Problem;
    EXPECT_EQ(split.Operands, (std::vector<std::string>{"p", "--json", "-"}));
    EXPECT_TRUE(split.Has("--json"));
    EXPECT_EQ(split.Value("--svg"), "a.svg");
    EXPECT_EQ(split.Value("--app-dir"), "-two"); // the last one counts; a value may look like an option
    EXPECT_FALSE(split.Value("--flash"));

    EXPECT_EQ(SplitArguments({"p", "--svg"}, options).Problem, "--svg needs a value");
    EXPECT_EQ(SplitArguments({"--flash", "COM1"}, options).Problem, "unknown option '--flash'");
    EXPECT_TRUE(SplitArguments({"-h", "--bogus"}, options).Help);
    EXPECT_FALSE(SplitArguments({"--bogus", "--help"}, options).Help);
}

int Fails(const CommandArguments& arguments)
{
    if (arguments.Has("--plain")) throw Failure("the disk is full");
    throw 42;
}

const CliCommand kProbe{.Name = "probe",
                        .Usage = "[--plain]",
                        .Summary = "fails",
                        .Help = "Fails.\n",
                        .Options = {.Flags = {"--plain"}, .Values = {}},
                        .Voice = FailureVoice::Prefixed,
                        .Body = Fails};

TEST(CommandBoundary, AnEscapedFailureIsSaidInTheCommandsVoiceAndEndsWithOne)
{
    CommandRun run = RunCommand(kProbe, {"--plain"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "zuzududada-cli probe: the disk is full\n");
    run = RunCommand(kProbe, {});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "zuzududada-cli probe: the command stopped on an unexpected failure\n");

    CliCommand throughSink = kProbe;
    throughSink.Voice = FailureVoice::MessageSink;
    EXPECT_EQ(RunCommand(throughSink, {"--plain"}).Err, "the disk is full.\n");

    run = RunCommand(kProbe, {"--help"});
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, "Usage: zuzududada-cli probe [--plain]\nFails.\n");
    run = RunCommand(kProbe, {"--other"});
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Err, "zuzududada-cli probe: unknown option '--other'\nUsage: zuzududada-cli probe [--plain]\n"
                       "See zuzududada-cli probe --help\n");
}

// The demo project as P in a workspace with the demo base firmware.
class ProjectArgument : public ::testing::Test {
protected:
    FirmwareWorkspace ws;

    void SetUp() override
    {
        ws.PutDemoBaseFirmware();
        for (const char* name :
             {"pargen.xml", "Receive_Frame.xml", "Receive_Info.xml", "Send_Frame.xml", "Send_Info.xml"})
            ws.dir.Write(std::string("PROJECTS/P/") + name, ReadAll(std::string(ZZ_DEMO_PROJECT_DIR) + "/" + name));
    }
    CommandRun Run(const CliCommand& command, const std::string& project, std::vector<std::string> after = {})
    {
        std::vector<std::string> arguments{"--app-dir", ws.dir.Path(), project};
        arguments.insert(arguments.end(), after.begin(), after.end());
        return RunCommand(command, arguments);
    }
};

TEST_F(ProjectArgument, EveryProjectCommandTakesADirectoryOrAProjectName)
{
    const std::string workbook = FixturePath("import.xlsx");
    for (const std::string& project : {std::string("P"), ws.project.ProjectDir}) {
        for (const auto& [command, after] : std::vector<std::pair<const CliCommand*, std::vector<std::string>>>{
                 {&kBuildCommand, {}},
                 {&kVerifyCommand, {}},
                 {&kCheckCommand, {}},
                 {&kMapCommand, {}},
                 {&kExportCommand, {"sdo"}},
                 {&kImportCommand, {"rpdodef", workbook}}}) {
            const CommandRun run = Run(*command, project, after);
            EXPECT_EQ(run.Status, 0) << command->Name << ' ' << project << '\n' << run.Err;
        }
        EXPECT_TRUE(FileExists(ws.project.ProjectDir + "/New_sx48802.sx"));
        EXPECT_TRUE(FileExists(ws.project.ProjectDir + "/sdo.csv"));
        EXPECT_TRUE(FileExists(ws.project.ProjectDir + "/rpdodef.xml"));
        std::filesystem::remove(ws.project.ProjectDir + "/New_sx48802.sx");
        std::filesystem::remove(ws.project.ProjectDir + "/sdo.csv");
        std::filesystem::remove(ws.project.ProjectDir + "/rpdodef.xml");
    }
}

TEST_F(ProjectArgument, NeitherADirectoryNorAProjectGetsOneMessage)
{
    for (const auto& [command, after, status] :
         std::vector<std::tuple<const CliCommand*, std::vector<std::string>, int>>{
             {&kBuildCommand, {}, 1},
             {&kVerifyCommand, {}, 1},
             {&kCheckCommand, {}, 2},
             {&kMapCommand, {}, 2},
             {&kExportCommand, {"sdo"}, 1},
             {&kImportCommand, {"sdo", "book.xls"}, 1}}) {
        for (const std::string& project : {std::string("Q"), ws.dir.File("PROJECTS/Q"), std::string("")}) {
            const CommandRun run = Run(*command, project, after);
            EXPECT_EQ(run.Status, status) << command->Name;
            EXPECT_EQ(run.Err, "zuzududada-cli " + std::string(command->Name) + ": '" + project +
                                   "' is neither a project directory nor a project in '" + ws.project.ProjectsDir +
                                   "'\n");
        }
    }
    // A file named like the project is no project either.
    ws.dir.Write("PROJECTS/F", "");
    EXPECT_EQ(Run(kCheckCommand, "F").Status, 2);
}

} // namespace
