#include "editors/canopen/tables/StoredPdo.h"
#include "common/Failure.h"
#include "common/MessageSink.h"
#include "editors/canopen/tables/SheetExchange.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

class StoredPdoLoadTest : public ::testing::Test {
protected:
    StoredPdoLoadTest()
    {
        context.ProjectDir = dir.Path();
        context.UpdateProjectFiles();
    }
    void Load() { LoadStoredPdoTables(context, document, tables); }
    std::string Rpdodef(int sideA, int sideB)
    {
        std::string xml = "<rpdodef>";
        for (int i = 0; i < sideB; ++i) xml += "<row cobid=\"B" + std::to_string(i + 1) + "\" en_bypass=\"3\"/>";
        for (int i = 0; i < sideA; ++i) xml += "<row cobid=\"A" + std::to_string(i + 1) + "\" en_bypass=\"1\"/>";
        return xml + "</rpdodef>";
    }
    static std::string Row(const std::string& index, const std::string& nrpdo)
    {
        return "<row index=\"" + index + "\" subindex=\"1\" nrpdo=\"" + nrpdo + "\" poscomp=\"33\"/>";
    }

    RecordingSink sink;
    ScopedMessageSink scope{sink};
    TempDir dir;
    ProjectContext context;
    ProjectDocument document{Discipline::Guarded};
    StoredPdoTables tables;
};

TEST_F(StoredPdoLoadTest, EachMissingDocumentHasItsOwnMessageAndRowsWithoutTheirPdoAreSkipped)
{
    dir.Write("sdopdo.xml", "<sdopdo>" + Row("1", "1") + Row("2", "129") + "</sdopdo>");
    Load();
    EXPECT_EQ(sink.Texts(), (std::vector<std::string>{"File SDO XML not found", "File PDO XML not found"}));
    EXPECT_TRUE(tables.Sides[CanSide::A].Pdos.empty());
    sink.Clear();
    std::remove(dir.File("sdopdo.xml").c_str());
    Load();
    EXPECT_EQ(sink.Texts(), (std::vector<std::string>{"File SDO XML not found", "File PDO XML not found",
                                                      "File SDOPDO XML not found"}));
}

TEST_F(StoredPdoLoadTest, NrpdoSelectsSideAndPdoAndZeroEndsTheRead)
{
    dir.Write("sdo.xml", "<sdo><row conf=\"0\" IndexA=\"0x10\" SubindexA=\"1\"/>"
                         "<row conf=\"17\" IndexA=\"0x20\" SubindexA=\"2\"/><row IndexA=\"0\"/>"
                         "<row conf=\"0\" IndexA=\"0x30\" SubindexA=\"3\"/></sdo>");
    dir.Write("rpdodef.xml", Rpdodef(2, 2));
    dir.Write("sdopdo.xml", "<sdopdo>" + Row("a", "130") + Row("b", "3") + Row("c", "2") + Row("d", "128") +
                                Row("e", "1") + "</sdopdo>");
    Load();
    EXPECT_EQ(sink.Texts(),
              (std::vector<std::string>{"Error in reading file SDO XML", "Error in reading file SDOPDO XML"}));
    const StoredPdoSide& a = tables.Sides[CanSide::A];
    const StoredPdoSide& b = tables.Sides[CanSide::B];
    ASSERT_EQ(a.SdoAccess.size(), 1u);
    EXPECT_EQ(a.SdoAccess[0].index, "0x10");
    ASSERT_EQ(b.SdoAccess.size(), 1u);
    EXPECT_EQ(b.SdoAccess[0].subindex, "2");
    ASSERT_EQ(a.Pdos.size(), 2u);
    EXPECT_EQ(a.Pdos[1].name, "A2");
    EXPECT_EQ(a.Pdos[1].number, 2);
    EXPECT_EQ(b.Pdos[0].name, "B1");
    ASSERT_EQ(b.Pdos[1].sdos.size(), 1u);
    EXPECT_EQ(b.Pdos[1].sdos[0].index, "a");
    EXPECT_EQ(b.Pdos[1].sdos[0].poscomp, "33");
    ASSERT_EQ(a.Pdos[1].sdos.size(), 1u); // "b" skipped, "c" stored, "d" ended the read
    EXPECT_EQ(a.Pdos[1].sdos[0].index, "c");
    EXPECT_TRUE(a.Pdos[0].sdos.empty());
}

StoredPdoSide Side(std::vector<std::vector<TClSdo>> pdos, std::vector<TClSdo> access = {})
{
    StoredPdoSide side;
    side.SdoAccess = std::move(access);
    int number = 0;
    for (auto& sdos : pdos) side.Pdos.push_back({"P" + std::to_string(++number), number, std::move(sdos)});
    return side;
}

TEST(StoredSdoCheck, APairIsRefusedAgainstTheAccessListAndTheOtherStoredSdosAsIntegers)
{
    const StoredPdoSide side = Side({{{"1", "1", "0"}}, {{"16", "1", "0"}, {"16", "2", "0"}}}, {{"0x20", "$1", ""}});
    EXPECT_EQ(CheckStoredSdo(side, "0x10", "1", std::nullopt), std::optional<std::string>(kIndexOrSubindexNotValid));
    EXPECT_EQ(CheckStoredSdo(side, "32", "1", std::nullopt), std::optional<std::string>(kSdoAlreadyExists));
    EXPECT_EQ(CheckStoredSdo(side, "16", "3", std::nullopt), std::nullopt);
    // Modify excludes the entry being modified, and only that one.
    EXPECT_EQ(CheckStoredSdo(side, "16", "1", StoredSdoRef{1, 0}), std::nullopt);
    EXPECT_EQ(CheckStoredSdo(side, "16", "2", StoredSdoRef{1, 0}),
              std::optional<std::string>(kIndexOrSubindexNotValid));
    EXPECT_EQ(CheckStoredSdo(side, "32", "1", StoredSdoRef{1, 0}), std::optional<std::string>(kSdoAlreadyExists));
}

TEST(StoredSdoCheck, TextsAreConvertedOnlyAsFarAsAComparisonNeedsThem)
{
    EXPECT_EQ(CheckStoredSdo(Side({}), "abc", "", std::nullopt), std::nullopt);
    const StoredPdoSide side = Side({{{"1", "1", "0"}}});
    EXPECT_EQ(CheckStoredSdo(side, "2", "not a number", std::nullopt), std::nullopt);
    try {
        CheckStoredSdo(side, "1", "zz", std::nullopt);
        FAIL() << "no failure";
    } catch (const Failure& f) {
        EXPECT_STREQ(f.what(), "'zz' is not a valid integer value");
    }
    EXPECT_THROW(CheckStoredSdo(Side({{{"", "1", "0"}}}), "1", "1", std::nullopt), Failure);
}

TEST(Poscomp, HighTimesSixteenPlusLowAndNibblesAboveEightSelectB8)
{
    EXPECT_EQ(PoscompText(2, 1), "33");
    EXPECT_EQ(PoscompText(0, 8), "8");
    EXPECT_EQ(PoscompSelection("33").High, 2);
    EXPECT_EQ(PoscompSelection("33").Low, 1);
    EXPECT_EQ(PoscompSelection("0xF9").High, 8);
    EXPECT_EQ(PoscompSelection("0xF9").Low, 8);
    EXPECT_EQ(PoscompSelection("0x90").Low, 0);
    EXPECT_THROW(PoscompSelection(""), Failure);
}

std::vector<std::string> Saved(const StoredPdoSide& side)
{
    std::vector<std::string> out;
    for (const StoredSdoRef& ref : StoredSdoSaveOrder(side)) {
        const TClSdo& sdo = side.Pdos[ref.Pdo].sdos[ref.Sdo];
        out.push_back(sdo.index + "/" + sdo.subindex + sdo.poscomp);
    }
    return out;
}

TEST(StoredSdoSaveOrder, AscendingPairsWithEqualPairsInPdoAndListOrder)
{
    EXPECT_EQ(Saved(Side({{{"0x2000", "2", ""}, {"0x1000", "5", ""}, {"0x2000", "1", ""}}})),
              (std::vector<std::string>{"0x1000/5", "0x2000/1", "0x2000/2"}));
    EXPECT_EQ(Saved(Side({{{"7", "1", "a"}}, {{"7", "1", "b"}, {"7", "1", "c"}, {"3", "9", ""}}})),
              (std::vector<std::string>{"3/9", "7/1a", "7/1b", "7/1c"}));
}

TEST(StoredSdoSaveOrder, PairsTheSearchCannotChooseComeLastInListOrder)
{
    EXPECT_EQ(Saved(Side({{{"0x999999", "0x999999", ""}, {"0xA00000", "0", ""}},
                          {{"0x999999", "0x999998", ""}, {"1", "0xFFFFFF", ""}}})),
              (std::vector<std::string>{"1/0xFFFFFF", "0x999999/0x999998", "0x999999/0x999999", "0xA00000/0"}));
    EXPECT_THROW(Saved(Side({{{"1", "x", ""}}})), Failure);
}

TEST(StoredPdoDocument, SideAThenSideBWithTheirPdoNumbers)
{
    StoredPdoTables tables;
    tables.Sides[CanSide::A] = Side({{}, {{"0x20", "1", "33"}, {"0x10", "2", "0"}}});
    tables.Sides[CanSide::B] = Side({{{"5", "0", "18"}}});
    ProjectDocument document(Discipline::Guarded);
    WriteStoredPdo(tables, document);
    EXPECT_EQ(document.Serialize(), "<sdopdo>\r\n"
                                    "  <row index=\"0x10\" subindex=\"2\" nrpdo=\"2\" poscomp=\"0\"/>\r\n"
                                    "  <row index=\"0x20\" subindex=\"1\" nrpdo=\"2\" poscomp=\"33\"/>\r\n"
                                    "  <row index=\"5\" subindex=\"0\" nrpdo=\"129\" poscomp=\"18\"/>\r\n"
                                    "</sdopdo>\r\n");
    WriteStoredPdo(StoredPdoTables(), document);
    EXPECT_EQ(document.Serialize(), "<sdopdo/>\r\n");
}

TEST(StoredPdoExchange, ImportRoutesByNrpdoAndAnExportReadsBackWhole)
{
    StoredPdoTables tables;
    tables.Sides[CanSide::A] = Side({{}, {}});
    tables.Sides[CanSide::B] = Side({{}});
    ImportStoredSdoRow(tables, {"0x10", "1", "129", "33"});
    ImportStoredSdoRow(tables, {"0x11", "1", "3", "0"}); // side A has two PDOs
    ImportStoredSdoRow(tables, {"0x12", "1", "2", ""});
    ImportStoredSdoRow(tables, {"0x13", "2", "2", "1"});
    ImportStoredSdoRow(tables, {"0x14", "3", "0x02", "1"});
    EXPECT_THROW(ImportStoredSdoRow(tables, {"0x15", "1", "0", "0"}), Failure);
    EXPECT_THROW(ImportStoredSdoRow(tables, {"0x15", "1", "", "0"}), Failure);
    ASSERT_EQ(tables.Sides[CanSide::B].Pdos[0].sdos.size(), 1u);
    ASSERT_EQ(tables.Sides[CanSide::A].Pdos[1].sdos.size(), 3u);
    EXPECT_TRUE(tables.Sides[CanSide::A].Pdos[0].sdos.empty());

    const auto lines = StoredPdoExportLines(tables);
    EXPECT_EQ(
        lines,
        (std::vector<std::vector<std::string>>{
            {"0x12", "1", "2", ""}, {"0x13", "2", "2", "1"}, {"0x14", "3", "2", "1"}, {"0x10", "1", "129", "33"}}));

    TempDir dir;
    const std::string path = dir.Write("sdopdo.csv", "index,subindex,nrpdo,poscomp,\r\n" + CsvText(lines));
    StoredPdoTables read = tables;
    ClearStoredSdos(read);
    EXPECT_TRUE(read.Sides[CanSide::A].Pdos[1].sdos.empty());
    ASSERT_EQ(read.Sides[CanSide::A].Pdos.size(), 2u);
    ImportSheetFrom(path, "sdopdo", kStoredPdoSheetColumns, [&](const auto& row) { ImportStoredSdoRow(read, row); });
    EXPECT_EQ(StoredPdoExportLines(read), lines);

    // The export itself has no title line; read back from the CSV file its first line is a record.
    ClearStoredSdos(read);
    ImportSheetFrom(dir.Write("sdopdo.csv", CsvText(lines)), "sdopdo", kStoredPdoSheetColumns,
                    [&](const auto& row) { ImportStoredSdoRow(read, row); });
    EXPECT_EQ(StoredPdoExportLines(read), lines);
}

} // namespace
