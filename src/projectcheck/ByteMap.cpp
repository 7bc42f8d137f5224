#include "projectcheck/ByteMap.h"

#include "editors/gateway/FrameMappingDocument.h"
#include "editors/gateway/FrameTableDocument.h"
#include "projectcheck/DeviceNetAreas.h"
#include "projectcheck/ProjectFiles.h"

#include <exception>

inline namespace zz {

namespace {

ByteMapSide ReadSide(bool input, int size, const std::string& framePath, const std::string& infoPath)
{
    ByteMapSide side;
    side.input = input;
    side.size = size;
    side.bytes.resize(static_cast<size_t>(size));
    ProjectDocument document(Discipline::Strict);
    MappingList list;
    std::vector<FrameRow> rows;
    try {
        LoadMappings(document, framePath, infoPath, list);
    } catch (const std::exception& failure) {
        side.problem = failure.what();
        return side;
    }
    try {
        rows = ReadFrameRows(document, framePath, input ? FrameSide::Receive : FrameSide::Send);
    } catch (const std::exception&) {
        // Without their mnemonics the frames are still drawn; the check names the reason.
    }
    for (size_t f = 0; f < list.Records.size(); ++f) {
        MapFrame frame;
        frame.row = static_cast<int>(f + 1);
        frame.cobId = list.CobIds[f];
        if (f < rows.size()) frame.mnemonic = rows[f].Mnemonic;
        for (int k = 1; k <= 8; ++k) {
            const uint8_t b = list.Records[f].Byte(k);
            frame.bytes[static_cast<size_t>(k - 1)] = b;
            if (b == kNoByte) continue;
            if (b < size)
                side.bytes[b].push_back({f, k});
            else
                side.beyond.push_back({{f, k}, b});
        }
        side.frames.push_back(std::move(frame));
    }
    return side;
}

} // namespace

bool ByteMapSide::Conflict(int deviceNetByte) const
{
    return input && deviceNetByte >= 0 && deviceNetByte < static_cast<int>(bytes.size()) &&
           bytes[static_cast<size_t>(deviceNetByte)].size() > 1;
}

ByteMap BuildByteMap(const std::string& projectDir)
{
    const ProjectFiles files = ProjectFilesIn(projectDir);
    const DeviceNetAreas areas = ReadDeviceNetAreas(files.Pargen);
    return {ReadSide(true, areas.input, files.ReceiveFrame, files.ReceiveInfo),
            ReadSide(false, areas.output, files.SendFrame, files.SendInfo)};
}

std::string FeedLabel(const ByteMapSide& side, const ByteFeed& feed)
{
    const std::string cobId = feed.frame < side.frames.size() ? side.frames[feed.frame].cobId : std::string("?");
    return cobId + " B" + std::to_string(feed.canByte);
}

} // namespace zz
