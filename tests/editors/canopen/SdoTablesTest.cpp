#include "common/Failure.h"
#include "common/MessageSink.h"
#include "editors/canopen/tables/SdoGrids.h"
#include "editors/canopen/tables/SheetExchange.h"
#include "support/TempDir.h"
#include "xmlstore/GuardedRead.h"

#include <gtest/gtest.h>

namespace {

std::vector<SdoAccessEntry> Read(const std::string& xml)
{
    ProjectDocument document(Discipline::Guarded);
    document.LoadText(xml, "sdo.xml");
    std::vector<SdoAccessEntry> entries;
    ReadSdoAccessEntries(document, document.Root(), entries);
    return entries;
}

std::string Entry(const std::string& conf, const std::string& tag, bool withMnemonico = true)
{
    return "<row conf=\"" + conf + "\" IndexA=\"" + tag + "a\" SubindexA=\"1\" devIDB=\"2\" IndexB=\"" + tag +
           "b\" SubindexB=\"3\" nbyteB=\"4\"" + (withMnemonico ? " mnemonico=\"m" + tag + "\"" : "") + "/>";
}

struct Grids {
    GridCells sga{1, 1}, sgb{1, 1};
    Grids()
    {
        PrepareGrid(SdoGridTable(), sga);
        PrepareGrid(SdoGridTable(), sgb);
    }
};

TEST(SdoAccess, ConfBitsChooseThePageAndTheRwFlagAndEachPageKeepsDocumentOrder)
{
    const auto entries = Read("<sdo>" + Entry("16", "p") + Entry("17", "q") + Entry("0", "r", false) + Entry("1", "s") +
                              Entry("0x11", "t") + "</sdo>");
    Grids g;
    EXPECT_EQ(FillSdoGrids(entries, g.sga, g.sgb), 0);
    EXPECT_EQ(g.sga.Cell(1, 1), "1");
    EXPECT_EQ(g.sga.Cell(2, 1), "pa");
    EXPECT_EQ(g.sga.Cell(8, 1), "mp");
    EXPECT_EQ(g.sga.Cell(1, 2), "0");
    EXPECT_EQ(g.sga.Cell(5, 2), "rb");
    EXPECT_EQ(g.sga.Cell(7, 2), "4");
    EXPECT_EQ(g.sga.Cell(8, 2), ""); // no mnemonico: the entry still counts
    EXPECT_EQ(g.sga.Cell(2, 3), "");
    EXPECT_EQ(g.sgb.Cell(2, 1), "qa");
    EXPECT_EQ(g.sgb.Cell(1, 1), "1");
    EXPECT_EQ(g.sgb.Cell(2, 2), "sa");
    EXPECT_EQ(g.sgb.Cell(1, 2), "0");
    EXPECT_EQ(g.sgb.Cell(2, 3), "ta");
    EXPECT_EQ(g.sgb.Cell(1, 3), "1");
    EXPECT_EQ(g.sga.Cell(0, 1), "0");
    EXPECT_EQ(g.sga.Cell(0, 1500), "1499");
    EXPECT_EQ(g.sga.Cell(3, 0), "SubIndex");
}

TEST(SdoAccess, AMissingRequiredAttributeEndsTheReadKeepingTheEntriesBefore)
{
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    TempDir dir;
    const std::string path = dir.Write("sdo.xml", "<sdo>" + Entry("0", "p") +
                                                      "<row conf=\"1\" IndexA=\"1\" SubindexA=\"1\" devIDB=\"1\" "
                                                      "IndexB=\"1\" SubindexB=\"1\"/>" +
                                                      Entry("0", "q") + "</sdo>");
    ProjectDocument document(Discipline::Guarded);
    std::vector<SdoAccessEntry> entries;
    EXPECT_EQ(GuardedRead(document, path, "", kErrorReadingFileXml,
                          [&](ProjectDocument& d, XmlNode root) { ReadSdoAccessEntries(d, root, entries); }),
              GuardedReadResult::Failed);
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"Error in reading file XML"});
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].IndexA, "pa");
    EXPECT_THROW(Read("<sdo><row conf=\"x\"/></sdo>"), Failure);
}

TEST(SdoAccess, APageBeyond1500EntriesDropsTheRestAndLeavesTheOtherPage)
{
    std::string xml = "<sdo>";
    for (int i = 0; i < 1502; ++i) xml += Entry("0", std::to_string(i));
    xml += Entry("1", "last") + "</sdo>";
    Grids g;
    EXPECT_EQ(FillSdoGrids(Read(xml), g.sga, g.sgb), 2);
    EXPECT_EQ(g.sga.Cell(2, 1500), "1499a");
    EXPECT_EQ(g.sgb.Cell(2, 1), "lasta");
}

TEST(SdoExport, AnEmptyWindowWrites3002Lines)
{
    Grids g;
    const std::string csv = CsvText(ExportLines(SdoGridTable(), g.sga, g.sgb));
    std::string expected = "0,Index,Subindex,devID,Index,Subindex,nbyte,mnemonico,\r\n";
    for (int i = 0; i < 1500; ++i) expected += "0,,,,,,,,\r\n";
    expected += "1,Index,Subindex,devID,Index,Subindex,nbyte,mnemonico,\r\n";
    for (int i = 0; i < 1500; ++i) expected += "1,,,,,,,,\r\n";
    EXPECT_EQ(csv, expected);
}

TEST(SdoExport, RwIsCodedPerGrid)
{
    Grids g;
    g.sga.SetCell(1, 1, "1");
    g.sga.SetCell(2, 1, "0x2000");
    g.sga.SetCell(1, 2, "yes");
    g.sgb.SetCell(1, 1, "1");
    g.sgb.SetCell(8, 1, "a,b");
    const auto lines = ExportLines(SdoGridTable(), g.sga, g.sgb);
    ASSERT_EQ(lines.size(), 3002u);
    EXPECT_EQ(lines[1], (std::vector<std::string>{"16", "0x2000", "", "", "", "", "", ""}));
    EXPECT_EQ(lines[2][0], "0");
    EXPECT_EQ(lines[1502], (std::vector<std::string>{"17", "", "", "", "", "", "", "a,b"}));
    EXPECT_EQ(lines[1503][0], "1");
}

class SdoImportTest : public ::testing::Test {
protected:
    void Import(const std::string& csv)
    {
        const std::string path = dir.Write("sdo.csv", csv);
        g.sga.ClearData();
        g.sgb.ClearData();
        TwoGridSheetImport import(SdoGridTable(), g.sga, g.sgb);
        ImportSheetFrom(path, "sdo", kSdoSheetColumns, [&](const auto& row) { import.Row(row); });
    }
    TempDir dir;
    Grids g;
};

TEST_F(SdoImportTest, ConfRoutesTheRowAndSetsRwAndAnEmptyConfEndsTheImport)
{
    Import("conf,IndexA,SubindexA,devIDB,IndexB,SubindexB,nbyteB,mnemonico,extra,\r\n"
           "17,0x2000,1,5,0x6000,2,4,speed,ignored,\r\n"
           "0,0x2001,1,5,0x6001,2,2,,x,\r\n"
           "$10,0x2002,,,,,,,\r\n"
           ",0x2003,1,5,0x6003,2,2,,\r\n"
           "1,0x2004,1,5,0x6004,2,2,,\r\n");
    EXPECT_EQ(g.sgb.Cell(1, 1), "1");
    EXPECT_EQ(g.sgb.Cell(2, 1), "0x2000");
    EXPECT_EQ(g.sgb.Cell(5, 1), "0x6000");
    EXPECT_EQ(g.sgb.Cell(8, 1), "speed");
    EXPECT_EQ(g.sga.Cell(1, 1), "0");
    EXPECT_EQ(g.sga.Cell(7, 1), "2");
    EXPECT_EQ(g.sga.Cell(1, 2), "1");
    EXPECT_EQ(g.sga.Cell(2, 2), "0x2002");
    EXPECT_EQ(g.sga.Cell(2, 3), ""); // the empty conf ended the import
    EXPECT_EQ(g.sgb.Cell(2, 2), "");
    EXPECT_EQ(g.sga.Cell(0, 1), "0"); // number column untouched
}

TEST_F(SdoImportTest, AFullGridDropsItsRowsWhileTheOtherGoesOnFilling)
{
    std::string csv = "t,\r\n";
    for (int i = 0; i < 1503; ++i) csv += "0," + std::to_string(i) + ",,,,,,,\r\n";
    csv += "1,b,,,,,,,\r\n";
    Import(csv);
    EXPECT_EQ(g.sga.Cell(2, 1500), "1499");
    EXPECT_EQ(g.sgb.Cell(2, 1), "b");
}

TEST_F(SdoImportTest, AnExportReadsBackIntoTheSameGrids)
{
    Grids original;
    original.sga.SetCell(1, 1, "1");
    for (int c = 2; c <= 8; ++c) original.sga.SetCell(c, 1, "a" + std::to_string(c));
    original.sga.SetCell(1, 2, "0");
    original.sga.SetCell(2, 2, "0x2001");
    original.sgb.SetCell(1, 1, "0");
    original.sgb.SetCell(2, 1, "b1");
    original.sgb.SetCell(1, 1500, "1");
    original.sgb.SetCell(8, 1500, "last");
    ProjectContext context;
    context.ProjectDir = dir.Path();
    ASSERT_TRUE(ExportCsv(context, "sdo", ExportLines(SdoGridTable(), original.sga, original.sgb)).empty());
    Import(ReadAll(dir.File("sdo.csv")));
    for (const auto& [read, written] : {std::pair{&g.sga, &original.sga}, std::pair{&g.sgb, &original.sgb}})
        for (int row = 0; row < kSdoGridRows; ++row)
            for (int column = 0; column < kSdoGridColumns; ++column) {
                std::string expected = written->Cell(column, row);
                if (row > 0 && column == 1 && expected.empty()) expected = "0"; // RW is always written
                ASSERT_EQ(read->Cell(column, row), expected) << column << "," << row;
            }
}

} // namespace
