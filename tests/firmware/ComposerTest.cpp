#include "FirmwareFixture.h"

#include "common/Failure.h"
#include "common/FileSystem.h"
#include "common/MessageSink.h"
#include "firmware/FirmwareComposer.h"
#include "firmware/SRecord.h"
#include "firmware/demo/SyntheticFirmware.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <random>

namespace {

std::string Hex(const std::string& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::string Pattern(int seed)
{
    std::string bytes(16384, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 7 + static_cast<size_t>(seed)) & 0xFF);
    return bytes;
}

// A valid S2 record of 32 equal bytes.
std::string S2(uint32_t address, uint8_t fill = 0x11)
{
    uint8_t data[32];
    std::fill(std::begin(data), std::end(data), fill);
    return BankRecord(address, data);
}

const std::string kS0 = "S00F000073783438383032206465606FC5"; // passed through as it is
const std::string kS9 = "S9030000FC";

class Recorder : public CompositionObserver {
public:
    int maximum = -1, position = -1;
    std::map<int, int> colours;
    void ProgressMaximum(int m) override { maximum = m; }
    void ProgressPosition(int p) override { position = p; }
    void BankColour(int bank, int colour) override { colours[bank] = colour; }
    // As the window asks.
    bool InsertMissingBank(int) override { return Messages().Ask("Alert", "Bank Not Found.To insert Equally?"); }
};

class ComposerTest : public ::testing::Test {
protected:
    FirmwareWorkspace ws;
    RecordingSink sink;
    ScopedMessageSink scope{sink};
    Recorder observer;
    CompositionContext context;

    void SetUp() override
    {
        context = ws.Composition();
        ws.PutBankFile(1, Pattern(1));
        ws.PutBankFile(2, Pattern(2));
    }
    std::string Output(const std::string& name = "New_sx48802.sx") const { return ReadAll(context.OutputDir + name); }
    // The composer's calls as a front end makes them: what they have to tell is said.
    int MergeOf(const CompositionContext& c, int bank, bool ask, const std::string& source, const std::string& target)
    {
        const MergeOutcome outcome = MergeBank(c, bank, ask, source, target, observer);
        Say(outcome.Messages);
        return outcome.Result;
    }
    CompositionOutcome Compose(const CompositionContext& c)
    {
        CompositionOutcome outcome = ComposeFirmware(c, observer);
        Say(outcome.Messages);
        return outcome;
    }
    // Merges bank 1 of a source text into "out.sx".
    int Merge(const std::string& source, bool ask = false)
    {
        const std::string path = ws.dir.Write("source.sx", source);
        return MergeOf(context, 1, ask, path, "out.sx");
    }
    std::string Bank1Records() const
    {
        std::string records;
        const std::string bytes = Pattern(1);
        for (int k = 0; k < 512; ++k)
            records += BankRecord(0x388000 + 32u * static_cast<uint32_t>(k),
                                  reinterpret_cast<const uint8_t*>(bytes.data()) + 32 * k) +
                       "\r\n";
        return records;
    }
    void ExpectNoTemporaryFiles() const
    {
        for (int n = 1; n <= 5; ++n) EXPECT_FALSE(FileExists(context.OutputDir + IntermediateName(n))) << n;
        EXPECT_FALSE(FileExists(context.BankDir + "Bin.sx"));
    }
};

TEST(SRecordTest, ChecksumIsTheOnesComplementOfTheByteSum)
{
    const std::string zeros(64, '0');
    EXPECT_EQ(SRecordChecksum("S224388000" + zeros + "??"), "23");
    EXPECT_EQ(BankRecord(0x388000, std::vector<uint8_t>(32, 0).data()), "S224388000" + zeros + "23");
    EXPECT_EQ(SRecordChecksum("S9030000??"), "FC");
    EXPECT_EQ(SRecordChecksum("S1130000285F245F2212226A000424290008237C??"), "2A");
    EXPECT_THROW(SRecordChecksum("S2ZZ??"), Failure);
    EXPECT_EQ(IntermediateName(1), "\xC2\xB0"
                                   "B1\xC2\xB0.sx");
}

TEST_F(ComposerTest, BanksOneAndTwoReplaceTheirWindowsOfTheBaseFirmware)
{
    const std::string base = ws.PutDemoBaseFirmware();
    const std::string before = ReadAll(base);
    const CompositionOutcome outcome = Compose(context);
    EXPECT_EQ(outcome.Result, 1);
    EXPECT_FALSE(outcome.Abandoned);
    EXPECT_TRUE(outcome.Written);
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    EXPECT_EQ(ReadAll(base), before);
    ExpectNoTemporaryFiles();

    const std::vector<std::string> in = CrLfLines(before), out = CrLfLines(Output());
    ASSERT_EQ(out.size(), in.size());
    EXPECT_EQ(out.front(), in.front());
    EXPECT_EQ(out.back(), kS9);
    const auto at =
        std::find_if(out.begin(), out.end(), [](const std::string& l) { return l.rfind("S224388000", 0) == 0; });
    ASSERT_NE(at, out.end());
    const size_t first = static_cast<size_t>(at - out.begin());
    EXPECT_EQ(in[first].substr(0, 10), "S224388000"); // in the place of the first dropped record
    EXPECT_EQ(out[first].substr(0, 74), "S224388000" + Hex(Pattern(1).substr(0, 32)));
    EXPECT_EQ(out[first].substr(74), SRecordChecksum(out[first]));
    EXPECT_EQ(out[first + 511].substr(0, 10), "S22438BFE0");
    EXPECT_EQ(out[first + 512], in[first + 512]); // 0x38C000 on: copied
    EXPECT_EQ(out[first + 512].substr(0, 10), "S22438C000");
    size_t changed = 0;
    for (size_t i = 0; i < in.size(); ++i) changed += in[i] != out[i];
    EXPECT_EQ(changed, 1024u); // the two windows, nothing else

    EXPECT_EQ(observer.maximum, static_cast<int>(2 * 512 + in.size())); // one pass for both banks
    EXPECT_EQ(observer.position, observer.maximum);
    EXPECT_EQ(observer.colours[1], kBankWindowColour);
    EXPECT_EQ(observer.colours[2], kBankWindowColour);
}

TEST_F(ComposerTest, OnlyTheStartAddressIsComparedWithTheWindow)
{
    const std::string straddling = S2(0x387FF0);
    EXPECT_EQ(Merge(kS0 + "\r\n" + straddling + "\r\n" + S2(0x388000) + "\r\n" + S2(0x38C000) + "\r\n" + kS9 + "\r\n"),
              1);
    EXPECT_EQ(Output("out.sx"),
              kS0 + "\r\n" + straddling + "\r\n" + Bank1Records() + S2(0x38C000) + "\r\n" + kS9 + "\r\n");
    EXPECT_FALSE(FileExists(context.BankDir + "Bin.sx"));
}

TEST_F(ComposerTest, AWindowWithoutRecordsIsInsertedOnlyWhenAskedAndAnswered)
{
    const std::string source = kS0 + "\r\n" + S2(0x380000) + "\r\n" + kS9 + "\r\n";
    EXPECT_EQ(Merge(source), 0);
    EXPECT_EQ(Output("out.sx"), source);
    EXPECT_TRUE(sink.Empty());

    sink.ScriptAnswers({false});
    EXPECT_EQ(Merge(source, true), 0);
    sink.ScriptAnswers({true});
    EXPECT_EQ(Merge(source, true), 1);
    EXPECT_EQ(Output("out.sx"), kS0 + "\r\n" + S2(0x380000) + "\r\n" + Bank1Records() + kS9 + "\r\n");
    ASSERT_EQ(sink.All().size(), 2u);
    EXPECT_EQ(sink.All()[1].caption, "Alert");
    EXPECT_EQ(sink.All()[1].text, "Bank Not Found.To insert Equally?");

    // The composition never asks: the bank turns red and the chain goes on.
    sink.Clear();
    ws.PutBaseFirmware(source);
    const CompositionOutcome outcome = Compose(context);
    EXPECT_EQ(outcome.Result, 0);
    EXPECT_FALSE(outcome.Abandoned);
    EXPECT_TRUE(sink.Empty());
    EXPECT_EQ(observer.colours[1], kBankMissingColour);
    EXPECT_EQ(Output(), source);
}

TEST_F(ComposerTest, LinesAreRewrittenWithCrLfAndLoneCrEndsTheText)
{
    const std::string source = kS0 + "\rjunk after a lone CR\n" +                   // lone CR: the rest is skipped
                               "s224388000" + std::string(66, '0') + "\n" +         // lower case: copied
                               "hello, not a record\n" + S2(0x388000) + "\n" + kS9; // LF only, last without LF
    EXPECT_EQ(Merge(source), 1);
    EXPECT_EQ(Output("out.sx"), kS0 + "\r\n" + "s224388000" + std::string(66, '0') + "\r\n" +
                                    "hello, not a record\r\n" + Bank1Records() + kS9 + "\r\n");
    EXPECT_TRUE(sink.Empty());
    EXPECT_EQ(observer.maximum, 512 + 5);
}

TEST_F(ComposerTest, UnreadableLinesEndTheMergeAndKeepWhatWasWritten)
{
    // An empty line after S9: the bank is complete, the result already 1.
    EXPECT_EQ(Merge(kS0 + "\r\n" + S2(0x388000) + "\r\n" + kS9 + "\r\n\r\nS5030001FB\r\n"), 1);
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"File New Sx Not Create,Abort Procedure"});
    EXPECT_EQ(Output("out.sx"), kS0 + "\r\n" + Bank1Records() + kS9 + "\r\n");

    // A record whose address is not hexadecimal, before any S9: abandoned.
    sink.Clear();
    EXPECT_EQ(Merge(kS0 + "\r\nS224ZZ8000" + std::string(66, '0') + "\r\n" + kS9 + "\r\n"), -1);
    EXPECT_EQ(sink.Last(), "File New Sx Not Create,Abort Procedure");
    EXPECT_EQ(Output("out.sx"), kS0 + "\r\n");
    sink.Clear();
    EXPECT_EQ(Merge("S2\r\n" + kS9 + "\r\n"), -1);
    EXPECT_EQ(sink.Last(), "File New Sx Not Create,Abort Procedure");

    // The chain goes on after a blank line that follows S9.
    sink.Clear();
    ws.PutBaseFirmware(kS0 + "\r\n" + S2(0x388000) + "\r\n" + S2(0x398000) + "\r\n" + kS9 + "\r\n\r\n");
    const CompositionOutcome outcome = Compose(context);
    EXPECT_FALSE(outcome.Abandoned);
    EXPECT_TRUE(outcome.Written);
    EXPECT_EQ(sink.All().size(), 1u); // only bank 1 read the blank line; bank 2 got a clean file
    EXPECT_EQ(CrLfLines(Output()).size(), 1u + 512 + 512 + 1);
}

TEST_F(ComposerTest, WithoutS9TheChainStopsWithItsMessageAndAnEarlierFirmwareStays)
{
    ws.dir.Write("PROJECTS/P/New_sx48802.sx", "earlier");
    ws.PutBaseFirmware(kS0 + "\r\n" + S2(0x388000) + "\r\n");
    const CompositionOutcome outcome = Compose(context);
    EXPECT_EQ(outcome.Result, -1);
    EXPECT_TRUE(outcome.Abandoned);
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"File New Sx Not Create,Abort Procedure"});
    EXPECT_NE(outcome.Problem.find("has no S9 end record"), std::string::npos) << outcome.Problem;
    EXPECT_EQ(Output(), "earlier");
    ExpectNoTemporaryFiles();
}

TEST_F(ComposerTest, MissingFilesAbandonWithTheirMessages)
{
    EXPECT_EQ(MergeOf(context, 1, false, ws.dir.File("none.sx"), "out.sx"), -1);
    const std::string source = ws.dir.Write("source.sx", kS9 + "\r\n");
    CompositionContext noName = context;
    noName.NewFirmwareName.clear();
    EXPECT_EQ(MergeOf(noName, 1, false, source, "out.sx"), -1);
    CompositionContext noBin = context;
    noBin.BankDir = ws.dir.File("nowhere/");
    EXPECT_EQ(MergeOf(noBin, 1, false, source, "out.sx"), -1);
    EXPECT_EQ(MergeOf(context, 3, false, source, "out.sx"), -1);
    EXPECT_EQ(sink.Texts(), (std::vector<std::string>{"File *.Sx Not Found,Abort Procedure",
                                                      "File New *.Sx Not Found,Abort Procedure",
                                                      "Directory Bin Not Found,Abort Procedure",
                                                      "File bank3.bin Not Found,Abort Procedure"}));
    EXPECT_FALSE(FileExists(context.OutputDir + "out.sx"));

    // In the chain: bank 1 merged, bank 2 missing; no new firmware, no temporary files.
    sink.Clear();
    std::filesystem::remove(context.BankDir + "bank2.bin");
    ws.PutDemoBaseFirmware();
    EXPECT_TRUE(Compose(context).Abandoned);
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"File bank2.bin Not Found,Abort Procedure"});
    EXPECT_FALSE(FileExists(context.OutputDir + context.NewFirmwareName));
    ExpectNoTemporaryFiles();

    sink.Clear();
    std::filesystem::remove(ws.project.MasterDir + "/sx48802.sx");
    EXPECT_TRUE(Compose(context).Abandoned);
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"File *.Sx Not Found,Abort Procedure"});
}

TEST_F(ComposerTest, AnUnselectedBankOneCopiesTheBaseFirmware)
{
    const std::string base = ws.PutDemoBaseFirmware();
    const std::string before = ReadAll(base);
    context.Selected = {false, true, false, false, false};
    const CompositionOutcome outcome = Compose(context);
    EXPECT_TRUE(outcome.Written);
    EXPECT_EQ(ReadAll(base), before);
    const std::vector<std::string> in = CrLfLines(before), out = CrLfLines(Output());
    ASSERT_EQ(in.size(), out.size());
    size_t changed = 0;
    for (size_t i = 0; i < in.size(); ++i) {
        if (in[i] == out[i]) continue;
        ++changed;
        EXPECT_EQ(out[i].substr(0, 5), "S2243") << out[i];
        EXPECT_EQ(out[i][5], '9') << out[i];
    }
    EXPECT_EQ(changed, 512u);
}

TEST_F(ComposerTest, ARunOfBanksGivesWhatMergesOneAfterAnotherGive)
{
    ws.PutBankFile(3, Pattern(3));
    ws.PutBankFile(4, Pattern(4));
    const std::string mixed = kS0 + "\r\n" + S2(0x398020) + "\r\n" + S2(0x380000) + "\r\n" + S2(0x388000) +
                              "\r\nnot a record\r\r\n" + S2(0x398000) + "\n" + S2(0x3A8000) + "\r\n" + kS9 + "\r\n";
    const std::vector<std::string> sources = {
        mixed,
        mixed + "\r\n" + S2(0x3B8000) + "\r\n",                                              // blank line after S9
        kS0 + "\r\n" + S2(0x388000) + "\r\n" + S2(0x398000) + "\r\n",                        // no S9
        kS0 + "\r\n" + S2(0x388000) + "\r\n" + kS9 + "\r\n" + S2(0x398000) + "\r\nS2ZZ\r\n", // bad record after S9
    };
    for (const std::string& source : sources) {
        ws.PutBaseFirmware(source);
        std::filesystem::remove(context.OutputDir + context.NewFirmwareName);
        context.Selected = {true, true, true, true, false};
        sink.Clear();
        const CompositionOutcome together = Compose(context);
        const std::string composed = FileExists(context.OutputDir + context.NewFirmwareName) ? Output() : "none";
        const std::vector<std::string> said = sink.Texts();
        const std::map<int, int> colours = observer.colours;

        // The same banks merged one by one into files of their own.
        sink.Clear();
        std::string from = ws.project.MasterDir + "/sx48802.sx";
        int result = 0;
        std::map<int, int> expectedColours;
        for (int n = 1; n <= 4 && result != -1; ++n) {
            result = MergeOf(context, n, false, from, "step" + std::to_string(n) + ".sx");
            from = context.OutputDir + "step" + std::to_string(n) + ".sx";
            if (result == 0) expectedColours[n] = kBankMissingColour;
        }
        EXPECT_EQ(together.Result, result) << source;
        EXPECT_EQ(together.Abandoned, result == -1) << source;
        EXPECT_EQ(said, sink.Texts()) << source;
        if (result != -1) EXPECT_EQ(composed, ReadAll(from)) << source;
        else EXPECT_EQ(composed, "none") << source;
        for (int n = 1; n <= 4; ++n)
            EXPECT_EQ(colours.at(n), expectedColours.count(n) ? kBankMissingColour : kBankWindowColour) << n;
        ExpectNoTemporaryFiles();
    }
}

TEST_F(ComposerTest, AnyBytesGiveCrLfLinesAndLeaveTheBaseAlone)
{
    std::mt19937 random(4);
    const std::string pieces[] = {"S2",         "S1",   "S9", "s2", "S224388", "S2243980",           "\r",
                                  "\n",         "\r\n", "ZZ", "0",  "F",       std::string(1, '\0'), S2(0x388000),
                                  S2(0x398000), kS9};
    for (int round = 0; round < 100; ++round) {
        std::string bytes;
        const int count = static_cast<int>(random() % 40);
        for (int k = 0; k < count; ++k) bytes += pieces[random() % std::size(pieces)];
        const std::string base = ws.PutBaseFirmware(bytes);
        sink.Clear();
        const CompositionOutcome outcome = Compose(context);
        EXPECT_EQ(ReadAll(base), bytes);
        ExpectNoTemporaryFiles();
        EXPECT_LE(sink.All().size(), 1u);
        if (!outcome.Written) continue;
        const std::string out = Output();
        for (size_t at = out.find_first_of("\r\n"); at != std::string::npos; at = out.find_first_of("\r\n", at + 2))
            ASSERT_EQ(out.compare(at, 2, "\r\n"), 0) << "round " << round;
    }
}

TEST_F(ComposerTest, RandomBasesComposeAsBankOneThenBankTwoMergedOneAfterTheOther)
{
    std::mt19937 random(11);
    const std::string pieces[] = {
        "S2",         "S1",         "S9",         "s2",         "\r",         "\n",         "\r\n",
        "\r\n",       "\r\n",       "ZZ",         "S2240000",   kS0,          kS9,          S2(0x387FF0),
        S2(0x388000), S2(0x38BFE0), S2(0x38C000), S2(0x398000), S2(0x39BFE0), S2(0x3A8000), std::string(1, '\0')};
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        const int count = static_cast<int>(random() % 30);
        for (int k = 0; k < count; ++k) bytes += pieces[random() % std::size(pieces)];
        ws.PutBaseFirmware(bytes);
        std::filesystem::remove(context.OutputDir + context.NewFirmwareName);
        sink.Clear();
        const CompositionOutcome together = Compose(context);
        const std::string composed = together.Written ? Output() : "none";
        const std::vector<std::string> said = sink.Texts();

        sink.Clear();
        int result = MergeOf(context, 1, false, ws.project.MasterDir + "/sx48802.sx", "one.sx");
        if (result != -1) result = MergeOf(context, 2, false, context.OutputDir + "one.sx", "two.sx");
        EXPECT_EQ(together.Abandoned, result == -1) << "round " << round;
        if (result != -1) {
            EXPECT_EQ(together.Result, result) << "round " << round;
            EXPECT_EQ(composed, ReadAll(context.OutputDir + "two.sx")) << "round " << round;
        } else {
            EXPECT_EQ(composed, "none") << "round " << round;
        }
        EXPECT_EQ(said, sink.Texts()) << "round " << round;
        std::filesystem::remove(context.OutputDir + "one.sx");
        std::filesystem::remove(context.OutputDir + "two.sx");
    }
}

TEST_F(ComposerTest, FilesThatCannotBeOpenedEndTheCompositionWithAFailure)
{
    const std::string base = ws.PutDemoBaseFirmware();
    const std::string before = ReadAll(base);
    context.OutputDir = ws.dir.File("missing/");
    EXPECT_THROW(ComposeFirmware(context, observer), Failure);
    ExpectNoTemporaryFiles();

    // The new firmware may never take the base firmware's place.
    context.OutputDir = ws.project.MasterDir + "/";
    context.NewFirmwareName = "sx48802.sx";
    EXPECT_THROW(ComposeFirmware(context, observer), Failure);
    EXPECT_EQ(ReadAll(base), before);
}

} // namespace
