#pragma once
#include "canbus/CanLogReader.h"

#include <string>
#include <vector>

inline namespace zz {

// What a reader handed on for a whole text, fed in pieces of `piece` bytes.
struct ReadLog {
    std::vector<CanLogFrame> Frames;
    std::vector<std::pair<int64_t, std::string>> Unreadable;
    std::vector<std::pair<int64_t, uint64_t>> Dropped;
    CanLogSummary Summary;
};

inline ReadLog ReadText(const std::string& text, size_t piece = 7)
{
    ReadLog read;
    CanLogReader reader({
        .Frame =
            [&](const CanLogFrame& f) {
                read.Frames.push_back(f);
                return true;
            },
        .Unreadable = [&](int64_t line, const std::string& why) { read.Unreadable.emplace_back(line, why); },
        .Dropped = [&](int64_t line, uint64_t frames) { read.Dropped.emplace_back(line, frames); },
        .Progress = {},
        .Format = {},
    });
    for (size_t at = 0; at < text.size(); at += piece) reader.Feed(std::string_view(text).substr(at, piece));
    read.Summary = reader.Finish("log");
    return read;
}

} // namespace zz
