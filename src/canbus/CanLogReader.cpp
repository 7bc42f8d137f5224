#include "canbus/CanLogReader.h"

#include "canbus/AscLine.h"
#include "canbus/CandumpLine.h"
#include "common/Failure.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>

inline namespace zz {

namespace {

constexpr size_t kHeldLines = 100;
constexpr int64_t kProgressLines = 8192;

} // namespace

const char* CanLogFormatName(CanLogFormat format)
{
    switch (format) {
    case CanLogFormat::Candump: return "candump -l";
    case CanLogFormat::Asc: return "ASC";
    case CanLogFormat::Unknown: break;
    }
    return "unknown";
}

CanLogReader::CanLogReader(CanLogHandlers handlers)
    : handlers_(std::move(handlers))
{
}

bool CanLogReader::Feed(std::string_view piece)
{
    while (!piece.empty() && !stopped_) {
        const size_t end = piece.find('\n');
        const std::string_view part = piece.substr(0, end);
        bytes_ += part.size() + (end == std::string_view::npos ? 0 : 1);
        if (!overlong_) {
            if (carry_.size() + part.size() > kLongestLine) {
                overlong_ = true;
                carry_.clear();
            } else {
                carry_.append(part);
            }
        }
        if (end == std::string_view::npos) break;
        piece.remove_prefix(end + 1);
        Line(carry_);
        carry_.clear();
        overlong_ = false;
    }
    return !stopped_;
}

void CanLogReader::Line(std::string_view line)
{
    ++summary_.Lines;
    frame_.Line = summary_.Lines;
    if (summary_.Lines % kProgressLines == 0 && handlers_.Progress && !handlers_.Progress(bytes_)) {
        stopped_ = summary_.Cancelled = true;
        return;
    }
    if (overlong_) return Unreadable("longer than 4,096 characters");
    if (line.find('\0') != std::string_view::npos) {
        binary_ = true;
        return Unreadable("holds a NUL byte");
    }
    if (!Deliver(line)) return;
    if (!readAny_) {
        readAny_ = true;
        for (const Held& held : held_)
            if (handlers_.Unreadable) handlers_.Unreadable(held.Line, held.Why);
        held_.clear();
    }
}

// Reads one line; false when it is unreadable (said already).
bool CanLogReader::Deliver(std::string_view line)
{
    const bool blank = line.find_first_not_of(" \t\r") == std::string_view::npos;
    if (blank) return readAny_;
    if (summary_.Format != CanLogFormat::Asc) {
        const CandumpLineResult result = ReadCandumpLine(line, frame_);
        if (result.Kind != CandumpLineKind::Unreadable || summary_.Format == CanLogFormat::Candump ||
            !LooksLikeAsc(line)) {
            if (result.Kind == CandumpLineKind::Unreadable) {
                Unreadable(result.Why);
                return false;
            }
            Decided(CanLogFormat::Candump);
            if (result.Kind == CandumpLineKind::Dropped) {
                summary_.Dropped += result.Dropped;
                if (handlers_.Dropped) handlers_.Dropped(frame_.Line, result.Dropped);
                return true;
            }
            ++summary_.Frames;
            if (handlers_.Frame && !handlers_.Frame(frame_)) stopped_ = summary_.Cancelled = true;
            return true;
        }
    }
    const AscLineResult result = ReadAscLine(line, ascBase_, frame_);
    if (result.Kind == AscLineKind::Unreadable) {
        Unreadable(result.Why);
        return false;
    }
    Decided(CanLogFormat::Asc);
    if (result.Kind == AscLineKind::Frame) {
        ++summary_.Frames;
        if (handlers_.Frame && !handlers_.Frame(frame_)) stopped_ = summary_.Cancelled = true;
    }
    return true;
}

void CanLogReader::Decided(CanLogFormat format)
{
    if (summary_.Format == format) return;
    summary_.Format = format;
    if (handlers_.Format) handlers_.Format(format);
}

void CanLogReader::Unreadable(const std::string& why)
{
    ++summary_.Unreadable;
    if (readAny_) {
        if (handlers_.Unreadable) handlers_.Unreadable(frame_.Line, why);
    } else if (held_.size() < kHeldLines) {
        held_.push_back({frame_.Line, why});
    }
}

CanLogSummary CanLogReader::Finish(const std::string& name)
{
    if (!stopped_ && (!carry_.empty() || overlong_)) {
        Line(carry_);
        carry_.clear();
    }
    if (!readAny_ && !summary_.Cancelled) {
        if (summary_.Lines == 0) throw Failure("'" + name + "' is empty: it holds no CAN frames");
        if (binary_) throw Failure("'" + name + "' is not a text file and so no candump -l or ASC log");
        std::string text = "'" + name + "' is no candump -l or ASC log: none of its lines can be read";
        if (!held_.empty()) text += " (line " + std::to_string(held_.front().Line) + ": " + held_.front().Why + ")";
        throw Failure(text);
    }
    return summary_;
}

CanLogSummary ReadCanLogFile(const std::string& path, const CanLogHandlers& handlers)
{
    const std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file) throw Failure("Cannot open '" + path + "': " + std::strerror(errno));
    CanLogReader reader(handlers);
    std::unique_ptr<char[]> buffer(new char[1 << 20]);
    for (;;) {
        const size_t got = std::fread(buffer.get(), 1, 1 << 20, file.get());
        if (got > 0 && !reader.Feed(std::string_view(buffer.get(), got))) break;
        if (got < (1 << 20)) {
            if (std::ferror(file.get())) throw Failure("Cannot read '" + path + "': " + std::strerror(errno));
            break;
        }
    }
    return reader.Finish(path);
}

uint64_t CanLogFileSize(const std::string& path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 ? static_cast<uint64_t>(status.st_size) : 0;
}

} // namespace zz
