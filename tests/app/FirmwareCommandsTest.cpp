#include "../firmware/FirmwareFixture.h"

#include "app/cli/Commands.h"
#include "common/FileSystem.h"
#include "common/MessageSink.h"
#include "firmware/SRecord.h"
#include "firmware/SRecordFile.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const std::string kDemo = ZZ_DEMO_PROJECT_DIR;

// What a command printed on each stream and what went through the message sink.
struct Outcome {
    int status;
    std::string out, err;
};

Outcome RunCommand(int (*command)(const std::vector<std::string>&), const std::vector<std::string>& arguments)
{
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    std::ostringstream out, err;
    std::streambuf* oldOut = std::cout.rdbuf(out.rdbuf());
    std::streambuf* oldErr = std::cerr.rdbuf(err.rdbuf());
    const int status = command(arguments);
    std::cout.rdbuf(oldOut);
    std::cerr.rdbuf(oldErr);
    std::string messages;
    for (const std::string& text : sink.Texts()) messages += text + "\n";
    return {status, out.str(), err.str() + messages};
}

// The text with the byte at the address changed in the 32-byte S2 record that writes it.
std::string WithByte(const std::string& text, uint32_t address, uint8_t value)
{
    const SRecordFile file = SRecordFile::Parse(text);
    std::vector<std::string> lines = CrLfLines(text);
    for (const SRecord& r : file.Records()) {
        if (r.Type != '2' || address < r.Address || address >= r.Address + r.DataSize) continue;
        std::vector<uint8_t> data(file.Data(r).begin(), file.Data(r).end());
        data[address - r.Address] = value;
        lines[r.Line - 1] = BankRecord(r.Address, data.data());
    }
    std::string joined;
    for (const std::string& line : lines) joined += line + "\r\n";
    return joined;
}

class FirmwareCommandsTest : public ::testing::Test {
protected:
    FirmwareWorkspace ws;

    void SetUp() override
    {
        ws.PutDemoBaseFirmware();
        for (const char* name :
             {"pargen.xml", "Receive_Frame.xml", "Receive_Info.xml", "Send_Frame.xml", "Send_Info.xml"})
            ws.dir.Write(std::string("PROJECTS/P/") + name, ReadAll(kDemo + "/" + name));
        ASSERT_EQ(RunCommand(kBuildCommand.run, {"--app-dir", ws.dir.Path(), ws.project.ProjectDir}).status, 0);
    }
    std::string Firmware() const { return ws.project.ProjectDir + "/New_sx48802.sx"; }
    Outcome Verify(std::vector<std::string> extra = {})
    {
        std::vector<std::string> arguments{"--app-dir", ws.dir.Path(), ws.project.ProjectDir};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return RunCommand(kVerifyCommand.run, arguments);
    }
};

TEST_F(FirmwareCommandsTest, VerifyPassesTheBuiltFirmwareAndNamesEveryDifference)
{
    const Outcome ok = Verify();
    EXPECT_EQ(ok.status, 0) << ok.err;
    EXPECT_EQ(ok.out, "New_sx48802.sx holds banks 1 and 2 of the project and the base firmware everywhere else "
                      "(5 receive and 4 send frames)\n");

    // The project changed after the build: the firmware still holds the old address.
    const std::string pargen = ReadAll(ws.project.PargenFile);
    ws.dir.Write("PROJECTS/P/pargen.xml",
                 std::string(pargen).replace(pargen.find("<Net_Dev_Id>12<"), 15, "<Net_Dev_Id>40<"));
    const Outcome changed = Verify();
    EXPECT_EQ(changed.status, 1);
    EXPECT_NE(changed.err.find("bank 1, offset 15,005, Net_Dev_Id: firmware 12, project 40"), std::string::npos)
        << changed.err;
    EXPECT_TRUE(changed.out.empty());
    EXPECT_TRUE(fs::exists(ws.project.ProjectDir + "/bin/bank1.bin")); // nothing rewritten
    ws.dir.Write("PROJECTS/P/pargen.xml", pargen);

    // A byte of the base firmware's part, in another file given on the command line.
    const std::string other = ws.dir.Write("other.sx", WithByte(ReadAll(Firmware()), BankFirstAddress(3) + 2, 0));
    const Outcome outside = Verify({other});
    EXPECT_EQ(outside.status, 1);
    EXPECT_NE(outside.err.find("address 0x3A8002, outside banks 1 and 2: firmware 0, base firmware "),
              std::string::npos)
        << outside.err;

    // A damaged line, and a missing file.
    std::string damaged = ReadAll(Firmware());
    damaged[damaged.find("\r\n") + 2 + 20] = 'x';
    const Outcome bad = Verify({ws.dir.Write("bad.sx", damaged)});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("bad.sx is damaged: line 2: \"x\" at column 21 is not a hexadecimal digit"),
              std::string::npos)
        << bad.err;
    const Outcome missing = Verify({ws.dir.File("none.sx")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("none.sx"), std::string::npos);

    EXPECT_EQ(RunCommand(kVerifyCommand.run, {}).status, 2);
    EXPECT_EQ(RunCommand(kVerifyCommand.run, {"--bogus", "x"}).status, 2);
    EXPECT_EQ(RunCommand(kVerifyCommand.run, {"--help"}).status, 0);
}

TEST_F(FirmwareCommandsTest, DecodeTellsTheConfigurationAndRecoversTheProject)
{
    const Outcome report = RunCommand(kDecodeCommand.run, {Firmware()});
    ASSERT_EQ(report.status, 0) << report.err;
    for (const char* expected : {"  Can_Baud      5 (250K)\n", "  Net_Dev_Id    12\n", "  Net_Baud      2 (500K)\n",
                                 "Receive frames (5)\n",
                                 "  4      0x48A       6    Y       14    15    16    17    none",
                                 "Send frames (4)\n"})
        EXPECT_NE(report.out.find(expected), std::string::npos) << expected << "\n" << report.out;
    const Outcome json = RunCommand(kDecodeCommand.run, {"--json", Firmware()});
    EXPECT_NE(json.out.find("\"Net_Baud\": {\"value\": 2, \"text\": \"500K\"}"), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"bytes\": [20, null, null, null, null, null, null, null]"), std::string::npos);

    // Recovered into a new project, it builds the same bank 1.
    const std::string recovered = ws.project.ProjectsDir + "/Recovered";
    const Outcome recover = RunCommand(kDecodeCommand.run, {Firmware(), "--to-project", recovered});
    ASSERT_EQ(recover.status, 0) << recover.err;
    EXPECT_EQ(ReadAll(recovered + "/Send_Frame.xml").find("<Receive_Frames>"), 0u);
    ASSERT_EQ(RunCommand(kBuildCommand.run, {"--app-dir", ws.dir.Path(), recovered}).status, 0);
    EXPECT_EQ(ReadAll(recovered + "/bin/bank1.bin"), ReadAll(ws.project.ProjectDir + "/bin/bank1.bin"));

    // A second recovery into the same place would overwrite the documents: refused.
    const std::string before = ReadAll(recovered + "/pargen.xml");
    const Outcome again = RunCommand(kDecodeCommand.run, {Firmware(), "--to-project", recovered});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("exists already"), std::string::npos);
    EXPECT_EQ(ReadAll(recovered + "/pargen.xml"), before);
}

TEST_F(FirmwareCommandsTest, DecodeRefusesWhatItCannotReadOrRecoverExactly)
{
    // A CAN_Type of 7 has no document form: the documents hold 0 or 1.
    const std::string odd = ws.dir.Write("odd.sx", WithByte(ReadAll(Firmware()), BankFirstAddress(1) + 15001, 7));
    const Outcome recover = RunCommand(kDecodeCommand.run, {odd, "--to-project", ws.dir.File("odd")});
    EXPECT_EQ(recover.status, 1);
    EXPECT_NE(recover.err.find("bank 1, offset 15,001, CAN_Type: firmware 7, recovered project 1"), std::string::npos)
        << recover.err;

    std::string base = ReadAll(ws.project.MasterDir + "/sx48802.sx");
    const Outcome noBank = RunCommand(kDecodeCommand.run, {ws.project.MasterDir + "/sx48802.sx"});
    EXPECT_EQ(noBank.status, 0) << "the synthetic base holds data in bank 1";
    std::vector<std::string> lines = CrLfLines(base);
    std::string withoutBank;
    for (const std::string& line : lines)
        if (line.rfind("S2243880", 0) != 0 && line.rfind("S2243881", 0) != 0) withoutBank += line + "\r\n";
    const Outcome incomplete = RunCommand(kDecodeCommand.run, {ws.dir.Write("partial.sx", withoutBank)});
    EXPECT_EQ(incomplete.status, 1);
    EXPECT_NE(incomplete.err.find("Bank 1 of"), std::string::npos) << incomplete.err;
    EXPECT_EQ(RunCommand(kDecodeCommand.run, {ws.dir.Write("text.sx", "hello\r\n")}).status, 1);
    EXPECT_EQ(RunCommand(kDecodeCommand.run, {}).status, 2);
}

} // namespace
