#include "firmware/ConfigurationImage.h"

#include "common/ParseInt.h"
#include "gateway/GatewayProject.h"

#include <exception>
#include <string>

inline namespace zz {

namespace {

using Bytes = BankImage::Bytes;

// A value of the documents; a text that is missing or no number fails with its place.
int32_t Number(const StoredText& text, const char* document, std::optional<int> row, const char* field)
{
    try {
        return ParseInt(text.Value());
    } catch (const Failure& failure) {
        throw Failure(DocumentProblem{document, row, field, failure.what()});
    }
}

void StoreLittleEndian32(Bytes& bank, size_t at, int32_t value)
{
    const auto bits = static_cast<uint32_t>(value);
    for (size_t k = 0; k < 4; ++k) bank[at + k] = static_cast<uint8_t>(bits >> (8 * k));
}

void StoreByte(Bytes& bank, size_t at, int32_t value)
{
    bank[at] = static_cast<uint8_t>(static_cast<uint32_t>(value) & 0xFF);
}

// "Y" in either case marks a frame for deletion; any other text, or none, does not.
uint8_t DeleteFlag(const StoredText& flag)
{
    return (flag.Text == "Y" || flag.Text == "y") ? 1 : 0;
}

// Fills the records of one side from its frame and info documents and returns their count.
int LoadFrameSide(const GatewayProject& project, GatewaySide side, Bytes& bank, size_t table, size_t recordSize,
                  bool withDelete)
{
    const auto& frameDocument = project.Frames(side);
    const auto& infoDocument = project.Info(side);
    const FrameTableTexts& frameTable = frameDocument.Read();
    const size_t frameRows = frameTable.Rows.size();
    const FrameInfoTexts& mappings = infoDocument.Read();
    const size_t infoRows = mappings.Rows.size();
    // The count is a single byte in the parameter block: 256 rows count as 0, 300 as 44.
    const size_t count = (frameRows < infoRows ? frameRows : infoRows) & 0xFF;

    static constexpr const char* kByteFields[] = {"B1", "B2", "B3", "B4", "B5", "B6", "B7", "B8"};
    for (size_t i = 0; i < count; ++i) {
        const FrameTableRowTexts& frame = frameTable.Rows[i];
        const int row = static_cast<int>(i + 1);
        size_t at = table + recordSize * i;
        StoreLittleEndian32(bank, at, Number(frame.CobId, frameDocument.Name, row, "COBID"));
        at += 4;
        StoreByte(bank, at++, Number(frame.Dim, frameDocument.Name, row, "Dim"));
        if (withDelete) bank[at++] = DeleteFlag(frame.Delete);
        for (size_t k = 0; k < 8; ++k)
            StoreByte(bank, at++, Number(mappings.Rows[i].Bytes[k], infoDocument.Name, row, kByteFields[k]));
    }
    return static_cast<int>(count);
}

int32_t OptionalNumber(const StoredText& text, int32_t fallback)
{
    try {
        return ParseInt(text.Value());
    } catch (const std::exception&) {
        return fallback;
    }
}

} // namespace

void LoadConfigurationImage(const ProjectLayout& layout, BankImage& image)
{
    LoadConfigurationImage(LoadGatewayProject(layout), image);
}

void LoadConfigurationImage(const GatewayProject& project, BankImage& image)
{
    using namespace BankLayout;
    Bytes& bank = image.Bank(1);

    const auto sideExists = [&](GatewaySide side) { return project.Frames(side).Exists && project.Info(side).Exists; };
    int receiveCount = 0;
    if (sideExists(GatewaySide::Receive))
        receiveCount = LoadFrameSide(project, GatewaySide::Receive, bank, kReceiveTable, kReceiveRecordSize, true);

    int sendCount = 0;
    if (sideExists(GatewaySide::Send))
        sendCount = LoadFrameSide(project, GatewaySide::Send, bank, kSendTable, kSendRecordSize, false);

    // Without pargen.xml the whole block, the counts included, keeps what it held.
    if (!project.Pargen.Exists) return;
    const PargenTexts& parameters = project.Pargen.Read();
    const auto number = [](const StoredText& text, const char* field) {
        return Number(text, kPargenName, std::nullopt, field);
    };
    const size_t p = kParameterBlock;
    StoreByte(bank, p + 0, number(parameters.CanBaud, "Can_Baud"));
    StoreByte(bank, p + 1, number(parameters.CanType, "CAN_Type"));
    StoreByte(bank, p + 2, number(parameters.HowSend, "How_Send"));
    const int32_t delay = number(parameters.DelaySend, "Delay_Send"); // most significant byte first
    StoreByte(bank, p + 3, delay >> 8);
    StoreByte(bank, p + 4, delay);
    StoreByte(bank, p + 5, number(parameters.NetDevId, "Net_Dev_Id"));
    StoreByte(bank, p + 6, number(parameters.NetBaud, "Net_Baud"));
    StoreByte(bank, p + 7, receiveCount);
    StoreByte(bank, p + 8, sendCount);
    const int32_t timeOut = OptionalNumber(parameters.TimeOutData, 0); // least significant byte first
    StoreByte(bank, p + 9, timeOut);
    StoreByte(bank, p + 10, timeOut >> 8);
    StoreByte(bank, p + 11, OptionalNumber(parameters.NetIn, 128));
    StoreByte(bank, p + 12, OptionalNumber(parameters.NetOut, 128));
}

} // namespace zz
