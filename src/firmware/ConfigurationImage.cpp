#include "firmware/ConfigurationImage.h"

#include "common/ProjectContext.h"
#include "common/FileSystem.h"
#include "common/ParseInt.h"
#include "xmlstore/ProjectDocument.h"

#include <exception>
#include <string>

namespace {

using Bytes = BankImage::Bytes;

constexpr const char* kByteColumns[] = {"B1", "B2", "B3", "B4", "B5", "B6", "B7", "B8"};

int32_t NumberAttribute(const ProjectDocument& document, XmlNode row, const char* name)
{
    return ParseInt(document.AttributeText(row, name));
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
uint8_t DeleteFlag(const ProjectDocument& document, XmlNode row)
{
    try {
        const std::string text = document.AttributeText(row, "Delete");
        return (text == "Y" || text == "y") ? 1 : 0;
    } catch (const std::exception&) {
        return 0;
    }
}

// Fills the records of one side from its frame and info documents and returns their count.
int LoadFrameSide(ProjectDocument& frames, ProjectDocument& info, const std::string& framePath,
                  const std::string& infoPath, Bytes& bank, size_t table, size_t recordSize, bool withDelete)
{
    frames.LoadFile(framePath);
    const XmlNode frameRoot = frames.Root();
    const size_t frameRows = frames.ChildCount(frameRoot);
    info.LoadFile(infoPath);
    const XmlNode infoRoot = info.Root();
    const size_t infoRows = info.ChildCount(infoRoot);
    // The count is a single byte in the parameter block: 256 rows count as 0, 300 as 44.
    const size_t count = (frameRows < infoRows ? frameRows : infoRows) & 0xFF;

    for (size_t i = 0; i < count; ++i) {
        const XmlNode frame = frames.ChildAt(frameRoot, i);
        const XmlNode mapping = info.ChildAt(infoRoot, i);
        size_t at = table + recordSize * i;
        StoreLittleEndian32(bank, at, NumberAttribute(frames, frame, "COBID"));
        at += 4;
        StoreByte(bank, at++, NumberAttribute(frames, frame, "Dim"));
        if (withDelete) bank[at++] = DeleteFlag(frames, frame);
        for (const char* column : kByteColumns) StoreByte(bank, at++, NumberAttribute(info, mapping, column));
    }
    return static_cast<int>(count);
}

int32_t RequiredParameter(const ProjectDocument& document, XmlNode root, const char* name)
{
    return ParseInt(document.NodeText(document.FindChild(root, name)));
}

int32_t OptionalParameter(const ProjectDocument& document, XmlNode root, const char* name, int32_t fallback)
{
    try {
        return RequiredParameter(document, root, name);
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
    first.LoadFile(project.PargenFile);
    const XmlNode root = first.Root();
    const size_t p = kParameterBlock;
    StoreByte(bank, p + 0, RequiredParameter(first, root, "Can_Baud"));
    StoreByte(bank, p + 1, RequiredParameter(first, root, "CAN_Type"));
    StoreByte(bank, p + 2, RequiredParameter(first, root, "How_Send"));
    const int32_t delay = RequiredParameter(first, root, "Delay_Send"); // most significant byte first
    StoreByte(bank, p + 3, delay >> 8);
    StoreByte(bank, p + 4, delay);
    StoreByte(bank, p + 5, RequiredParameter(first, root, "Net_Dev_Id"));
    StoreByte(bank, p + 6, RequiredParameter(first, root, "Net_Baud"));
    StoreByte(bank, p + 7, receiveCount);
    StoreByte(bank, p + 8, sendCount);
    const int32_t timeOut = OptionalParameter(first, root, "TimeOut_Data", 0); // least significant byte first
    StoreByte(bank, p + 9, timeOut);
    StoreByte(bank, p + 10, timeOut >> 8);
    StoreByte(bank, p + 11, OptionalParameter(first, root, "Net_In", 128));
    StoreByte(bank, p + 12, OptionalParameter(first, root, "Net_Out", 128));
}
