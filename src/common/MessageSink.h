#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

inline namespace zz {

// Where the system's messages go. The windows install a sink that shows message boxes, the
// command line one that prints, and the tests one that records. Texts are UTF-8 and are
// shown letter for letter.
class MessageSink {
public:
    virtual ~MessageSink() = default;

    // A plain box with one OK button: notices and file problems.
    virtual void Notice(std::string_view text) = 0;
    // An error box (error icon, one OK button): validation errors and named firmware messages.
    virtual void Error(std::string_view text) = 0;
    // A Yes/No question under the given caption; true for Yes.
    virtual bool Ask(std::string_view caption, std::string_view text) = 0;
    // The application error box for a failure no handler dealt with: the application title,
    // the error icon, and the text with a full stop added when it lacks one.
    virtual void ApplicationError(std::string_view text) = 0;
};

// The sink in use; a printing sink until a front end installs its own.
MessageSink& Messages();

// Installs a sink for the life of the object and puts the previous one back afterwards.
class ScopedMessageSink {
public:
    explicit ScopedMessageSink(MessageSink& sink);
    ~ScopedMessageSink();
    ScopedMessageSink(const ScopedMessageSink&) = delete;
    ScopedMessageSink& operator=(const ScopedMessageSink&) = delete;

private:
    MessageSink* previous_;
};

// The application title, shown over the application error box.
inline constexpr std::string_view kApplicationTitle = "Firmware Zuzududada";

// The text of the application error box: a full stop is added when the text lacks one.
std::string ApplicationErrorText(std::string_view text);

// Prints every message on standard error, one line each; questions are answered No.
class PrintingSink : public MessageSink {
public:
    void Notice(std::string_view text) override;
    void Error(std::string_view text) override;
    bool Ask(std::string_view caption, std::string_view text) override;
    void ApplicationError(std::string_view text) override;
};

// Keeps every message for the tests; questions take their answers from a script.
class RecordingSink : public MessageSink {
public:
    enum class Kind { Notice, Error, Question, ApplicationError };
    struct Message {
        Kind kind;
        std::string text;    // as shown (the application error text with its full stop)
        std::string caption; // questions only
    };

    void Notice(std::string_view text) override;
    void Error(std::string_view text) override;
    bool Ask(std::string_view caption, std::string_view text) override;
    void ApplicationError(std::string_view text) override;

    // Answers for the coming questions, in order; with none left the answer is No.
    void ScriptAnswers(std::vector<bool> answers);

    const std::vector<Message>& All() const { return messages_; }
    // The texts alone, in order.
    std::vector<std::string> Texts() const;
    // The last message's text, empty when none was shown.
    std::string Last() const;
    bool Empty() const { return messages_.empty(); }
    void Clear() { messages_.clear(); }

private:
    std::vector<Message> messages_;
    std::vector<bool> answers_;
};

} // namespace zz
