#include "common/JsonStream.h"

#include <algorithm>
#include <ostream>

inline namespace zz {

namespace {

constexpr size_t kFlushAt = 64 * 1024;

std::string Dumped(const nlohmann::json& value, int indent)
{
    return value.dump(indent, ' ', false, nlohmann::json::error_handler_t::replace);
}

} // namespace

JsonStream::JsonStream(std::ostream& to, int indent)
    : to_(to),
      indent_(indent)
{
}

JsonStream::~JsonStream()
{
    Flush();
}

void JsonStream::Flush()
{
    to_.write(out_.data(), static_cast<std::streamsize>(out_.size()));
    out_.clear();
}

void JsonStream::NewLine()
{
    out_ += '\n';
    out_.append(static_cast<size_t>(depth_ * indent_), ' ');
}

void JsonStream::Open(char bracket)
{
    out_ += bracket;
    ++depth_;
    first_ = true;
}

void JsonStream::Close(char bracket)
{
    --depth_;
    if (!first_) NewLine();
    out_ += bracket;
    first_ = false;
    if (out_.size() > kFlushAt) Flush();
}

void JsonStream::Next()
{
    if (!first_) out_ += ',';
    NewLine();
    first_ = false;
}

void JsonStream::Key(std::string_view key)
{
    Next();
    Text(key);
    out_ += ": ";
}

void JsonStream::Value(const nlohmann::json& value)
{
    const std::string text = Dumped(value, indent_);
    // Lines after the first stand as deep as the value does.
    const std::string indent(static_cast<size_t>(depth_ * indent_), ' ');
    for (const char c : text) {
        out_ += c;
        if (c == '\n') out_ += indent;
    }
    first_ = false;
    if (out_.size() > kFlushAt) Flush();
}

void JsonStream::Text(std::string_view text)
{
    // Most texts are printable ASCII that needs no escape.
    if (std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; })) {
        (out_ += '"').append(text) += '"';
    } else {
        out_ += Dumped(nlohmann::json(std::string(text)), -1);
    }
    first_ = false;
    if (out_.size() > kFlushAt) Flush();
}

void JsonStream::Element(const nlohmann::json& value)
{
    Next();
    Value(value);
}

} // namespace zz
