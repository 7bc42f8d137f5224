#pragma once
#include "common/MessageSink.h"

class QWidget;

inline namespace zz {

// Shows the system's messages in message boxes over the active window.
class QtMessageSink : public MessageSink {
public:
    void Notice(std::string_view text) override;
    void Error(std::string_view text) override;
    bool Ask(std::string_view caption, std::string_view text) override;
    void ApplicationError(std::string_view text) override;
};

} // namespace zz
