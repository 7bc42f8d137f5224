#include "firmware/ConfigurationDecoding.h"

#include "gateway/PargenDocument.h"
#include "firmware/SRecord.h"

#include <cstdio>

inline namespace zz {

namespace {

using namespace BankLayout;

uint32_t LittleEndian32(const BankImage::Bytes& bank, size_t at)
{
    return uint32_t{bank[at]} | uint32_t{bank[at + 1]} << 8 | uint32_t{bank[at + 2]} << 16 |
           uint32_t{bank[at + 3]} << 24;
}

DecodedFrame Frame(const BankImage::Bytes& bank, size_t at, bool withDelete)
{
    DecodedFrame frame;
    frame.CobId = LittleEndian32(bank, at);
    frame.Dim = bank[at + 4];
    at += 5;
    if (withDelete) frame.Delete = bank[at++];
    for (size_t k = 0; k < 8; ++k) frame.Bytes[k] = bank[at + k];
    return frame;
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
    std::string header = "  " + Padded("Frame", 7) + Padded("COB ID", 12) + Padded("Dim", 5) +
                         (withDelete ? Padded("Delete", 8) : "");
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
    const size_t p = kParameterBlock;
    c.CanBaud = bank[p + 0];
    c.CanType = bank[p + 1];
    c.HowSend = bank[p + 2];
    c.DelaySend = static_cast<uint16_t>(bank[p + 3] << 8 | bank[p + 4]);
    c.NetDevId = bank[p + 5];
    c.NetBaud = bank[p + 6];
    c.ReceiveCount = bank[p + 7];
    c.SendCount = bank[p + 8];
    c.TimeOutData = static_cast<uint16_t>(bank[p + 9] | bank[p + 10] << 8);
    c.NetIn = bank[p + 11];
    c.NetOut = bank[p + 12];
    // A count of at most 255 records always stays inside its table.
    for (size_t i = 0; i < c.ReceiveCount; ++i)
        c.Receive.push_back(Frame(bank, kReceiveTable + kReceiveRecordSize * i, true));
    for (size_t i = 0; i < c.SendCount; ++i) c.Send.push_back(Frame(bank, kSendTable + kSendRecordSize * i, false));
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
