#pragma once
#include "canbus/CanLogFrame.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

inline namespace zz {

// Streaming readers of recorded CAN traffic: candump -l logs and Vector ASC logs, the format
// told by the content. Memory stays bounded whatever the log's length: each frame is handed to
// a callback and forgotten.

enum class CanLogFormat { Unknown, Candump, Asc };
const char* CanLogFormatName(CanLogFormat format);

struct CanLogHandlers {
    // Each frame in the log's order; returning false stops the reading (cancelled).
    std::function<bool(const CanLogFrame&)> Frame;
    // A line that cannot be read, skipped: its number and why.
    std::function<void(int64_t line, const std::string& why)> Unreadable;
    // A candump DROPCOUNT line: the frames the socket dropped there.
    std::function<void(int64_t line, uint64_t frames)> Dropped;
    // Every few thousand lines, the bytes read so far; returning false stops the reading.
    std::function<bool(uint64_t bytes)> Progress;
    // Once, when the first line tells the format.
    std::function<void(CanLogFormat)> Format;
};

struct CanLogSummary {
    CanLogFormat Format = CanLogFormat::Unknown;
    int64_t Lines = 0;
    int64_t Frames = 0;
    int64_t Unreadable = 0;
    uint64_t Dropped = 0; // frames, summed over the DROPCOUNT lines
    bool Cancelled = false;
};

// Fed the log in pieces of any size. Lines longer than 4,096 bytes are unreadable. Lines that
// cannot be read before the first readable one are held back (the first 100 of them) until
// one is read, so that a file that is no log is refused with one message.
class CanLogReader {
public:
    explicit CanLogReader(CanLogHandlers handlers);
    // False once a handler stopped the reading.
    bool Feed(std::string_view piece);
    // Ends the log. Throws Failure when no line of it could be read (`name` names the log in
    // the message) or when it is not text.
    CanLogSummary Finish(const std::string& name);

    static constexpr size_t kLongestLine = 4096;

private:
    void Line(std::string_view line);
    bool Deliver(std::string_view line);
    void Unreadable(const std::string& why);
    void Decided(CanLogFormat format);

    CanLogHandlers handlers_;
    CanLogSummary summary_;
    CanLogFrame frame_;
    std::string carry_;
    bool overlong_ = false;
    bool binary_ = false;
    bool readAny_ = false;
    bool stopped_ = false;
    uint64_t bytes_ = 0;
    struct Held {
        int64_t Line;
        std::string Why;
    };
    std::vector<Held> held_;
    int ascBase_ = 16;
};

// Reads a log file. Throws Failure when it cannot be opened or read, or as Finish does.
CanLogSummary ReadCanLogFile(const std::string& path, const CanLogHandlers& handlers);

// The file's size in bytes, for progress; 0 when unknown.
uint64_t CanLogFileSize(const std::string& path);

} // namespace zz
