// An independent check of the composed firmware with the SRecord tools: it must hold the base
// firmware's data with the two bank windows replaced by the bank files, and every record's
// checksum must be right.
#include "FirmwareFixture.h"

#include "common/MessageSink.h"
#include "firmware/DeviceUpdate.h"
#include "firmware/FirmwareComposer.h"
#include "firmware/demo/SyntheticFirmware.h"

#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>

namespace {

int RunTool(const std::string& command)
{
    const int status = std::system((command + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Quoted(const std::string& path)
{
    return "'" + path + "'";
}

std::string RandomBank(unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(16384, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    return bytes;
}

TEST(SrecToolsTest, ComposedFirmwareIsTheBaseWithTheBankWindowsReplaced)
{
    if (FindOnPath("srec_cat").empty() || FindOnPath("srec_cmp").empty() || FindOnPath("srec_info").empty())
        GTEST_SKIP() << "the srecord tools are not installed";
    FirmwareWorkspace ws;
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    const std::string base = ws.PutDemoBaseFirmware();
    ws.PutBankFile(1, RandomBank(1));
    ws.PutBankFile(2, RandomBank(2));
    CompositionContext context;
    ASSERT_TRUE(PrepareComposition(ws.project, context).Ready);
    context.Selected = {true, true, false, false, false};
    CompositionObserver quiet;
    ASSERT_TRUE(ComposeFirmware(context, quiet).Written);
    const std::string composed = context.OutputDir + context.NewFirmwareName;
    const std::string bin = ws.project.ProjectDir + "/bin/";

    // srec_info reads every record and refuses a wrong checksum.
    EXPECT_EQ(RunTool("srec_info " + Quoted(composed)), 0);
    const std::string expected = ws.dir.File("expected.srec");
    ASSERT_EQ(RunTool("srec_cat " + Quoted(base) + " -exclude 0x388000 0x38C000 -exclude 0x398000 0x39C000 " +
                      Quoted(bin + "bank1.bin") + " -binary -offset 0x388000 " + Quoted(bin + "bank2.bin") +
                      " -binary -offset 0x398000 -o " + Quoted(expected)),
              0);
    EXPECT_EQ(RunTool("srec_cmp " + Quoted(expected) + " " + Quoted(composed)), 0);
    EXPECT_NE(RunTool("srec_cmp " + Quoted(base) + " " + Quoted(composed)), 0);

    // The checks can fail: one wrong digit in a bank record.
    std::string damaged = ReadAll(composed);
    const size_t at = damaged.find("S224388000") + 20;
    damaged[at] = damaged[at] == '0' ? '1' : '0';
    const std::string broken = ws.dir.Write("broken.sx", damaged);
    EXPECT_NE(RunTool("srec_info " + Quoted(broken)), 0);
}

} // namespace
