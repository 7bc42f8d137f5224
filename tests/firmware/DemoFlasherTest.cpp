#include "FirmwareFixture.h"

#include "common/MessageSink.h"
#include "firmware/DeviceUpdate.h"
#include "firmware/FirmwareComposer.h"
#include "firmware/demo/SyntheticFirmware.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {

// Runs the stand-in flasher with its one parameter; returns the exit status and its output.
int RunStandIn(const std::string& parameter, std::string& output)
{
    const std::string command = std::string("'") + ZZ_STANDIN_PATH + "' '" + parameter + "'";
    FILE* pipe = popen(command.c_str(), "r");
    output.clear();
    char buffer[512];
    while (pipe && fgets(buffer, sizeof buffer, pipe)) output += buffer;
    const int status = pipe ? pclose(pipe) : -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(DemoFlasherTest, ChecksTheFileAndNamesThePort)
{
    FirmwareWorkspace ws;
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    const std::string base = ws.PutDemoBaseFirmware();
    ws.PutBankFile(1, std::string(16384, '\x5A'));
    ws.PutBankFile(2, std::string(16384, '\0'));
    CompositionContext context;
    ASSERT_TRUE(PrepareComposition(ws.project, context).Ready);
    context.Selected = {true, true, false, false, false};
    CompositionObserver quiet;
    ComposeFirmware(context, quiet);
    const std::string composed = context.OutputDir + context.NewFirmwareName;

    std::string output;
    EXPECT_EQ(RunStandIn(FlasherParameter(composed, 2), output), 0);
    EXPECT_NE(output.find("through COM3"), std::string::npos) << output;

    // Without bank 2's window the device would not start.
    std::string text = ReadAll(composed);
    const size_t from = text.find("S224398000"), to = text.find("S22439C000");
    const std::string holed = ws.dir.Write("holed.sx", text.erase(from, to - from));
    EXPECT_EQ(RunStandIn(FlasherParameter(holed, 0), output), 1);
    EXPECT_NE(output.find("bank 2"), std::string::npos) << output;

    std::string damaged = ReadAll(composed);
    damaged[damaged.find("S224388000") + 12] ^= 1;
    EXPECT_EQ(RunStandIn(FlasherParameter(ws.dir.Write("bad.sx", damaged), 0), output), 1);
    EXPECT_NE(output.find("checksum"), std::string::npos) << output;

    EXPECT_EQ(RunStandIn(composed, output), 1); // no quotes, no pilcrow
}

} // namespace
