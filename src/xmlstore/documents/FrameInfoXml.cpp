#include "xmlstore/documents/FrameInfoXml.h"

#include "xmlstore/documents/AttributeRows.h"

inline namespace zz {

namespace {

constexpr std::array<const char*, 8> kByteNames = {"B1", "B2", "B3", "B4", "B5", "B6", "B7", "B8"};

constexpr auto kAttributes = [](auto& row, auto visit) {
    for (size_t k = 0; k < kByteNames.size(); ++k) visit(kByteNames[k], row.Bytes[k]);
};

void WriteInfo(ProjectDocument& document, const std::string& path, const char* rootName, const FrameInfoTexts& texts)
{
    BuildAttributeRows(document, rootName, texts.Rows, kAttributes);
    document.SaveFile(path);
}

} // namespace

FrameInfoTexts ReadFrameInfoXml(ProjectDocument& document, const std::string& path)
{
    document.LoadFile(path);
    return {ReadAttributeRows<FrameInfoRowTexts>(RowReader{document.Root(), path}, kAttributes)};
}

void WriteReceiveInfoXml(ProjectDocument& document, const std::string& path, const FrameInfoTexts& texts)
{
    WriteInfo(document, path, "Receive_Frames_Info", texts);
}

void WriteSendInfoXml(ProjectDocument& document, const std::string& path, const FrameInfoTexts& texts)
{
    WriteInfo(document, path, "Send_Frames_Info", texts);
}

} // namespace zz
