#include "firmware/ConfigurationImage.h"

#include "common/ProjectContext.h"
#include "common/FileSystem.h"
#include "common/ParseInt.h"
#include "xmlstore/documents/FrameInfoXml.h"
#include "xmlstore/documents/FrameTableXml.h"
#include "xmlstore/documents/PargenXml.h"

#include <exception>
#include <string>

inline namespace zz {

namespace {

using Bytes = BankImage::Bytes;

int32_t Number(const StoredText& text)
{
    return ParseInt(text.Value());
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
int LoadFrameSide(ProjectDocument& frames, ProjectDocument& info, const std::string& framePath,
                  const std::string& infoPath, Bytes& bank, size_t table, size_t recordSize, bool withDelete)
{
    const FrameTableTexts frameTable = ReadFrameTableXml(frames, framePath);
    const size_t frameRows = frameTable.Rows.size();
    const FrameInfoTexts mappings = ReadFrameInfoXml(info, infoPath);
    const size_t infoRows = mappings.Rows.size();
    // The count is a single byte in the parameter block: 256 rows count as 0, 300 as 44.
    const size_t count = (frameRows < infoRows ? frameRows : infoRows) & 0xFF;

    for (size_t i = 0; i < count; ++i) {
        const FrameTableRowTexts& frame = frameTable.Rows[i];
        size_t at = table + recordSize * i;
        StoreLittleEndian32(bank, at, Number(frame.CobId));
        at += 4;
        StoreByte(bank, at++, Number(frame.Dim));
        if (withDelete) bank[at++] = DeleteFlag(frame.Delete);
        for (const StoredText& byte : mappings.Rows[i].Bytes) StoreByte(bank, at++, Number(byte));
    }
    return static_cast<int>(count);
}

int32_t OptionalNumber(const StoredText& text, int32_t fallback)
{
    try {
        return Number(text);
    } catch (const std::exception&) {
        return fallback;
    }
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
    using namespace BankLayout;
    Bytes& bank = image.Bank(1);
    ProjectDocument first(Discipline::Strict);
    ProjectDocument second(Discipline::Strict);

    int receiveCount = 0;
    if (FileExists(project.ReceiveFrameFile) && FileExists(project.ReceiveInfoFile))
        receiveCount = LoadFrameSide(first, second, project.ReceiveFrameFile, project.ReceiveInfoFile, bank,
                                     kReceiveTable, kReceiveRecordSize, true);

    int sendCount = 0;
    if (FileExists(project.SendFrameFile) && FileExists(project.SendInfoFile))
        sendCount = LoadFrameSide(first, second, project.SendFrameFile, project.SendInfoFile, bank, kSendTable,
                                  kSendRecordSize, false);

    // Without pargen.xml the whole block, the counts included, keeps what it held.
    if (!FileExists(project.PargenFile)) return;
    const PargenTexts parameters = ReadPargenXml(first, project.PargenFile);
    const size_t p = kParameterBlock;
    StoreByte(bank, p + 0, Number(parameters.CanBaud));
    StoreByte(bank, p + 1, Number(parameters.CanType));
    StoreByte(bank, p + 2, Number(parameters.HowSend));
    const int32_t delay = Number(parameters.DelaySend); // most significant byte first
    StoreByte(bank, p + 3, delay >> 8);
    StoreByte(bank, p + 4, delay);
    StoreByte(bank, p + 5, Number(parameters.NetDevId));
    StoreByte(bank, p + 6, Number(parameters.NetBaud));
    StoreByte(bank, p + 7, receiveCount);
    StoreByte(bank, p + 8, sendCount);
    const int32_t timeOut = OptionalNumber(parameters.TimeOutData, 0); // least significant byte first
    StoreByte(bank, p + 9, timeOut);
    StoreByte(bank, p + 10, timeOut >> 8);
    StoreByte(bank, p + 11, OptionalNumber(parameters.NetIn, 128));
    StoreByte(bank, p + 12, OptionalNumber(parameters.NetOut, 128));
}

} // namespace zz
