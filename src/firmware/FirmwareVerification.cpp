#include "firmware/FirmwareVerification.h"

#include "firmware/SRecord.h"

#include <cstdio>

namespace {

constexpr const char* kParameterNames[] = {
    "Can_Baud",     "CAN_Type",           "How_Send",   "Delay_Send high byte", "Delay_Send low byte",
    "Net_Dev_Id",   "Net_Baud",           "ReceiveCount", "SendCount",         "TimeOut_Data low byte",
    "TimeOut_Data high byte", "Net_In",   "Net_Out"};

std::string ByteText(const std::optional<uint8_t>& byte)
{
    return byte ? std::to_string(*byte) : "no data";
}

std::string AddressText(uint32_t address)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", address);
    return text;
}

// The bank whose window holds the address, 0 for none.
int BankOf(uint32_t address)
{
    for (int bank : kVerifiedBanks)
        if (address >= BankFirstAddress(bank) && address <= BankLastAddress(bank)) return bank;
    return 0;
}

std::string FrameField(const char* side, uint32_t record, uint32_t at, bool withDelete)
{
    std::string field;
    if (at < 4) field = "COBID byte " + std::to_string(at + 1) + " of 4";
    else if (at == 4) field = "Dim";
    else if (withDelete && at == 5) field = "Delete";
    else field = "B" + std::to_string(at - (withDelete ? 5 : 4));
    return std::string(side) + " frame " + std::to_string(record + 1) + ", " + field;
}

} // namespace

std::string GroupedNumber(uint64_t value)
{
    std::string digits = std::to_string(value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<size_t>(at), ",");
    return digits;
}

std::string BankOneField(uint32_t offset)
{
    using namespace BankLayout;
    if (offset < kSendTable) {
        const uint32_t record = offset / kReceiveRecordSize;
        if ((record + 1) * kReceiveRecordSize > kSendTable) return "receive area, unused";
        return FrameField("receive", record, offset % kReceiveRecordSize, true);
    }
    if (offset < kParameterBlock) {
        const uint32_t record = static_cast<uint32_t>((offset - kSendTable) / kSendRecordSize);
        if (kSendTable + (record + 1) * kSendRecordSize > kParameterBlock) return "send area, unused";
        return FrameField("send", record, static_cast<uint32_t>((offset - kSendTable) % kSendRecordSize), false);
    }
    const size_t parameter = offset - kParameterBlock;
    if (parameter < std::size(kParameterNames)) return kParameterNames[parameter];
    return "unused";
}

std::string FirmwareDifference::Describe() const
{
    if (Bank == 0)
        return "address " + AddressText(Address) + ", outside banks 1 and 2: firmware " + ByteText(Found) +
               ", base firmware " + ByteText(Expected);
    std::string text = "bank " + std::to_string(Bank) + ", offset " + GroupedNumber(Offset);
    if (Bank == 1) text += ", " + BankOneField(Offset);
    return text + ": firmware " + ByteText(Found) + ", project " + ByteText(Expected) + " (address " +
           AddressText(Address) + ")";
}

std::string FirmwareVerification::Summary(std::string_view firmwareName) const
{
    const std::string name(firmwareName);
    if (FirmwareFault) return name + " is damaged: " + FirmwareFault->Describe();
    if (BaseFault) return "The base firmware is damaged: " + BaseFault->Describe();
    if (DifferenceCount > 0) {
        std::string text = name + " differs in " + GroupedNumber(DifferenceCount) +
                           (DifferenceCount == 1 ? " byte: " : " bytes, first at ") + Differences.front().Describe();
        return text;
    }
    std::string text = name + " holds banks 1 and 2 of the project and the base firmware everywhere else";
    if (ReceiveFrames && SendFrames)
        text += " (" + std::to_string(*ReceiveFrames) + " receive and " + std::to_string(*SendFrames) + " send frames)";
    return text;
}

std::vector<std::string> FirmwareVerification::Details() const
{
    std::vector<std::string> lines;
    if (FirmwareFault) lines.push_back("firmware " + FirmwareFault->Describe());
    if (BaseFault) lines.push_back("base firmware " + BaseFault->Describe());
    for (const FirmwareDifference& difference : Differences) lines.push_back(difference.Describe());
    if (DifferenceCount > Differences.size())
        lines.push_back("... and " + GroupedNumber(DifferenceCount - Differences.size()) + " more differing bytes");
    return lines;
}

FirmwareVerification VerifyFirmware(const SRecordFile& firmware, const SRecordFile& base, const BankImage& banks)
{
    FirmwareVerification result;
    result.FirmwareFault = firmware.FirstFault();
    result.BaseFault = base.FirstFault();
    // A damaged line stops the reading there: what follows it cannot be compared.
    if (firmware.Problem() || base.Problem()) return result;

    const MemoryImage found = firmware.Image();
    MemoryImage expected = base.Image();
    for (int bank : kVerifiedBanks) {
        const BankImage::Bytes& bytes = banks.Bank(bank);
        expected.Write(BankFirstAddress(bank), bytes.data(), bytes.size());
    }
    found.ForEachDifference(expected, [&](uint32_t address, std::optional<uint8_t> mine,
                                          std::optional<uint8_t> theirs) {
        ++result.DifferenceCount;
        if (result.Differences.size() < kMaxReportedDifferences) {
            FirmwareDifference difference;
            difference.Address = address;
            difference.Bank = BankOf(address);
            if (difference.Bank) difference.Offset = address - BankFirstAddress(difference.Bank);
            difference.Expected = theirs;
            difference.Found = mine;
            result.Differences.push_back(difference);
        }
        return true;
    });

    using BankLayout::kParameterBlock;
    const uint32_t block = BankFirstAddress(1) + static_cast<uint32_t>(kParameterBlock);
    if (auto receive = found.At(block + 7)) result.ReceiveFrames = *receive;
    if (auto send = found.At(block + 8)) result.SendFrames = *send;
    return result;
}

FirmwareVerification VerifyFirmwareFile(const std::string& firmwarePath, const std::string& basePath,
                                        const BankImage& banks)
{
    const SRecordFile firmware = SRecordFile::Read(firmwarePath);
    const SRecordFile base = SRecordFile::Read(basePath);
    return VerifyFirmware(firmware, base, banks);
}
