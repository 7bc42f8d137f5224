// The composer over base firmwares that keep a valid structure: an S0 header, data records of
// every kind in and around the bank windows (S1, S2, S3, S5, records straddling a window's
// edge, repeated records), then S9. The new firmware must be, line for line, what replacing
// the records that start in the windows of banks 1 and 2 by the banks' records gives; it must
// be a valid S-record file; and the check of the firmware must pass exactly when its memory is
// the base firmware's with the windows holding the banks, reading the files side by side or as
// images alike.
#include "common/MessageSink.h"
#include "firmware/FirmwareComposer.h"
#include "firmware/FirmwareVerification.h"
#include "firmware/SRecord.h"
#include "firmware/SRecordFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

class Input {
public:
    Input(const uint8_t* data, size_t size)
        : data_(data),
          size_(size)
    {
    }
    bool Empty() const { return at_ >= size_; }
    uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

std::string Hex(unsigned value, int digits)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out(static_cast<size_t>(digits), '0');
    for (int k = digits - 1; k >= 0; --k, value >>= 4) out[static_cast<size_t>(k)] = kDigits[value & 15];
    return out;
}

// A record of the type with a valid byte count and checksum.
std::string Record(char type, uint32_t address, int addressDigits, const std::vector<uint8_t>& data)
{
    std::string text = std::string("S") + type + Hex(static_cast<unsigned>(addressDigits / 2 + data.size() + 1), 2) +
                       Hex(address, addressDigits);
    for (uint8_t b : data) text += Hex(b, 2);
    return text + SRecordChecksum(text + "00");
}

struct BaseRecord {
    std::string line;
    char type;
    uint64_t first, end; // the addresses its data covers
};

constexpr uint32_t kPlaces[] = {0x380000, 0x387FE0, 0x388000, 0x38BFE0, 0x38C000, 0x398000, 0x39BFF0, 0x3A8000};

std::vector<BaseRecord> MakeBase(Input& in)
{
    std::vector<BaseRecord> records;
    const int count = 1 + in.Byte() % 48;
    for (int i = 0; i < count && !in.Empty(); ++i) {
        const uint8_t kind = in.Byte();
        std::vector<uint8_t> data(1 + in.Byte() % 32);
        for (uint8_t& b : data) b = in.Byte();
        const uint32_t place = kPlaces[in.Byte() % std::size(kPlaces)] + 16u * (in.Byte() % 8);
        switch (kind % 6) {
        case 0:
        case 1:
        case 2: records.push_back({Record('2', place, 6, data), '2', place, place + data.size()}); break;
        case 3: {
            const uint32_t address = kind & 0x80 ? (place >> 8) : (place & 0xFFFF); // 0x3880 looks like bank 1
            records.push_back({Record('1', address, 4, data), '1', address, address + data.size()});
            break;
        }
        case 4: records.push_back({Record('3', place, 8, data), '3', place, place + data.size()}); break;
        default:
            if (!records.empty()) records.push_back(records[in.Byte() % records.size()]); // written again
            else records.push_back({Record('5', 1, 4, {}), '5', 0, 0});
        }
    }
    return records;
}

// What the composer must write: bank by bank, the S1/S2 lines whose characters 5 to 10 lie in
// the window are dropped and the bank's records stand in place of the first of them.
std::vector<std::string> Expected(std::vector<std::string> lines, const std::vector<std::vector<uint8_t>>& banks,
                                  bool inserted[2])
{
    for (int bank = 1; bank <= 2; ++bank) {
        std::vector<std::string> out;
        inserted[bank - 1] = false;
        for (const std::string& line : lines) {
            uint32_t start = 0;
            if ((line.rfind("S1", 0) == 0 || line.rfind("S2", 0) == 0) && ReadHexAddress(line, 4, start) &&
                start >= BankFirstAddress(bank) && start <= BankLastAddress(bank)) {
                if (!inserted[bank - 1])
                    for (int k = 0; k < kBankRecordCount; ++k)
                        out.push_back(BankRecord(BankFirstAddress(bank) + 32u * static_cast<uint32_t>(k),
                                                 banks[static_cast<size_t>(bank - 1)].data() + 32 * k));
                inserted[bank - 1] = true;
                continue;
            }
            out.push_back(line);
        }
        lines = out;
    }
    return lines;
}

// One scratch directory per run of the fuzzer, removed when it ends. Kept on the heap, so that it
// still exists when the exit handler runs after the static objects are gone.
const std::string& Scratch()
{
    static const std::string* dir = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "fuzz-composer-XXXXXX").string();
        const char* made = mkdtemp(pattern.data());
        if (!made) std::abort();
        std::filesystem::create_directories(std::string(made) + "/bin");
        auto* path = new std::string(made);
        std::atexit([] { std::filesystem::remove_all(*dir); });
        return path;
    }();
    return *dir;
}

void Write(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// The memory a file describes, one address at a time: flat over the two ranges the records
// reach (16-bit addresses, and the banks with their surroundings), a map elsewhere.
struct Memory {
    static constexpr uint64_t kHigh = 0x380000, kHighEnd = 0x3B0000, kLowEnd = 0x10100;
    static constexpr uint16_t kNone = 0x100;
    std::vector<uint16_t> low = std::vector<uint16_t>(kLowEnd, kNone);
    std::vector<uint16_t> high = std::vector<uint16_t>(kHighEnd - kHigh, kNone);
    std::map<uint64_t, uint8_t> elsewhere;

    void Set(uint64_t address, uint8_t value)
    {
        if (address < kLowEnd) low[address] = value;
        else if (address >= kHigh && address < kHighEnd) high[address - kHigh] = value;
        else elsewhere[address] = value;
    }
    bool operator==(const Memory& other) const
    {
        return low == other.low && high == other.high && elsewhere == other.elsewhere;
    }
};

Memory MemoryOf(const SRecordFile& file)
{
    Memory memory;
    for (const SRecord& r : file.Records())
        if (IsDataRecord(r))
            for (size_t k = 0; k < r.DataSize; ++k) memory.Set(uint64_t{r.Address} + k, file.Data(r)[k]);
    return memory;
}

[[noreturn]] void Fault(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Input in(data, size);
    const bool lfOnly = in.Byte() & 1;
    const std::vector<BaseRecord> records = MakeBase(in);
    std::vector<std::string> lines{Record('0', 0, 4, {'s', 'x'})};
    for (const BaseRecord& r : records) lines.push_back(r.line);
    lines.push_back("S9030000FC");
    std::string base;
    for (const std::string& line : lines) base += line + (lfOnly ? "\n" : "\r\n");

    std::vector<std::vector<uint8_t>> banks(2, std::vector<uint8_t>(BankImage::kBankSize));
    BankImage image;
    for (int bank = 1; bank <= 2; ++bank) {
        const uint8_t seed = in.Byte();
        auto& bytes = banks[static_cast<size_t>(bank - 1)];
        for (size_t k = 0; k < bytes.size(); ++k) bytes[k] = static_cast<uint8_t>(k * seed + static_cast<size_t>(bank));
        std::copy(bytes.begin(), bytes.end(), image.Bank(bank).begin());
    }

    const std::string dir = Scratch();
    Write(dir + "/base.sx", base);
    for (int bank = 1; bank <= 2; ++bank)
        Write(dir + "/bin/bank" + std::to_string(bank) + ".bin",
              std::string(banks[static_cast<size_t>(bank - 1)].begin(), banks[static_cast<size_t>(bank - 1)].end()));
    CompositionContext context;
    context.BaseFirmwareDir = dir;
    context.BaseFirmwareName = "base.sx";
    context.BankDir = dir + "/bin/";
    context.OutputDir = dir + "/";
    context.NewFirmwareName = "New_base.sx";
    context.Selected = {true, true, false, false, false};
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    CompositionObserver quiet;
    const CompositionOutcome outcome = ComposeFirmware(context, quiet);
    if (outcome.abandoned || !outcome.written) Fault("a valid base firmware was not composed");

    bool inserted[2];
    std::string expected;
    (void)inserted;
    for (const std::string& line : Expected(lines, banks, inserted)) expected += line + "\r\n";
    const std::string firmware = ReadAll(dir + "/New_base.sx");
    if (firmware != expected) Fault("the new firmware is not the base with the banks' records in place");
    if (SRecordFile::Parse(firmware).FirstFault()) Fault("the new firmware is not a valid S-record file");

    // The check passes exactly when the firmware's memory, written record by record, is the
    // base firmware's with the two windows holding the banks.
    Memory want = MemoryOf(SRecordFile::Parse(base));
    const Memory have = MemoryOf(SRecordFile::Parse(firmware));
    for (int bank = 1; bank <= 2; ++bank)
        for (size_t k = 0; k < BankImage::kBankSize; ++k)
            want.Set(BankFirstAddress(bank) + k, banks[static_cast<size_t>(bank - 1)][k]);
    const bool clean = want == have;
    const FirmwareVerification sideBySide = VerifyFirmwareFile(dir + "/New_base.sx", dir + "/base.sx", image);
    const FirmwareVerification images = VerifyFirmware(SRecordFile::Parse(firmware), SRecordFile::Parse(base), image);
    if (sideBySide.Summary("f") != images.Summary("f") || sideBySide.Details() != images.Details())
        Fault("the two ways of checking disagree");
    if (images.Matches() != clean) {
        std::fprintf(stderr, "%s\n", images.Summary("f").c_str());
        Fault(clean ? "a sound firmware fails the check"
                    : "a firmware without the banks or base data passes the check");
    }
    return 0;
}
