#include "devicenet/ReplaySend.h"

#include "common/AsciiText.h"

#include "canbus/CanLogFrame.h"
#include "common/Failure.h"

#include <algorithm>

inline namespace zz {

namespace {

uint8_t Mapped(const std::vector<uint8_t>& image, uint8_t byte)
{
    return byte < image.size() ? image[byte] : 0;
}

} // namespace

SendReplay::SendReplay(ReplayConfiguration configuration, FrameSink onFrame)
    : configuration_(std::move(configuration)),
      onFrame_(std::move(onFrame))
{
    if (configuration_.SendEvery && configuration_.DelaySendMs == 0)
        throw Failure("How_Send sends every Delay_Send ms, but Delay_Send is 0: no frames can be timed");
    image_.assign(static_cast<size_t>(configuration_.NetOut), 0);
}

void SendReplay::Emit(int64_t time, size_t row)
{
    const ReplayFrameRow& frame = configuration_.Send[row];
    SentFrame sent;
    sent.TimeNs = time;
    sent.Id = frame.CobId;
    sent.Extended = configuration_.Extended;
    sent.Length = std::min<uint8_t>(frame.Dim, 8);
    sent.Row = row;
    for (size_t k = 0; k < sent.Length; ++k) sent.Data[k] = Mapped(image_, frame.Bytes[k]);
    ++frames_;
    onFrame_(sent);
}

void SendReplay::EmitTicksBefore(int64_t end, bool inclusive)
{
    const int64_t step = int64_t{configuration_.DelaySendMs} * 1000000;
    while (nextTick_ < end || (inclusive && nextTick_ == end)) {
        for (size_t row = 0; row < configuration_.Send.size(); ++row) Emit(nextTick_, row);
        nextTick_ += step;
    }
}

std::string SendReplay::Line(std::string_view line)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    if (line.empty() || line.front() == '#') return {};
    const size_t tab = line.find('\t');
    if (tab == std::string_view::npos) return "no tab after the time";
    int64_t time = 0;
    if (!ParseLogTime(line.data(), line.data() + tab, time)) {
        // A whole number of seconds is a time too.
        const std::string seconds = std::string(line.substr(0, tab)) + ".0";
        if (!ParseLogTime(seconds.data(), seconds.data() + seconds.size(), time))
            return "no time in seconds before the tab";
    }
    if (images_ > 0 && time < lastTime_) return "its time is earlier than the line before";
    std::vector<uint8_t> bytes;
    bytes.reserve(image_.size());
    for (size_t at = tab + 1; at < line.size();) {
        if (line[at] == ' ' || line[at] == '\t') {
            ++at;
            continue;
        }
        const int high = HexDigitValue(line[at]);
        const int low = at + 1 < line.size() ? HexDigitValue(line[at + 1]) : -1;
        if (high < 0 || low < 0) return "the output bytes are not hexadecimal pairs";
        if (bytes.size() == image_.size())
            return "more than the " + std::to_string(image_.size()) + " output bytes (Net_Out)";
        bytes.push_back(static_cast<uint8_t>(high << 4 | low));
        at += 2;
    }
    bytes.resize(image_.size(), 0);

    if (configuration_.SendEvery) {
        if (images_ == 0) nextTick_ = time;
        else EmitTicksBefore(time, false);
        image_ = std::move(bytes);
    } else {
        previous_ = image_;
        image_ = std::move(bytes);
        for (size_t row = 0; row < configuration_.Send.size(); ++row) {
            const auto& mapped = configuration_.Send[row].Bytes;
            const size_t length = std::min<size_t>(configuration_.Send[row].Dim, 8);
            const bool changed =
                images_ == 0 || std::any_of(mapped.begin(), mapped.begin() + static_cast<long>(length),
                                            [&](uint8_t b) { return Mapped(previous_, b) != Mapped(image_, b); });
            if (changed) Emit(time, row);
        }
    }
    lastTime_ = time;
    ++images_;
    return {};
}

void SendReplay::Finish()
{
    if (configuration_.SendEvery && images_ > 0) EmitTicksBefore(lastTime_, true);
}

} // namespace zz
