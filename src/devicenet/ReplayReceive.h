#pragma once
#include "canbus/CanLogFrame.h"
#include "devicenet/ReplayConfiguration.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

inline namespace zz {

// The receive direction of the gateway, replayed frame by frame on a recorded log: the
// DeviceNet input image (Net_In bytes, zero at the start) and what happens to each frame.
//  - A data frame whose identifier and identifier length (CAN_Type) match a receive frame, the
//    first such row, writes its CAN byte k (1 to the smaller of Dim and its length) into input
//    byte Bk, when Bk is not 255 and lies inside Net_In. Shorter than Dim: counted as short.
//  - Remote, error and CAN FD frames, frames of the other identifier length and identifiers
//    not in the table change nothing and are counted.
//  - With TimeOut_Data > 0, a receive frame not seen for longer than TimeOut_Data seconds
//    (from the log's first frame on) is a time-out at the moment it expired, once per gap.

enum class ReplayEventKind { TimeOut, Dropped };

struct ReplayEvent {
    ReplayEventKind Kind = ReplayEventKind::TimeOut;
    int64_t TimeNs = 0;
    std::string Time;    // six decimals; a drop carries the time of the frame before it
    uint32_t CobId = 0;  // a time-out's receive frame
    size_t Row = 0;      // its row, from 0
    uint64_t Frames = 0; // a drop's frames
    int64_t Line = 0;    // a drop's line
};

// How frames were ignored, by kind.
enum class IgnoredKind { Remote, Error, Fd, OtherLength, NotConfigured };
const char* IgnoredKindName(IgnoredKind kind);

struct ReplayCounts {
    int64_t Read = 0;          // frames of the log
    int64_t Applied = 0;       // data frames of a receive frame
    int64_t Changed = 0;       // of those, frames that changed the image
    int64_t Short = 0;         // applied frames shorter than Dim
    int64_t NotConfigured = 0; // data frames of the right length whose identifier is no receive frame
    int64_t Remote = 0, Error = 0, Fd = 0, OtherLength = 0;
    int64_t TimeOuts = 0;
    int64_t Unreadable = 0; // lines, counted by the caller
    uint64_t Dropped = 0;   // frames of DROPCOUNT lines
};

// Ignored frames by kind and identifier: how often, the first time.
struct IgnoredFrames {
    IgnoredKind Kind = IgnoredKind::NotConfigured;
    uint32_t Id = 0;
    bool Extended = false;
    int64_t Count = 0;
    std::string FirstTime;
};

// What one frame did.
struct ReplayStep {
    bool Applied = false;
    bool Changed = false;
    size_t Row = 0;                   // when applied
    std::array<uint8_t, 8> Written{}; // input bytes written (255: none), per CAN byte
};

class ReceiveReplay {
public:
    explicit ReceiveReplay(ReplayConfiguration configuration);

    // Replays one frame; the time-outs that expired before it go to `onEvent` first.
    ReplayStep Apply(const CanLogFrame& frame, const std::function<void(const ReplayEvent&)>& onEvent);
    // A DROPCOUNT line.
    ReplayEvent Drop(int64_t line, uint64_t frames);

    const std::vector<uint8_t>& Image() const { return image_; }
    const ReplayCounts& Counts() const { return counts_; }
    ReplayCounts& Counts() { return counts_; }
    const ReplayConfiguration& Configuration() const { return configuration_; }
    // The ignored frames by kind and identifier (the first 10,000 distinct ones).
    std::vector<IgnoredFrames> Ignored() const;

private:
    void Ignore(IgnoredKind kind, const CanLogFrame& frame);
    void TimeOuts(int64_t now, const std::function<void(const ReplayEvent&)>& onEvent);

    ReplayConfiguration configuration_;
    std::vector<uint8_t> image_;
    ReplayCounts counts_;
    std::vector<std::pair<uint32_t, size_t>> rowById_; // sorted; the first row of each identifier
    std::vector<int64_t> lastSeen_;                    // per row of rowById_
    std::vector<bool> timedOut_;
    bool started_ = false;
    int64_t lastTime_ = 0;
    int64_t nextDeadline_ = 0;
    std::map<std::tuple<int, bool, uint32_t>, IgnoredFrames> ignored_;
};

} // namespace zz
