#include "devicenet/TagList.h"

#include <set>

inline namespace zz {

namespace {

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The mnemonic's letters and digits, every other run of characters (blanks, signs, the bytes
// of a non-ASCII letter) one underscore, none at either end.
std::string TagWord(std::string_view mnemonic)
{
    std::string word;
    for (const char c : mnemonic) {
        if (IsAsciiLetter(c) || IsAsciiDigit(c)) word += c;
        else if (!word.empty() && word.back() != '_') word += '_';
    }
    while (!word.empty() && word.back() == '_') word.pop_back();
    return word;
}

std::string ThreeDigits(int value)
{
    std::string digits = std::to_string(value);
    return std::string(digits.size() < 3 ? 3 - digits.size() : 0, '0') + digits;
}

// "IN005_Drive_1_speed_B2": the area and byte first, so that the names sort as the bytes do;
// the mnemonic shortened to fit, and a number added when the name is taken already.
std::string UniqueTag(const TagEntry& entry, std::set<std::string>& taken)
{
    const std::string head = (entry.Direction == GatewaySide::Receive ? "IN" : "OUT") + ThreeDigits(entry.Byte);
    const std::string tail = "_B" + std::to_string(entry.CanByte);
    const std::string word = TagWord(entry.Mnemonic);
    for (int n = 1;; ++n) {
        const std::string number = n == 1 ? std::string() : "_" + std::to_string(n);
        std::string middle = word.empty() ? std::string() : "_" + word;
        const size_t room = kMaxTagLength - head.size() - tail.size() - number.size();
        if (middle.size() > room) middle.resize(room);
        while (!middle.empty() && middle.back() == '_') middle.pop_back();
        std::string tag = head + middle + tail + number;
        if (taken.insert(tag).second) return tag;
    }
}

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

void AddSide(const ByteMapSide& side, std::vector<TagEntry>& out, std::set<std::string>& taken)
{
    for (size_t b = 0; b < side.Bytes.size(); ++b) {
        for (const ByteFeed& feed : side.Bytes[b]) {
            const MapFrame& frame = side.Frames[feed.Frame];
            TagEntry entry{side.Direction, static_cast<int>(b), frame.CobId, feed.CanByte, frame.Mnemonic, {}};
            entry.Tag = UniqueTag(entry, taken);
            out.push_back(std::move(entry));
        }
    }
}

} // namespace

std::vector<TagEntry> TagEntries(const ByteMap& map)
{
    std::vector<TagEntry> entries;
    std::set<std::string> taken;
    AddSide(map.Input, entries, taken);
    AddSide(map.Output, entries, taken);
    return entries;
}

std::string TagListCsv(const std::vector<TagEntry>& entries)
{
    std::string out = "direction,byte,cob_id,can_byte,mnemonic,tag\r\n";
    for (const TagEntry& e : entries)
        out += std::string(e.Direction == GatewaySide::Receive ? "IN" : "OUT") + "," + std::to_string(e.Byte) + "," +
               CsvField(e.CobId) + "," + std::to_string(e.CanByte) + "," + CsvField(e.Mnemonic) + "," + e.Tag + "\r\n";
    return out;
}

bool IsPlcTagName(std::string_view name)
{
    if (name.empty() || name.size() > kMaxTagLength || !IsAsciiLetter(name.front())) return false;
    for (const char c : name)
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '_') return false;
    return true;
}

} // namespace zz
