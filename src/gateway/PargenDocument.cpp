#include "gateway/PargenDocument.h"

#include "common/FileSystem.h"
#include "common/ParseInt.h"

inline namespace zz {

namespace {

// An element that older files may lack keeps the value it already has.
void TextOrKeep(const StoredText& text, std::string& value)
{
    if (text.Present) value = text.Value();
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

void PargenFromTexts(const PargenTexts& texts, PargenSettings& into)
{
    into.CanBaud = ParseInt(texts.CanBaud.Value());
    into.Can11Bit = texts.CanType.Value() == "0";
    into.SendOnChange = texts.HowSend.Value() == "0";
    into.DelaySend = texts.DelaySend.Value();
    TextOrKeep(texts.TimeOutData, into.TimeOutData);
    into.NetDevId = texts.NetDevId.Value();
    into.NetBaud = ParseInt(texts.NetBaud.Value());
    TextOrKeep(texts.NetIn, into.NetIn);
    TextOrKeep(texts.NetOut, into.NetOut);
}

bool LoadPargen(ProjectDocument& document, const std::string& path, PargenSettings& into)
{
    if (!FileExists(path)) return false;
    PargenFromTexts(ReadPargenXml(document, path), into);
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
    PargenTexts texts;
    texts.CanBaud = StoredText::Of(std::to_string(s.CanBaud));
    texts.CanType = StoredText::Of(s.Can11Bit ? "0" : "1");
    texts.HowSend = StoredText::Of(s.SendOnChange ? "0" : "1");
    texts.DelaySend = StoredText::Of(s.DelaySend);
    texts.TimeOutData = StoredText::Of(s.TimeOutData);
    texts.NetDevId = StoredText::Of(s.NetDevId);
    texts.NetBaud = StoredText::Of(std::to_string(s.NetBaud));
    texts.NetIn = StoredText::Of(s.NetIn);
    texts.NetOut = StoredText::Of(s.NetOut);
    WritePargenXml(document, path, texts);
}

bool Is29Bit(const PargenTexts& texts)
{
    return texts.CanType.Value() != "0";
}

bool ReadIs29Bit(ProjectDocument& document, const std::string& pargenPath)
{
    return FileExists(pargenPath) && Is29Bit(ReadPargenXml(document, pargenPath));
}

} // namespace zz
