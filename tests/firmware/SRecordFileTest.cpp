#include "support/TempDir.h"

#include "common/Failure.h"
#include "firmware/SRecord.h"
#include "firmware/SRecordFile.h"
#include "firmware/demo/SyntheticFirmware.h"

#include <gtest/gtest.h>

namespace {

// A valid S2 record of 32 equal bytes.
std::string S2(uint32_t address, uint8_t fill)
{
    uint8_t data[32];
    std::fill(std::begin(data), std::end(data), fill);
    return BankRecord(address, data);
}

// Any record with its checksum filled in.
std::string Record(std::string withoutChecksum)
{
    return withoutChecksum + SRecordChecksum(withoutChecksum + "00");
}

const std::string kS0 = Record("S0060000484452"); // header "HDR"
const std::string kS9 = "S9030000FC";

std::string Lines(std::initializer_list<std::string> lines, const char* end = "\r\n")
{
    std::string text;
    for (const std::string& line : lines) text += line + end;
    return text;
}

TEST(SRecordFileTest, ReadsEveryRecordTypeWithAddressDataAndLine)
{
    const std::string s1 = Record("S1061234AABBCC");
    const std::string s3 = Record("S30812345678DEADBE");
    const std::string s5 = Record("S5030003");
    const SRecordFile file = SRecordFile::Parse(Lines({kS0, s1, S2(0x388000, 0x5A), s3, s5, kS9}, "\n"));
    ASSERT_FALSE(file.Problem()) << file.Problem()->Describe();
    EXPECT_FALSE(file.FirstFault());
    EXPECT_TRUE(file.EndRecordIsLast());
    EXPECT_EQ(file.EndRecordLine(), 6u);
    EXPECT_EQ(file.LineCount(), 6u);
    const auto& r = file.Records();
    ASSERT_EQ(r.size(), 6u);
    EXPECT_EQ(std::string(1, r[0].Type) + r[1].Type + r[2].Type + r[3].Type + r[4].Type + r[5].Type, "012359");
    EXPECT_EQ(r[1].Address, 0x1234u);
    EXPECT_EQ(std::vector<uint8_t>(file.Data(r[1]).begin(), file.Data(r[1]).end()),
              (std::vector<uint8_t>{0xAA, 0xBB, 0xCC}));
    EXPECT_EQ(r[2].Address, 0x388000u);
    EXPECT_EQ(file.Data(r[2]).size(), 32u);
    EXPECT_EQ(r[3].Address, 0x12345678u);
    EXPECT_EQ(file.Data(r[3]).size(), 3u);
    EXPECT_EQ(r[3].Line, 4u);
    // The header and the count are not memory.
    const MemoryImage image = file.Image();
    EXPECT_EQ(image.ByteCount(), 3u + 32u + 3u);
    EXPECT_EQ(image.At(0x1235), 0xBB);
    EXPECT_EQ(image.At(0x1234567A), 0xBE);
    EXPECT_FALSE(image.At(0x0000));
}

TEST(SRecordFileTest, AcceptsLowerCaseDigitsAndALastLineWithoutLineEnd)
{
    std::string s2 = S2(0x388000, 0xAB);
    for (size_t i = 2; i < s2.size(); ++i) s2[i] = static_cast<char>(std::tolower(s2[i]));
    const SRecordFile file = SRecordFile::Parse(kS0 + "\r\n" + s2 + "\r\n" + kS9);
    ASSERT_FALSE(file.FirstFault()) << file.FirstFault()->Describe();
    EXPECT_EQ(file.Image().At(0x38801F), 0xAB);
}

TEST(SRecordFileTest, TellsTheFirstBrokenLineAndWhy)
{
    std::string badChecksum = S2(0x388000, 0);
    const std::string rightChecksum = badChecksum.substr(74);
    badChecksum.replace(74, 2, "5A");
    std::string badDigit = S2(0x388000, 0);
    badDigit[20] = 'G';
    struct Case {
        std::string line;
        std::string reason;
    } cases[] = {
        {badChecksum, "the checksum is 5A, the record's bytes give " + rightChecksum},
        {badDigit, "\"G\" at column 21 is not a hexadecimal digit"},
        {"s" + S2(0x388000, 0).substr(1), "\"s\" in lower case: a record begins with \"S\""},
        {Record("S4030000"), "\"S4\" is not a record type"},
        {"SX030000FC", "\"SX\" is not a record type"},
        {"", "an empty line"},
        {"S2240000", "the byte count 24 says 36 bytes, the line holds 2"},
        {"S203000000", "the byte count 03 is too small for an S2 record (at least 4)"},
        {"S9030000F", "an odd number of hexadecimal digits after the byte count"},
        {"S9030000FC ", "an odd number of hexadecimal digits after the byte count"},
        {"S9030\r000FC", "a carriage return inside the line, at column 6"},
        {":10010000", "the line begins with \":\", not with \"S\""},
        {Record("S307FFFFFFFF0102"), "the data runs past the address FFFFFFFF"},
    };
    for (const Case& c : cases) {
        const SRecordFile file = SRecordFile::Parse(Lines({kS0, S2(0x380000, 1), c.line, S2(0x380020, 2), kS9}));
        ASSERT_TRUE(file.Problem()) << c.line;
        EXPECT_EQ(file.Problem()->Describe(), "line 3: " + c.reason) << c.line;
        EXPECT_EQ(file.Records().size(), 2u) << "reading stops at the broken line";
        EXPECT_EQ(file.FirstFault()->Line, 3u);
        EXPECT_FALSE(file.EndRecordIsLast());
    }
}

TEST(SRecordFileTest, AMissingOrMisplacedEndRecordIsAFault)
{
    EXPECT_EQ(SRecordFile::Parse(Lines({kS0, S2(0x380000, 1)})).FirstFault()->Describe(),
              "line 2: the file ends without an S9 end record");
    EXPECT_EQ(SRecordFile::Parse(Lines({kS0, kS9, S2(0x380000, 1)})).FirstFault()->Describe(),
              "line 3: an S2 record after the S9 end record of line 2");
    EXPECT_EQ(SRecordFile::Parse(Lines({kS0, kS9, kS9})).FirstFault()->Describe(),
              "line 3: a second S9 end record (the first is on line 2)");
    EXPECT_EQ(SRecordFile::Parse("").FirstFault()->Describe(), "the file holds no record");
    // A blank line after S9 is a broken line, not a complete file.
    const SRecordFile blank = SRecordFile::Parse(Lines({kS0, kS9, ""}));
    EXPECT_EQ(blank.EndRecordLine(), 2u);
    EXPECT_FALSE(blank.EndRecordIsLast());
    EXPECT_EQ(blank.FirstFault()->Describe(), "line 3: an empty line");
}

TEST(SRecordFileTest, LaterRecordsOverwriteEarlierOnes)
{
    const SRecordFile file = SRecordFile::Parse(Lines({S2(0x388000, 1), S2(0x388010, 2), S2(0x387FF8, 3), kS9}));
    const MemoryImage image = file.Image();
    EXPECT_EQ(image.At(0x387FF8), 3);
    EXPECT_EQ(image.At(0x388017), 3);
    EXPECT_EQ(image.At(0x388018), 2);
    EXPECT_EQ(image.At(0x38800F), 3);
    EXPECT_EQ(image.ByteCount(), 0x388030u - 0x387FF8u);
}

TEST(SRecordFileTest, FindsDataRecordsInAWindowByAddressOrAsTheComposerReadsThem)
{
    // S1 at 0x3880 with first data byte 0x12: the composer reads "388012" as its address.
    const SRecordFile s1 = SRecordFile::Parse(Lines({Record("S1053880"
                                                            "1234"),
                                                     kS9}));
    EXPECT_FALSE(s1.HasDataRecordIn(BankFirstAddress(1), BankLastAddress(1)));
    EXPECT_TRUE(s1.HasDataRecordIn(BankFirstAddress(1), BankLastAddress(1), WindowReading::Composer));
    EXPECT_TRUE(s1.HasDataRecordIn(0x3880, 0x3880));
    // S3 records are never taken for the window; a record starting before it does not count.
    const SRecordFile s3 = SRecordFile::Parse(Lines({Record("S30800388000AABBCC"), S2(0x387FF0, 0), kS9}));
    EXPECT_FALSE(s3.HasDataRecordIn(BankFirstAddress(1), BankLastAddress(1)));
    const SRecordFile s2 = SRecordFile::Parse(Lines({S2(BankLastAddress(1) - 31, 0), kS9}));
    EXPECT_TRUE(s2.HasDataRecordIn(BankFirstAddress(1), BankLastAddress(1)));
    EXPECT_FALSE(s2.HasDataRecordIn(BankFirstAddress(2), BankLastAddress(2)));
}

TEST(SRecordFileTest, ReadsAFileAsItParsesTheBytes)
{
    TempDir dir;
    const std::string text = SyntheticFirmware();
    const SRecordFile fromFile = SRecordFile::Read(dir.Write("base.sx", text));
    const SRecordFile fromText = SRecordFile::Parse(text);
    ASSERT_FALSE(fromFile.FirstFault());
    ASSERT_EQ(fromFile.Records().size(), fromText.Records().size());
    EXPECT_EQ(fromFile.Image().ByteCount(), 0x3D0000u - 0x380000u);
    uint8_t a[64], b[64];
    EXPECT_EQ(fromFile.Image().Read(0x38BFE0, a, 64), 64u);
    fromText.Image().Read(0x38BFE0, b, 64);
    EXPECT_TRUE(std::equal(std::begin(a), std::end(a), std::begin(b)));
    EXPECT_TRUE(SRecordFile::Read(dir.Write("empty.sx", "")).Records().empty());
    EXPECT_THROW(SRecordFile::Read(dir.File("missing.sx")), Failure);
    // A line that never ends is broken, whatever its length.
    const SRecordFile endless = SRecordFile::Read(dir.Write("endless.sx", kS0 + "\r\nS2" + std::string(300000, 'A')));
    ASSERT_TRUE(endless.Problem());
    EXPECT_EQ(endless.Problem()->Line, 2u);
}

} // namespace
