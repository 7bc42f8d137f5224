// The firmware chain against the faults of an engineer's machine: a full disk, bank files that
// cannot be written, damaged base firmwares, a second build of the same project, planted
// links and the leftovers of a killed build. None may end in success with a wrong firmware,
// in a failure without a message, or in a flashing program started on an unverified file.
#include "FirmwareFixture.h"

#include "app/cli/Commands.h"
#include "common/FileSystem.h"
#include "common/MessageSink.h"
#include "firmware/BuildLock.h"
#include "firmware/CheckedComposition.h"
#include "firmware/FirmwareVerification.h"
#include "firmware/SRecord.h"
#include "firmware/StreamFiles.h"
#include "firmware/demo/SyntheticFirmware.h"
#include "support/ScriptedDesktop.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class BuildChainFaultsTest : public ::testing::Test {
protected:
    FirmwareWorkspace ws;
    RecordingSink sink;
    ScopedMessageSink scope{sink};
    ScriptedDesktop desktop;
    ScopedDesktop desktopScope{desktop};

    void SetUp() override
    {
        ws.PutDemoBaseFirmware();
        ws.dir.Write("ZoruvOdeza.exe", "#!/bin/sh\n");
        SetNodeAddress("12");
        ws.dir.Write("PROJECTS/P/Receive_Frame.xml", RowsDocument("Receive_Frames", {FrameXmlRow("0x181", "8")}));
        ws.dir.Write("PROJECTS/P/Receive_Info.xml", RowsDocument("Receive_Frames_Info", {InfoRow(0)}));
    }
    void SetNodeAddress(const std::string& id)
    {
        ws.dir.Write("PROJECTS/P/pargen.xml", PargenDocument({{"Can_Baud", "5"},
                                                              {"CAN_Type", "0"},
                                                              {"How_Send", "0"},
                                                              {"Delay_Send", "100"},
                                                              {"Net_Dev_Id", id},
                                                              {"Net_Baud", "2"}}));
    }
    int Build(bool flash = false)
    {
        std::vector<std::string> arguments{"--app-dir", ws.dir.Path()};
        if (flash) arguments.insert(arguments.end(), {"--flash", "COM1"});
        arguments.push_back(ws.project.ProjectDir);
        return kBuildCommand.Run(arguments);
    }
    std::string Project(const std::string& name) const { return ws.project.ProjectDir + "/" + name; }
    std::string NewFirmware() const { return Project("New_sx48802.sx"); }
    // Net_Dev_Id as the new firmware holds it.
    int FirmwareNodeAddress() const
    {
        const MemoryImage image = SRecordFile::Read(NewFirmware()).Image();
        return image.At(BankFirstAddress(1) + 15005).value_or(-1);
    }
    void ExpectNoLeftovers() const
    {
        for (const auto& entry : fs::directory_iterator(ws.project.ProjectDir + "/bin")) {
            const std::string name = entry.path().filename().string();
            const size_t writing = name.find(".writing-");
            EXPECT_FALSE(writing != std::string::npos && name.size() == writing + 15) << name;
            EXPECT_NE(name, "Bin.sx");
        }
        for (int n = 1; n <= 5; ++n) EXPECT_FALSE(fs::exists(fs::symlink_status(Project(IntermediateName(n))))) << n;
    }
};

TEST_F(BuildChainFaultsTest, AFullDiskNeverEndsInSuccessNorFlashesAPartialFirmware)
{
    ASSERT_EQ(Build(), 0);
    const std::string good = ReadAll(NewFirmware());
    size_t total = 0;
    {
        ScopedWriteLimit unlimited(size_t{1} << 40);
        ASSERT_EQ(Build(), 0);
        total = (size_t{1} << 40) - unlimited.Left();
    }
    ASSERT_GT(total, good.size());
    std::vector<size_t> limits{0,
                               1,
                               16383,
                               16384 * 5 + 100,
                               16384 * 5 + 117824 - 1,
                               total - good.size() - 1,
                               total - good.size() + 4096,
                               total - 2,
                               total - 1,
                               total};
    for (size_t k = 1; k < 12; ++k) limits.push_back(total * k / 12);
    for (const size_t limit : limits) {
        sink.Clear();
        desktop.started.clear();
        int status = 0;
        {
            ScopedWriteLimit full(limit);
            status = Build(true);
        }
        EXPECT_EQ(ReadAll(NewFirmware()), good) << "limit " << limit; // whole: this build's or the earlier one
        ExpectNoLeftovers();
        if (limit >= total) {
            EXPECT_EQ(status, 0);
            EXPECT_EQ(desktop.started.size(), 1u);
            continue;
        }
        EXPECT_EQ(status, 1) << "limit " << limit;
        EXPECT_FALSE(sink.Empty()) << "limit " << limit;
        EXPECT_TRUE(desktop.started.empty()) << "limit " << limit;
    }
}

TEST_F(BuildChainFaultsTest, TheProgramOnAFullDiskSaysWhyAndExitsWithOne)
{
    // A file size limit stands in for the full disk: every write past it fails with EFBIG.
    const std::string command = "trap '' XFSZ; ulimit -f 400; exec '" + std::string(ZZ_CLI_PATH) +
                                "' build --app-dir '" + ws.dir.Path() + "' '" + ws.project.ProjectDir + "' 2>'" +
                                ws.dir.File("err.txt") + "'";
    const int status = std::system(("sh -c \"" + command + "\"").c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_NE(ReadAll(ws.dir.File("err.txt")).find("File New Sx Not Create,Abort Procedure"), std::string::npos);
    EXPECT_NE(ReadAll(ws.dir.File("err.txt")).find("File too large"), std::string::npos);
    EXPECT_FALSE(FileExists(NewFirmware()));
    ExpectNoLeftovers();
}

TEST_F(BuildChainFaultsTest, ABankFileThatCannotBeWrittenStopsTheCompositionNamingIt)
{
    ASSERT_EQ(Build(), 0);
    EXPECT_EQ(FirmwareNodeAddress(), 12);
    SetNodeAddress("40");
    const std::string bank1 = Project("bin/bank1.bin");
    fs::permissions(bank1, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(Build(true), 1);
    ASSERT_EQ(sink.Texts().size(), 1u);
    EXPECT_NE(sink.Last().find("bank1.bin"), std::string::npos) << sink.Last();
    EXPECT_NE(sink.Last().find("Permission denied"), std::string::npos) << sink.Last();
    EXPECT_EQ(FirmwareNodeAddress(), 12); // the earlier firmware stays, and nothing was flashed
    EXPECT_TRUE(desktop.started.empty());

    // A link to a read-only file elsewhere is replaced by the bank file, never written through.
    fs::remove(bank1);
    const std::string elsewhere = ws.dir.Write("elsewhere.bin", "not ours");
    fs::permissions(elsewhere, fs::perms::owner_read);
    fs::create_symlink(elsewhere, bank1);
    sink.Clear();
    EXPECT_EQ(Build(), 0) << sink.Last();
    EXPECT_EQ(ReadAll(elsewhere), "not ours");
    EXPECT_FALSE(fs::is_symlink(bank1));
    EXPECT_EQ(FirmwareNodeAddress(), 40);
}

TEST_F(BuildChainFaultsTest, ABankFileChangedAfterTheBuildIsNotMerged)
{
    CompositionContext context = ws.Composition();
    BankBuild build;
    build.Image.Bank(1)[15005] = 40;
    for (int n = 1; n <= 5; ++n)
        ws.PutBankFile(n, std::string(reinterpret_cast<const char*>(build.Image.Bank(n).data()), 16384));
    std::string stale(16384, '\0');
    stale[15005] = 12;
    ws.PutBankFile(1, stale);
    CompositionObserver observer;
    const CompositionOutcome outcome = ComposeCheckedFirmware(context, observer, &build);
    EXPECT_FALSE(outcome.Written);
    EXPECT_EQ(outcome.Messages, UserMessages{NoticeMessage(outcome.Problem)});
    EXPECT_TRUE(outcome.ProblemSaid);
    EXPECT_NE(outcome.Problem.find("bank1.bin does not hold this build's configuration"), std::string::npos);
    EXPECT_NE(outcome.Problem.find("offset 15,005 (Net_Dev_Id)"), std::string::npos) << outcome.Problem;
    EXPECT_FALSE(FileExists(NewFirmware()));
}

TEST_F(BuildChainFaultsTest, ADamagedBaseFirmwareIsRefusedNamingTheLine)
{
    const std::string base = SyntheticFirmware();
    std::vector<std::string> lines = CrLfLines(base);
    auto join = [](const std::vector<std::string>& l) {
        std::string out;
        for (const std::string& line : l) out += line + "\r\n";
        return out;
    };
    auto with = [&](size_t index, const std::string& line) {
        std::vector<std::string> changed = lines;
        changed[index] = line;
        return join(changed);
    };
    std::string badChecksum = lines[3];
    badChecksum.back() = badChecksum.back() == '0' ? '1' : '0';
    std::string badDigit = lines[3];
    badDigit[20] = 'G';
    std::vector<std::string> window1AsS3;
    for (const std::string& line : lines) {
        uint32_t address = 0;
        if (line.rfind("S2", 0) == 0 && ReadHexAddress(line, 4, address) && address >= 0x388000 &&
            address <= 0x38BFFF) {
            // The same 32 bytes as an S3 record: valid, but not where the composer looks.
            std::string s3 = "S32500" + line.substr(4, 70) + "??";
            s3 = s3.substr(0, s3.size() - 2) + SRecordChecksum(s3);
            window1AsS3.push_back(s3);
        } else {
            window1AsS3.push_back(line);
        }
    }
    std::vector<std::string> lowerCase = lines;
    for (std::string& line : lowerCase)
        if (line.rfind("S2243880", 0) == 0) line[0] = 's';
    const std::vector<std::pair<std::string, std::string>> cases = {
        {with(3, badChecksum), "line 4"},
        {with(3, badDigit), "line 4"},
        {join(std::vector<std::string>(lines.begin(), lines.end() - 1)), "S9"},
        {base + "\r\n", "line " + std::to_string(lines.size() + 1)},
        {join(window1AsS3), "window of bank 1"},
        {join(lowerCase), "line"},
    };
    for (const auto& [bytes, named] : cases) {
        ws.PutBaseFirmware(bytes);
        fs::remove(NewFirmware());
        sink.Clear();
        desktop.started.clear();
        EXPECT_EQ(Build(true), 1) << named;
        ASSERT_FALSE(sink.Empty()) << named;
        EXPECT_NE(sink.Texts().front().find(named), std::string::npos) << sink.Texts().front();
        EXPECT_FALSE(FileExists(NewFirmware())) << named;
        EXPECT_TRUE(desktop.started.empty()) << named;
    }
}

TEST_F(BuildChainFaultsTest, UnusualValidRecordsPassAndARecordOverwritingABankIsRefused)
{
    std::vector<std::string> lines = CrLfLines(SyntheticFirmware());
    const std::vector<uint8_t> data(32, 0x5A);
    std::string s3 = "S32500500000" + std::string(64, 'A') + "??";
    s3 = s3.substr(0, s3.size() - 2) + SRecordChecksum(s3);
    std::vector<std::string> unusual = lines;
    unusual.insert(unusual.end() - 1, {s3, "S5030001FB"});
    // A record straddling the window's start, before the window's records: the bank's
    // records follow it and overwrite its last 16 bytes, as the composer means them to.
    const auto window = std::find_if(unusual.begin(), unusual.end(),
                                     [](const std::string& l) { return l.rfind("S224388000", 0) == 0; });
    unusual.insert(window, BankRecord(0x387FF0, data.data()));
    std::string bytes;
    for (const std::string& line : unusual) bytes += line + "\r\n";
    ws.PutBaseFirmware(bytes);
    EXPECT_EQ(Build(), 0) << sink.Last();
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    EXPECT_NE(ReadAll(NewFirmware()).find(s3 + "\r\nS5030001FB\r\nS9"), std::string::npos);

    // The same record after the window's records overwrites the bank in the device.
    std::vector<std::string> late = lines;
    late.insert(late.end() - 1, BankRecord(0x387FF0, data.data()));
    bytes.clear();
    for (const std::string& line : late) bytes += line + "\r\n";
    ws.PutBaseFirmware(bytes);
    fs::remove(NewFirmware());
    EXPECT_EQ(Build(true), 1);
    ASSERT_FALSE(sink.Empty());
    EXPECT_NE(sink.Last().find("bank 1, offset 0"), std::string::npos) << sink.Last();
    EXPECT_FALSE(FileExists(NewFirmware()));
    EXPECT_TRUE(desktop.started.empty());
}

TEST_F(BuildChainFaultsTest, ASecondBuildOfTheProjectStopsWhileTheFirstHoldsTheLock)
{
    int ready[2], release[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(release), 0);
    const pid_t holder = fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        close(ready[0]);
        close(release[1]);
        {
            BuildLock lock(ws.project.ProjectDir);
            char byte = 1;
            if (write(ready[1], &byte, 1) != 1) _exit(2);
            while (read(release[0], &byte, 1) > 0) {
            }
        }
        _exit(0);
    }
    close(ready[1]);
    close(release[0]);
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    EXPECT_EQ(Build(true), 1);
    EXPECT_NE(sink.Last().find("Another build of the project"), std::string::npos) << sink.Last();
    EXPECT_NE(sink.Last().find("(process " + std::to_string(holder) + ")"), std::string::npos) << sink.Last();
    EXPECT_FALSE(FileExists(Project("bin/bank1.bin")));
    EXPECT_TRUE(desktop.started.empty());

    close(release[1]);
    int status = 0;
    ASSERT_EQ(waitpid(holder, &status, 0), holder);
    EXPECT_EQ(status, 0);
    close(ready[0]);
    EXPECT_EQ(Build(), 0) << sink.Last();

    // In one process the lock nests: a window holds it for the chain of the window that opened it.
    BuildLock outer(ws.project.ProjectDir);
    EXPECT_NO_THROW(BuildLock inner(ws.project.ProjectDir));
}

TEST_F(BuildChainFaultsTest, TwoProgramsBuildingAtOnceNeverBothSucceedSilently)
{
    const std::string cli = ZZ_CLI_PATH;
    for (int round = 0; round < 8; ++round) {
        const std::string one = ws.dir.File("one.txt"), two = ws.dir.File("two.txt");
        const std::string build =
            "'" + cli + "' build --app-dir '" + ws.dir.Path() + "' '" + ws.project.ProjectDir + "'";
        const std::string script = build + " 2>'" + one + "'; echo $? >>'" + one + "'  & " + build + " 2>'" + two +
                                   "'; echo $? >>'" + two + "'; wait";
        ASSERT_EQ(std::system(("sh -c \"" + script + "\"").c_str()), 0);
        for (std::string out : {ReadAll(one), ReadAll(two)}) {
            // Each build tells the project check's verdict first, also the one that is refused.
            const std::string verdict = "Project check: no problems found\n";
            ASSERT_EQ(out.rfind(verdict, 0), 0u) << out;
            out.erase(0, verdict.size());
            if (out == "0\n") continue;
            EXPECT_EQ(out.substr(out.size() - 2), "1\n") << out;
            EXPECT_GT(out.size(), 2u) << "a failure without a message";
        }
        const FirmwareVerification verification =
            VerifyFirmwareFile(NewFirmware(), ws.project.MasterDir + "/sx48802.sx", [&] {
                BankImage banks;
                const std::string bank1 = ReadAll(Project("bin/bank1.bin"));
                std::copy(bank1.begin(), bank1.end(), banks.Bank(1).begin());
                return banks;
            }());
        EXPECT_TRUE(verification.Matches()) << verification.Summary("New_sx48802.sx");
    }
}

TEST_F(BuildChainFaultsTest, PlantedLinksAreNeverWrittenThroughAndLeftoversGo)
{
    const std::string outside = ws.dir.Write("outside.txt", "keep me");
    const std::vector<std::string> planted = {"bin/Bin.sx",        IntermediateName(1), IntermediateName(2),
                                              IntermediateName(5), "New_sx48802.sx",    "bin/bankg.c",
                                              "bin/bank2.bin",     kBuildLockName};
    for (const std::string& name : planted) fs::create_symlink(outside, Project(name));
    ws.dir.Write("PROJECTS/P/bin/bankg.c.writing-Ab12Cd", "left by a killed build");
    ws.dir.Write("PROJECTS/P/bin/bank3.bin.writing-XyZ789", "left by a killed build");
    ws.dir.Write("PROJECTS/P/bin/bankg.c.writing-notes", "not ours");
    EXPECT_EQ(Build(), 0) << sink.Last();
    EXPECT_EQ(ReadAll(outside), "keep me");
    for (const char* name : {"New_sx48802.sx", "bin/bankg.c", "bin/bank2.bin"})
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(Project(name)))) << name;
    EXPECT_EQ(FirmwareNodeAddress(), 12);
    ExpectNoLeftovers();
    EXPECT_TRUE(FileExists(Project("bin/bankg.c.writing-notes")));
}

} // namespace
