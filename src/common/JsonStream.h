#pragma once
#include <nlohmann/json.hpp>

#include <iosfwd>
#include <string>
#include <string_view>

inline namespace zz {

// A JSON document written piece by piece in the layout of the library's dump(indent): every
// member on a line of its own, `indent` blanks a level, empty lists and objects as [] and {}.
// For documents too large to hold as one tree (a byte map of millions of feeds, a sheet of a
// million rows). Text that is no UTF-8 is replaced, as the command line's JSON always does.
class JsonStream {
public:
    JsonStream(std::ostream& to, int indent);
    ~JsonStream(); // writes what is left
    JsonStream(const JsonStream&) = delete;
    JsonStream& operator=(const JsonStream&) = delete;

    // '{' or '[', and its closing '}' or ']'.
    void Open(char bracket);
    void Close(char bracket);
    // In an object: the next member's key. In a list: Next() before each member.
    void Key(std::string_view key);
    void Next();
    // A whole value where the key or Next() put it.
    void Value(const nlohmann::json& value);
    void Text(std::string_view text);
    // Next() and Value() in one.
    void Element(const nlohmann::json& value);
    // Writes out what is buffered.
    void Flush();

private:
    void NewLine();

    std::ostream& to_;
    const int indent_;
    std::string out_;
    int depth_ = 0;
    bool first_ = true;
};

} // namespace zz
