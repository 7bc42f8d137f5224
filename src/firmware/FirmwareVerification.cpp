#include "firmware/FirmwareVerification.h"

#include "firmware/BaseFirmware.h"
#include "firmware/SRecord.h"
#include "firmware/SRecordStream.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

inline namespace zz {

namespace {

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

} // namespace

std::string GroupedNumber(uint64_t value)
{
    std::string digits = std::to_string(value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<size_t>(at), ",");
    return digits;
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
    found.ForEachDifference(expected,
                            [&](uint32_t address, std::optional<uint8_t> mine, std::optional<uint8_t> theirs) {
                                ++result.DifferenceCount;
                                if (result.Differences.size() < kMaxReportedDifferences) {
                                    FirmwareDifference difference;
                                    difference.Address = address;
                                    difference.Bank = BankOf(address);
                                    if (difference.Bank)
                                        difference.Offset = address - BankFirstAddress(difference.Bank);
                                    difference.Expected = theirs;
                                    difference.Found = mine;
                                    result.Differences.push_back(difference);
                                }
                                return true;
                            });

    const uint32_t bankOne = BankFirstAddress(1);
    if (auto receive = found.At(bankOne + static_cast<uint32_t>(ParameterOffset(BankValue::ReceiveCount))))
        result.ReceiveFrames = *receive;
    if (auto send = found.At(bankOne + static_cast<uint32_t>(ParameterOffset(BankValue::SendCount))))
        result.SendFrames = *send;
    return result;
}

namespace {

// A run of bytes at consecutive addresses.
struct Run {
    uint64_t address = 0;
    const uint8_t* bytes = nullptr;
    size_t size = 0;

    uint64_t End() const { return address + size; }
    void Skip(size_t count)
    {
        address += count;
        bytes += count;
        size -= count;
    }
};

// The data of a stream as runs in ascending address order, as long as its data records do not
// go back or overlap: then every address is written once and the image is the runs themselves.
class AscendingData {
public:
    explicit AscendingData(SRecordStream& stream)
        : stream_(stream)
    {
    }
    bool Next(Run& run)
    {
        SRecord record;
        std::span<const uint8_t> data;
        while (stream_.Next(record, data)) {
            if (!IsDataRecord(record) || data.empty()) continue;
            if (record.Address < end_) {
                disordered_ = true;
                return false;
            }
            run = {record.Address, data.data(), data.size()};
            end_ = run.End();
            return true;
        }
        return false;
    }
    // A record the caller read from the stream itself.
    void Adopt(const SRecord& record)
    {
        if (record.Address < end_) disordered_ = true;
        end_ = uint64_t{record.Address} + record.DataSize;
    }
    bool Disordered() const { return disordered_; }

private:
    SRecordStream& stream_;
    uint64_t end_ = 0;
    bool disordered_ = false;
};

// The runs of the base firmware with the windows of banks 1 and 2 holding the bank images
// instead, in ascending address order.
class ExpectedData {
public:
    ExpectedData(AscendingData& base, const BankImage& banks)
        : base_(base)
    {
        for (int bank : kVerifiedBanks)
            windows_.push_back({BankFirstAddress(bank), banks.Bank(bank).data(), BankImage::kBankSize});
    }
    bool Next(Run& run)
    {
        for (;;) {
            if (pending_.size == 0 && !baseDone_ && !base_.Next(pending_)) baseDone_ = true;
            // Base data inside a window already given is replaced by it.
            if (pending_.size > 0 && pending_.address < coveredUntil_) {
                pending_.Skip(static_cast<size_t>(std::min<uint64_t>(pending_.size, coveredUntil_ - pending_.address)));
                continue;
            }
            const Run* window = next_ < windows_.size() ? &windows_[next_] : nullptr;
            if (pending_.size > 0 && (!window || pending_.address < window->address)) {
                run = pending_;
                if (window && run.End() > window->address)
                    run.size = static_cast<size_t>(window->address - run.address);
                pending_.Skip(run.size);
                return true;
            }
            if (!window) return false;
            run = *window;
            coveredUntil_ = window->End();
            ++next_;
            return true;
        }
    }

    // True when the base data of the run is what stands there: no window is due before its end
    // and no window covers it.
    bool ClearOfWindows(const Run& run) const
    {
        return pending_.size == 0 && run.address >= coveredUntil_ &&
               (next_ >= windows_.size() || run.End() <= windows_[next_].address);
    }
    bool PendingEmpty() const { return pending_.size == 0; }
    // A base run the caller read from the base stream itself.
    void Inject(const Run& run) { pending_ = run; }

private:
    AscendingData& base_;
    std::vector<Run> windows_;
    size_t next_ = 0;
    Run pending_;
    bool baseDone_ = false;
    uint64_t coveredUntil_ = 0;
};

// Walks the two files side by side, without building their images. False when either file
// writes its data out of address order; the caller then compares the images.
bool VerifyInStep(SRecordStream& firmwareStream, SRecordStream& baseStream, const BankImage& banks,
                  FirmwareVerification& result)
{
    AscendingData found(firmwareStream);
    AscendingData base(baseStream);
    ExpectedData expected(base, banks);

    const uint64_t receiveCount = BankFirstAddress(1) + ParameterOffset(BankValue::ReceiveCount);
    const uint64_t sendCount = BankFirstAddress(1) + ParameterOffset(BankValue::SendCount);
    const auto differ = [&](uint64_t address, std::optional<uint8_t> mine, std::optional<uint8_t> theirs) {
        ++result.DifferenceCount;
        if (result.Differences.size() < kMaxReportedDifferences) {
            FirmwareDifference difference;
            difference.Address = static_cast<uint32_t>(address);
            difference.Bank = BankOf(difference.Address);
            if (difference.Bank) difference.Offset = difference.Address - BankFirstAddress(difference.Bank);
            difference.Expected = theirs;
            difference.Found = mine;
            result.Differences.push_back(difference);
        }
    };
    const auto note = [&](const Run& run, size_t count) {
        for (uint64_t address : {receiveCount, sendCount})
            if (address >= run.address && address < run.address + count) {
                auto& slot = address == receiveCount ? result.ReceiveFrames : result.SendFrames;
                slot = run.bytes[address - run.address];
            }
    };

    // Lines that are the same text in both files are read and checked once; outside the windows
    // they are the same data at the same place. Only the others are compared byte by byte.
    uint8_t shared[256];
    const auto sameLine = [&](Run& f) {
        SRecord record;
        if (!firmwareStream.NextIfSame(baseStream, record)) return false;
        if (!IsDataRecord(record) || record.DataSize == 0) return true;
        found.Adopt(record);
        base.Adopt(record);
        if (expected.ClearOfWindows({record.Address, nullptr, record.DataSize})) return true;
        const std::span<const uint8_t> data = firmwareStream.SharedData();
        std::memcpy(shared, data.data(), data.size());
        f = {record.Address, data.data(), data.size()};
        expected.Inject({record.Address, shared, data.size()});
        return true;
    };

    Run f, e;
    bool foundDone = false, expectedDone = false;
    while (!found.Disordered() && !base.Disordered()) {
        if (f.size == 0 && e.size == 0 && !foundDone && !expectedDone && expected.PendingEmpty() && sameLine(f))
            continue;
        if (f.size == 0 && !foundDone && !found.Next(f)) foundDone = true;
        if (e.size == 0 && !expectedDone && !expected.Next(e)) expectedDone = true;
        const bool haveFound = f.size > 0, haveExpected = e.size > 0;
        if (!haveFound && !haveExpected) break;
        if (haveExpected && (!haveFound || e.address < f.address)) {
            const size_t count =
                haveFound ? static_cast<size_t>(std::min<uint64_t>(e.size, f.address - e.address)) : e.size;
            for (size_t k = 0; k < count; ++k) differ(e.address + k, std::nullopt, e.bytes[k]);
            e.Skip(count);
        } else if (!haveExpected || f.address < e.address) {
            const size_t count =
                haveExpected ? static_cast<size_t>(std::min<uint64_t>(f.size, e.address - f.address)) : f.size;
            for (size_t k = 0; k < count; ++k) differ(f.address + k, f.bytes[k], std::nullopt);
            note(f, count);
            f.Skip(count);
        } else {
            const size_t count = std::min(f.size, e.size);
            if (std::memcmp(f.bytes, e.bytes, count) != 0)
                for (size_t k = 0; k < count; ++k)
                    if (f.bytes[k] != e.bytes[k]) differ(f.address + k, f.bytes[k], e.bytes[k]);
            note(f, count);
            f.Skip(count);
            e.Skip(count);
        }
    }
    if (found.Disordered() || base.Disordered()) return false;
    result.FirmwareFault = firmwareStream.FirstFault();
    result.BaseFault = baseStream.FirstFault();
    if (firmwareStream.Problem() || baseStream.Problem()) {
        // As with the images: after a damaged line nothing is compared.
        result.Differences.clear();
        result.DifferenceCount = 0;
    }
    return true;
}

} // namespace

FirmwareVerification VerifyFirmwareFile(const std::string& firmwarePath, const std::string& basePath,
                                        const BankImage& banks)
{
    {
        FirmwareVerification result;
        SRecordStream firmware(SRecordStream::OpenFile{firmwarePath});
        SRecordStream base(SRecordStream::OpenFile{basePath});
        if (VerifyInStep(firmware, base, banks, result)) return result;
    }
    return VerifyFirmware(SRecordFile::Read(firmwarePath), SRecordFile::Read(basePath), banks);
}

FirmwareVerification VerifyComposedFile(const std::string& firmwarePath, const BaseFirmware& base,
                                        const BankImage& banks)
{
    {
        FirmwareVerification result;
        SRecordStream firmware(SRecordStream::OpenFile{firmwarePath});
        std::optional<SRecordStream> baseStream;
        if (base.Fault()) baseStream.emplace(base.Bytes());
        else baseStream.emplace(base.Bytes(), SRecordStream::Checked{});
        if (VerifyInStep(firmware, *baseStream, banks, result)) return result;
    }
    return VerifyFirmware(SRecordFile::Read(firmwarePath), SRecordFile::Parse(base.Bytes()), banks);
}

} // namespace zz
