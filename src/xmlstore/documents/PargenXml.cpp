#include "xmlstore/documents/PargenXml.h"

inline namespace zz {

namespace {

constexpr const char* kRoot = "Par_Gen";

// Every field with its element name, in the order the document is written.
template <typename Texts, typename Visit>
void ForEachField(Texts& texts, Visit visit)
{
    visit("Can_Baud", texts.CanBaud);
    visit("CAN_Type", texts.CanType);
    visit("How_Send", texts.HowSend);
    visit("Delay_Send", texts.DelaySend);
    visit("TimeOut_Data", texts.TimeOutData);
    visit("Net_Dev_Id", texts.NetDevId);
    visit("Net_Baud", texts.NetBaud);
    visit("Net_In", texts.NetIn);
    visit("Net_Out", texts.NetOut);
}

} // namespace

PargenTexts ReadPargenXml(ProjectDocument& document, const std::string& path)
{
    document.LoadFile(path);
    const XmlNode root = document.Root();
    PargenTexts texts;
    ForEachField(texts, [&](const char* name, StoredText& field) { field = ChildText(document, root, name); });
    return texts;
}

void WritePargenXml(ProjectDocument& document, const std::string& path, const PargenTexts& texts)
{
    document.Reset();
    const XmlNode root = document.AddRoot(kRoot);
    ForEachField(texts, [&](const char* name, const StoredText& field) { AddChildText(document, root, name, field); });
    document.SaveFile(path);
}

} // namespace zz
