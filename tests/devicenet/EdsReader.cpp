#include "devicenet/EdsReader.h"

#include <cctype>
#include <stdexcept>

inline namespace zz {

namespace {

class Reader {
public:
    explicit Reader(const std::string& text)
        : text_(text)
    {
    }

    EdsDocument Read()
    {
        EdsDocument eds;
        EdsSection* section = nullptr;
        for (SkipBlanks(); at_ < text_.size(); SkipBlanks()) {
            if (text_[at_] == '[') {
                const size_t end = text_.find(']', at_);
                if (end == std::string::npos || text_.find('\n', at_) < end) Fail("unclosed section name");
                const std::string name = text_.substr(at_ + 1, end - at_ - 1);
                if (eds.count(name)) Fail("section [" + name + "] twice");
                section = &eds[name];
                at_ = end + 1;
                continue;
            }
            if (!section) Fail("entry before the first section");
            const std::string key = Key();
            SkipBlanks();
            if (at_ >= text_.size() || text_[at_] != '=') Fail("'=' expected after " + key);
            ++at_;
            if (section->count(key)) Fail("key " + key + " twice");
            (*section)[key] = Fields();
        }
        return eds;
    }

private:
    [[noreturn]] void Fail(const std::string& why) const
    {
        throw std::runtime_error("EDS offset " + std::to_string(at_) + ": " + why);
    }

    // Blanks, line ends and comments.
    void SkipBlanks()
    {
        while (at_ < text_.size()) {
            if (text_[at_] == '$')
                while (at_ < text_.size() && text_[at_] != '\n') ++at_;
            else if (std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
            else return;
        }
    }

    std::string Key()
    {
        const size_t start = at_;
        while (at_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[at_])) || text_[at_] == '_')) ++at_;
        if (at_ == start) Fail("key expected");
        return text_.substr(start, at_ - start);
    }

    EdsEntry Fields()
    {
        EdsEntry fields;
        for (;;) {
            fields.push_back(Field());
            if (at_ >= text_.size()) Fail("entry without ';'");
            if (text_[at_++] == ';') return fields;
        }
    }

    // Up to the ',' or ';' that ends it, which is left for the caller.
    EdsField Field()
    {
        EdsField field;
        for (SkipBlanks(); at_ < text_.size() && text_[at_] != ',' && text_[at_] != ';'; SkipBlanks()) {
            if (text_[at_] == '"') {
                if (!field.Text.empty() && !field.Quoted) Fail("string after a bare value");
                const size_t end = text_.find('"', at_ + 1);
                if (end == std::string::npos) Fail("unclosed string");
                field.Text += text_.substr(at_ + 1, end - at_ - 1);
                field.Quoted = true;
                at_ = end + 1;
            } else {
                if (field.Quoted) Fail("bare value after a string");
                const size_t start = at_;
                while (at_ < text_.size() && !std::isspace(static_cast<unsigned char>(text_[at_])) &&
                       text_[at_] != ',' && text_[at_] != ';' && text_[at_] != '$' && text_[at_] != '"')
                    ++at_;
                if (!field.Text.empty()) Fail("two bare values in one field");
                field.Text = text_.substr(start, at_ - start);
            }
        }
        return field;
    }

    const std::string& text_;
    size_t at_ = 0;
};

} // namespace

EdsDocument ReadEds(const std::string& text)
{
    return Reader(text).Read();
}

std::string EdsValue(const EdsDocument& eds, const std::string& section, const std::string& key)
{
    const auto s = eds.find(section);
    if (s == eds.end()) throw std::runtime_error("no section [" + section + "]");
    const auto e = s->second.find(key);
    if (e == s->second.end()) throw std::runtime_error("no " + key + " in [" + section + "]");
    if (e->second.size() != 1) throw std::runtime_error(key + " has " + std::to_string(e->second.size()) + " fields");
    return e->second.front().Text;
}

} // namespace zz
