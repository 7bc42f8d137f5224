#include "common/Failure.h"
#include "common/SearchOrder.h"
#include "editors/canopen/tables/PdoGrids.h"
#include "editors/canopen/tables/SheetExchange.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

PdoEntry Cobid(const std::string& cobid, const std::string& tag = "")
{
    return {cobid, tag, "", "", false};
}

std::vector<std::string> Cobids(const std::vector<PdoEntry>& page, const std::vector<size_t>& order)
{
    std::vector<std::string> out;
    for (size_t i : order) out.push_back(page[i].cobid + page[i].id_dev_orig);
    return out;
}

TEST(PdoTranslation, EnBypassChoosesThePageAndTheEnableFlag)
{
    ProjectDocument document(Discipline::Guarded);
    document.LoadText("<rpdodef>"
                      "<row cobid=\"1\" id_dev_orig=\"d\" en_bypass=\"3\" posind=\"p\" n_tpdo=\"n\"/>"
                      "<row cobid=\"2\" id_dev_orig=\"\" en_bypass=\"0\" posind=\"\" n_tpdo=\"\"/>"
                      "<row cobid=\"3\" id_dev_orig=\"\" en_bypass=\"2\" posind=\"\" n_tpdo=\"\"/>"
                      "<row cobid=\"4\" id_dev_orig=\"\" en_bypass=\"1\" posind=\"\" n_tpdo=\"\"/>"
                      "<row cobid=\"5\" id_dev_orig=\"\" en_bypass=\"3\" posind=\"\"/>"
                      "<row cobid=\"6\" id_dev_orig=\"\" en_bypass=\"3\" posind=\"\" n_tpdo=\"\"/>"
                      "</rpdodef>",
                      "rpdodef.xml");
    PdoTranslationTable table;
    EXPECT_THROW(ReadPdoTranslation(document, document.Root(), table), Failure); // row 5 lacks n_tpdo
    ASSERT_EQ(table.Pages[CanSide::A].size(), 2u);
    ASSERT_EQ(table.Pages[CanSide::B].size(), 2u);
    EXPECT_EQ(table.Pages[CanSide::A][0].cobid, "1");
    EXPECT_TRUE(table.Pages[CanSide::A][0].Enabled);
    EXPECT_EQ(table.Pages[CanSide::A][0].posind, "p");
    EXPECT_EQ(table.Pages[CanSide::A][0].n_tpdo, "n");
    EXPECT_FALSE(table.Pages[CanSide::A][1].Enabled);
    EXPECT_FALSE(table.Pages[CanSide::B][0].Enabled);
    EXPECT_TRUE(table.Pages[CanSide::B][1].Enabled);

    GridCells sga(1, 1);
    PrepareGrid(PdoGridTable(), sga);
    EXPECT_EQ(FillPdoGrid(table.Pages[CanSide::A], sga), 0);
    EXPECT_EQ(sga.Cell(1, 1), "1");
    EXPECT_EQ(sga.Cell(3, 1), "1");
    EXPECT_EQ(sga.Cell(3, 2), "0");
    EXPECT_EQ(sga.Cell(0, 10), "9");
    EXPECT_EQ(sga.Cell(3, 0), "en_traslate");
}

TEST(PdoSaveOrder, AscendingCobidWithTheLowerRowFirstAmongEqualValues)
{
    const std::vector<PdoEntry> page{Cobid("0x181", "r1"), Cobid("385", "r2"), Cobid("0x180", "r3")};
    EXPECT_EQ(Cobids(page, PdoSaveOrder(page)), (std::vector<std::string>{"0x180r3", "385r2", "0x181r1"}));
}

TEST(PdoSaveOrder, CobidsBeyondTheSearchComeLastInGridOrderAndTheSearchEnds)
{
    const std::vector<PdoEntry> page{Cobid("0xA00000"), Cobid("5", "a"), Cobid("0x999999"),
                                     Cobid("0xB00000"), Cobid("5", "b"), Cobid("-1")};
    EXPECT_EQ(Cobids(page, PdoSaveOrder(page)),
              (std::vector<std::string>{"-1", "5b", "5a", "0x999999", "0xA00000", "0xB00000"}));
    EXPECT_EQ(MinimumSearchOrder({0x7FFFFFFF, 0x7FFFFFFF}, {0, 0}, true), (std::vector<size_t>{0, 1}));
}

TEST(PdoSaveOrder, ACobidThatIsNoIntegerStopsTheSaveBeforeTheDocumentChanges)
{
    ProjectDocument document(Discipline::Guarded);
    document.LoadText("<old/>", "rpdodef.xml");
    PdoTranslationTable table;
    table.Pages[CanSide::B] = {Cobid("1"), Cobid("abc")};
    try {
        WritePdoTranslation(table, document);
        FAIL() << "no failure";
    } catch (const Failure& f) {
        EXPECT_STREQ(f.what(), "'abc' is not a valid integer value");
    }
    EXPECT_EQ(document.Serialize(), "<old/>\r\n");
}

TEST(PdoSaveOrder, WritesBothPagesInOrderWithTheirEnBypassCodes)
{
    PdoTranslationTable table;
    table.Pages[CanSide::A] = {{"0x20", "a", "p", "n", true}, {"0x10", "b", "", "", false}};
    table.Pages[CanSide::B] = {{"7", "c", "", "", true}, {"6", "d", "", "", false}};
    ProjectDocument document(Discipline::Guarded);
    WritePdoTranslation(table, document);
    EXPECT_EQ(document.Serialize(),
              "<rpdodef>\r\n"
              "  <row cobid=\"0x10\" id_dev_orig=\"b\" en_bypass=\"2\" posind=\"\" n_tpdo=\"\"/>\r\n"
              "  <row cobid=\"0x20\" id_dev_orig=\"a\" en_bypass=\"3\" posind=\"p\" n_tpdo=\"n\"/>\r\n"
              "  <row cobid=\"6\" id_dev_orig=\"d\" en_bypass=\"0\" posind=\"\" n_tpdo=\"\"/>\r\n"
              "  <row cobid=\"7\" id_dev_orig=\"c\" en_bypass=\"1\" posind=\"\" n_tpdo=\"\"/>\r\n"
              "</rpdodef>\r\n");
    WritePdoTranslation(PdoTranslationTable(), document);
    EXPECT_EQ(document.Serialize(), "<rpdodef/>\r\n");
}

TEST(PdoGrids, EntriesEndAtTheFirstEmptyCobidAndOnlyExactlyOneEnables)
{
    GridCells grid(1, 1);
    PrepareGrid(PdoGridTable(), grid);
    grid.SetCell(1, 1, "0x181");
    grid.SetCell(3, 1, "1");
    grid.SetCell(1, 2, "0x182");
    grid.SetCell(3, 2, "yes");
    grid.SetCell(1, 3, "0x183");
    grid.SetCell(3, 3, "01");
    grid.SetCell(2, 4, "below the end");
    grid.SetCell(1, 5, "0x185");
    const auto entries = PdoEntriesOf(grid);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_TRUE(entries[0].Enabled);
    EXPECT_FALSE(entries[1].Enabled);
    EXPECT_FALSE(entries[2].Enabled);
    grid.SetCell(1, 1, "");
    EXPECT_TRUE(PdoEntriesOf(grid).empty());
}

struct PdoGridPair {
    GridCells sga{1, 1}, sgb{1, 1};
    PdoGridPair()
    {
        PrepareGrid(PdoGridTable(), sga);
        PrepareGrid(PdoGridTable(), sgb);
    }
};

TEST(PdoExport, AnEmptyWindowWrites22Lines)
{
    PdoGridPair g;
    std::string expected = "cobid,id_dev_orig,00,posind,n_tpdo,\r\n";
    for (int i = 0; i < 10; ++i) expected += ",,00,,,\r\n";
    expected += "cobid,id_dev_orig,10,posind,n_tpdo,\r\n";
    for (int i = 0; i < 10; ++i) expected += ",,10,,,\r\n";
    EXPECT_EQ(CsvText(ExportLines(PdoGridTable(), g.sga, g.sgb)), expected);
}

class PdoImportTest : public ::testing::Test {
protected:
    void Import(const std::string& csv)
    {
        const std::string path = dir.Write("rpdodef.csv", csv);
        g.sga.ClearData();
        g.sgb.ClearData();
        TwoGridSheetImport import(PdoGridTable(), g.sga, g.sgb);
        ImportSheetFrom(path, "rpdodef", kPdoSheetColumns, [&](const auto& row) { import.Row(row); });
    }
    TempDir dir;
    PdoGridPair g;
};

TEST_F(PdoImportTest, TensDigitRoutesAndUnitsDigitEnables)
{
    Import("cobid,id_dev_orig,en_bypass,posind,n_tpdo,\r\n"
           "0x181,1,10,4,5,more\r\n"
           "0x182,2,01,6,7,\r\n"
           "0x183,3,11,,,\r\n"
           "0x184,4,00,,,\r\n"
           "0x185,5,,,,\r\n"
           "0x186,6,00,,,\r\n");
    EXPECT_EQ(g.sgb.Cell(1, 1), "0x181");
    EXPECT_EQ(g.sgb.Cell(2, 1), "1");
    EXPECT_EQ(g.sgb.Cell(3, 1), "0");
    EXPECT_EQ(g.sgb.Cell(4, 1), "4");
    EXPECT_EQ(g.sgb.Cell(5, 1), "5");
    EXPECT_EQ(g.sga.Cell(1, 1), "0x182");
    EXPECT_EQ(g.sga.Cell(3, 1), "1");
    EXPECT_EQ(g.sga.Cell(5, 1), "7");
    EXPECT_EQ(g.sgb.Cell(1, 2), "0x183");
    EXPECT_EQ(g.sgb.Cell(3, 2), "1");
    EXPECT_EQ(g.sga.Cell(1, 2), "0x184");
    EXPECT_EQ(g.sga.Cell(3, 2), "0");
    EXPECT_EQ(g.sga.Cell(1, 3), ""); // the empty en_bypass ended the import
}

TEST_F(PdoImportTest, TheEleventhRowOfAGridIsDroppedAndTheOtherGridGoesOn)
{
    std::string csv = "t,t,t,t,t,\r\n";
    for (int i = 0; i < 12; ++i) csv += "a" + std::to_string(i) + ",,0,,,\r\n";
    csv += "b,,2,,,\r\n";
    Import(csv);
    EXPECT_EQ(g.sga.Cell(1, 10), "a9");
    EXPECT_EQ(g.sgb.Cell(1, 1), "b");
    EXPECT_EQ(g.sgb.Cell(1, 2), "");
}

TEST_F(PdoImportTest, AnExportReadsBackIntoTheSameGrids)
{
    PdoGridPair original;
    for (int row = 1; row <= 10; ++row) {
        original.sga.SetCell(1, row, "0x" + std::to_string(180 + row));
        original.sga.SetCell(3, row, row % 2 ? "1" : "0");
        original.sga.SetCell(4, row, std::to_string(row));
        original.sgb.SetCell(1, row, std::to_string(row));
        original.sgb.SetCell(2, row, "dev");
        original.sgb.SetCell(3, row, row % 3 ? "0" : "1");
        original.sgb.SetCell(5, row, "n");
    }
    ProjectContext context;
    context.ProjectDir = dir.Path();
    ASSERT_TRUE(ExportCsv(context, "rpdodef", ExportLines(PdoGridTable(), original.sga, original.sgb)).empty());
    Import(ReadAll(dir.File("rpdodef.csv")));
    for (int row = 0; row < kPdoGridRows; ++row)
        for (int column = 0; column < kPdoGridColumns; ++column) {
            EXPECT_EQ(g.sga.Cell(column, row), original.sga.Cell(column, row)) << column << "," << row;
            EXPECT_EQ(g.sgb.Cell(column, row), original.sgb.Cell(column, row)) << column << "," << row;
        }
}

} // namespace
