#include "devicenet/ReplayReceive.h"

#include <algorithm>
#include <limits>

inline namespace zz {

namespace {

constexpr size_t kMostIgnoredKeys = 10000;
constexpr int64_t kNever = std::numeric_limits<int64_t>::max();

} // namespace

const char* IgnoredKindName(IgnoredKind kind)
{
    switch (kind) {
    case IgnoredKind::Remote: return "remote frame";
    case IgnoredKind::Error: return "error frame";
    case IgnoredKind::Fd: return "CAN FD frame";
    case IgnoredKind::OtherLength: return "other identifier length";
    case IgnoredKind::NotConfigured: return "not configured";
    }
    return "";
}

ReceiveReplay::ReceiveReplay(ReplayConfiguration configuration)
    : configuration_(std::move(configuration)),
      image_(static_cast<size_t>(configuration_.NetIn), 0)
{
    for (size_t row = 0; row < configuration_.Receive.size(); ++row) {
        const uint32_t id = configuration_.Receive[row].CobId;
        const bool known = std::any_of(rowById_.begin(), rowById_.end(), [&](const auto& e) { return e.first == id; });
        if (!known) rowById_.emplace_back(id, row);
    }
    std::sort(rowById_.begin(), rowById_.end());
    lastSeen_.assign(rowById_.size(), 0);
    timedOut_.assign(rowById_.size(), false);
    nextDeadline_ = kNever;
}

void ReceiveReplay::TimeOuts(int64_t now, const std::function<void(const ReplayEvent&)>& onEvent)
{
    const int64_t limit = int64_t{configuration_.TimeOutDataS} * 1000000000;
    if (limit == 0) return;
    if (!started_) {
        started_ = true;
        std::fill(lastSeen_.begin(), lastSeen_.end(), now);
        nextDeadline_ = rowById_.empty() ? kNever : now + limit;
        return;
    }
    if (now <= nextDeadline_) return;
    // Expired ones in the order of their moment.
    std::vector<std::pair<int64_t, size_t>> expired;
    nextDeadline_ = kNever;
    for (size_t k = 0; k < rowById_.size(); ++k) {
        if (timedOut_[k]) continue;
        const int64_t deadline = lastSeen_[k] + limit;
        if (now > deadline) {
            expired.emplace_back(deadline, k);
            timedOut_[k] = true;
        } else {
            nextDeadline_ = std::min(nextDeadline_, deadline);
        }
    }
    std::sort(expired.begin(), expired.end());
    for (const auto& [deadline, k] : expired) {
        ++counts_.TimeOuts;
        ReplayEvent event;
        event.Kind = ReplayEventKind::TimeOut;
        event.TimeNs = deadline;
        event.Time = LogTimeText(deadline);
        event.CobId = rowById_[k].first;
        event.Row = rowById_[k].second;
        if (onEvent) onEvent(event);
    }
}

void ReceiveReplay::Ignore(IgnoredKind kind, const CanLogFrame& frame)
{
    switch (kind) {
    case IgnoredKind::Remote: ++counts_.Remote; break;
    case IgnoredKind::Error: ++counts_.Error; break;
    case IgnoredKind::Fd: ++counts_.Fd; break;
    case IgnoredKind::OtherLength: ++counts_.OtherLength; break;
    case IgnoredKind::NotConfigured: ++counts_.NotConfigured; break;
    }
    const auto key = std::make_tuple(static_cast<int>(kind), frame.Extended, frame.Id);
    auto found = ignored_.find(key);
    if (found == ignored_.end()) {
        if (ignored_.size() >= kMostIgnoredKeys) return;
        found = ignored_.emplace(key, IgnoredFrames{kind, frame.Id, frame.Extended, 0, frame.Time}).first;
    }
    ++found->second.Count;
}

ReplayStep ReceiveReplay::Apply(const CanLogFrame& frame, const std::function<void(const ReplayEvent&)>& onEvent)
{
    ReplayStep step;
    step.Written.fill(255);
    ++counts_.Read;
    lastTime_ = frame.TimeNs;
    TimeOuts(frame.TimeNs, onEvent);
    switch (frame.Kind) {
    case CanFrameKind::Remote: Ignore(IgnoredKind::Remote, frame); return step;
    case CanFrameKind::Error: Ignore(IgnoredKind::Error, frame); return step;
    case CanFrameKind::Fd: Ignore(IgnoredKind::Fd, frame); return step;
    case CanFrameKind::Data: break;
    }
    if (frame.Extended != configuration_.Extended) {
        Ignore(IgnoredKind::OtherLength, frame);
        return step;
    }
    const auto at = std::lower_bound(rowById_.begin(), rowById_.end(), std::make_pair(frame.Id, size_t{0}));
    if (at == rowById_.end() || at->first != frame.Id) {
        Ignore(IgnoredKind::NotConfigured, frame);
        return step;
    }
    const size_t k = static_cast<size_t>(at - rowById_.begin());
    lastSeen_[k] = frame.TimeNs;
    if (timedOut_[k]) timedOut_[k] = false;
    if (configuration_.TimeOutDataS > 0)
        nextDeadline_ = std::min(nextDeadline_, frame.TimeNs + int64_t{configuration_.TimeOutDataS} * 1000000000);

    const ReplayFrameRow& row = configuration_.Receive[at->second];
    step.Applied = true;
    step.Row = at->second;
    ++counts_.Applied;
    if (frame.Length < row.Dim) ++counts_.Short;
    const size_t bytes = std::min<size_t>({row.Dim, frame.Length, 8});
    for (size_t b = 0; b < bytes; ++b) {
        const uint8_t target = row.Bytes[b];
        if (target == 255 || target >= image_.size()) continue;
        step.Written[b] = target;
        if (image_[target] != frame.Data[b]) {
            image_[target] = frame.Data[b];
            step.Changed = true;
        }
    }
    if (step.Changed) ++counts_.Changed;
    return step;
}

ReplayEvent ReceiveReplay::Drop(int64_t line, uint64_t frames)
{
    counts_.Dropped += frames;
    ReplayEvent event;
    event.Kind = ReplayEventKind::Dropped;
    event.TimeNs = lastTime_;
    event.Time = LogTimeText(lastTime_);
    event.Frames = frames;
    event.Line = line;
    return event;
}

std::vector<IgnoredFrames> ReceiveReplay::Ignored() const
{
    std::vector<IgnoredFrames> list;
    list.reserve(ignored_.size());
    for (const auto& [key, frames] : ignored_) list.push_back(frames);
    return list;
}

} // namespace zz
