#include "editors/canopen/workbook/BiffStream.h"
#include "common/Failure.h"

#include <gtest/gtest.h>

namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (int value : values) bytes += static_cast<char>(value);
    return bytes;
}

std::string Record(uint16_t type, const std::string& data)
{
    return Bytes({type & 0xFF, type >> 8, static_cast<int>(data.size() & 0xFF), static_cast<int>(data.size() >> 8)}) +
           data;
}

TEST(BiffRecords, ContinuationsJoinTheRecordBeforeThem)
{
    const std::string stream = Record(0x00FC, "ab") + Record(0x003C, "cd") + Record(0x003C, "e") + Record(0x000A, "");
    BiffRecordReader reader(stream, 0);
    BiffRecord record;
    ASSERT_TRUE(reader.Next(record));
    EXPECT_EQ(record.type, 0x00FC);
    EXPECT_EQ(record.parts, (std::vector<std::string_view>{"ab", "cd", "e"}));
    ASSERT_TRUE(reader.Next(record));
    EXPECT_EQ(record.type, 0x000A);
    EXPECT_FALSE(reader.Next(record));
}

TEST(BiffRecords, ARecordLongerThanTheStreamIsRefused)
{
    const std::string stream = Record(0x0204, "abcdef").substr(0, 8);
    BiffRecordReader reader(stream, 0);
    BiffRecord record;
    EXPECT_THROW(reader.Next(record), Failure);
    BiffRecordReader halfHeader(std::string_view("\x04\x02\x01", 3), 0);
    EXPECT_THROW(halfHeader.Next(record), Failure);
}

TEST(BiffStrings, CharactersContinueWithTheirOwnWidthAfterEachFlagByte)
{
    // "Caf" one byte wide, then "é日" continued two bytes wide, then "!" one byte wide again.
    const std::string first = Bytes({6, 0, 0x00}) + "Caf";
    const std::string second = Bytes({0x01, 0xE9, 0x00, 0xE5, 0x65});
    const std::string third = Bytes({0x00}) + "!";
    const std::vector<std::string_view> parts{first, second, third};
    BiffPieces pieces(parts);
    EXPECT_EQ(pieces.UnicodeString(), "Caf\xC3\xA9\xE6\x97\xA5!");
    EXPECT_TRUE(pieces.AtEnd());
}

TEST(BiffStrings, RichRunsAndExtensionsAreSkippedEvenAcrossParts)
{
    // Flags 0x0C: two rich-text runs (8 bytes) and a 3-byte extension; then a second string.
    const std::string first = Bytes({2, 0, 0x0C, 2, 0, 3, 0, 0, 0}) + "ab" + Bytes({1, 2, 3});
    const std::string second = Bytes({4, 5, 6, 7, 8, 9, 10, 11}) + Bytes({1, 0, 0x00}) + "z";
    const std::vector<std::string_view> parts{first, second};
    BiffPieces pieces(parts);
    EXPECT_EQ(pieces.UnicodeString(), "ab");
    EXPECT_EQ(pieces.UnicodeString(), "z");
    EXPECT_TRUE(pieces.AtEnd());
}

TEST(BiffStrings, LengthsBeyondTheRecordAreRefused)
{
    const std::string data = Bytes({200, 0, 0x00}) + "short";
    const std::vector<std::string_view> parts{data};
    BiffPieces pieces(parts);
    EXPECT_THROW(pieces.UnicodeString(), Failure);

    const std::string halfWide = Bytes({2, 0, 0x01, 0x41, 0x00, 0x42});
    const std::vector<std::string_view> half{halfWide};
    BiffPieces broken(half);
    EXPECT_THROW(broken.UnicodeString(), Failure);

    const std::string runs = Bytes({1, 0, 0x08, 0xFF, 0xFF}) + "a";
    const std::vector<std::string_view> many{runs};
    BiffPieces tooManyRuns(many);
    EXPECT_THROW(tooManyRuns.UnicodeString(), Failure);
}

TEST(BiffStrings, ByteStringsOfOlderWorkbooksAreCodePage1252)
{
    const std::string data = Bytes({4, 0}) + "caf\xE9" + Bytes({2}) + "\x80x";
    const std::vector<std::string_view> parts{data};
    BiffPieces pieces(parts);
    EXPECT_EQ(pieces.ByteString(), "caf\xC3\xA9");
    EXPECT_EQ(pieces.ByteString(true), "\xE2\x82\xAC"
                                       "x");
}

TEST(BiffStrings, SurrogatePairsJoinAndLoneHalvesAreReplaced)
{
    EXPECT_EQ(Utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800)) + u"a"), "\xEF\xBF\xBD"
                                                                       "a");
}

} // namespace
