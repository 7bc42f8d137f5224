#include "devicenet/ByteMapFormat.h"

#include "common/JsonStream.h"

#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>

inline namespace zz {

namespace {

using Json = nlohmann::json; // keys in sorted order, as the forms have always listed them

Json FeedObject(const ByteMapSide& side, const ByteFeed& feed)
{
    const MapFrame& frame = side.Frames[feed.Frame];
    return {{"cobId", frame.CobId}, {"canByte", feed.CanByte}, {"frameRow", frame.Row}, {"mnemonic", frame.Mnemonic}};
}

// One side's object, its keys in sorted order.
void WriteSide(const ByteMapSide& side, JsonStream& json)
{
    json.Open('{');
    json.Key("beyondArea");
    json.Open('[');
    for (const StrayMapping& stray : side.Beyond) {
        Json object = FeedObject(side, stray.Feed);
        object["byte"] = stray.DeviceNetByte;
        json.Element(object);
    }
    json.Close(']');
    json.Key("bytes");
    json.Open('[');
    for (size_t b = 0; b < side.Bytes.size(); ++b) {
        json.Next();
        json.Open('{');
        json.Key("byte");
        json.Value(b);
        json.Key("conflict");
        json.Value(side.Conflict(static_cast<int>(b)));
        json.Key("feeds");
        json.Open('[');
        for (const ByteFeed& feed : side.Bytes[b]) json.Element(FeedObject(side, feed));
        json.Close(']');
        json.Close('}');
    }
    json.Close(']');
    json.Key("frames");
    json.Open('[');
    for (const MapFrame& frame : side.Frames) {
        Json mapped = Json::array();
        for (const uint8_t b : frame.Bytes) mapped.push_back(b == 255 ? Json() : Json(b));
        json.Element({{"row", frame.Row}, {"cobId", frame.CobId}, {"mnemonic", frame.Mnemonic}, {"bytes", mapped}});
    }
    json.Close(']');
    if (!side.Problem.empty()) {
        json.Key("problem");
        json.Text(side.Problem);
    }
    json.Key("size");
    json.Value(side.Size);
    json.Close('}');
}

std::string Padded(std::string text, size_t width)
{
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

void SideLines(const ByteMapSide& side, std::string& out)
{
    const std::string area = side.IsInput() ? "IN" : "OUT";
    if (!side.Problem.empty()) out += "# " + area + ": " + side.Problem + "\n";
    for (size_t b = 0; b < side.Bytes.size(); ++b) {
        std::string line = Padded(area, 4) + Padded(std::to_string(b), 5);
        const std::vector<ByteFeed>& feeds = side.Bytes[b];
        if (feeds.empty()) line += "-";
        for (size_t i = 0; i < feeds.size(); ++i) {
            const MapFrame& frame = side.Frames[feeds[i].Frame];
            if (i > 0) line += "; ";
            line += Padded(frame.CobId, 11) + Padded("B" + std::to_string(feeds[i].CanByte), 4) + frame.Mnemonic;
        }
        if (side.Conflict(static_cast<int>(b))) line += "  [conflict]";
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out += line + "\n";
    }
    for (const StrayMapping& stray : side.Beyond) {
        const MapFrame& frame = side.Frames[stray.Feed.Frame];
        out += Padded(area, 4) + Padded(std::to_string(stray.DeviceNetByte), 5) + Padded(frame.CobId, 11) +
               Padded("B" + std::to_string(stray.Feed.CanByte), 4) + frame.Mnemonic + "  [beyond the area of " +
               std::to_string(side.Size) + " bytes]\n";
    }
}

} // namespace

// Written piece by piece in the layout of dump(4): a map of a large project holds millions of
// feeds, which as one tree would take gigabytes.
void WriteByteMapJson(const ByteMap& map, std::ostream& to)
{
    JsonStream json(to, 4);
    json.Open('{');
    json.Key("input");
    WriteSide(map.Input, json);
    json.Key("output");
    WriteSide(map.Output, json);
    json.Close('}');
    json.Flush();
    to << '\n';
}

std::string ByteMapJson(const ByteMap& map)
{
    std::ostringstream out;
    WriteByteMapJson(map, out);
    return out.str();
}

std::string ByteMapText(const ByteMap& map)
{
    std::string out = "AREA BYTE COB ID     CAN MNEMONIC\n";
    SideLines(map.Input, out);
    SideLines(map.Output, out);
    return out;
}

} // namespace zz
