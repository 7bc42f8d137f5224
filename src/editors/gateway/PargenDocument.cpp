#include "editors/gateway/PargenDocument.h"

#include "common/FileSystem.h"
#include "common/ParseInt.h"

namespace {

constexpr const char* kRoot = "Par_Gen";

std::string Text(const ProjectDocument& document, XmlNode root, std::string_view name)
{
    return document.NodeText(document.FindChild(root, name));
}

// An element that older files may lack keeps the value it already has.
void TextOrKeep(const ProjectDocument& document, XmlNode root, std::string_view name, std::string& value)
{
    if (XmlNode node = document.FindChild(root, name)) value = document.NodeText(node);
}

bool InRange(const std::string& text, int low, int high)
{
    const int32_t value = ParseIntOr(text, -1);
    return value >= low && value <= high;
}

template <size_t N>
bool IsPosition(int position, const std::array<std::string_view, N>& list)
{
    return position >= 0 && position < static_cast<int>(list.size());
}

} // namespace

PargenSettings PargenDefaults(bool can11Bit)
{
    PargenSettings settings;
    settings.Can11Bit = can11Bit;
    return settings;
}

bool LoadPargen(ProjectDocument& document, const std::string& path, PargenSettings& into)
{
    if (!FileExists(path)) return false;
    document.LoadFile(path);
    const XmlNode root = document.Root();
    into.CanBaud = ParseInt(Text(document, root, "Can_Baud"));
    into.Can11Bit = Text(document, root, "CAN_Type") == "0";
    into.SendOnChange = Text(document, root, "How_Send") == "0";
    into.DelaySend = Text(document, root, "Delay_Send");
    TextOrKeep(document, root, "TimeOut_Data", into.TimeOutData);
    into.NetDevId = Text(document, root, "Net_Dev_Id");
    into.NetBaud = ParseInt(Text(document, root, "Net_Baud"));
    TextOrKeep(document, root, "Net_In", into.NetIn);
    TextOrKeep(document, root, "Net_Out", into.NetOut);
    return true;
}

std::optional<std::string> ValidatePargen(const PargenSettings& s)
{
    if (!InRange(s.DelaySend, 1, 65535))
        return "Error!! The Time Before send a new Frame must be between 1 and 65535. ";
    if (!InRange(s.TimeOutData, 0, 10000)) return "Error!! CAN TimeOut Data must be between 0 and 10000. ";
    if (!InRange(s.NetDevId, 0, 63)) return "Error!! DeviceNET address must be between 0 and 63. ";
    if (!InRange(s.NetIn, 1, 128)) return "Error!! DeviceNET Number Byte IN must be between 1 and 128. ";
    if (!InRange(s.NetOut, 1, 128)) return "Error!! DeviceNET Number Byte OUT must be between 1 and 128. ";
    // A position outside the lists comes only from a hand-edited file; storing it would hand
    // the firmware a baud rate it does not know, so the engineer picks one first.
    if (!IsPosition(s.CanBaud, kCanBaudRates)) return "Error!! Select the CAN baud rate. ";
    if (!IsPosition(s.NetBaud, kNetBaudRates)) return "Error!! Select the DeviceNET baud rate. ";
    return std::nullopt;
}

void SavePargen(ProjectDocument& document, const std::string& path, const PargenSettings& s)
{
    document.Reset();
    const XmlNode root = document.AddRoot(kRoot);
    const auto add = [&](std::string_view name, const std::string& text) {
        document.SetNodeText(document.AddChild(root, name), text);
    };
    add("Can_Baud", std::to_string(s.CanBaud));
    add("CAN_Type", s.Can11Bit ? "0" : "1");
    add("How_Send", s.SendOnChange ? "0" : "1");
    add("Delay_Send", s.DelaySend);
    add("TimeOut_Data", s.TimeOutData);
    add("Net_Dev_Id", s.NetDevId);
    add("Net_Baud", std::to_string(s.NetBaud));
    add("Net_In", s.NetIn);
    add("Net_Out", s.NetOut);
    document.SaveFile(path);
}

bool ReadIs29Bit(ProjectDocument& document, const std::string& pargenPath)
{
    if (!FileExists(pargenPath)) return false;
    document.LoadFile(pargenPath);
    return Text(document, document.Root(), "CAN_Type") != "0";
}

std::optional<std::string> PargenElementText(ProjectDocument& document, const std::string& path,
                                             std::string_view element)
{
    if (!FileExists(path)) return std::nullopt;
    document.LoadFile(path);
    const XmlNode node = document.FindChild(document.Root(), element);
    if (!node) return std::nullopt;
    return document.NodeText(node);
}
