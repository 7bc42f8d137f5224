#pragma once
#include "devicenet/ReplayConfiguration.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

inline namespace zz {

// The send direction of the gateway, from DeviceNet output images: one line each, a time in
// seconds, a tab, Net_Out bytes in hexadecimal (blanks between bytes allowed; missing bytes at
// the end are zero). Blank lines and lines starting with "#" are skipped.
//  - How_Send 0: at each line, every send frame whose mapped bytes changed (all at the first).
//  - How_Send 1: every send frame every Delay_Send ms from the first time to the last, each
//    with the image of the last line at or before that moment.
// A frame's length is Dim (8 at most), its byte k the output byte Bk, or 00 where Bk is 255 or
// outside Net_Out.
struct SentFrame {
    int64_t TimeNs = 0;
    uint32_t Id = 0;
    bool Extended = false;
    uint8_t Length = 0;
    std::array<uint8_t, 8> Data{};
    size_t Row = 0;
};

class SendReplay {
public:
    using FrameSink = std::function<void(const SentFrame&)>;

    // Throws Failure when How_Send 1 has a Delay_Send of 0.
    SendReplay(ReplayConfiguration configuration, FrameSink onFrame);

    // One line of the outputs file (its number from 1); an empty text when it was read, else
    // why it cannot be, and the line is skipped.
    std::string Line(std::string_view line);
    // The frames due up to the last line's time.
    void Finish();

    int64_t Images() const { return images_; }
    int64_t Frames() const { return frames_; }

private:
    void Emit(int64_t time, size_t row);
    void EmitTicksBefore(int64_t end, bool inclusive);

    ReplayConfiguration configuration_;
    FrameSink onFrame_;
    std::vector<uint8_t> image_, previous_;
    int64_t images_ = 0, frames_ = 0;
    int64_t lastTime_ = 0, nextTick_ = 0;
};

} // namespace zz
