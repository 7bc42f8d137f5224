#include "devicenet/ByteMapFormat.h"

#include <nlohmann/json.hpp>

inline namespace zz {

namespace {

using Json = nlohmann::json; // keys in sorted order, as the forms have always listed them

Json FeedObject(const ByteMapSide& side, const ByteFeed& feed)
{
    const MapFrame& frame = side.Frames[feed.Frame];
    return {{"cobId", frame.CobId}, {"canByte", feed.CanByte}, {"frameRow", frame.Row}, {"mnemonic", frame.Mnemonic}};
}

Json SideObject(const ByteMapSide& side)
{
    Json bytes = Json::array();
    for (size_t b = 0; b < side.Bytes.size(); ++b) {
        Json feeds = Json::array();
        for (const ByteFeed& feed : side.Bytes[b]) feeds.push_back(FeedObject(side, feed));
        bytes.push_back({{"byte", b}, {"feeds", feeds}, {"conflict", side.Conflict(static_cast<int>(b))}});
    }
    Json beyond = Json::array();
    for (const StrayMapping& stray : side.Beyond) {
        Json object = FeedObject(side, stray.Feed);
        object["byte"] = stray.DeviceNetByte;
        beyond.push_back(object);
    }
    Json frames = Json::array();
    for (const MapFrame& frame : side.Frames) {
        Json mapped = Json::array();
        for (const uint8_t b : frame.Bytes) mapped.push_back(b == 255 ? Json() : Json(b));
        frames.push_back({{"row", frame.Row}, {"cobId", frame.CobId}, {"mnemonic", frame.Mnemonic}, {"bytes", mapped}});
    }
    Json object = {{"size", side.Size}, {"bytes", bytes}, {"beyondArea", beyond}, {"frames", frames}};
    if (!side.Problem.empty()) object["problem"] = side.Problem;
    return object;
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

std::string ByteMapJson(const ByteMap& map)
{
    return (Json{{"input", SideObject(map.Input)}, {"output", SideObject(map.Output)}}).dump(4) + "\n";
}

std::string ByteMapText(const ByteMap& map)
{
    std::string out = "AREA BYTE COB ID     CAN MNEMONIC\n";
    SideLines(map.Input, out);
    SideLines(map.Output, out);
    return out;
}

} // namespace zz
