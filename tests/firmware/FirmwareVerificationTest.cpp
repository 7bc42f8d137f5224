#include "FirmwareFixture.h"

#include "common/MessageSink.h"
#include "firmware/BaseFirmware.h"
#include "firmware/FirmwareComposer.h"
#include "firmware/FirmwareVerification.h"
#include "firmware/SRecord.h"
#include "firmware/demo/SyntheticFirmware.h"

#include <gtest/gtest.h>

namespace {

std::string Join(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// The text with the byte at the address changed, in the last 32-byte S2 record that writes it.
std::string WithByte(const std::string& text, uint32_t address, uint8_t value)
{
    const SRecordFile file = SRecordFile::Parse(text);
    std::vector<std::string> lines = CrLfLines(text);
    for (auto r = file.Records().rbegin(); r != file.Records().rend(); ++r) {
        if (r->Type != '2' || address < r->Address || address >= r->Address + r->DataSize) continue;
        std::vector<uint8_t> data(file.Data(*r).begin(), file.Data(*r).end());
        data[address - r->Address] = value;
        lines[r->Line - 1] = BankRecord(r->Address, data.data());
        return Join(lines);
    }
    ADD_FAILURE() << "no record writes the address";
    return text;
}

class FirmwareVerificationTest : public ::testing::Test {
protected:
    FirmwareWorkspace ws;
    RecordingSink sink;
    ScopedMessageSink scope{sink};
    BankImage banks;
    std::string base = SyntheticFirmware();

    void SetUp() override
    {
        BankImage::Bytes& one = banks.Bank(1);
        for (size_t i = 0; i < one.size(); ++i) one[i] = static_cast<uint8_t>(i * 7);
        one[BankLayout::kParameterBlock + 5] = 40; // Net_Dev_Id
        one[BankLayout::kParameterBlock + 7] = 5;  // ReceiveCount
        one[BankLayout::kParameterBlock + 8] = 4;  // SendCount
    }

    // The composer's firmware of `base` with banks 1 and 2.
    std::string Composed()
    {
        ws.PutBaseFirmware(base);
        for (int bank : {1, 2}) {
            const BankImage::Bytes& b = banks.Bank(bank);
            ws.PutBankFile(bank, std::string(b.begin(), b.end()));
        }
        CompositionContext context = ws.Composition();
        CompositionObserver quiet;
        EXPECT_TRUE(ComposeFirmware(context, quiet).Written);
        return ReadAll(context.OutputDir + context.NewFirmwareName);
    }
    FirmwareVerification Verify(const std::string& firmware)
    {
        return VerifyFirmware(SRecordFile::Parse(firmware), SRecordFile::Parse(base), banks);
    }
};

TEST_F(FirmwareVerificationTest, TheComposedFirmwareMatches)
{
    const std::string firmware = Composed();
    const FirmwareVerification result =
        VerifyFirmwareFile(ws.project.ProjectDir + "/New_sx48802.sx", ws.project.MasterDir + "/sx48802.sx", banks);
    EXPECT_TRUE(result.Matches()) << result.Summary("New_sx48802.sx");
    EXPECT_EQ(result.Summary("New_sx48802.sx"),
              "New_sx48802.sx holds banks 1 and 2 of the project and the base firmware everywhere else "
              "(5 receive and 4 send frames)");
    EXPECT_TRUE(result.Details().empty());
}

TEST_F(FirmwareVerificationTest, ASingleChangedByteIsToldAsTheEngineerReadsIt)
{
    const std::string firmware = Composed();
    const uint32_t netDevId = BankFirstAddress(1) + 15005;
    const FirmwareVerification inBank1 = Verify(WithByte(firmware, netDevId, 12));
    ASSERT_EQ(inBank1.DifferenceCount, 1u);
    const FirmwareDifference& d = inBank1.Differences.front();
    EXPECT_EQ(d.Bank, 1);
    EXPECT_EQ(d.Offset, 15005u);
    EXPECT_EQ(d.Address, netDevId);
    EXPECT_EQ(d.Describe(), "bank 1, offset 15,005, Net_Dev_Id: firmware 12, project 40 (address 0x38BA9D)");
    EXPECT_EQ(inBank1.Summary("New_sx48802.sx"), "New_sx48802.sx differs in 1 byte: " + d.Describe());

    const FirmwareVerification inBank2 = Verify(WithByte(firmware, BankFirstAddress(2) + 100, 9));
    ASSERT_EQ(inBank2.DifferenceCount, 1u);
    EXPECT_EQ(inBank2.Differences.front().Describe(), "bank 2, offset 100: firmware 9, project 0 (address 0x398064)");

    // Outside the banks the base firmware is what counts; bank 3 is copied from it.
    const uint32_t outside = BankFirstAddress(3) + 1;
    const uint8_t original = *SRecordFile::Parse(base).Image().At(outside);
    const FirmwareVerification elsewhere = Verify(WithByte(firmware, outside, static_cast<uint8_t>(original + 1)));
    ASSERT_EQ(elsewhere.DifferenceCount, 1u);
    EXPECT_EQ(elsewhere.Differences.front().Describe(), "address 0x3A8001, outside banks 1 and 2: firmware " +
                                                            std::to_string((original + 1) & 0xFF) + ", base firmware " +
                                                            std::to_string(original));
}

TEST_F(FirmwareVerificationTest, MissingDataAndLateOverwritesAreDifferences)
{
    std::vector<std::string> lines = CrLfLines(Composed());
    // Drop the record of bank 1 that holds the parameter block: 32 bytes without data.
    const std::string parameters = BankRecord(BankFirstAddress(1) + 14976, banks.Bank(1).data() + 14976);
    const auto at = std::find(lines.begin(), lines.end(), parameters);
    ASSERT_NE(at, lines.end());
    lines.erase(at);
    const FirmwareVerification missing = Verify(Join(lines));
    EXPECT_EQ(missing.DifferenceCount, 32u);
    EXPECT_EQ(missing.Differences[29].Describe(),
              "bank 1, offset 15,005, Net_Dev_Id: firmware no data, project 40 (address 0x38BA9D)");

    // A record placed before S9 that writes over bank 2 changes what the device holds.
    lines = CrLfLines(Composed());
    uint8_t zeros[32] = {};
    zeros[0] = 1;
    lines.insert(lines.end() - 1, BankRecord(BankFirstAddress(2), zeros));
    const FirmwareVerification late = Verify(Join(lines));
    ASSERT_EQ(late.DifferenceCount, 1u);
    EXPECT_EQ(late.Differences.front().Offset, 0u);
}

TEST_F(FirmwareVerificationTest, DamagedFilesFailWithTheirLineAndReason)
{
    std::vector<std::string> lines = CrLfLines(Composed());
    std::string damaged = lines[10];
    damaged[30] = damaged[30] == '0' ? '1' : '0';
    std::vector<std::string> broken = lines;
    broken[10] = damaged;
    const FirmwareVerification checksum = Verify(Join(broken));
    EXPECT_FALSE(checksum.Matches());
    ASSERT_TRUE(checksum.FirmwareFault);
    EXPECT_EQ(checksum.FirmwareFault->Line, 11u);
    EXPECT_NE(checksum.Summary("New_sx48802.sx").find("New_sx48802.sx is damaged: line 11: the checksum is "),
              std::string::npos);

    // Truncated in the middle of a record, as a full disk leaves it.
    const std::string whole = Join(lines);
    const FirmwareVerification truncated = Verify(whole.substr(0, whole.size() / 2 - 20));
    ASSERT_TRUE(truncated.FirmwareFault);
    EXPECT_FALSE(truncated.Matches());

    // Cut after a whole record: every line is valid, but there is no S9.
    lines.pop_back();
    const FirmwareVerification noEnd = Verify(Join(lines));
    ASSERT_TRUE(noEnd.FirmwareFault);
    EXPECT_EQ(noEnd.FirmwareFault->Reason, "the file ends without an S9 end record");
    EXPECT_EQ(noEnd.DifferenceCount, 0u);
    EXPECT_FALSE(noEnd.Matches());

    // A damaged base firmware is no reference.
    base.insert(base.find("\r\n") + 2, "\r\n");
    const FirmwareVerification badBase = Verify(whole);
    ASSERT_TRUE(badBase.BaseFault);
    EXPECT_EQ(badBase.Summary("x"), "The base firmware is damaged: line 2: an empty line");
}

TEST_F(FirmwareVerificationTest, ReadingTheFilesSideBySideAgreesWithTheImages)
{
    const std::vector<std::string> lines = CrLfLines(Composed());
    std::vector<std::string> reordered = lines; // bank 1's records last: the files are compared as images
    const std::string first = BankRecord(BankFirstAddress(1), banks.Bank(1).data());
    const auto bank1 = std::find(reordered.begin(), reordered.end(), first);
    ASSERT_NE(bank1, reordered.end());
    std::rotate(bank1, bank1 + 512, reordered.end() - 1);
    std::vector<std::string> shortened = lines; // a base record gone outside the banks
    shortened.erase(shortened.begin() + 3);
    std::vector<std::string> straddling = lines; // a record across the start of bank 2, late
    uint8_t ones[32];
    std::fill(std::begin(ones), std::end(ones), 1);
    straddling.insert(straddling.end() - 1, BankRecord(BankFirstAddress(2) - 16, ones));
    std::vector<std::string> damaged = lines; // a base line with a wrong checksum
    damaged[3].back() = damaged[3].back() == '0' ? '1' : '0';
    const uint32_t netDevId = BankFirstAddress(1) + 15005;
    const std::string firmwares[] = {Join(lines),
                                     Join(reordered),
                                     Join(shortened),
                                     Join(straddling),
                                     WithByte(Join(lines), netDevId, 12),
                                     WithByte(Join(lines), BankFirstAddress(3), 1),
                                     Join(lines).substr(0, 5000),
                                     Join(lines) + "S9030000FC\r\n",
                                     base, // the base's own lines in the windows
                                     Join(damaged)};
    const std::string basePath = ws.PutBaseFirmware(base);
    const BaseFirmware checkedBase = BaseFirmware::Read(basePath);
    for (const std::string& firmware : firmwares) {
        const std::string path = ws.dir.Write("firmware.sx", firmware);
        const FirmwareVerification fromImages = Verify(firmware);
        for (const FirmwareVerification& fromFiles :
             {VerifyFirmwareFile(path, basePath, banks), VerifyComposedFile(path, checkedBase, banks)}) {
            EXPECT_EQ(fromFiles.Summary("f"), fromImages.Summary("f"));
            EXPECT_EQ(fromFiles.Details(), fromImages.Details());
        }
    }
    const std::string reorderedPath = ws.dir.Write("firmware.sx", Join(reordered));
    EXPECT_TRUE(VerifyFirmwareFile(reorderedPath, ws.project.MasterDir + "/sx48802.sx", banks).Matches());
}

TEST(BankOneFieldTest, NamesTableRecordAndField)
{
    EXPECT_EQ(BankOneField(0), "receive frame 1, COBID byte 1 of 4");
    EXPECT_EQ(BankOneField(14 + 4), "receive frame 2, Dim");
    EXPECT_EQ(BankOneField(14 * 3 + 5), "receive frame 4, Delete");
    EXPECT_EQ(BankOneField(14 * 3 + 13), "receive frame 4, B8");
    EXPECT_EQ(BankOneField(4999), "receive area, unused");
    EXPECT_EQ(BankOneField(5000 + 13 + 3), "send frame 2, COBID byte 4 of 4");
    EXPECT_EQ(BankOneField(5000 + 5), "send frame 1, B1");
    EXPECT_EQ(BankOneField(14999), "send area, unused");
    EXPECT_EQ(BankOneField(15003), "Delay_Send high byte");
    EXPECT_EQ(BankOneField(15012), "Net_Out");
    EXPECT_EQ(BankOneField(15013), "unused");
    EXPECT_EQ(GroupedNumber(1234567), "1,234,567");
    EXPECT_EQ(GroupedNumber(999), "999");
}

} // namespace
