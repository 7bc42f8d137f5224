#include "devicenet/ReplayTimeline.h"

#include <cstdio>

inline namespace zz {

namespace {

constexpr size_t kMostEvents = 10000;

std::string Hex(uint32_t id)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", id);
    return text;
}

} // namespace

void ReplayTimeline::Add(ReplayChange change, const std::vector<uint8_t>& imageAfter)
{
    changes_.push_back(std::move(change));
    if (changes_.size() % kEvery == 0) saved_.push_back(imageAfter);
}

std::vector<uint8_t> ReplayTimeline::ImageAfter(size_t steps) const
{
    steps = std::min(steps, changes_.size());
    const size_t block = steps / kEvery;
    std::vector<uint8_t> image = block == 0 ? start_ : saved_[block - 1];
    for (size_t k = block * kEvery; k < steps; ++k)
        for (const auto& [byte, value] : changes_[k].Bytes) image[byte] = value;
    return image;
}

ReplayTimeline ReplayLogFile(const ReplayConfiguration& configuration, const std::string& path,
                             const std::function<bool(double)>& progress)
{
    ReceiveReplay replay(configuration);
    ReplayTimeline timeline(configuration.NetIn);
    const auto note = [&](std::string time, std::string text) {
        if (timeline.Events.size() < kMostEvents) timeline.Events.push_back({std::move(time), std::move(text)});
    };
    const double size = static_cast<double>(CanLogFileSize(path));
    std::vector<uint8_t> before;
    CanLogHandlers handlers;
    handlers.Frame = [&](const CanLogFrame& frame) {
        before = replay.Image();
        const ReplayStep step = replay.Apply(frame, [&](const ReplayEvent& e) {
            note(e.Time, "Time-out: " + Hex(e.CobId) + " (receive frame " + std::to_string(e.Row + 1) +
                             ") not seen for longer than " + std::to_string(configuration.TimeOutDataS) + " s");
        });
        if (!step.Changed) return true;
        ReplayChange change{frame.Time, frame.Id, step.Row, frame.Line, {}};
        for (uint8_t b : step.Written)
            if (b != 255 && before[b] != replay.Image()[b]) change.Bytes.emplace_back(b, replay.Image()[b]);
        timeline.Add(std::move(change), replay.Image());
        return true;
    };
    handlers.Unreadable = [&](int64_t line, const std::string& why) {
        note({}, "Line " + std::to_string(line) + " skipped: " + why);
    };
    handlers.Dropped = [&](int64_t line, uint64_t frames) {
        const ReplayEvent e = replay.Drop(line, frames);
        note(e.Time, "Line " + std::to_string(line) + ": the socket dropped " + std::to_string(frames) + " frames");
    };
    handlers.Progress = [&](uint64_t bytes) {
        return !progress || progress(size > 0 ? static_cast<double>(bytes) / size : 0.0);
    };
    const CanLogSummary summary = ReadCanLogFile(path, handlers);
    timeline.Counts = replay.Counts();
    timeline.Counts.Unreadable = summary.Unreadable;
    timeline.Ignored = replay.Ignored();
    timeline.Format = summary.Format;
    timeline.Cancelled = summary.Cancelled;
    return timeline;
}

} // namespace zz
