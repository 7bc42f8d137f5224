#pragma once
#include "canbus/CanLogReader.h"
#include "common/Failure.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

// Feeds the bytes to the streaming reader in pieces of a size the input chooses and checks what
// it hands on: lengths within the frame, lines in order, the summary's counts.
inline void FuzzCanLog(std::string_view text)
{
    const size_t piece = text.empty() ? 1 : static_cast<unsigned char>(text[0]) % 64 + 1;
    int64_t frames = 0, lastLine = 0, unreadable = 0;
    zz::CanLogReader reader({
        .Frame =
            [&](const zz::CanLogFrame& f) {
                if (f.Length > f.Data.size() || f.Line <= lastLine) std::abort();
                if (f.Kind == zz::CanFrameKind::Data && f.Length > 8) std::abort();
                lastLine = f.Line;
                ++frames;
                return true;
            },
        .Unreadable = [&](int64_t, const std::string&) { ++unreadable; },
        .Dropped = {},
        .Progress = {},
        .Format = {},
    });
    for (size_t at = 0; at < text.size(); at += piece) reader.Feed(text.substr(at, piece));
    try {
        const zz::CanLogSummary summary = reader.Finish("fuzz");
        if (summary.Frames != frames || summary.Unreadable < unreadable) std::abort();
    } catch (const zz::Failure&) {
        if (frames != 0) std::abort(); // refused only when nothing was read
    }
}
