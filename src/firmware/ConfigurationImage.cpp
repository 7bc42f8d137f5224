#include "firmware/ConfigurationImage.h"

#include "common/ProjectContext.h"
#include "common/FileSystem.h"
#include "common/ParseInt.h"
#include "xmlstore/documents/FrameInfoXml.h"
#include "xmlstore/documents/FrameTableXml.h"
#include "xmlstore/documents/PargenXml.h"

#include <exception>
#include <stdexcept>
#include <string>

inline namespace zz {

namespace {

using Bytes = BankImage::Bytes;

int32_t Number(const StoredText& text)
{
    return ParseInt(text.Value());
}

// "Y" in either case marks a frame for deletion; any other text, or none, does not.
uint8_t DeleteFlag(const StoredText& flag)
{
    return (flag.Text == "Y" || flag.Text == "y") ? 1 : 0;
}

int32_t OptionalNumber(const StoredText& text, int32_t fallback)
{
    try {
        return Number(text);
    } catch (const std::exception&) {
        return fallback;
    }
}

int32_t RecordValue(BankValue value, const FrameTableRowTexts& frame, const FrameInfoRowTexts& mapping)
{
    switch (value) {
    case BankValue::CobId: return Number(frame.CobId);
    case BankValue::Dim: return Number(frame.Dim);
    case BankValue::Delete: return DeleteFlag(frame.Delete);
    case BankValue::B1: case BankValue::B2: case BankValue::B3: case BankValue::B4:
    case BankValue::B5: case BankValue::B6: case BankValue::B7: case BankValue::B8:
        return Number(mapping.Bytes[MappedByteIndex(value)]);
    default: throw std::logic_error("not a frame record field");
    }
}

// The data time-out and the DeviceNet sizes are optional: what cannot be read takes its default.
int32_t ParameterValue(BankValue value, const PargenTexts& parameters, int receiveCount, int sendCount)
{
    switch (value) {
    case BankValue::CanBaud: return Number(parameters.CanBaud);
    case BankValue::CanType: return Number(parameters.CanType);
    case BankValue::HowSend: return Number(parameters.HowSend);
    case BankValue::DelaySend: return Number(parameters.DelaySend);
    case BankValue::NetDevId: return Number(parameters.NetDevId);
    case BankValue::NetBaud: return Number(parameters.NetBaud);
    case BankValue::ReceiveCount: return receiveCount;
    case BankValue::SendCount: return sendCount;
    case BankValue::TimeOutData: return OptionalNumber(parameters.TimeOutData, 0);
    case BankValue::NetIn: return OptionalNumber(parameters.NetIn, 128);
    case BankValue::NetOut: return OptionalNumber(parameters.NetOut, 128);
    default: throw std::logic_error("not a parameter block field");
    }
}

// Fills the records of one side from its frame and info documents and returns their count.
int LoadFrameSide(ProjectDocument& frames, ProjectDocument& info, const std::string& framePath,
                  const std::string& infoPath, Bytes& bank, const BankArea& area)
{
    const FrameTableTexts frameTable = ReadFrameTableXml(frames, framePath);
    const size_t frameRows = frameTable.Rows.size();
    const FrameInfoTexts mappings = ReadFrameInfoXml(info, infoPath);
    const size_t infoRows = mappings.Rows.size();
    // The count is a single byte in the parameter block: 256 rows count as 0, 300 as 44.
    const size_t count = (frameRows < infoRows ? frameRows : infoRows) & 0xFF;

    for (size_t i = 0; i < count; ++i) {
        const size_t at = area.Offset + area.RecordSize * i;
        for (const BankField& field : area.Fields)
            StoreField(bank, at, field, RecordValue(field.Value, frameTable.Rows[i], mappings.Rows[i]));
    }
    return static_cast<int>(count);
}

} // namespace

void LoadConfigurationImage(const ProjectContext& project, BankImage& image)
{
    LoadConfigurationImage(ImageSources{project.PargenFile, project.ReceiveFrameFile, project.ReceiveInfoFile,
                                        project.SendFrameFile, project.SendInfoFile},
                           image);
}

void LoadConfigurationImage(const ImageSources& project, BankImage& image)
{
    Bytes& bank = image.Bank(1);
    ProjectDocument first(Discipline::Strict);
    ProjectDocument second(Discipline::Strict);

    int receiveCount = 0;
    if (FileExists(project.ReceiveFrameFile) && FileExists(project.ReceiveInfoFile))
        receiveCount = LoadFrameSide(first, second, project.ReceiveFrameFile, project.ReceiveInfoFile, bank,
                                     kReceiveArea);

    int sendCount = 0;
    if (FileExists(project.SendFrameFile) && FileExists(project.SendInfoFile))
        sendCount = LoadFrameSide(first, second, project.SendFrameFile, project.SendInfoFile, bank,
                                  kSendArea);

    // Without pargen.xml the whole block, the counts included, keeps what it held.
    if (!FileExists(project.PargenFile)) return;
    const PargenTexts parameters = ReadPargenXml(first, project.PargenFile);
    for (const BankField& field : kParameterArea.Fields)
        StoreField(bank, kParameterArea.Offset, field, ParameterValue(field.Value, parameters, receiveCount, sendCount));
}

} // namespace zz
