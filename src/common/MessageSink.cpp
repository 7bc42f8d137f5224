#include "common/MessageSink.h"

#include <iostream>

inline namespace zz {

namespace {

MessageSink& DefaultSink()
{
    static PrintingSink sink;
    return sink;
}

MessageSink* g_current = nullptr;

} // namespace

MessageSink& Messages()
{
    return g_current ? *g_current : DefaultSink();
}

ScopedMessageSink::ScopedMessageSink(MessageSink& sink)
    : previous_(g_current)
{
    g_current = &sink;
}

ScopedMessageSink::~ScopedMessageSink()
{
    g_current = previous_;
}

std::string ApplicationErrorText(std::string_view text)
{
    std::string out(text);
    if (out.empty() || out.back() != '.') out += '.';
    return out;
}

void PrintingSink::Notice(std::string_view text)
{
    std::cerr << text << '\n';
}
void PrintingSink::Error(std::string_view text)
{
    std::cerr << text << '\n';
}
bool PrintingSink::Ask(std::string_view caption, std::string_view text)
{
    std::cerr << caption << ": " << text << " (answered No)\n";
    return false;
}
void PrintingSink::ApplicationError(std::string_view text)
{
    std::cerr << ApplicationErrorText(text) << '\n';
}

void RecordingSink::Notice(std::string_view text)
{
    messages_.push_back({Kind::Notice, std::string(text), {}});
}
void RecordingSink::Error(std::string_view text)
{
    messages_.push_back({Kind::Error, std::string(text), {}});
}
bool RecordingSink::Ask(std::string_view caption, std::string_view text)
{
    messages_.push_back({Kind::Question, std::string(text), std::string(caption)});
    if (answers_.empty()) return false;
    const bool answer = answers_.front();
    answers_.erase(answers_.begin());
    return answer;
}
void RecordingSink::ApplicationError(std::string_view text)
{
    messages_.push_back({Kind::ApplicationError, ApplicationErrorText(text), {}});
}
void RecordingSink::ScriptAnswers(std::vector<bool> answers)
{
    answers_ = std::move(answers);
}

std::vector<std::string> RecordingSink::Texts() const
{
    std::vector<std::string> texts;
    for (const Message& m : messages_) texts.push_back(m.text);
    return texts;
}

std::string RecordingSink::Last() const
{
    return messages_.empty() ? std::string() : messages_.back().text;
}

} // namespace zz
