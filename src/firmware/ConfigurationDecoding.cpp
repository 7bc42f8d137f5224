#include "firmware/ConfigurationDecoding.h"

#include "firmware/SRecord.h"
#include "gateway/PargenDocument.h"

#include <cstdio>

inline namespace zz {

namespace {

DecodedFrame Frame(const BankImage::Bytes& bank, const BankArea& area, size_t record)
{
    DecodedFrame frame;
    const size_t at = area.Offset + area.RecordSize * record;
    for (const BankField& field : area.Fields) {
        const uint32_t value = ReadField(bank, at, field);
        switch (field.Value) {
        case BankValue::CobId: frame.CobId = value; break;
        case BankValue::Dim: frame.Dim = static_cast<uint8_t>(value); break;
        case BankValue::Delete: frame.Delete = static_cast<uint8_t>(value); break;
        case BankValue::B1:
        case BankValue::B2:
        case BankValue::B3:
        case BankValue::B4:
        case BankValue::B5:
        case BankValue::B6:
        case BankValue::B7:
        case BankValue::B8: frame.Bytes[MappedByteIndex(field.Value)] = static_cast<uint8_t>(value); break;
        default: break;
        }
    }
    return frame;
}

void Assign(DecodedConfiguration& c, BankValue value, uint32_t read)
{
    const auto byte = static_cast<uint8_t>(read);
    switch (value) {
    case BankValue::CanBaud: c.CanBaud = byte; break;
    case BankValue::CanType: c.CanType = byte; break;
    case BankValue::HowSend: c.HowSend = byte; break;
    case BankValue::DelaySend: c.DelaySend = static_cast<uint16_t>(read); break;
    case BankValue::NetDevId: c.NetDevId = byte; break;
    case BankValue::NetBaud: c.NetBaud = byte; break;
    case BankValue::ReceiveCount: c.ReceiveCount = byte; break;
    case BankValue::SendCount: c.SendCount = byte; break;
    case BankValue::TimeOutData: c.TimeOutData = static_cast<uint16_t>(read); break;
    case BankValue::NetIn: c.NetIn = byte; break;
    case BankValue::NetOut: c.NetOut = byte; break;
    default: break;
    }
}

template <size_t N>
std::string ListText(uint8_t position, const std::array<std::string_view, N>& list)
{
    if (position < list.size()) return std::string(list[position]);
    return "not in the list (" + std::to_string(position) + ")";
}

std::string ByteText(uint8_t value)
{
    return value == 255 ? "none" : std::to_string(value);
}

std::string Padded(std::string text, size_t width)
{
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

void FrameTable(std::string& out, const char* title, const std::vector<DecodedFrame>& frames, bool withDelete)
{
    out += std::string(title) + " (" + std::to_string(frames.size()) + ")\n";
    if (frames.empty()) return;
    std::string header =
        "  " + Padded("Frame", 7) + Padded("COB ID", 12) + Padded("Dim", 5) + (withDelete ? Padded("Delete", 8) : "");
    for (int k = 1; k <= 8; ++k) header += Padded("B" + std::to_string(k), 6);
    while (header.back() == ' ') header.pop_back();
    out += header + '\n';
    for (size_t i = 0; i < frames.size(); ++i) {
        const DecodedFrame& f = frames[i];
        std::string line = "  " + Padded(std::to_string(i + 1), 7) + Padded(CobIdText(f.CobId), 12) +
                           Padded(std::to_string(f.Dim), 5) + (withDelete ? Padded(DeleteText(f.Delete), 8) : "");
        for (uint8_t b : f.Bytes) line += Padded(ByteText(b), 6);
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out += line + '\n';
    }
}

} // namespace

std::string CobIdText(uint32_t cobId)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%03X", cobId);
    return text;
}

std::string DeleteText(uint8_t flag)
{
    return flag == 1 ? "Y" : flag == 0 ? "N" : std::to_string(flag);
}

std::string CanTypeText(uint8_t type)
{
    return type == 0 ? "CAN 2.0A 11Bit" : "CAN 2.0B 29Bit";
}

std::string HowSendText(const DecodedConfiguration& c)
{
    return c.HowSend == 0 ? "Send Frame on Data Change" : "Send Frame Every " + std::to_string(c.DelaySend) + " ms";
}

DecodedConfiguration DecodeConfiguration(const BankImage::Bytes& bank)
{
    DecodedConfiguration c;
    for (const BankField& field : kParameterArea.Fields)
        Assign(c, field.Value, ReadField(bank, kParameterArea.Offset, field));
    // A count of at most 255 records always stays inside its table.
    for (size_t i = 0; i < c.ReceiveCount; ++i) c.Receive.push_back(Frame(bank, kReceiveArea, i));
    for (size_t i = 0; i < c.SendCount; ++i) c.Send.push_back(Frame(bank, kSendArea, i));
    return c;
}

size_t BankOneFromImage(const MemoryImage& image, BankImage::Bytes& into)
{
    return into.size() - image.Read(BankFirstAddress(1), into.data(), into.size());
}

std::string CanBaudText(uint8_t position)
{
    return ListText(position, kCanBaudRates);
}

std::string NetBaudText(uint8_t position)
{
    return ListText(position, kNetBaudRates);
}

std::string ConfigurationReport(const DecodedConfiguration& c)
{
    std::string out = "Parameters\n";
    const auto row = [&](const char* name, const std::string& value) { out += "  " + Padded(name, 14) + value + '\n'; };
    row("Can_Baud", std::to_string(c.CanBaud) + " (" + CanBaudText(c.CanBaud) + ")");
    row("CAN_Type", std::to_string(c.CanType) + " (" + CanTypeText(c.CanType) + ")");
    row("How_Send", std::to_string(c.HowSend) + " (" + HowSendText(c) + ")");
    row("Delay_Send", std::to_string(c.DelaySend) + " ms");
    row("TimeOut_Data", std::to_string(c.TimeOutData) + " s");
    row("Net_Dev_Id", std::to_string(c.NetDevId));
    row("Net_Baud", std::to_string(c.NetBaud) + " (" + NetBaudText(c.NetBaud) + ")");
    row("Net_In", std::to_string(c.NetIn));
    row("Net_Out", std::to_string(c.NetOut));
    row("ReceiveCount", std::to_string(c.ReceiveCount));
    row("SendCount", std::to_string(c.SendCount));
    out += '\n';
    FrameTable(out, "Receive frames", c.Receive, true);
    out += '\n';
    FrameTable(out, "Send frames", c.Send, false);
    return out;
}

} // namespace zz
