#include "common/Failure.h"
#include "common/MessageSink.h"
#include "editors/canopen/tables/EmcyDefDocument.h"
#include "editors/canopen/tables/EmcyDefSheet.h"
#include "editors/canopen/tables/SheetExchange.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

EmcyLine Line(const std::string& id, int type = 0, bool enable = false)
{
    TClEmcy entry;
    for (auto member : kEmcyTexts) entry.*member = "0";
    entry.id_dev = id.empty() ? "0" : id;
    entry.bypass_type = type;
    entry.bypass_enable = enable;
    return {id, entry};
}

Strings Texts(const EmcyList& list)
{
    Strings texts;
    for (const EmcyLine& line : list) texts.push_back(line.Text);
    return texts;
}

std::string Row(const std::string& id, const std::string& bypassSet, const std::string& mask = "1")
{
    std::string row = "<row id_dev=\"" + id + "\"";
    for (size_t f = 1; f < kEmcyTextCount; ++f) row += std::string(" ") + kEmcyColumns[f] + "=\"" + mask + "\"";
    return row + " bypass_set=\"" + bypassSet + "\"/>";
}

class EmcyDefTest : public ::testing::Test {
protected:
    std::string Write(const std::string& rows) { return dir.Write("emcydef.xml", "<emcydef>" + rows + "</emcydef>"); }
    GuardedReadResult Load(const std::string& path)
    {
        table = EmcyTable{};
        return LoadEmcyDef(document, path, table);
    }
    RecordingSink sink;
    ScopedMessageSink scope{sink};
    TempDir dir;
    ProjectDocument document{Discipline::Guarded};
    EmcyTable table;
};

TEST(EmcyBypassSet, PacksEnableTypeAndSide)
{
    TClEmcy entry;
    entry.bypass_enable = true;
    entry.bypass_type = 3;
    EXPECT_EQ(PackBypassSet(entry, CanSide::B), 39);
    EXPECT_EQ(PackBypassSet(entry, CanSide::A), 7);
    entry.bypass_type = 15;
    entry.bypass_enable = false;
    EXPECT_EQ(PackBypassSet(entry, CanSide::A), 30);

    TClEmcy read;
    EXPECT_EQ(UnpackBypassSet(33, read), CanSide::B);
    EXPECT_TRUE(read.bypass_enable);
    EXPECT_EQ(read.bypass_type, 0);
    EXPECT_EQ(UnpackBypassSet(20, read), CanSide::A);
    EXPECT_FALSE(read.bypass_enable);
    EXPECT_EQ(read.bypass_type, 10);
    // Bits from 6 up are ignored.
    EXPECT_EQ(UnpackBypassSet(64 + 32 + 5, read), CanSide::B);
    EXPECT_EQ(read.bypass_type, 2);
    EXPECT_TRUE(read.bypass_enable);
}

TEST_F(EmcyDefTest, CheckIdRefusesEmptyAndRepeatedIdsOnItsOwnPage)
{
    const EmcyList page = {Line("5"), Line("0x10")};
    const UserMessages refused = {NoticeMessage("Index Not Valid")};
    EXPECT_EQ(CheckId("5", "0x10", true, page).Messages, refused);
    EXPECT_TRUE(CheckId("16", "5", true, page)); // another notation is another text
    EXPECT_TRUE(CheckId("5", "5", false, page)); // an unchanged ID needs no check
    EXPECT_EQ(CheckId("0x10", "5", false, page).Messages, refused);
    EXPECT_EQ(CheckId("", "5", true, page).Messages, refused);
    // Empty, and an empty line shown: refused twice.
    EXPECT_EQ(CheckId("", "5", true, {Line("5"), Line("")}).Messages, UserMessages(2, refused[0]));
    EXPECT_TRUE(sink.Empty());
}

TEST_F(EmcyDefTest, SaveOrderIsNumericWithLaterEqualIdsFirst)
{
    EXPECT_EQ(EmcySaveOrder({Line("10"), Line("2"), Line("0x3")}), (std::vector<size_t>{1, 2, 0}));
    EXPECT_EQ(EmcySaveOrder({Line("5"), Line("05"), Line("$5")}), (std::vector<size_t>{2, 1, 0}));
    // IDs the picking search could never pick come last, and the order still ends.
    EXPECT_EQ(EmcySaveOrder({Line("1000000"), Line("999999"), Line("7"), Line("2000000")}),
              (std::vector<size_t>{2, 1, 0, 3}));
    EXPECT_TRUE(EmcySaveOrder({}).empty());
}

TEST_F(EmcyDefTest, SaveWritesTheSortedRowsAndTheRowsReadBack)
{
    EmcyTable saved;
    saved.CanA = {Line("10", 1, true), Line("2"), Line("0x3", 8)};
    saved.CanB = {Line("7", 3, true)};
    saved.CanA[1].Entry.mask_eq_er = "$FF";
    SaveEmcyDef(document, dir.File("emcydef.xml"), saved);

    ASSERT_EQ(Load(dir.File("emcydef.xml")), GuardedReadResult::Read);
    EXPECT_EQ(Texts(table.CanA), (Strings{"2", "0x3", "10"}));
    EXPECT_EQ(table.CanA[0].Entry.mask_eq_er, "$FF");
    EXPECT_EQ(table.CanA[1].Entry.bypass_type, 8);
    EXPECT_TRUE(table.CanA[2].Entry.bypass_enable);
    ASSERT_EQ(table.CanB.size(), 1u);
    EXPECT_EQ(table.CanB[0], saved.CanB[0]);

    const std::string xml = ReadAll(dir.File("emcydef.xml"));
    EXPECT_EQ(xml.rfind("<emcydef>", 0), 0u);
    EXPECT_NE(xml.find(Row("7", "39", "0")), std::string::npos) << xml;
    EXPECT_NE(xml.find(Row("10", "3", "0")), std::string::npos) << xml;
    EXPECT_TRUE(sink.Empty());
}

TEST_F(EmcyDefTest, SaveStopsOnAnIdThatIsNoIntegerAndWritesNothing)
{
    const std::string path = dir.Write("emcydef.xml", "previous");
    EmcyTable bad;
    bad.CanA = {Line("1")};
    bad.CanB = {Line("abc"), Line("")};
    try {
        SaveEmcyDef(document, path, bad);
        FAIL() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_STREQ(failure.what(), "'abc' is not a valid integer value");
    }
    bad.CanB = {Line("")};
    EXPECT_THROW(SaveEmcyDef(document, path, bad), Failure);
    EXPECT_EQ(ReadAll(path), "previous");
}

TEST_F(EmcyDefTest, LoadStoresZeroForEmptyTextsAndRoutesByBitFive)
{
    Load(Write(Row("", "33", "") + Row("4", "20")));
    ASSERT_EQ(table.CanB.size(), 1u);
    EXPECT_EQ(table.CanB[0].Text, "0");
    EXPECT_EQ(table.CanB[0].Entry.mask_eq_m3, "0");
    EXPECT_TRUE(table.CanB[0].Entry.bypass_enable);
    ASSERT_EQ(table.CanA.size(), 1u);
    EXPECT_EQ(table.CanA[0].Entry.bypass_type, 10);
    EXPECT_EQ(table.CanA[0].Entry.mask_eq_ec, "1");

    SaveEmcyDef(document, dir.File("emcydef.xml"), table);
    const std::string xml = ReadAll(dir.File("emcydef.xml"));
    EXPECT_NE(xml.find(Row("0", "33", "0")), std::string::npos) << xml;
    EXPECT_NE(xml.find(Row("4", "20")), std::string::npos) << xml;
}

TEST_F(EmcyDefTest, LoadFailuresShowTheirMessageAndKeepTheRowsBefore)
{
    EXPECT_EQ(Load(dir.File("none.xml")), GuardedReadResult::Missing);
    EXPECT_EQ(Load(Write("")), GuardedReadResult::Read);
    EXPECT_TRUE(table.CanA.empty() && table.CanB.empty());
    EXPECT_EQ(Load(Write(Row("1", "0") + Row("2", "") + Row("3", "0"))), GuardedReadResult::Failed);
    EXPECT_EQ(Texts(table.CanA), Strings{"1"});
    EXPECT_EQ(Load(Write(Row("1", "0") + "<row id_dev=\"2\" bypass_set=\"0\"/>")), GuardedReadResult::Failed);
    EXPECT_EQ(Load(dir.Write("emcydef.xml", "<emcydef><row")), GuardedReadResult::Failed);
    EXPECT_EQ(sink.Texts(), (Strings{"File XML not found", "Error in reading file XML", "Error in reading file XML",
                                     "Error in reading file XML"}));
}

TEST_F(EmcyDefTest, ExportedCsvImportsBackToTheSameLists)
{
    EmcyTable exported;
    exported.CanA = {Line("10", 1, true), Line("0x3", 8)};
    exported.CanB = {Line("7", 15, true), Line("8")};
    exported.CanB[1].Entry.enmask_eq_m2 = "";
    exported.CanB[1].Entry.mask_eq_m1 = "$FFFF";
    const auto lines = EmcyDefExportLines(exported);
    ASSERT_EQ(lines.size(), 4u); // no title line
    EXPECT_EQ(lines[0].front(), "10");
    EXPECT_EQ(lines[2].back(), "63");
    EXPECT_EQ(lines[3].back(), "32");

    ProjectContext context;
    context.ProjectDir = dir.Path();
    ASSERT_TRUE(ExportCsv(context, kEmcyDefTable, lines).empty());
    EXPECT_EQ(ReadAll(dir.File("emcydef.csv")).substr(0, 3), "10,");
    EmcyTable imported;
    ImportSheetFrom(dir.File("emcydef.csv"), kEmcyDefTable, kEmcyColumns.size(),
                    [&](const Strings& row) { AddEmcyDefSheetRow(imported, row); });
    EXPECT_EQ(imported.CanA, exported.CanA);
    EXPECT_EQ(imported.CanB, exported.CanB); // the empty cell stays empty
}

TEST(EmcyDefSheet, AnEmptyBypassSetEndsTheImportAfterTheRowsBefore)
{
    TempDir dir;
    const std::string ok = "1,,,,,,,,,,,1,\r\n";
    dir.Write("emcydef.csv", "title,\r\n" + ok + "2,,,,,,,,,,,,\r\n" + ok);
    EmcyTable imported;
    ImportSheetFrom(dir.File("emcydef.csv"), kEmcyDefTable, kEmcyColumns.size(),
                    [&](const Strings& row) { AddEmcyDefSheetRow(imported, row); });
    ASSERT_EQ(imported.CanA.size(), 1u);
    EXPECT_EQ(imported.CanA[0].Entry.mask_eq_ec, ""); // no "0" on import
    EXPECT_TRUE(imported.CanA[0].Entry.bypass_enable);
}

} // namespace
