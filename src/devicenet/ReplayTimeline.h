#pragma once
#include "canbus/CanLogReader.h"
#include "devicenet/ReplayReceive.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

inline namespace zz {

// A whole replayed log kept for walking through: every change of the input image (the bytes it
// wrote), the events and the counts. The image at any step is rebuilt from a saved image every
// 1,024 changes, so the memory grows with the changes, not with the frames.
struct ReplayChange {
    std::string Time;
    uint32_t CobId = 0;
    size_t Row = 0;                                 // the receive frame's row, from 0
    int64_t Line = 0;                               // in the log
    std::vector<std::pair<uint8_t, uint8_t>> Bytes; // input byte and its new value
};

struct ReplayNote {
    std::string Time; // empty when the note has none
    std::string Text;
};

class ReplayTimeline {
public:
    explicit ReplayTimeline(int imageSize = 0)
        : start_(static_cast<size_t>(imageSize), 0)
    {
    }

    void Add(ReplayChange change, const std::vector<uint8_t>& imageAfter);
    size_t Size() const { return changes_.size(); }
    const ReplayChange& Change(size_t k) const { return changes_[k]; }
    // The image after the first `steps` changes (0: the start, all zero).
    std::vector<uint8_t> ImageAfter(size_t steps) const;

    std::vector<ReplayNote> Events; // time-outs, drops and unreadable lines, in the log's order (10,000 at most)
    std::vector<IgnoredFrames> Ignored;
    ReplayCounts Counts;
    CanLogFormat Format = CanLogFormat::Unknown;
    bool Cancelled = false;

private:
    static constexpr size_t kEvery = 1024;
    std::vector<uint8_t> start_;
    std::vector<ReplayChange> changes_;
    std::vector<std::vector<uint8_t>> saved_; // the image after change kEvery * (k + 1)
};

// Replays a log file through the configuration into a timeline. `progress` gets the share read
// (0 to 1) every few thousand lines and returns false to cancel (the timeline then says so).
// Throws Failure as ReadCanLogFile does.
ReplayTimeline ReplayLogFile(const ReplayConfiguration& configuration, const std::string& path,
                             const std::function<bool(double)>& progress = {});

} // namespace zz
