#include "canbus/CanLogTestRead.h"
#include "canbus/CandumpLine.h"
#include "common/Failure.h"

#include <gtest/gtest.h>

inline namespace zz {
namespace {

std::string Bytes(const CanLogFrame& f)
{
    std::string text;
    for (size_t k = 0; k < f.Length; ++k) text += std::to_string(f.Data[k]) + ",";
    return text;
}

TEST(CandumpLog, ReadsEveryKindOfLineAndCrLf)
{
    const ReadLog read = ReadText("(1700000000.100000) can0 123#1122334455667788\r\n"
                                  "(1700000000.200000) vcan1 12345678#AA.BB T\n"
                                  "(1700000000.300000) can0 123#R\n"
                                  "(1700000000.350000) can0 123#R3 R\n"
                                  "(1700000000.400000) can0 123##1112233\n"
                                  "DROPCOUNT: dropped 3 CAN frames on 'can0' socket (total drops 3)\r\n"
                                  "(1700000000.500000) can0 20000004#0000080000000000\n"
                                  "(1700000000.600000) can0 7FF#\n"
                                  "(1700000000.700000) can0 001#0102030405060708_C\n"
                                  "\n"
                                  "(1700000000.800000) can0 1234#00\n"
                                  "(1700000000.900000) can0 800#00\n"
                                  "(1700000001.000000) can0 123#112\n"
                                  "(1700000001.100000) can0 123#11 X\n"
                                  "(1700000001.200000) can0 123#1122334455667788AA");
    ASSERT_EQ(read.Summary.Format, CanLogFormat::Candump);
    ASSERT_EQ(read.Frames.size(), 8u);
    const CanLogFrame& first = read.Frames[0];
    EXPECT_EQ(first.Time, "1700000000.100000");
    EXPECT_EQ(first.TimeNs, 1700000000100000000);
    EXPECT_EQ(first.Id, 0x123u);
    EXPECT_FALSE(first.Extended);
    EXPECT_EQ(Bytes(first), "17,34,51,68,85,102,119,136,");
    EXPECT_TRUE(read.Frames[1].Extended);
    EXPECT_EQ(read.Frames[1].Id, 0x12345678u);
    EXPECT_EQ(Bytes(read.Frames[1]), "170,187,");
    EXPECT_EQ(read.Frames[2].Kind, CanFrameKind::Remote);
    EXPECT_EQ(read.Frames[3].Kind, CanFrameKind::Remote);
    EXPECT_EQ(read.Frames[3].Length, 3);
    EXPECT_EQ(read.Frames[4].Kind, CanFrameKind::Fd);
    EXPECT_EQ(read.Frames[4].Length, 3);
    EXPECT_EQ(read.Frames[5].Kind, CanFrameKind::Error);
    EXPECT_EQ(read.Frames[6].Length, 0);
    EXPECT_EQ(read.Frames[7].Length, 8);
    EXPECT_EQ(read.Frames[7].Line, 9);
    ASSERT_EQ(read.Dropped.size(), 1u);
    EXPECT_EQ(read.Dropped[0], std::make_pair(int64_t{6}, uint64_t{3}));
    std::vector<int64_t> lines;
    for (const auto& [line, why] : read.Unreadable) lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<int64_t>{11, 12, 13, 14, 15}));
    EXPECT_EQ(read.Summary.Unreadable, 5);
    EXPECT_EQ(read.Summary.Lines, 15);
}

TEST(AscLog, ReadsFramesAndSkipsHeaderStatisticsAndEvents)
{
    const ReadLog read =
        ReadText("date Tue Nov 14 22:13:20 2023\r\n"
                 "base hex  timestamps absolute\n"
                 "no internal events logged\n"
                 "// version 9.0.0\n"
                 "Begin Triggerblock Tue Nov 14 22:13:20 2023\n"
                 "   0.000000 Start of measurement\n"
                 "   0.000000 1  123             Rx   d 8 11 22 33 44 55 66 77 88\r\n"
                 "   0.100000 1  12345678x       Tx   d 2 AA BB  Length = 0 BitCount = 0\n"
                 "   0.200000 1  123             Rx   r\n"
                 "   0.250000 1  123             Rx   r 3\n"
                 "   0.300000 CANFD   1 Rx        123   1 0 3  3 11 22 33   130000  130     3000 0 0 0 0 0\n"
                 "   0.310000 CANFD   1 Rx        124  Name  0 0 2  2 11 22   130000  130     0 0 0 0 0 0\n"
                 "   0.320000 CANFD   1 Rx        125   0 0 0  0   130000  130     10 0 0 0 0 0\n"
                 "   0.400000 1  ErrorFrame\n"
                 "   1.000000 1  Statistic: D 0 R 0 XD 0 XR 0 E 0 O 0 B 0.00%\n"
                 "   1.000000 CAN 1 Status:chip status error active\n"
                 "   1.100000 1  123             Rx   d 8 11 22\n"
                 "garbage\n"
                 "End TriggerBlock\n");
    ASSERT_EQ(read.Summary.Format, CanLogFormat::Asc);
    ASSERT_EQ(read.Frames.size(), 8u);
    EXPECT_EQ(read.Frames[0].Time, "0.000000");
    EXPECT_EQ(Bytes(read.Frames[0]), "17,34,51,68,85,102,119,136,");
    EXPECT_TRUE(read.Frames[1].Extended);
    EXPECT_EQ(Bytes(read.Frames[1]), "170,187,");
    EXPECT_EQ(read.Frames[2].Kind, CanFrameKind::Remote);
    EXPECT_EQ(read.Frames[3].Length, 3);
    EXPECT_EQ(read.Frames[4].Kind, CanFrameKind::Fd);
    EXPECT_EQ(read.Frames[5].Kind, CanFrameKind::Data); // a classic frame in the CANFD form
    EXPECT_EQ(read.Frames[5].Id, 0x124u);
    EXPECT_EQ(read.Frames[6].Kind, CanFrameKind::Remote);
    EXPECT_EQ(read.Frames[7].Kind, CanFrameKind::Error);
    std::vector<int64_t> lines;
    for (const auto& [line, why] : read.Unreadable) lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<int64_t>{17, 18}));
}

TEST(CanLog, RefusesWhatIsNoLogAndReportsHeldLinesOnceOneIsRead)
{
    const auto refusal = [](const std::string& text) {
        try {
            ReadText(text);
        } catch (const Failure& failure) {
            return std::string(failure.what());
        }
        return std::string("read");
    };
    EXPECT_EQ(refusal(""), "'log' is empty: it holds no CAN frames");
    EXPECT_NE(refusal("  can0  123   [8]  11 22 33 44 55 66 77 88\n  can0  124   [1]  11\n")
                  .find("is no candump -l or ASC log: none of its lines can be read (line 1: "),
              std::string::npos);
    EXPECT_NE(refusal(std::string("\x7f"
                                  "ELF\0\0\x01\n\0\0",
                                  10))
                  .find("is not a text file"),
              std::string::npos);
    EXPECT_NE(refusal(std::string(10000, 'A')).find("(line 1: longer than 4,096 characters)"), std::string::npos);

    const ReadLog late = ReadText("junk\nmore junk\n(1.000000) can0 123#01\n", 3);
    EXPECT_EQ(late.Unreadable.size(), 2u);
    EXPECT_EQ(late.Frames.size(), 1u);
}

TEST(CanLog, StopsWhenAHandlerSaysSo)
{
    int seen = 0;
    CanLogReader reader({.Frame = [&](const CanLogFrame&) { return ++seen < 2; },
                         .Unreadable = {},
                         .Dropped = {},
                         .Progress = {},
                         .Format = {}});
    EXPECT_FALSE(reader.Feed("(1.000000) can0 123#01\n(2.000000) can0 123#01\n(3.000000) can0 123#01\n"));
    EXPECT_TRUE(reader.Finish("log").Cancelled);
    EXPECT_EQ(seen, 2);
}

TEST(CandumpLine, WritesZeroPaddedTimesAndIdentifiersOfBothLengths)
{
    const uint8_t data[] = {1, 0xAB};
    EXPECT_EQ(CandumpLineOf(1500000000, "can0", 0x81, false, data, 2), "(0000000001.500000) can0 081#01AB\n");
    EXPECT_EQ(CandumpLineOf(0, "can0", 0x1ABCDEF, true, data, 0), "(0000000000.000000) can0 01ABCDEF#\n");
}

} // namespace
} // namespace zz
