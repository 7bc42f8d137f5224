#include "common/Failure.h"
#include "common/MessageSink.h"
#include "editors/canopen/tables/EmcyWordDocument.h"
#include "editors/canopen/tables/EmcyWordSheet.h"
#include "editors/canopen/tables/SheetExchange.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;
using Order = std::vector<size_t>;

TClWEmcy Word(const std::string& devid, const std::string& index, const std::string& subindex)
{
    TClWEmcy word;
    word.devid = devid;
    word.index_addrm = index;
    word.subindex = subindex;
    return word;
}

std::string Row(const std::string& extdata, const std::string& devid, const std::string& bit0poscomp = "")
{
    std::string row = "<row index_addrm=\"8192\" subindex=\"1\" extdata=\"" + extdata + "\" devid=\"" + devid + "\"";
    for (int n = 0; n < 16; ++n) {
        const std::string bit = " bit" + std::to_string(n);
        row += bit + "_b0=\"\"" + bit + "_b1=\"\"" + bit + "_poscomp=\"" + (n == 0 ? bit0poscomp : "") + "\"";
    }
    return row + "/>";
}

class EmcyWordTest : public ::testing::Test {
protected:
    std::string Write(const std::string& rows)
    {
        return dir.Write("emcyword.xml", "<emcyword>" + rows + "</emcyword>");
    }
    GuardedReadResult Load(const std::string& path)
    {
        table = EmcyWordTable{};
        return LoadEmcyWord(document, path, table);
    }
    RecordingSink sink;
    ScopedMessageSink scope{sink};
    TempDir dir;
    ProjectDocument document{Discipline::Guarded};
    EmcyWordTable table;
};

TEST(EmcyPoscomp, PacksTwoByteNumbersIntoSixteenBits)
{
    EXPECT_EQ(PackPoscomp(2, 5), "37");
    EXPECT_EQ(UnpackPoscomp("37"), (std::pair<int32_t, int32_t>{2, 5}));
    EXPECT_EQ(PackPoscomp(0, 20), "20");
    EXPECT_EQ(UnpackPoscomp("20"), (std::pair<int32_t, int32_t>{1, 4}));
    EXPECT_EQ(PackPoscomp(4096, 3), "3");   // truncated to 16 bits
    EXPECT_EQ(PackPoscomp(-1, 0), "65520"); // no overflow, same bits
    EXPECT_EQ(UnpackPoscomp("0x12345"), (std::pair<int32_t, int32_t>{0x234, 5}));
    EXPECT_THROW(UnpackPoscomp(""), Failure);
}

TEST(EmcyPoscomp, ModifyBitStoresTheMasksBeforeABadByteNumberStops)
{
    ClEbm bit{"1", "2", "37"};
    ModifyBit(bit, "$F0", "", "0", "20");
    EXPECT_EQ(bit, (ClEbm{"$F0", "", "20"}));
    try {
        ModifyBit(bit, "7", "8", "x", "1");
        FAIL() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_STREQ(failure.what(), "'x' is not a valid integer value");
    }
    EXPECT_EQ(bit, (ClEbm{"7", "8", "20"}));
}

TEST_F(EmcyWordTest, CheckWordRefusesEmptyTextsAndTheSameThreeTexts)
{
    const std::vector<TClWEmcy> page = {Word("5", "0x10", "1"), Word("6", "16", "1")};
    const UserMessages refused = {NoticeMessage("Index Not Valid")};
    EXPECT_EQ(CheckWord(page, "0x10", "1", "5", true, 0).Messages, refused);
    EXPECT_TRUE(CheckWord(page, "16", "1", "5", true, 0));    // "0x10" and "16" are different texts
    EXPECT_TRUE(CheckWord(page, "0x10", "1", "5", false, 0)); // its own texts
    EXPECT_EQ(CheckWord(page, "0x10", "1", "5", false, 1).Messages, refused);
    EXPECT_EQ(CheckWord(page, "1", "", "9", true, 0).Messages, refused);
    EXPECT_EQ(CheckWord({}, "", "1", "9", true, 0).Messages, refused);
    EXPECT_TRUE(sink.Empty());
}

TEST_F(EmcyWordTest, SaveOrderByIdIndexSubindexWithLaterEqualWordsFirst)
{
    EXPECT_EQ(EmcyWordSaveOrder({Word("5", "8193", "1"), Word("3", "8194", "0"), Word("5", "8192", "2")}),
              (Order{1, 2, 0}));
    EXPECT_EQ(EmcyWordSaveOrder({Word("1", "0x10", "2"), Word("1", "16", "1"), Word("1", "$10", "2")}),
              (Order{1, 2, 0}));
    // Values beyond the picking search's start still end in order.
    EXPECT_EQ(EmcyWordSaveOrder({Word("1000000", "1", "1"), Word("2", "1", "1"), Word("2", "1000000", "0"),
                                 Word("2", "1", "1000000")}),
              (Order{1, 3, 2, 0}));
}

TEST_F(EmcyWordTest, SaveOrderConvertsIndexAndSubindexOnlyWhereTheyAreCompared)
{
    EXPECT_EQ(EmcyWordSaveOrder({Word("2", "abc", ""), Word("1", "", "x")}), (Order{1, 0}));
    EXPECT_EQ(EmcyWordSaveOrder({Word("1", "7", "x"), Word("1", "8", "")}), (Order{0, 1}));
    EXPECT_THROW(EmcyWordSaveOrder({Word("1", "abc", "0"), Word("1", "2", "0")}), Failure);
    EXPECT_THROW(EmcyWordSaveOrder({Word("1", "2", "x"), Word("1", "2", "0")}), Failure);
    try {
        EmcyWordSaveOrder({Word("1", "1", "1"), Word("", "1", "1")});
        FAIL() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_STREQ(failure.what(), "'' is not a valid integer value");
    }
}

TEST_F(EmcyWordTest, LoadRoutesByExtdataAndDropsOtherValues)
{
    ASSERT_EQ(Load(Write(Row("0", "1") + Row("1", "2") + Row("2", "3"))), GuardedReadResult::Read);
    ASSERT_EQ(table.CanA.size(), 1u);
    ASSERT_EQ(table.CanB.size(), 1u);
    EXPECT_EQ(table.CanB[0].devid, "2");
    SaveEmcyWord(document, dir.File("emcyword.xml"), table);
    ASSERT_EQ(Load(dir.File("emcyword.xml")), GuardedReadResult::Read);
    EXPECT_EQ(table.CanA.size() + table.CanB.size(), 2u);
    EXPECT_TRUE(sink.Empty());
}

TEST_F(EmcyWordTest, LoadFailuresShowTheirMessageAndKeepTheWordsBefore)
{
    EXPECT_EQ(Load(dir.File("none.xml")), GuardedReadResult::Missing);
    EXPECT_EQ(Load(Write(Row("0", "1") + Row("x", "2") + Row("0", "3"))), GuardedReadResult::Failed);
    EXPECT_EQ(table.CanA.size(), 1u);
    EXPECT_EQ(Load(Write(Row("1", "1") + "<row index_addrm=\"1\" subindex=\"1\" extdata=\"0\" devid=\"1\"/>")),
              GuardedReadResult::Failed);
    EXPECT_EQ(table.CanB.size(), 1u);
    EXPECT_EQ(sink.Texts(), (Strings{"File XML not found", "Error in reading file XML", "Error in reading file XML"}));
}

TEST_F(EmcyWordTest, ANewWordWithEmptyBitsIsWrittenAndReadBackUnchanged)
{
    EmcyWordTable saved;
    saved.CanB = {Word("5", "0x2000", "1")};
    saved.CanA = {Word("5", "8193", "1"), Word("3", "8194", "0"), Word("5", "8192", "2")};
    saved.CanA[2].bits[15] = {"$80", "0", "37"};
    SaveEmcyWord(document, dir.File("emcyword.xml"), saved);

    const std::string xml = ReadAll(dir.File("emcyword.xml"));
    EXPECT_NE(xml.find(Row("1", "5").substr(0, 30)), std::string::npos);
    EXPECT_LT(xml.find("devid=\"3\""), xml.find("index_addrm=\"8192\""));
    EXPECT_LT(xml.find("index_addrm=\"8192\""), xml.find("index_addrm=\"8193\""));
    EXPECT_NE(xml.find("bit15_b0=\"$80\" bit15_b1=\"0\" bit15_poscomp=\"37\""), std::string::npos);

    ASSERT_EQ(Load(dir.File("emcyword.xml")), GuardedReadResult::Read);
    EXPECT_EQ(table.CanB, saved.CanB);
    EXPECT_EQ(table.CanA, (std::vector<TClWEmcy>{saved.CanA[1], saved.CanA[2], saved.CanA[0]}));
}

TEST_F(EmcyWordTest, ExportedCsvImportsBackToTheSameLists)
{
    EmcyWordTable exported;
    exported.CanA = {Word("1", "0x2000", "0"), Word("2", "", "")};
    exported.CanA[0].bits[3] = {"1", "2", "37"};
    exported.CanB = {Word("9", "0x2001", "3")};
    const auto lines = EmcyWordExportLines(exported);
    ASSERT_EQ(lines.size(), 3u); // no title line
    EXPECT_EQ(lines[0][0], "0x2000");
    EXPECT_EQ(lines[0][2], "0");
    EXPECT_EQ(lines[2][2], "1");
    EXPECT_EQ(lines[0].size(), kEmcyWordColumnCount);
    EXPECT_EQ(EmcyWordColumns()[6], "bit0_poscomp");
    EXPECT_EQ(EmcyWordColumns()[51], "bit15_poscomp");

    ProjectContext context;
    context.ProjectDir = dir.Path();
    ASSERT_TRUE(ExportCsv(context, kEmcyWordTable, lines).empty());
    EmcyWordTable imported;
    ImportSheetFrom(dir.File("emcyword.csv"), kEmcyWordTable, kEmcyWordColumnCount, [&](const Strings& row) {
        if (auto routed = EmcyWordFromSheetRow(row)) imported.Side(routed->first).push_back(routed->second);
    });
    EXPECT_EQ(imported.CanA, exported.CanA);
    EXPECT_EQ(imported.CanB, exported.CanB);
}

TEST(EmcyWordSheet, ExtdataRoutesDropsOrStops)
{
    Strings row(kEmcyWordColumnCount);
    row[2] = "1";
    row[3] = "7";
    row[51] = "20";
    auto routed = EmcyWordFromSheetRow(row);
    ASSERT_TRUE(routed);
    EXPECT_EQ(routed->first, CanSide::B);
    EXPECT_EQ(routed->second.devid, "7");
    EXPECT_EQ(routed->second.bits[15].poscomp, "20");
    row[2] = "2";
    EXPECT_FALSE(EmcyWordFromSheetRow(row));
    row[2] = "";
    EXPECT_THROW(EmcyWordFromSheetRow(row), Failure);
}

} // namespace
