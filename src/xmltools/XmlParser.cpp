// The XML text parser: a small non-validating reader of 8-bit text. It keeps no comments,
// refuses document type declarations and decodes no encoding.
#include "common/ParseInt.h"
#include "xmltools/XmlMessages.h"
#include "xmltools/XmlReader.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

inline namespace zz {

namespace {

enum : unsigned char { kWhite = 1, kNameStart = 2, kNameChar = 4, kDataStop = 8 };

constexpr std::array<unsigned char, 256> MakeClasses()
{
    std::array<unsigned char, 256> c{};
    for (unsigned char w : {'\t', '\n', '\r', ' '}) c[w] |= kWhite;
    for (int ch = 'A'; ch <= 'Z'; ++ch) c[ch] |= kNameStart | kNameChar;
    for (int ch = 'a'; ch <= 'z'; ++ch) c[ch] |= kNameStart | kNameChar;
    for (unsigned char s : {'_', ':'}) c[s] |= kNameStart | kNameChar;
    for (int ch = '0'; ch <= '9'; ++ch) c[ch] |= kNameChar;
    for (unsigned char s : {'-', '.'}) c[s] |= kNameChar;
    c[0xB7] |= kNameChar; // the middle dot of the Western code page
    for (unsigned char s : {'\0', '&', '<'}) c[s] |= kDataStop;
    return c;
}

constexpr std::array<unsigned char, 256> kClasses = MakeClasses();

inline bool Is(char ch, unsigned char what)
{
    return kClasses[static_cast<unsigned char>(ch)] & what;
}

bool EndsWith(std::string_view text, std::string_view tail)
{
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// The parse of one text. The cursor follows the string reader exactly: position_ is the
// position (from 1) of the next unread byte, current_ the current byte, NUL before the first
// byte and after the last; while current_ comes from the text it stands at index position_-2.
class TextParser {
public:
    TextParser(std::string_view text, std::size_t position, char current)
        : data_(text.data()),
          size_(text.size()),
          position_(position),
          current_(current)
    {
    }

    std::unique_ptr<TXMLNode> ParseDocument()
    {
        NextCharOrFail();
        auto document = std::make_unique<TXMLNode>(TXMLNodeKind::nkDocument, std::string());
        ReadXMLDecl(*document);
        while (ReadMisc(*document)) {
        }
        ReadDocTypeDecl();
        while (ReadMisc(*document)) {
        }
        if (!ReadElement(*document)) Fail(xmlmsg::kMissingElement);
        while (ReadMisc(*document)) {
        }
        return document;
    }

    std::size_t Position() const { return position_; }
    char Current() const { return current_; }

private:
    [[noreturn]] static void Fail(const std::string& message) { throw TXMLError(message); }

    bool Eof() const { return position_ > size_; }

    void NextChar()
    {
        if (position_ > size_) {
            current_ = 0;
        } else {
            current_ = data_[position_ - 1];
            ++position_;
        }
    }

    void NextCharOrFail()
    {
        if (Eof()) Fail(xmlmsg::kEndOfData);
        NextChar();
    }

    // Index in the text of the current byte; only while it comes from the text.
    std::size_t CurrentIndex() const { return position_ - 2; }

    // Compares the literal with the text from the current byte on, advancing after each
    // comparison. Comparing stops early when the byte just made current is the last of the
    // data; what was compared decides. No match puts the reader back where it was.
    bool Match(std::string_view literal)
    {
        if (literal.empty()) return false;
        const std::size_t savedPosition = position_;
        const char savedCurrent = current_;
        bool equal = true;
        for (std::size_t i = 0; equal && i < literal.size(); ++i) {
            equal = current_ == literal[i];
            const bool readsData = !Eof();
            NextChar();
            if (readsData && Eof()) break;
        }
        if (equal) return true;
        position_ = savedPosition;
        current_ = savedCurrent;
        return false;
    }

    bool SkipWhitespace()
    {
        bool skipped = false;
        while (Is(current_, kWhite)) {
            NextChar();
            skipped = true;
            if (Eof()) return true;
        }
        return skipped;
    }

    bool ReadName(std::string& name)
    {
        if (!Is(current_, kNameStart)) return false;
        const std::size_t start = CurrentIndex();
        do {
            NextCharOrFail();
        } while (Is(current_, kNameChar));
        name.assign(data_ + start, CurrentIndex() - start);
        return true;
    }

    bool ReadEq()
    {
        SkipWhitespace();
        const char noted = current_;
        NextCharOrFail();
        SkipWhitespace();
        return noted == '=';
    }

    void ReadXMLDecl(TXMLNode& parent)
    {
        if (!Match("<?xml")) return;
        auto declaration = std::make_unique<TXMLNode>(TXMLNodeKind::nkXMLDeclaration, std::string());
        do {
            SkipWhitespace();
        } while (ReadAttribute(*declaration));
        SkipWhitespace();
        if (!Match("?>")) Fail(xmlmsg::kDeclaration);
        parent.AppendNode(std::move(declaration));
    }

    void ReadDocTypeDecl()
    {
        if (Match("<!DOCTYPE")) Fail(xmlmsg::kDocumentType);
    }

    bool ReadMisc(TXMLNode& parent)
    {
        if (SkipWhitespace()) return true;
        if (ReadComment()) return true;
        return ReadPI(parent);
    }

    // Comments are dropped; only the last four bytes matter for finding the end.
    bool ReadComment()
    {
        if (!Match("<!--")) return false;
        std::uint32_t last4 = 0;
        std::size_t count = 0;
        for (;;) {
            last4 = (last4 << 8) | static_cast<unsigned char>(current_);
            ++count;
            if (Eof()) break;
            NextChar();
            if (count >= 3 && (last4 & 0xFFFFFF) == 0x2D2D3E) break; // "-->"
        }
        if (count >= 4 && last4 == 0x2D2D2D3E) Fail(xmlmsg::kCommentEnd); // "--->"
        return true;
    }

    bool ReadPI(TXMLNode& parent)
    {
        if (!Match("<?")) return false;
        std::string name;
        if (!ReadName(name)) Fail(xmlmsg::kInstructionName);
        if (name == "xml") Fail(xmlmsg::kReservedName);
        SkipWhitespace();
        std::string text;
        for (;;) {
            text.push_back(current_);
            // An instruction whose "?>" are the last bytes of the data is complete.
            if (Eof()) {
                if (EndsWith(text, "?>")) break;
                Fail(xmlmsg::kUnterminatedInstruction);
            }
            NextChar();
            if (EndsWith(text, "?>")) break;
        }
        text.resize(text.size() - 2);
        parent.AppendNode(
            std::make_unique<TXMLNode>(TXMLNodeKind::nkProcessingInstruction, std::move(name), std::move(text)));
        return true;
    }

    bool ReadElement(TXMLNode& parent)
    {
        if (current_ != '<') return false;
        const std::size_t savedPosition = position_;
        const char savedCurrent = current_;
        NextCharOrFail();
        std::string name;
        if (!ReadName(name)) {
            position_ = savedPosition;
            current_ = savedCurrent;
            return false;
        }
        if (depth_ >= xmlmsg::kMaxNesting) Fail(xmlmsg::kTooDeep);
        // The element hangs in the tree at once; a failure anywhere below discards the whole
        // tree, so nothing partial reaches the caller.
        TXMLNode& element = *parent.AppendNode(std::make_unique<TXMLNode>(TXMLNodeKind::nkElement, std::move(name)));
        do {
            SkipWhitespace();
        } while (ReadAttribute(element));
        if (current_ == '/') {
            NextCharOrFail();
            if (current_ != '>') Fail(xmlmsg::kTag);
            NextChar();
            return true;
        }
        if (current_ != '>') Fail(xmlmsg::kTag);
        NextCharOrFail();
        ++depth_;
        ReadContent(element);
        --depth_;
        TrimWhite(element.Value);
        if (!ReadEndTag(element)) Fail(xmlmsg::NoEndingTag(element.Name));
        return true;
    }

    static void TrimWhite(std::string& text)
    {
        std::size_t end = text.size();
        while (end > 0 && Is(text[end - 1], kWhite)) --end;
        std::size_t begin = 0;
        while (begin < end && Is(text[begin], kWhite)) ++begin;
        if (begin > 0 || end < text.size()) text = text.substr(begin, end - begin);
    }

    bool ReadAttribute(TXMLNode& owner)
    {
        std::string name;
        if (!ReadName(name)) return false;
        if (!ReadEq()) Fail(xmlmsg::kEqualsSign);
        std::string value;
        if (!ReadAttValue(value)) Fail(xmlmsg::MissingValue(name));
        owner.AppendNode(std::make_unique<TXMLNode>(TXMLNodeKind::nkAttribute, std::move(name), std::move(value)));
        return true;
    }

    bool ReadAttValue(std::string& value)
    {
        const char quote = current_;
        if (quote != '"' && quote != '\'') return false;
        NextCharOrFail();
        while (current_ != quote) {
            if (current_ == '<') Fail(xmlmsg::kInvalidCharacter);
            if (current_ == '&') {
                value.push_back(ReadReference());
                continue;
            }
            // A run of ordinary bytes at once: each of them is followed by NextCharOrFail.
            const std::size_t start = CurrentIndex();
            std::size_t next = start + 1;
            while (next < size_ && data_[next] != quote && data_[next] != '<' && data_[next] != '&') ++next;
            value.append(data_ + start, next - start);
            if (next >= size_) Fail(xmlmsg::kEndOfData); // no byte after the run's last one
            current_ = data_[next];
            position_ = next + 2;
        }
        NextCharOrFail();
        return true;
    }

    void ReadContent(TXMLNode& element)
    {
        for (;;) {
            if (ReadCDATA(element)) continue;
            if (ReadPI(element)) continue;
            if (ReadComment()) continue;
            if (ReadElement(element)) continue;
            if (ReadCharData(element)) continue;
            if (current_ == '&') {
                element.Value.push_back(ReadReference());
                continue;
            }
            break;
        }
    }

    bool ReadCDATA(TXMLNode& element)
    {
        if (current_ != '<' || !Match("<![CDATA[")) return false;
        std::string text;
        do {
            text.push_back(current_);
            NextCharOrFail();
        } while (!EndsWith(text, "]]>"));
        element.Value.append(text, 0, text.size() - 3);
        return true;
    }

    bool ReadCharData(TXMLNode& element)
    {
        if (Is(current_, kDataStop)) return false;
        const std::size_t start = CurrentIndex();
        std::size_t next = start + 1;
        while (next < size_ && !Is(data_[next], kDataStop)) ++next;
        const std::string_view run(data_ + start, next - start);
        if (next < size_) {
            current_ = data_[next];
            position_ = next + 2;
        } else {
            current_ = 0;
            position_ = size_ + 1;
        }
        if (run.find("]]>") != std::string_view::npos) Fail(xmlmsg::kCharacterData);
        element.Value.append(run);
        return true;
    }

    // The current byte is the ampersand; afterwards the byte after the semicolon is current.
    // A character reference gives the low 8 bits of its number.
    char ReadReference()
    {
        std::string t;
        NextCharOrFail();
        while (current_ != ';') {
            t.push_back(current_);
            NextCharOrFail();
        }
        char result;
        if (t.size() >= 2 && t[0] == '#' && t[1] == 'x') {
            result = NumberReference(t, "$" + t.substr(2));
        } else if (!t.empty() && t[0] == '#') {
            result = NumberReference(t, t.substr(1));
        } else if (t == "amp") {
            result = '&';
        } else if (t == "lt") {
            result = '<';
        } else if (t == "gt") {
            result = '>';
        } else if (t == "quot") {
            result = '"';
        } else if (t == "apos") {
            result = '\'';
        } else {
            Fail(xmlmsg::kUnrecognizedReference);
        }
        NextCharOrFail();
        return result;
    }

    static char NumberReference(const std::string& t, const std::string& number)
    {
        const std::optional<std::int32_t> value = TryParseInt(number);
        if (!value) Fail(xmlmsg::InvalidInteger(t));
        return static_cast<char>(static_cast<std::uint32_t>(*value) & 0xFF);
    }

    bool ReadEndTag(const TXMLNode& element)
    {
        if (!Match("</")) return false;
        std::string name;
        if (!ReadName(name)) return false;
        if (name != element.Name) Fail(xmlmsg::EndTagName(name, element.Name));
        SkipWhitespace();
        if (current_ != '>') Fail(xmlmsg::kEndTagMissing);
        NextChar();
        return true;
    }

    const char* data_;
    std::size_t size_;
    std::size_t position_;
    char current_;
    int depth_ = 0;
};

} // namespace

std::unique_ptr<TXMLNode> TXMLReader::Parse()
{
    if (auto* strings = dynamic_cast<TXMLStringReader*>(this)) {
        TextParser parser(strings->text_, strings->position_, Current);
        std::unique_ptr<TXMLNode> document = parser.ParseDocument();
        strings->position_ = parser.Position();
        Current = parser.Current();
        return document;
    }
    // Any other source: its remaining bytes, parsed from the same current byte.
    std::string rest;
    const char start = Current;
    while (!Eof()) {
        NextChar();
        rest.push_back(Current);
    }
    TextParser parser(rest, 1, start);
    return parser.ParseDocument();
}

std::unique_ptr<TXMLNode> ParseXmlText(std::string text)
{
    TXMLStringReader reader(std::move(text));
    return reader.Parse();
}

} // namespace zz
