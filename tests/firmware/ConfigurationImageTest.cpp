#include "FirmwareFixture.h"

#include "common/Failure.h"
#include "firmware/ConfigurationImage.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace {

using namespace BankLayout;

class LoaderTest : public ::testing::Test {
protected:
    FirmwareWorkspace ws;
    BankImage image;
    const BankImage::Bytes& bank = image.Bank(1);

    void Receive(const std::vector<Row>& frames, const std::vector<Row>& info)
    {
        ws.dir.Write("PROJECTS/P/Receive_Frame.xml", RowsDocument("Receive_Frames", frames));
        ws.dir.Write("PROJECTS/P/Receive_Info.xml", RowsDocument("Receive_Frames_Info", info));
    }
    void Send(const std::vector<Row>& frames, const std::vector<Row>& info)
    {
        ws.dir.Write("PROJECTS/P/Send_Frame.xml", RowsDocument("Receive_Frames", frames));
        ws.dir.Write("PROJECTS/P/Send_Info.xml", RowsDocument("Send_Frames_Info", info));
    }
    void Pargen(const std::string& text) { ws.dir.Write("PROJECTS/P/pargen.xml", text); }
    void Load() { LoadConfigurationImage(ws.project, image); }
    std::vector<int> Bytes(size_t at, size_t count) const
    {
        return std::vector<int>(bank.begin() + static_cast<long>(at), bank.begin() + static_cast<long>(at + count));
    }
    DocumentProblem ProblemOfLoad()
    {
        try {
            Load();
        } catch (const Failure& failure) {
            return failure.Problem();
        }
        return {"", std::nullopt, "", "no failure"};
    }
    std::string FailureOfLoad() { return ProblemOfLoad().Text; }
};

TEST_F(LoaderTest, ParametersAloneGiveZeroCountsAndTheirByteOrders)
{
    Pargen(PargenDocument({{"Can_Baud", "5"},
                           {"CAN_Type", "1"},
                           {"How_Send", "1"},
                           {"Delay_Send", "1000"},
                           {"TimeOut_Data", "1000"},
                           {"Net_Dev_Id", "0x3F"},
                           {"Net_Baud", "2"},
                           {"Net_In", "64"},
                           {"Net_Out", "$20"}}));
    Load();
    // Delay_Send most significant byte first, TimeOut_Data least significant byte first.
    EXPECT_EQ(Bytes(kParameterBlock, 13), (std::vector<int>{5, 1, 1, 0x03, 0xE8, 0x3F, 2, 0, 0, 0xE8, 0x03, 64, 32}));
    for (size_t k = 0; k < BankImage::kBankSize; ++k)
        if (k < kParameterBlock || k >= kParameterBlock + 13) {
            ASSERT_EQ(bank[k], 0) << "offset " << k;
        }
    for (int n = 2; n <= 5; ++n)
        for (uint8_t b : image.Bank(n)) ASSERT_EQ(b, 0);
}

TEST_F(LoaderTest, OptionalParametersFallBackToTheirDefaults)
{
    Pargen(PargenDocument({{"Can_Baud", "5"},
                           {"CAN_Type", "0"},
                           {"How_Send", "0"},
                           {"Delay_Send", "100"},
                           {"TimeOut_Data", "abc"},
                           {"Net_Dev_Id", "10"},
                           {"Net_Baud", "2"}}));
    Load();
    EXPECT_EQ(Bytes(kParameterBlock + 9, 4), (std::vector<int>{0, 0, 128, 128}));

    Pargen(PargenDocument({{"Can_Baud", "5"},
                           {"CAN_Type", "0"},
                           {"How_Send", "0"},
                           {"Delay_Send", "100"},
                           {"Net_Dev_Id", "10"},
                           {"Net_Baud", "2"},
                           {"Net_In", ""},
                           {"Net_Out", "<a/>"}}));
    Load();
    EXPECT_EQ(Bytes(kParameterBlock + 9, 4), (std::vector<int>{0, 0, 128, 128}));
}

TEST_F(LoaderTest, RequiredParameterMissingOrEmptyIsAFailure)
{
    Pargen(PargenDocument(
        {{"Can_Baud", "7"}, {"CAN_Type", "0"}, {"How_Send", "0"}, {"Delay_Send", "100"}, {"Net_Baud", "2"}}));
    EXPECT_NE(FailureOfLoad().find("Net_Dev_Id"), std::string::npos);
    // Stored before the failure, and stays.
    EXPECT_EQ(bank[kParameterBlock], 7);

    Pargen(PargenDocument({{"Can_Baud", ""},
                           {"CAN_Type", "0"},
                           {"How_Send", "0"},
                           {"Delay_Send", "100"},
                           {"Net_Dev_Id", "1"},
                           {"Net_Baud", "2"}}));
    EXPECT_EQ(FailureOfLoad(), "'' is not a valid integer value");
}

TEST_F(LoaderTest, CobidKeepsAllBitsLeastSignificantByteFirst)
{
    Receive(
        {FrameXmlRow("0x1FFFFFFF", "8"), FrameXmlRow("2047", "8"), FrameXmlRow("0x7FF", "8"), FrameXmlRow("$7FF", "8")},
        {InfoRow(0), InfoRow(8), InfoRow(16), InfoRow(24)});
    Pargen(DefaultPargen());
    Load();
    EXPECT_EQ(Bytes(0, 4), (std::vector<int>{0xFF, 0xFF, 0xFF, 0x1F}));
    for (size_t i = 1; i <= 3; ++i) EXPECT_EQ(Bytes(14 * i, 4), (std::vector<int>{0xFF, 0x07, 0, 0})) << i;
    EXPECT_EQ(bank[kParameterBlock + 7], 4);
    EXPECT_EQ(bank[kParameterBlock + 8], 0);
}

TEST_F(LoaderTest, OneByteFieldsStoreTheLowEightBits)
{
    Row info = InfoRow(0);
    info[1].second = "-1";  // B1
    info[8].second = "300"; // B8
    Send({FrameXmlRow("0x181", "300")}, {info});
    Load();
    EXPECT_EQ(Bytes(kSendTable, 13), (std::vector<int>{0x81, 0x01, 0, 0, 44, 255, 1, 2, 3, 4, 5, 6, 44}));
}

TEST_F(LoaderTest, DeleteIsSetOnlyByY)
{
    Row missing = FrameXmlRow("1", "8");
    missing.erase(missing.begin() + 2);
    Receive({FrameXmlRow("1", "8", "y"), FrameXmlRow("1", "8", "Y"), FrameXmlRow("1", "8", "N"),
             FrameXmlRow("1", "8", ""), FrameXmlRow("1", "8", "yes"), missing},
            {InfoRow(0), InfoRow(0), InfoRow(0), InfoRow(0), InfoRow(0), InfoRow(0)});
    Load();
    std::vector<int> flags;
    for (size_t i = 0; i < 6; ++i) flags.push_back(bank[14 * i + 5]);
    EXPECT_EQ(flags, (std::vector<int>{1, 1, 0, 0, 0, 0}));
}

TEST_F(LoaderTest, RowsPairByPositionAndTheShorterDocumentCounts)
{
    Receive({FrameXmlRow("1", "8"), FrameXmlRow("2", "8"), FrameXmlRow("3", "8"), FrameXmlRow("4", "8"),
             FrameXmlRow("5", "8")},
            {InfoRow(0), InfoRow(10), InfoRow(20)});
    Pargen(DefaultPargen());
    Load();
    EXPECT_EQ(bank[kParameterBlock + 7], 3);
    EXPECT_EQ(Bytes(14 * 2, 14), (std::vector<int>{3, 0, 0, 0, 8, 0, 20, 21, 22, 23, 24, 25, 26, 27}));
    EXPECT_EQ(Bytes(14 * 3, 14), std::vector<int>(14, 0));
}

TEST_F(LoaderTest, AnEarlierProjectsRecordsStayBeyondTheNewCount)
{
    std::vector<Row> frames, info;
    for (int i = 0; i < 10; ++i) {
        frames.push_back(FrameXmlRow(std::to_string(100 + i), "8"));
        info.push_back(InfoRow(i));
    }
    Receive(frames, info);
    Pargen(DefaultPargen());
    Load();
    Receive({frames.begin(), frames.begin() + 4}, {info.begin(), info.begin() + 4});
    frames.resize(4);
    Load();
    EXPECT_EQ(bank[kParameterBlock + 7], 4);
    for (size_t i = 4; i < 10; ++i) EXPECT_EQ(bank[14 * i], 100 + i) << "record " << i;

    // Without pargen.xml the whole block, the counts included, keeps its contents.
    std::remove(ws.project.PargenFile.c_str());
    Receive({frames[0]}, {info[0]});
    Load();
    EXPECT_EQ(bank[kParameterBlock + 7], 4);
    EXPECT_EQ(bank[kParameterBlock], 5);
}

TEST_F(LoaderTest, TheCountIsTheLowByteOfTheRowCount)
{
    std::vector<Row> frames(300, FrameXmlRow("0x10", "1")), info(300, InfoRow(0));
    Receive(frames, info);
    Pargen(DefaultPargen());
    Load();
    EXPECT_EQ(bank[kParameterBlock + 7], 44);
    EXPECT_EQ(bank[14 * 43], 0x10);
    EXPECT_EQ(bank[14 * 44], 0);
}

TEST_F(LoaderTest, BadValuesAndDocumentsAreFailures)
{
    Receive({FrameXmlRow("0x181", "abc")}, {InfoRow(0)});
    EXPECT_EQ(ProblemOfLoad(), (DocumentProblem{"Receive_Frame.xml", 1, "Dim", "'abc' is not a valid integer value"}));
    EXPECT_EQ(bank[0], 0x81); // COBID was stored before the failure

    Row info = InfoRow(0);
    info.erase(info.begin() + 3); // no B3
    Receive({FrameXmlRow("1", "8"), FrameXmlRow("2", "8")}, {InfoRow(0), info});
    const DocumentProblem missing = ProblemOfLoad();
    EXPECT_EQ(missing.Document, "Receive_Info.xml");
    EXPECT_EQ(missing.Row, 2);
    EXPECT_EQ(missing.Field, "B3");
    EXPECT_NE(missing.Text.find("\"B3\""), std::string::npos);

    Pargen("<Par_Gen><Can_Baud>x</Can_Baud></Par_Gen>");
    Receive({FrameXmlRow("1", "8")}, {InfoRow(0)});
    EXPECT_EQ(ProblemOfLoad().Field, "Can_Baud");

    ws.dir.Write("PROJECTS/P/Receive_Frame.xml", "<Receive_Frames><row COBID=\"1\"");
    EXPECT_NE(FailureOfLoad().find("well-formed"), std::string::npos);
}

TEST_F(LoaderTest, AMissingDocumentSkipsItsSideSilently)
{
    ws.dir.Write("PROJECTS/P/Receive_Frame.xml", RowsDocument("Receive_Frames", {FrameXmlRow("abc", "8")}));
    ws.dir.Write("PROJECTS/P/Send_Info.xml", "not xml at all");
    Pargen(DefaultPargen());
    EXPECT_NO_THROW(Load());
    EXPECT_EQ(Bytes(kParameterBlock + 7, 2), (std::vector<int>{0, 0}));
}

} // namespace

namespace {

// The one layout table that the writer, the decoder and the verification read: records packed
// without gaps, areas in order, 255 records of a side inside its area.
TEST(BankLayoutTest, AreasAndRecordsArePackedAndHoldTheirLargestTables)
{
    size_t areaEnd = 0;
    for (const BankArea* area : {&kReceiveArea, &kSendArea, &kParameterArea}) {
        EXPECT_EQ(area->Offset, areaEnd) << area->Name;
        areaEnd = area->Offset + area->Size;
        size_t fieldEnd = 0;
        for (const BankField& field : area->Fields) {
            EXPECT_EQ(field.Offset, fieldEnd) << area->Name << " " << field.Name;
            fieldEnd += field.Width;
        }
        EXPECT_EQ(fieldEnd, area->RecordSize) << area->Name;
        if (area != &kParameterArea) {
            EXPECT_LE(255 * area->RecordSize, area->Size) << area->Name;
        }
    }
    EXPECT_LE(areaEnd, kBankSize);
    EXPECT_EQ(ParameterOffset(BankValue::ReceiveCount), 15007u);
    EXPECT_EQ(BankLastAddress(2), 0x39BFFFu);
}

} // namespace
