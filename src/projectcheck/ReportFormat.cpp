#include "projectcheck/ReportFormat.h"

#include <nlohmann/json.hpp>

inline namespace zz {

namespace {

using Json = nlohmann::json; // keys in sorted order, as the forms have always listed them

std::string Text(const Json& value)
{
    return value.dump(4) + "\n";
}

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

std::string FindingsJson(const std::vector<Finding>& findings)
{
    Json list = Json::array();
    for (const Finding& f : findings)
        list.push_back({{"severity", SeverityName(f.Level)},
                        {"rule", f.Rule},
                        {"document", f.Document},
                        {"row", f.Row ? Json(*f.Row) : Json()},
                        {"field", f.Field},
                        {"message", f.Message}});
    return Text(list);
}

std::string FindingsText(const std::vector<Finding>& findings)
{
    std::string out;
    for (const Finding& f : findings) {
        std::string where = f.Document.empty() ? "project" : f.Document;
        if (f.Row) where += " row " + std::to_string(*f.Row);
        if (!f.Field.empty()) where += " " + f.Field;
        out += Padded(SeverityName(f.Level), 8) + where + ": " + f.Message + "\n";
    }
    const FindingCounts counts = CountFindings(findings);
    out += std::to_string(counts.Errors) + (counts.Errors == 1 ? " error, " : " errors, ") +
           std::to_string(counts.Warnings) + (counts.Warnings == 1 ? " warning\n" : " warnings\n");
    return out;
}

std::string ByteMapJson(const ByteMap& map)
{
    return Text({{"input", SideObject(map.Input)}, {"output", SideObject(map.Output)}});
}

std::string ByteMapText(const ByteMap& map)
{
    std::string out = "AREA BYTE COB ID     CAN MNEMONIC\n";
    SideLines(map.Input, out);
    SideLines(map.Output, out);
    return out;
}

} // namespace zz
