#include "common/Failure.h"
#include "devicenet/ReplayReceive.h"
#include "devicenet/ReplaySend.h"
#include "gateway/GatewayProject.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>

inline namespace zz {
namespace {

ReplayConfiguration TwoFrames()
{
    ReplayConfiguration c;
    c.NetIn = 8;
    c.NetOut = 4;
    c.TimeOutDataS = 1;
    c.Receive = {{0x181, 4, {0, 1, 255, 9, 2, 2, 2, 2}},
                 {0x281, 2, {6, 7, 255, 255, 255, 255, 255, 255}},
                 {0x181, 8, {3, 3, 3, 3, 3, 3, 3, 3}}}; // shadowed by the first row
    c.Send = {{0x201, 3, {0, 255, 3, 255, 255, 255, 255, 255}}, {0x202, 1, {1, 255, 255, 255, 255, 255, 255, 255}}};
    return c;
}

CanLogFrame Frame(int64_t ms, uint32_t id, bool extended, CanFrameKind kind, std::vector<uint8_t> data)
{
    CanLogFrame f;
    f.TimeNs = ms * 1000000;
    f.Time = LogTimeText(f.TimeNs);
    f.Id = id;
    f.Extended = extended;
    f.Kind = kind;
    f.Length = static_cast<uint8_t>(data.size());
    std::copy(data.begin(), data.end(), f.Data.begin());
    return f;
}

// The receive direction as the gateway's description states it, written plainly.
struct ReferenceModel {
    ReplayConfiguration C;
    std::vector<uint8_t> Image;
    std::map<uint32_t, int64_t> Seen;
    std::map<uint32_t, bool> Reported;
    int64_t Start = -1;
    std::vector<std::string> Timeline;

    void Apply(const CanLogFrame& f)
    {
        if (Start < 0) Start = f.TimeNs;
        if (C.TimeOutDataS > 0) {
            std::vector<std::pair<int64_t, uint32_t>> due;
            for (const ReplayFrameRow& row : C.Receive) {
                const int64_t last = Seen.count(row.CobId) ? Seen[row.CobId] : Start;
                const int64_t deadline = last + int64_t{C.TimeOutDataS} * 1000000000;
                if (f.TimeNs > deadline && !Reported[row.CobId]) {
                    due.emplace_back(deadline, row.CobId);
                    Reported[row.CobId] = true;
                }
            }
            std::sort(due.begin(), due.end());
            for (const auto& [when, id] : due)
                Timeline.push_back("timeout " + LogTimeText(when) + " " + std::to_string(id));
        }
        if (f.Kind != CanFrameKind::Data || f.Extended != C.Extended) return;
        for (const ReplayFrameRow& row : C.Receive) {
            if (row.CobId != f.Id) continue;
            Seen[row.CobId] = f.TimeNs;
            Reported[row.CobId] = false;
            const std::vector<uint8_t> before = Image;
            for (size_t k = 1; k <= std::min<size_t>(row.Dim, f.Length) && k <= 8; ++k)
                if (row.Bytes[k - 1] != 255 && row.Bytes[k - 1] < C.NetIn) Image[row.Bytes[k - 1]] = f.Data[k - 1];
            if (Image != before) Timeline.push_back("change " + f.Time + " " + std::to_string(f.Id));
            return;
        }
    }
};

TEST(ReceiveReplay, AgreesWithTheReferenceModelOnARandomMixedLog)
{
    for (bool extended : {false, true}) {
        ReplayConfiguration c = TwoFrames();
        c.Extended = extended;
        ReceiveReplay replay(c);
        ReferenceModel model;
        model.C = c;
        model.Image.assign(static_cast<size_t>(c.NetIn), 0);
        std::vector<std::string> timeline;
        std::mt19937 random(extended ? 7 : 3);
        int64_t ms = 0;
        for (int i = 0; i < 20000; ++i) {
            ms += random() % 300;
            const uint32_t ids[] = {0x181, 0x281, 0x381};
            std::vector<uint8_t> data(random() % 9);
            for (uint8_t& b : data) b = static_cast<uint8_t>(random() % 3);
            const auto kind = static_cast<CanFrameKind>(random() % 8 < 5 ? 0 : random() % 4);
            const CanLogFrame f = Frame(ms, ids[random() % 3], random() % 4 == 0 ? !extended : extended, kind, data);
            model.Apply(f);
            const ReplayStep step = replay.Apply(f, [&](const ReplayEvent& e) {
                timeline.push_back("timeout " + e.Time + " " + std::to_string(e.CobId));
            });
            if (step.Changed) timeline.push_back("change " + f.Time + " " + std::to_string(f.Id));
        }
        ASSERT_EQ(timeline, model.Timeline);
        EXPECT_EQ(replay.Image(), model.Image);
        const ReplayCounts& n = replay.Counts();
        EXPECT_EQ(n.Read, n.Applied + n.NotConfigured + n.Remote + n.Error + n.Fd + n.OtherLength);
        EXPECT_GT(n.Short, 0);
        EXPECT_GT(n.TimeOuts, 0);
    }
}

TEST(ReceiveReplay, WritesOnlyMappedBytesInsideTheAreaAndCountsWhatItIgnores)
{
    ReceiveReplay replay(TwoFrames());
    const auto apply = [&](const CanLogFrame& f) { return replay.Apply(f, {}); };
    EXPECT_TRUE(apply(Frame(0, 0x181, false, CanFrameKind::Data, {1, 2, 3, 4, 5, 6})).Changed);
    EXPECT_EQ(replay.Image(), (std::vector<uint8_t>{1, 2, 0, 0, 0, 0, 0, 0})); // B3 none, B4 outside, Dim 4
    EXPECT_FALSE(apply(Frame(1, 0x181, false, CanFrameKind::Data, {1})).Changed);
    EXPECT_FALSE(apply(Frame(2, 0x281, false, CanFrameKind::Remote, {})).Applied);
    EXPECT_FALSE(apply(Frame(3, 0x281, true, CanFrameKind::Data, {9, 9})).Applied);
    EXPECT_FALSE(apply(Frame(4, 0x282, false, CanFrameKind::Data, {9, 9})).Applied);
    EXPECT_FALSE(apply(Frame(4, 0x282, false, CanFrameKind::Data, {9, 9})).Applied);
    const ReplayCounts& n = replay.Counts();
    EXPECT_EQ(n.Short, 1);
    EXPECT_EQ(n.Remote + n.OtherLength, 2);
    EXPECT_EQ(n.NotConfigured, 2);
    const std::vector<IgnoredFrames> ignored = replay.Ignored();
    ASSERT_EQ(ignored.size(), 3u);
    EXPECT_EQ(ignored.back().Count, 2);
}

TEST(SendReplay, SendsChangedFramesOrEveryDelay)
{
    std::vector<std::string> sent;
    const auto record = [&](const SentFrame& f) {
        std::string text = LogTimeText(f.TimeNs) + " " + std::to_string(f.Id) + ":";
        for (size_t k = 0; k < f.Length; ++k) text += " " + std::to_string(f.Data[k]);
        sent.push_back(text);
    };
    SendReplay onChange(TwoFrames(), record);
    EXPECT_EQ(onChange.Line("0.5\t01 02 03 04"), "");
    EXPECT_EQ(onChange.Line("# a comment"), "");
    EXPECT_EQ(onChange.Line("1\t0100\r"), ""); // byte 1 (frame 0x202) changed; the rest zero
    EXPECT_EQ(onChange.Line("0.9\t00"), "its time is earlier than the line before");
    EXPECT_EQ(onChange.Line("2.0\t0102030405"), "more than the 4 output bytes (Net_Out)");
    EXPECT_EQ(onChange.Line("2.0 0102"), "no tab after the time");
    EXPECT_EQ(onChange.Line("2.0\t0x"), "the output bytes are not hexadecimal pairs");
    onChange.Finish();
    EXPECT_EQ(sent, (std::vector<std::string>{"0.500000 513: 1 0 4", "0.500000 514: 2", "1.000000 513: 1 0 0",
                                              "1.000000 514: 0"}));

    ReplayConfiguration every = TwoFrames();
    every.SendEvery = true;
    every.DelaySendMs = 400;
    every.Send.pop_back();
    sent.clear();
    SendReplay timed(every, record);
    timed.Line("1.0\t05");
    timed.Line("1.5\t06");
    timed.Line("1.8\t07");
    timed.Finish();
    EXPECT_EQ(sent, (std::vector<std::string>{"1.000000 513: 5 0 0", "1.400000 513: 5 0 0", "1.800000 513: 7 0 0"}));

    every.DelaySendMs = 0;
    EXPECT_THROW(SendReplay(every, record), Failure);
}

TEST(ReplayConfiguration, ReadsWhatTheLoaderBuildsAndRefusesAProjectThatDoesNotBuild)
{
    const ReplayConfiguration demo =
        LoadReplayConfiguration(LoadGatewayProject(ProjectLayout::Of(ZZ_DEMO_PROJECT_DIR)));
    EXPECT_FALSE(demo.Extended);
    EXPECT_TRUE(demo.SendEvery);
    EXPECT_EQ(demo.DelaySendMs, 100);
    EXPECT_EQ(demo.TimeOutDataS, 5);
    EXPECT_EQ(demo.NetIn, 32);
    EXPECT_EQ(demo.NetOut, 24);
    ASSERT_EQ(demo.Receive.size(), 5u);
    EXPECT_EQ(demo.Receive[1].CobId, 0x281u);
    EXPECT_EQ(demo.Receive[1].Dim, 4);
    EXPECT_EQ(demo.Receive[4].Bytes[0], 20);

    const TempDir dir;
    for (const char* name : {"pargen.xml", "Receive_Frame.xml", "Receive_Info.xml", "Send_Frame.xml", "Send_Info.xml"})
        std::filesystem::copy_file(std::string(ZZ_DEMO_PROJECT_DIR) + "/" + name, dir.File(name));
    dir.Write("Receive_Frame.xml", "<Receive_Frames>\n  <row COBID=\"zz\" Dim=\"8\" Delete=\"N\" Mnemonic=\"\"/>\n"
                                   "</Receive_Frames>\n");
    try {
        LoadReplayConfiguration(LoadGatewayProject(ProjectLayout::Of(dir.Path())));
        FAIL() << "built";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.Problem().Document, "Receive_Frame.xml");
        EXPECT_EQ(failure.Problem().Field, "COBID");
    }
}

} // namespace
} // namespace zz
