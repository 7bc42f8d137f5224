#include "canbus/DbcReader.h"

#include "common/Cp1252.h"
#include "common/Failure.h"
#include "common/FileSystem.h"

#include <charconv>
#include <unordered_map>
#include <unordered_set>

inline namespace zz {

namespace {

enum class Kind { Word, Number, Text, Mark, End };

struct Token {
    Kind Type = Kind::End;
    std::string_view Text; // a Text token's contents, escapes still in it
    int Line = 0;
    bool LineStart = false; // the first token of its line
    bool Column0 = false;   // and at its very start, not indented
};

bool WordChar(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c >= 0x80;
}

bool Digit(char c)
{
    return c >= '0' && c <= '9';
}

// The statements whose list ends the node list and the name space list.
const std::unordered_set<std::string_view> kTopLevel = {"VERSION",
                                                        "NS_",
                                                        "BS_",
                                                        "BU_",
                                                        "BO_",
                                                        "SG_",
                                                        "CM_",
                                                        "BA_DEF_",
                                                        "BA_DEF_DEF_",
                                                        "BA_",
                                                        "VAL_TABLE_",
                                                        "VAL_",
                                                        "EV_",
                                                        "BO_TX_BU_",
                                                        "SIG_GROUP_",
                                                        "SIG_VALTYPE_",
                                                        "BA_DEF_REL_",
                                                        "BA_REL_",
                                                        "BA_DEF_DEF_REL_",
                                                        "BU_SG_REL_",
                                                        "BU_EV_REL_",
                                                        "BU_BO_REL_",
                                                        "SG_MUL_VAL_",
                                                        "ENVVAR_DATA_",
                                                        "SGTYPE_",
                                                        "SIG_TYPE_REF_",
                                                        "CAT_DEF_",
                                                        "CAT_",
                                                        "FILTER",
                                                        "NS_DESC_",
                                                        "EV_DATA_",
                                                        "SGTYPE_VAL_",
                                                        "BA_DEF_SGTYPE_",
                                                        "BA_SGTYPE_",
                                                        "SIGTYPE_VALTYPE_"};

class Lexer {
public:
    Lexer(std::string_view text, const std::string& origin)
        : text_(text),
          origin_(origin)
    {
        Advance();
    }

    const Token& Peek() const { return current_; }
    Token Next()
    {
        Token token = current_;
        Advance();
        return token;
    }

    [[noreturn]] void Fail(int line, const std::string& what) const
    {
        throw Failure("'" + origin_ + "', line " + std::to_string(line) + ": " + what);
    }
    [[noreturn]] void Fail(const std::string& what) const { Fail(current_.Line, what); }

private:
    void Advance()
    {
        bool lineStart = atLineStart_;
        for (;;) {
            if (pos_ >= text_.size()) {
                current_ = {Kind::End, {}, line_, true};
                return;
            }
            const char c = text_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
                lineStart = true;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
                ++pos_;
            } else if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
                while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
            } else {
                break;
            }
        }
        atLineStart_ = false;
        const size_t start = pos_;
        const char c = text_[pos_];
        const bool column0 = pos_ == 0 || text_[pos_ - 1] == '\n';
        current_ = {Kind::Mark, text_.substr(pos_, 1), line_, lineStart, column0};
        if (c == '"') {
            const int line = line_;
            ++pos_;
            while (pos_ < text_.size() && text_[pos_] != '"') {
                if (text_[pos_] == '\\' && pos_ + 1 < text_.size()) ++pos_;
                if (text_[pos_] == '\n') ++line_;
                ++pos_;
            }
            if (pos_ >= text_.size()) Fail(line, "a text in quotes is not closed");
            current_ = {Kind::Text, text_.substr(start + 1, pos_ - start - 1), line, lineStart, column0};
            ++pos_;
            return;
        }
        const bool signedNumber =
            (c == '-' || c == '+') && pos_ + 1 < text_.size() && (Digit(text_[pos_ + 1]) || text_[pos_ + 1] == '.');
        if (Digit(c) || signedNumber || (c == '.' && pos_ + 1 < text_.size() && Digit(text_[pos_ + 1]))) {
            ++pos_;
            while (pos_ < text_.size()) {
                const char d = text_[pos_];
                const bool exponentSign = (d == '-' || d == '+') && (text_[pos_ - 1] == 'e' || text_[pos_ - 1] == 'E');
                if (!(Digit(d) || d == '.' || d == 'e' || d == 'E' || exponentSign)) break;
                ++pos_;
            }
            current_ = {Kind::Number, text_.substr(start, pos_ - start), line_, lineStart, column0};
            return;
        }
        if (WordChar(static_cast<unsigned char>(c))) {
            while (pos_ < text_.size() && WordChar(static_cast<unsigned char>(text_[pos_]))) ++pos_;
            current_ = {Kind::Word, text_.substr(start, pos_ - start), line_, lineStart, column0};
            return;
        }
        ++pos_;
    }

    std::string_view text_;
    const std::string& origin_;
    size_t pos_ = 0;
    int line_ = 1;
    bool atLineStart_ = true;
    Token current_;
};

std::string Unescape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) ++i;
        if (text[i] == '\r') continue;
        out += text[i];
    }
    return out;
}

class Parser {
public:
    Parser(std::string_view text, const std::string& origin)
        : lex_(text, origin)
    {
    }

    DbcDatabase Run()
    {
        while (lex_.Peek().Type != Kind::End) Statement();
        for (auto& [raw, transmitters] : extraTransmitters_)
            if (DbcMessage* message = Find(raw)) message->ExtraTransmitters = transmitters;
        return std::move(db_);
    }

private:
    void Statement()
    {
        const Token head = lex_.Next();
        if (head.Type != Kind::Word) lex_.Fail(head.Line, "a statement starts with '" + std::string(head.Text) + "'");
        const std::string_view word = head.Text;
        if (word == "VERSION") {
            Expect(Kind::Text, "the version in quotes");
        } else if (word == "NS_") {
            Colon();
            // The list holds statement names, indented one a line; it ends at the first statement.
            while (lex_.Peek().Type == Kind::Word) {
                const Token& next = lex_.Peek();
                if (next.Text == "BS_" || next.Text == "BU_" || next.Text == "BO_") break;
                if (next.Column0 && kTopLevel.count(next.Text)) break;
                lex_.Next();
            }
        } else if (word == "BS_") {
            Colon();
            while (lex_.Peek().Type != Kind::End && !lex_.Peek().LineStart) lex_.Next();
        } else if (word == "BU_") {
            Colon();
            while (lex_.Peek().Type == Kind::Word && !kTopLevel.count(lex_.Peek().Text))
                db_.Nodes.emplace_back(lex_.Next().Text);
        } else if (word == "BO_") {
            Message(head.Line);
        } else if (word == "SG_") {
            lex_.Fail(head.Line, "a signal stands outside a frame");
        } else if (word == "CM_") {
            Comment();
        } else if (word == "BA_") {
            Attribute();
        } else if (word == "BO_TX_BU_") {
            const uint32_t raw = RawId();
            Colon();
            std::vector<std::string> nodes;
            while (lex_.Peek().Type == Kind::Word) {
                nodes.emplace_back(lex_.Next().Text);
                if (IsMark(",")) lex_.Next();
            }
            Semicolon();
            extraTransmitters_.emplace_back(raw, std::move(nodes));
        } else {
            SkipStatement(head.Line);
        }
    }

    void SkipStatement(int line)
    {
        for (;;) {
            const Token token = lex_.Next();
            if (token.Type == Kind::End) lex_.Fail(line, "the statement has no ';' at its end");
            if (token.Type == Kind::Mark && token.Text == ";") return;
        }
    }

    void Message(int line)
    {
        DbcMessage message;
        message.Line = line;
        const uint32_t raw = RawId();
        message.Extended = (raw & 0x80000000u) != 0;
        message.Id = raw & 0x7FFFFFFFu;
        if (message.Extended) message.Id &= 0x1FFFFFFFu;
        message.Name = Word("the frame's name");
        Colon();
        message.Dlc = Integer("the frame's length", 0, 64);
        message.Transmitter = Word("the frame's transmitter");
        while (lex_.Peek().Type == Kind::Word && lex_.Peek().Text == "SG_") {
            const int signalLine = lex_.Next().Line;
            message.Signals.push_back(Signal(signalLine));
        }
        if (message.Name == "VECTOR__INDEPENDENT_SIG_MSG") {
            ++db_.SkippedIndependent;
            return;
        }
        if (message.Dlc > 8) {
            db_.SkippedLong.push_back(message.Name);
            return;
        }
        index_.emplace(raw, db_.Messages.size());
        db_.Messages.push_back(std::move(message));
    }

    DbcSignal Signal(int line)
    {
        DbcSignal signal;
        signal.Line = line;
        signal.Name = Word("the signal's name");
        if (lex_.Peek().Type == Kind::Word) signal.Multiplex = lex_.Next().Text;
        Colon();
        signal.StartBit = Integer("the signal's start bit", 0, 511);
        Mark("|");
        signal.Length = Integer("the signal's length", 1, 512);
        Mark("@");
        const Token order = lex_.Next();
        // "@1+" reads as "1" and "+", "@0-" as "0" and "-"; "@1-" may also come as "1" "-".
        std::string_view orderText = order.Text;
        if (order.Type != Kind::Number || orderText.empty() || (orderText[0] != '0' && orderText[0] != '1'))
            lex_.Fail(order.Line, "the signal's byte order is not @0 or @1");
        signal.Intel = orderText[0] == '1';
        if (orderText.size() == 1) {
            const Token sign = lex_.Next();
            if (sign.Type != Kind::Mark || (sign.Text != "+" && sign.Text != "-"))
                lex_.Fail(sign.Line, "the signal's sign is not + or -");
            signal.Signed = sign.Text == "-";
        } else {
            lex_.Fail(order.Line, "the signal's byte order is not @0 or @1");
        }
        Mark("(");
        Expect(Kind::Number, "the signal's factor");
        Mark(",");
        Expect(Kind::Number, "the signal's offset");
        Mark(")");
        Mark("[");
        Expect(Kind::Number, "the signal's minimum");
        Mark("|");
        Expect(Kind::Number, "the signal's maximum");
        Mark("]");
        Expect(Kind::Text, "the signal's unit in quotes");
        // Receivers: separated by commas, or by blanks on the signal's line.
        while (lex_.Peek().Type == Kind::Word && (signal.Receivers.empty() || !lex_.Peek().LineStart)) {
            signal.Receivers.emplace_back(lex_.Next().Text);
            while (IsMark(",")) {
                lex_.Next();
                signal.Receivers.push_back(Word("a receiver after ','"));
            }
        }
        return signal;
    }

    void Comment()
    {
        const Token what = lex_.Next();
        if (what.Type == Kind::Text) {
        } else if (what.Type == Kind::Word && what.Text == "BO_") {
            const uint32_t raw = RawId();
            const std::string text = Unescape(Expect(Kind::Text, "the comment in quotes").Text);
            if (DbcMessage* message = Find(raw)) message->Comment = text;
        } else if (what.Type == Kind::Word && what.Text == "SG_") {
            const uint32_t raw = RawId();
            const std::string name = Word("the signal's name");
            const std::string text = Unescape(Expect(Kind::Text, "the comment in quotes").Text);
            if (DbcSignal* signal = FindSignal(raw, name)) signal->Comment = text;
        } else if (what.Type == Kind::Word && (what.Text == "BU_" || what.Text == "EV_")) {
            Word("the name");
            Expect(Kind::Text, "the comment in quotes");
        } else {
            lex_.Fail(what.Line, "the comment is of no known kind");
        }
        Semicolon();
    }

    void Attribute()
    {
        const std::string name = Unescape(Expect(Kind::Text, "the attribute's name in quotes").Text);
        const Token what = lex_.Peek();
        DbcAttributes* into = &db_.GlobalAttributes;
        if (what.Type == Kind::Word && what.Text == "BO_") {
            lex_.Next();
            DbcMessage* message = Find(RawId());
            into = message ? &message->Attributes : nullptr;
        } else if (what.Type == Kind::Word && what.Text == "SG_") {
            lex_.Next();
            const uint32_t raw = RawId();
            DbcSignal* signal = FindSignal(raw, Word("the signal's name"));
            into = signal ? &signal->Attributes : nullptr;
        } else if (what.Type == Kind::Word && what.Text == "BU_") {
            lex_.Next();
            into = &db_.NodeAttributes[Word("the node's name")];
        } else if (what.Type == Kind::Word) {
            // Environment variables and relations: nothing a gateway needs.
            SkipStatement(what.Line);
            return;
        }
        const Token value = lex_.Next();
        if (value.Type != Kind::Text && value.Type != Kind::Number) lex_.Fail(value.Line, "the attribute has no value");
        if (into) (*into)[name] = value.Type == Kind::Text ? Unescape(value.Text) : std::string(value.Text);
        Semicolon();
    }

    DbcMessage* Find(uint32_t raw)
    {
        const auto it = index_.find(raw);
        return it == index_.end() ? nullptr : &db_.Messages[it->second];
    }

    DbcSignal* FindSignal(uint32_t raw, const std::string& name)
    {
        DbcMessage* message = Find(raw);
        if (!message) return nullptr;
        for (DbcSignal& signal : message->Signals)
            if (signal.Name == name) return &signal;
        return nullptr;
    }

    bool IsMark(std::string_view mark) const { return lex_.Peek().Type == Kind::Mark && lex_.Peek().Text == mark; }

    Token Expect(Kind kind, const std::string& what)
    {
        if (lex_.Peek().Type != kind) lex_.Fail(what + " is missing");
        return lex_.Next();
    }

    std::string Word(const std::string& what) { return std::string(Expect(Kind::Word, what).Text); }

    void Mark(std::string_view mark)
    {
        if (!IsMark(mark)) lex_.Fail("'" + std::string(mark) + "' is missing");
        lex_.Next();
    }
    void Colon() { Mark(":"); }
    void Semicolon() { Mark(";"); }

    uint64_t Unsigned(const std::string& what, uint64_t max)
    {
        const Token token = Expect(Kind::Number, what);
        uint64_t value = 0;
        const auto [end, error] = std::from_chars(token.Text.data(), token.Text.data() + token.Text.size(), value);
        if (error != std::errc() || end != token.Text.data() + token.Text.size() || value > max)
            lex_.Fail(token.Line,
                      what + " '" + std::string(token.Text) + "' is no whole number up to " + std::to_string(max));
        return value;
    }

    int Integer(const std::string& what, int min, int max)
    {
        const int line = lex_.Peek().Line;
        const uint64_t value = Unsigned(what, static_cast<uint64_t>(max));
        if (static_cast<int>(value) < min) lex_.Fail(line, what + " is below " + std::to_string(min));
        return static_cast<int>(value);
    }

    uint32_t RawId() { return static_cast<uint32_t>(Unsigned("the frame's number", 0xFFFFFFFFu)); }

    Lexer lex_;
    DbcDatabase db_;
    std::unordered_map<uint32_t, size_t> index_;
    std::vector<std::pair<uint32_t, std::vector<std::string>>> extraTransmitters_;
};

} // namespace

DbcDatabase ReadDbc(std::string_view bytes, const std::string& origin)
{
    std::string text = Utf8OrCp1252ToUtf8(std::string(bytes));
    // Editors on Windows start UTF-8 files with a byte order mark.
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
    return Parser(text, origin).Run();
}

DbcDatabase ReadDbcFile(const std::string& path)
{
    if (!FileExists(path)) throw Failure("'" + path + "' does not exist");
    return ReadDbc(ReadFileBytes(path), FileNameOf(path));
}

} // namespace zz
