#pragma once
#include "common/Failure.h"
#include "xmltools/XmlNode.h"

#include <cstddef>
#include <memory>
#include <string>

inline namespace zz {

// The failure of a parse; its text is one of the fixed messages of XmlMessages.h.
class TXMLError : public Failure {
public:
    using Failure::Failure;
};

// Where a reader stands: the position of the next unread character (from 1) and the current
// character. A plain value, so that saving and restoring costs nothing.
struct TXMLReaderState {
    std::size_t Position = 1;
    char Current = 0;
};

// A source of 8-bit characters for the parser. The current character is NUL before the first
// NextChar and once the data is exhausted.
class TXMLReader {
public:
    virtual ~TXMLReader() = default;

    char Current = 0;

    // True when no character follows the current one. (Not called EOF: that is the C
    // library's macro.)
    virtual bool Eof() const = 0;
    // Ends the life of a state made by SaveState.
    virtual void FreeState(TXMLReaderState& state) = 0;
    // Makes the next character current; NUL when none is left.
    virtual void NextChar() = 0;
    virtual void RestoreState(const TXMLReaderState& state) = 0;
    virtual TXMLReaderState SaveState() const = 0;

    // Reads the whole document and returns its document node; throws TXMLError with the
    // message of the first fault. Called once per reader. Data after the root element and the
    // comments and instructions that follow it is ignored.
    std::unique_ptr<TXMLNode> Parse();
};

// Reads from one text held in memory, byte for byte.
class TXMLStringReader final : public TXMLReader {
public:
    explicit TXMLStringReader(std::string text)
        : text_(std::move(text))
    {
    }

    const std::string& Text() const { return text_; }
    std::size_t Position() const { return position_; }

    bool Eof() const override { return position_ > text_.size(); }
    void FreeState(TXMLReaderState&) override {}
    void NextChar() override
    {
        if (position_ > text_.size()) {
            Current = 0;
        } else {
            Current = text_[position_ - 1];
            ++position_;
        }
    }
    void RestoreState(const TXMLReaderState& state) override
    {
        position_ = state.Position;
        Current = state.Current;
    }
    TXMLReaderState SaveState() const override { return {position_, Current}; }

private:
    friend class TXMLReader;
    std::string text_;
    std::size_t position_ = 1;
};

// Parses a whole text; the document node's FileName is left empty.
std::unique_ptr<TXMLNode> ParseXmlText(std::string text);

} // namespace zz
