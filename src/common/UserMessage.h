#pragma once
#include "common/MessageSink.h"

#include <string>
#include <utility>
#include <vector>

inline namespace zz {

// A message a plain module hands back to its front end instead of showing it: the front end
// says it through the message sink, in the order given.
struct UserMessage {
    enum class Box { Notice, Error }; // a plain box or an error box
    Box Kind = Box::Notice;
    std::string Text;

    bool operator==(const UserMessage&) const = default;
};
using UserMessages = std::vector<UserMessage>;

inline UserMessage NoticeMessage(std::string text)
{
    return {UserMessage::Box::Notice, std::move(text)};
}
inline UserMessage ErrorMessage(std::string text)
{
    return {UserMessage::Box::Error, std::move(text)};
}

// For front ends: says every message through the sink in use.
inline void Say(const UserMessages& messages)
{
    for (const UserMessage& message : messages) {
        if (message.Kind == UserMessage::Box::Error) Messages().Error(message.Text);
        else Messages().Notice(message.Text);
    }
}

} // namespace zz
