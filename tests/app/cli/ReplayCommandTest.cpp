#include "CommandRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>

inline namespace zz {
namespace {

// Frames of the demo project (11-bit, Net_In 32, TimeOut_Data 5) among foreign, remote, FD and
// error frames, a drop, a damaged line and CR LF.
const char* const kLog = "(1700000000.000000) can0 181#0102030405060708\r\n"
                         "(1700000000.010000) can0 1ABCDEF0#AABB T\r\n"
                         "(1700000000.020000) can0 281#R\n"
                         "(1700000000.030000) can0 281##1010203\n"
                         "(1700000000.040000) can0 20000080#0000000000000000\n"
                         "DROPCOUNT: dropped 2 CAN frames on 'can0' socket (total drops 2)\n"
                         "(1700000000.050000) can0 281#1122 R\n"
                         "(1700000000.06000 can0 281#3344\n"
                         "(1700000000.070000) can0 181#0102030405060708\n"
                         "(1700000000.080000) can0 7FF#01\n"
                         "(1700000006.000000) can0 50A#55\n";

std::vector<std::string> DataLines(const std::string& out)
{
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < out.size()) {
        const size_t end = out.find('\n', at);
        const std::string line = out.substr(at, end - at);
        if (!line.empty() && line[0] != '#') lines.push_back(line);
        at = end == std::string::npos ? out.size() : end + 1;
    }
    return lines;
}

TEST(ReplayCommand, PrintsEachChangeOfTheInputImageAndTheCountsAndTimeOuts)
{
    const TempDir dir;
    const std::string log = dir.Write("run.log", kLog);
    const CommandRun run = RunCommand(kReplayCommand, {ZZ_DEMO_PROJECT_DIR, log});
    ASSERT_EQ(run.Status, 0) << run.Err;
    // The demo's 32 input bytes: 0x181 feeds 0 to 7, 0x281 8 to 11, 0x50A byte 20.
    const auto image = [](std::string fed) { return fed + std::string(64 - fed.size(), '0'); };
    EXPECT_EQ(DataLines(run.Out),
              (std::vector<std::string>{"1700000000.000000\t0x181\t" + image("0102030405060708"),
                                        "1700000000.050000\t0x281\t" + image("01020304050607081122"),
                                        "1700000006.000000\t0x50A\t" + image("0102030405060708112200000000000000000000"
                                                                             "55")}));
    EXPECT_NE(run.Out.find("# Not modelled: the receive frames' Delete flag."), std::string::npos);
    EXPECT_NE(run.Err.find("line 8 skipped: "), std::string::npos);
    EXPECT_NE(run.Err.find("Time-out at 1700000005.000000: 0x381 (receive frame 3)"), std::string::npos);
    EXPECT_NE(run.Err.find("Frames read: 9; applied: 4 (changed the image: 3, short: 1); not configured: 1; ignored: "
                           "remote 1, error 1, CAN FD 1, other identifier length 1; time-outs: 5; unreadable lines: "
                           "1; dropped (DROPCOUNT): 2"),
              std::string::npos)
        << run.Err;

    const CommandRun json = RunCommand(kReplayCommand, {"--json", ZZ_DEMO_PROJECT_DIR, log});
    ASSERT_EQ(json.Status, 0);
    const nlohmann::json document = nlohmann::json::parse(json.Out);
    EXPECT_EQ(document["changes"].size(), 3u);
    EXPECT_EQ(document["changes"][2]["cobId"], "0x50A");
    EXPECT_EQ(document["counts"]["timeOuts"], 5);
    EXPECT_EQ(document["events"][0]["kind"], "dropped");
    EXPECT_EQ(document["ignored"].size(), 5u);

    if (std::system("command -v log2asc >/dev/null") == 0) {
        // log2asc stops at a damaged line; its times count from the first frame.
        std::string clean = kLog;
        clean.erase(clean.find("(1700000000.06000 "), 33);
        const std::string candump = dir.Write("clean.log", clean);
        ASSERT_EQ(std::system(("log2asc -I " + candump + " -O " + dir.File("run.asc") + " can0").c_str()), 0);
        const CommandRun asc = RunCommand(kReplayCommand, {ZZ_DEMO_PROJECT_DIR, dir.File("run.asc")});
        ASSERT_EQ(asc.Status, 0) << asc.Err;
        const auto withoutTimes = [](std::vector<std::string> lines) {
            for (std::string& line : lines) line.erase(0, line.find('\t'));
            return lines;
        };
        EXPECT_EQ(withoutTimes(DataLines(asc.Out)),
                  withoutTimes(DataLines(RunCommand(kReplayCommand, {ZZ_DEMO_PROJECT_DIR, candump}).Out)));
        EXPECT_EQ(DataLines(asc.Out)[2].substr(0, 9), "6.000000\t");
    }
}

TEST(ReplayCommand, RefusesWhatIsNoLogAndAProjectThatDoesNotBuild)
{
    const TempDir dir;
    const std::string listing = dir.Write("screen.txt", "  can0  181   [2]  01 02\n  can0  281   [1]  01\n");
    CommandRun run = RunCommand(kReplayCommand, {ZZ_DEMO_PROJECT_DIR, listing});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("is no candump -l or ASC log: none of its lines can be read (line 1: "), std::string::npos);
    EXPECT_TRUE(run.Out.empty());
    run = RunCommand(kReplayCommand, {ZZ_DEMO_PROJECT_DIR, dir.File("missing.log")});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("Cannot open '"), std::string::npos);
    EXPECT_EQ(RunCommand(kReplayCommand, {ZZ_DEMO_PROJECT_DIR}).Status, 2);

    const std::string project = dir.MakeDir("broken");
    for (const auto& entry : std::filesystem::directory_iterator(ZZ_DEMO_PROJECT_DIR))
        if (entry.is_regular_file())
            std::filesystem::copy_file(entry.path(), project + "/" + entry.path().filename().string());
    dir.Write("broken/pargen.xml", "<Par_Gen><Can_Baud>x</Can_Baud></Par_Gen>\n");
    run = RunCommand(kReplayCommand, {project, dir.Write("run.log", kLog)});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("zuzududada-cli replay: the project '" + project + "' does not build: "), std::string::npos)
        << run.Err;
    EXPECT_NE(run.Err.find("(pargen.xml"), std::string::npos);
}

TEST(ReplayCommand, SendsACandumpLogThatPythonCanReads)
{
    const TempDir dir;
    const std::string outputs = dir.Write("outputs.txt", "0.0\t0102\n0.2\t0103\nnot a line\n");
    const CommandRun run = RunProgram("replay --send " + std::string(ZZ_DEMO_PROJECT_DIR) + " " + outputs);
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out.substr(0, 46), "(0000000000.000000) can0 201#0102000000000000\n");
    EXPECT_NE(run.Out.find("(0000000000.200000) can0 201#0103"), std::string::npos); // Delay_Send 100 ms
    EXPECT_NE(run.Err.find("line 3 skipped: no tab after the time"), std::string::npos);
    std::string python;
    for (const char* candidate : {"python3", "/usr/bin/python3"})
        if (python.empty() && std::system((std::string(candidate) + " -c 'import can' 2>/dev/null").c_str()) == 0)
            python = candidate;
    if (python.empty()) GTEST_SKIP() << "python-can is not installed";
    const std::string log = dir.Write("sent.log", run.Out);
    const std::string script =
        dir.Write("count.py", "import sys, can\n"
                              "m = list(can.CanutilsLogReader(sys.argv[1]))\n"
                              "sys.exit(0 if len(m) == 12 and m[8].data.hex() == '0103000000000000' "
                              "and m[8].timestamp == 0.2 else 1)\n");
    EXPECT_EQ(std::system((python + " " + script + " " + log).c_str()), 0);
}

} // namespace
} // namespace zz
