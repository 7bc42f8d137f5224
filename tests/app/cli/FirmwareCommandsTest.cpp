#include "CommandRun.h"
#include "firmware/FirmwareFixture.h"

#include "common/FileSystem.h"
#include "firmware/SRecord.h"
#include "firmware/SRecordFile.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

const std::string kDemo = ZZ_DEMO_PROJECT_DIR;

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
        ASSERT_EQ(RunCommand(kBuildCommand, {"--app-dir", ws.dir.Path(), ws.project.ProjectDir}).Status, 0);
    }
    std::string Firmware() const { return ws.project.ProjectDir + "/New_sx48802.sx"; }
    CommandRun Verify(std::vector<std::string> extra = {})
    {
        std::vector<std::string> arguments{"--app-dir", ws.dir.Path(), ws.project.ProjectDir};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return RunCommand(kVerifyCommand, arguments);
    }
};

TEST_F(FirmwareCommandsTest, VerifyPassesTheBuiltFirmwareAndNamesEveryDifference)
{
    const CommandRun ok = Verify();
    EXPECT_EQ(ok.Status, 0) << ok.Err;
    EXPECT_EQ(ok.Out, "New_sx48802.sx holds banks 1 and 2 of the project and the base firmware everywhere else "
                      "(5 receive and 4 send frames)\n");

    // The project changed after the build: the firmware still holds the old address.
    const std::string pargen = ReadAll(ws.project.PargenFile);
    ws.dir.Write("PROJECTS/P/pargen.xml",
                 std::string(pargen).replace(pargen.find("<Net_Dev_Id>12<"), 15, "<Net_Dev_Id>40<"));
    const CommandRun changed = Verify();
    EXPECT_EQ(changed.Status, 1);
    EXPECT_NE(changed.Err.find("bank 1, offset 15,005, Net_Dev_Id: firmware 12, project 40"), std::string::npos)
        << changed.Err;
    EXPECT_TRUE(changed.Out.empty());
    EXPECT_TRUE(fs::exists(ws.project.ProjectDir + "/bin/bank1.bin")); // nothing rewritten
    ws.dir.Write("PROJECTS/P/pargen.xml", pargen);

    // A byte of the base firmware's part, in another file given on the command line.
    const std::string other = ws.dir.Write("other.sx", WithByte(ReadAll(Firmware()), BankFirstAddress(3) + 2, 0));
    const CommandRun outside = Verify({other});
    EXPECT_EQ(outside.Status, 1);
    EXPECT_NE(outside.Err.find("address 0x3A8002, outside banks 1 and 2: firmware 0, base firmware "),
              std::string::npos)
        << outside.Err;

    // A damaged line, and a missing file.
    std::string damaged = ReadAll(Firmware());
    damaged[damaged.find("\r\n") + 2 + 20] = 'x';
    const CommandRun bad = Verify({ws.dir.Write("bad.sx", damaged)});
    EXPECT_EQ(bad.Status, 1);
    EXPECT_NE(bad.Err.find("bad.sx is damaged: line 2: \"x\" at column 21 is not a hexadecimal digit"),
              std::string::npos)
        << bad.Err;
    const CommandRun missing = Verify({ws.dir.File("none.sx")});
    EXPECT_EQ(missing.Status, 1);
    EXPECT_NE(missing.Err.find("none.sx"), std::string::npos);

    EXPECT_EQ(RunCommand(kVerifyCommand, {}).Status, 2);
    EXPECT_EQ(RunCommand(kVerifyCommand, {"--bogus", "x"}).Status, 2);
    EXPECT_EQ(RunCommand(kVerifyCommand, {"--help"}).Status, 0);
}

TEST_F(FirmwareCommandsTest, DecodeTellsTheConfigurationAndRecoversTheProject)
{
    const CommandRun report = RunCommand(kDecodeCommand, {Firmware()});
    ASSERT_EQ(report.Status, 0) << report.Err;
    for (const char* expected :
         {"  Can_Baud      5 (250K)\n", "  Net_Dev_Id    12\n", "  Net_Baud      2 (500K)\n", "Receive frames (5)\n",
          "  4      0x48A       6    Y       14    15    16    17    none", "Send frames (4)\n"})
        EXPECT_NE(report.Out.find(expected), std::string::npos) << expected << "\n" << report.Out;
    const CommandRun json = RunCommand(kDecodeCommand, {"--json", Firmware()});
    EXPECT_NE(json.Out.find("\"Net_Baud\": {\"value\": 2, \"text\": \"500K\"}"), std::string::npos) << json.Out;
    EXPECT_NE(json.Out.find("\"bytes\": [20, null, null, null, null, null, null, null]"), std::string::npos);
    // Two levels open, one line per frame, as scripts and readers have always seen it.
    EXPECT_EQ(json.Out.rfind("{\n  \"parameters\": {\n    \"Can_Baud\": {\"value\": 5, \"text\": \"250K\"},\n", 0), 0u)
        << json.Out;
    EXPECT_NE(
        json.Out.find("\"SendCount\": 4\n  },\n  \"receiveFrames\": [\n    {\"frame\": 1, \"cobId\": \"0x181\", "
                      "\"cobIdValue\": 385, \"dim\": 8, \"delete\": \"N\", \"bytes\": [0, 1, 2, 3, 4, 5, 6, 7]},\n"),
        std::string::npos);
    EXPECT_EQ(json.Out.substr(json.Out.size() - 9), "]}\n  ]\n}\n");

    // Recovered into a new project, it builds the same bank 1.
    const std::string recovered = ws.project.ProjectsDir + "/Recovered";
    const CommandRun recover = RunCommand(kDecodeCommand, {Firmware(), "--to-project", recovered});
    ASSERT_EQ(recover.Status, 0) << recover.Err;
    EXPECT_EQ(ReadAll(recovered + "/Send_Frame.xml").find("<Receive_Frames>"), 0u);
    ASSERT_EQ(RunCommand(kBuildCommand, {"--app-dir", ws.dir.Path(), recovered}).Status, 0);
    EXPECT_EQ(ReadAll(recovered + "/bin/bank1.bin"), ReadAll(ws.project.ProjectDir + "/bin/bank1.bin"));

    // A second recovery into the same place would overwrite the documents: refused.
    const std::string before = ReadAll(recovered + "/pargen.xml");
    const CommandRun again = RunCommand(kDecodeCommand, {Firmware(), "--to-project", recovered});
    EXPECT_EQ(again.Status, 1);
    EXPECT_NE(again.Err.find("exists already"), std::string::npos);
    EXPECT_EQ(ReadAll(recovered + "/pargen.xml"), before);
}

TEST_F(FirmwareCommandsTest, DecodeRefusesWhatItCannotReadOrRecoverExactly)
{
    // A CAN_Type of 7 has no document form: the documents hold 0 or 1.
    const std::string odd = ws.dir.Write("odd.sx", WithByte(ReadAll(Firmware()), BankFirstAddress(1) + 15001, 7));
    const CommandRun recover = RunCommand(kDecodeCommand, {odd, "--to-project", ws.dir.File("odd")});
    EXPECT_EQ(recover.Status, 1);
    EXPECT_NE(recover.Err.find("bank 1, offset 15,001, CAN_Type: firmware 7, recovered project 1"), std::string::npos)
        << recover.Err;

    std::string base = ReadAll(ws.project.MasterDir + "/sx48802.sx");
    const CommandRun noBank = RunCommand(kDecodeCommand, {ws.project.MasterDir + "/sx48802.sx"});
    EXPECT_EQ(noBank.Status, 0) << "the synthetic base holds data in bank 1";
    std::vector<std::string> lines = CrLfLines(base);
    std::string withoutBank;
    for (const std::string& line : lines)
        if (line.rfind("S2243880", 0) != 0 && line.rfind("S2243881", 0) != 0) withoutBank += line + "\r\n";
    const CommandRun incomplete = RunCommand(kDecodeCommand, {ws.dir.Write("partial.sx", withoutBank)});
    EXPECT_EQ(incomplete.Status, 1);
    EXPECT_NE(incomplete.Err.find("Bank 1 of"), std::string::npos) << incomplete.Err;
    EXPECT_EQ(RunCommand(kDecodeCommand, {ws.dir.Write("text.sx", "hello\r\n")}).Status, 1);
    EXPECT_EQ(RunCommand(kDecodeCommand, {}).Status, 2);
}

// Every command reading a file the user names refuses a FIFO at once rather than waiting on it.
TEST_F(FirmwareCommandsTest, EveryReaderOfANamedFileRefusesAFifoAtOnce)
{
    const std::string fifo = ws.dir.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const std::vector<std::pair<const CliCommand*, std::vector<std::string>>> runs{
        {&kVerifyCommand, {"--app-dir", ws.dir.Path(), ws.project.ProjectDir, fifo}},
        {&kDecodeCommand, {fifo}},
        {&kSheetsCommand, {fifo}},
        {&kImportCommand, {ws.project.ProjectDir, "sdo", fifo}},
        {&kXmlTreeCommand, {fifo}},
    };
    for (const auto& [command, arguments] : runs) {
        const CommandRun run = RunCommand(*command, arguments);
        EXPECT_EQ(run.Status, 1) << command->Name;
        EXPECT_NE(run.Err.find("it is a FIFO, not a regular file"), std::string::npos) << command->Name << run.Err;
    }
}

// A disk that fills while the documents are written leaves neither a partial project nor the
// directory they were written into first; a bin linked outside the project is refused.
TEST_F(FirmwareCommandsTest, DecodeToProjectLeavesNothingWhenItCannotWriteEverything)
{
    const std::string fresh = ws.dir.File("fresh"), kept = ws.dir.MakeDir("kept");
    ws.dir.Write("kept/notes.txt", "mine");
    for (const std::string& target : {fresh, kept}) {
        ScopedWriteLimit full(900);
        EXPECT_EQ(RunCommand(kDecodeCommand, {Firmware(), "--to-project", target}).Status, 1);
    }
    EXPECT_FALSE(fs::exists(fresh));
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(ws.dir.Path())) left.push_back(entry.path().filename());
    EXPECT_EQ(
        std::count_if(left.begin(), left.end(), [](const std::string& n) { return n.find("recovering") != n.npos; }),
        0);
    std::vector<std::string> inKept;
    for (const auto& entry : fs::directory_iterator(kept)) inKept.push_back(entry.path().filename());
    EXPECT_EQ(inKept, std::vector<std::string>{"notes.txt"});

    fs::create_directory_symlink(ws.dir.MakeDir("elsewhere"), kept + "/bin");
    const CommandRun linked = RunCommand(kDecodeCommand, {Firmware(), "--to-project", kept});
    EXPECT_EQ(linked.Status, 1);
    EXPECT_NE(linked.Err.find("is a link to a place outside the project"), std::string::npos) << linked.Err;
    EXPECT_FALSE(fs::exists(kept + "/pargen.xml"));
}

} // namespace
