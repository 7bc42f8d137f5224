#include "xmlstore/documents/FrameInfoXml.h"

namespace {

constexpr std::array<const char*, 8> kByteNames = {"B1", "B2", "B3", "B4", "B5", "B6", "B7", "B8"};

void WriteInfo(ProjectDocument& document, const std::string& path, const char* rootName, const FrameInfoTexts& texts)
{
    document.Reset();
    const XmlNode root = document.AddRoot(rootName);
    for (const FrameInfoRowTexts& r : texts.Rows) {
        const XmlNode row = document.AddChild(root, "row");
        for (size_t k = 0; k < kByteNames.size(); ++k) SetAttributeText(document, row, kByteNames[k], r.Bytes[k]);
    }
    document.SaveFile(path);
}

} // namespace

FrameInfoTexts ReadFrameInfoXml(ProjectDocument& document, const std::string& path)
{
    document.LoadFile(path);
    const RowReader reader{document.Root(), path};
    FrameInfoTexts texts;
    size_t index = 0;
    for (const XmlNode row : reader.Root.children()) {
        FrameInfoRowTexts& r = texts.Rows.emplace_back();
        for (size_t k = 0; k < kByteNames.size(); ++k) r.Bytes[k] = reader.Attribute(row, index, kByteNames[k]);
        ++index;
    }
    return texts;
}

void WriteReceiveInfoXml(ProjectDocument& document, const std::string& path, const FrameInfoTexts& texts)
{
    WriteInfo(document, path, "Receive_Frames_Info", texts);
}

void WriteSendInfoXml(ProjectDocument& document, const std::string& path, const FrameInfoTexts& texts)
{
    WriteInfo(document, path, "Send_Frames_Info", texts);
}
