#include "firmware/ProjectRecovery.h"

#include "firmware/FirmwareVerification.h"
#include "gateway/FrameMappingDocument.h"
#include "gateway/FrameTableDocument.h"
#include "gateway/PargenDocument.h"

#include <cstdio>
#include <utility>

inline namespace zz {

namespace {

std::string HexText(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

void WriteSide(const std::string& framePath, const std::string& infoPath, GatewaySide side,
               const std::vector<DecodedFrame>& frames)
{
    std::vector<FrameRow> rows;
    std::vector<FrameMapping> mappings;
    for (const DecodedFrame& frame : frames) {
        FrameRow row;
        row.CobId = HexText(frame.CobId);
        row.Dim = std::to_string(frame.Dim);
        if (side == GatewaySide::Receive) row.Delete = frame.Delete ? "Y" : "N";
        rows.push_back(row);
        FrameMapping mapping;
        mapping.Dim = 8; // every byte as it is: the loader reads all eight
        for (int k = 1; k <= 8; ++k) mapping.Byte(k) = frame.Bytes[static_cast<size_t>(k - 1)];
        mappings.push_back(mapping);
    }
    ProjectDocument document(Discipline::Strict);
    SaveFrameTable(document, framePath, side, rows);
    SaveMappings(document, infoPath, side == GatewaySide::Receive ? GatewaySide::Receive : GatewaySide::Send, mappings);
}

} // namespace

void WriteRecoveredProject(const GatewayDocumentPaths& paths, const DecodedConfiguration& c)
{
    PargenSettings settings;
    settings.CanBaud = c.CanBaud;
    settings.Can11Bit = c.CanType == 0;
    settings.SendOnChange = c.HowSend == 0;
    settings.DelaySend = std::to_string(c.DelaySend);
    settings.TimeOutData = std::to_string(c.TimeOutData);
    settings.NetDevId = std::to_string(c.NetDevId);
    settings.NetBaud = c.NetBaud;
    settings.NetIn = std::to_string(c.NetIn);
    settings.NetOut = std::to_string(c.NetOut);
    ProjectDocument document(Discipline::Strict);
    SavePargen(document, paths.Pargen, settings);
    WriteSide(paths.ReceiveFrame, paths.ReceiveInfo, GatewaySide::Receive, c.Receive);
    WriteSide(paths.SendFrame, paths.SendInfo, GatewaySide::Send, c.Send);
}

RecoveryCheck CompareRecovered(const BankImage::Bytes& decoded, const BankImage::Bytes& rebuilt)
{
    const DecodedConfiguration c = DecodeConfiguration(decoded);
    // The counted records of each area and the whole parameter block.
    const std::pair<const BankArea*, size_t> counts[] = {
        {&kReceiveArea, kReceiveArea.RecordSize * c.ReceiveCount},
        {&kSendArea, kSendArea.RecordSize * c.SendCount},
        {&kParameterArea, kParameterArea.Size},
    };
    const auto counted = [&](size_t offset) {
        for (const auto& [area, used] : counts)
            if (offset >= area->Offset && offset < area->Offset + area->Size) return offset - area->Offset < used;
        return false;
    };
    RecoveryCheck check;
    for (size_t offset = 0; offset < decoded.size(); ++offset) {
        if (decoded[offset] == rebuilt[offset]) continue;
        if (!counted(offset)) {
            ++check.Elsewhere;
            continue;
        }
        const auto at = static_cast<uint32_t>(offset);
        check.Configuration.push_back("bank 1, offset " + GroupedNumber(at) + ", " + BankOneField(at) + ": firmware " +
                                      std::to_string(decoded[offset]) + ", recovered project " +
                                      std::to_string(rebuilt[offset]));
    }
    return check;
}

} // namespace zz
