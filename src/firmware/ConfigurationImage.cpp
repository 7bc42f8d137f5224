#include "firmware/ConfigurationImage.h"

#include "common/ParseInt.h"
#include "firmware/BankLayout.h"
#include "gateway/GatewayProject.h"

#include <exception>
#include <stdexcept>
#include <string>

inline namespace zz {

namespace {

using Bytes = BankImage::Bytes;

// Where a value of the documents lies, so that a failure names it.
struct Place {
    const char* Document;
    std::optional<int> Row;
};

int32_t Number(const StoredText& text, const Place& place, std::string_view field)
{
    try {
        return ParseInt(text.Value());
    } catch (const Failure& failure) {
        throw Failure(DocumentProblem{place.Document, place.Row, std::string(field), failure.what()});
    }
}

// "Y" in either case marks a frame for deletion; any other text, or none, does not.
uint8_t DeleteFlag(const StoredText& flag)
{
    return (flag.Text == "Y" || flag.Text == "y") ? 1 : 0;
}

int32_t OptionalNumber(const StoredText& text, int32_t fallback)
{
    try {
        return ParseInt(text.Value());
    } catch (const std::exception&) {
        return fallback;
    }
}

int32_t RecordValue(const BankField& field, const FrameTableRowTexts& frame, const FrameInfoRowTexts& mapping,
                    const Place& framePlace, const Place& infoPlace)
{
    switch (field.Value) {
    case BankValue::CobId: return Number(frame.CobId, framePlace, field.Name);
    case BankValue::Dim: return Number(frame.Dim, framePlace, field.Name);
    case BankValue::Delete: return DeleteFlag(frame.Delete);
    case BankValue::B1:
    case BankValue::B2:
    case BankValue::B3:
    case BankValue::B4:
    case BankValue::B5:
    case BankValue::B6:
    case BankValue::B7:
    case BankValue::B8: return Number(mapping.Bytes[MappedByteIndex(field.Value)], infoPlace, field.Name);
    default: throw std::logic_error("not a frame record field");
    }
}

// The data time-out and the DeviceNet sizes are optional: what cannot be read takes its default.
int32_t ParameterValue(const BankField& field, const PargenTexts& parameters, int receiveCount, int sendCount)
{
    const Place place{kPargenName, std::nullopt};
    switch (field.Value) {
    case BankValue::CanBaud: return Number(parameters.CanBaud, place, field.Name);
    case BankValue::CanType: return Number(parameters.CanType, place, field.Name);
    case BankValue::HowSend: return Number(parameters.HowSend, place, field.Name);
    case BankValue::DelaySend: return Number(parameters.DelaySend, place, field.Name);
    case BankValue::NetDevId: return Number(parameters.NetDevId, place, field.Name);
    case BankValue::NetBaud: return Number(parameters.NetBaud, place, field.Name);
    case BankValue::ReceiveCount: return receiveCount;
    case BankValue::SendCount: return sendCount;
    case BankValue::TimeOutData: return OptionalNumber(parameters.TimeOutData, 0);
    case BankValue::NetIn: return OptionalNumber(parameters.NetIn, 128);
    case BankValue::NetOut: return OptionalNumber(parameters.NetOut, 128);
    default: throw std::logic_error("not a parameter block field");
    }
}

// Fills the records of one side from its frame and info documents and returns their count.
int LoadFrameSide(const GatewayProject& project, GatewaySide side, Bytes& bank, const BankArea& area)
{
    const auto& frameDocument = project.Frames(side);
    const auto& infoDocument = project.Info(side);
    const FrameTableTexts& frameTable = frameDocument.Read();
    const size_t frameRows = frameTable.Rows.size();
    const FrameInfoTexts& mappings = infoDocument.Read();
    const size_t infoRows = mappings.Rows.size();
    // The count is a single byte in the parameter block: 256 rows count as 0, 300 as 44.
    const size_t count = (frameRows < infoRows ? frameRows : infoRows) & 0xFF;

    for (size_t i = 0; i < count; ++i) {
        const int row = static_cast<int>(i + 1);
        const size_t at = area.Offset + area.RecordSize * i;
        for (const BankField& field : area.Fields)
            StoreField(bank, at, field,
                       RecordValue(field, frameTable.Rows[i], mappings.Rows[i], {frameDocument.Name, row},
                                   {infoDocument.Name, row}));
    }
    return static_cast<int>(count);
}

} // namespace

void LoadConfigurationImage(const ProjectLayout& layout, BankImage& image)
{
    LoadConfigurationImage(LoadGatewayProject(layout), image);
}

void LoadConfigurationImage(const GatewayProject& project, BankImage& image)
{
    Bytes& bank = image.Bank(1);
    const auto sideExists = [&](GatewaySide side) { return project.Frames(side).Exists && project.Info(side).Exists; };

    int receiveCount = 0;
    if (sideExists(GatewaySide::Receive))
        receiveCount = LoadFrameSide(project, GatewaySide::Receive, bank, kReceiveArea);

    int sendCount = 0;
    if (sideExists(GatewaySide::Send)) sendCount = LoadFrameSide(project, GatewaySide::Send, bank, kSendArea);

    // Without pargen.xml the whole block, the counts included, keeps what it held.
    if (!project.Pargen.Exists) return;
    const PargenTexts& parameters = project.Pargen.Read();
    for (const BankField& field : kParameterArea.Fields)
        StoreField(bank, kParameterArea.Offset, field, ParameterValue(field, parameters, receiveCount, sendCount));
}

} // namespace zz
