#include "devicenet/ByteMap.h"

#include "gateway/GatewayProject.h"

#include <exception>

inline namespace zz {

namespace {

ByteMapSide ReadSide(const GatewayProject& project, GatewaySide direction, int size)
{
    ByteMapSide side;
    side.Direction = direction;
    side.Size = size;
    side.Bytes.resize(static_cast<size_t>(size));
    MappingList list;
    std::vector<FrameRow> rows;
    try {
        SideMappings(project, direction, list);
    } catch (const std::exception& failure) {
        side.Problem = failure.what();
        return side;
    }
    try {
        if (const auto& frames = project.Frames(direction); frames.Exists) rows = FrameRowsOf(frames.Read(), direction);
    } catch (const std::exception&) {
        // Without their mnemonics the frames are still drawn; the check names the reason.
    }
    for (size_t f = 0; f < list.Records.size(); ++f) {
        MapFrame frame;
        frame.Row = static_cast<int>(f + 1);
        frame.CobId = list.CobIds[f];
        if (f < rows.size()) frame.Mnemonic = rows[f].Mnemonic;
        for (int k = 1; k <= 8; ++k) {
            const uint8_t b = list.Records[f].Byte(k);
            frame.Bytes[static_cast<size_t>(k - 1)] = b;
            if (b == kNoByte) continue;
            if (b < size) side.Bytes[b].push_back({f, k});
            else side.Beyond.push_back({{f, k}, b});
        }
        side.Frames.push_back(std::move(frame));
    }
    return side;
}

} // namespace

bool ByteMapSide::Conflict(int deviceNetByte) const
{
    return IsInput() && deviceNetByte >= 0 && deviceNetByte < static_cast<int>(Bytes.size()) &&
           Bytes[static_cast<size_t>(deviceNetByte)].size() > 1;
}

ByteMap BuildByteMap(const GatewayProject& project)
{
    const DeviceNetAreas areas = AreasOf(project);
    return {ReadSide(project, GatewaySide::Receive, areas.Input), ReadSide(project, GatewaySide::Send, areas.Output)};
}

std::string FeedLabel(const ByteMapSide& side, const ByteFeed& feed)
{
    const std::string cobId = feed.Frame < side.Frames.size() ? side.Frames[feed.Frame].CobId : std::string("?");
    return cobId + " B" + std::to_string(feed.CanByte);
}

} // namespace zz
