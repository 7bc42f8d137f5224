#include "editors/gateway/FrameTableGrid.h"

#include "common/Failure.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

GridCells EmptyGrid(GatewaySide side)
{
    GridCells cells(ColumnCountOf(side), kFrameGridRows + 1);
    ResetFrameGrid(cells, side);
    return cells;
}

FrameRow Frame(std::string id, std::string dim)
{
    return FrameRow{std::move(id), std::move(dim), "", ""};
}

TEST(FrameTableDocument, ReceiveTableRoundTripKeepsTextsAsTyped)
{
    TempDir dir;
    ProjectDocument document;
    GridCells cells = EmptyGrid(GatewaySide::Receive);
    EXPECT_EQ(cells.Cell(3, 0), "Delete");
    EXPECT_EQ(cells.Cell(0, 128), "128");
    cells.SetCell(1, 1, "0x181");
    cells.SetCell(2, 1, "8");
    cells.SetCell(3, 1, "Y");
    cells.SetCell(4, 1, "Motor \"A\" & speed");
    cells.SetCell(1, 2, "$281");
    cells.SetCell(2, 2, "4");
    SaveFrameTable(document, dir.File("Receive_Frame.xml"), GatewaySide::Receive,
                   FrameTableRun(cells, GatewaySide::Receive));
    EXPECT_EQ(ReadAll(dir.File("Receive_Frame.xml")),
              "<Receive_Frames>\r\n"
              "  <row COBID=\"0x181\" Dim=\"8\" Delete=\"Y\" Mnemonic=\"Motor &quot;A&quot; &amp; speed\"/>\r\n"
              "  <row COBID=\"$281\" Dim=\"4\" Delete=\"\" Mnemonic=\"\"/>\r\n"
              "</Receive_Frames>\r\n");

    GridCells again = EmptyGrid(GatewaySide::Receive);
    LoadFrameTable(document, dir.File("Receive_Frame.xml"), GatewaySide::Receive, again);
    for (int column = 1; column <= 4; ++column)
        for (int row = 1; row <= 3; ++row) EXPECT_EQ(again.Cell(column, row), cells.Cell(column, row));
}

TEST(FrameTableDocument, SendTableHasTheSameRootAndNoDeleteFlag)
{
    TempDir dir;
    ProjectDocument document;
    const std::string path = dir.Write("Send_Frame.xml", "<Frames><row COBID=\"385\" Dim=\"2\" Delete=\"Y\" "
                                                         "Mnemonic=\"Valve\"/></Frames>");
    GridCells cells = EmptyGrid(GatewaySide::Send);
    EXPECT_EQ(cells.Cell(3, 0), "Mnemonic");
    LoadFrameTable(document, path, GatewaySide::Send, cells);
    EXPECT_EQ(cells.Cell(1, 1), "385");
    EXPECT_EQ(cells.Cell(3, 1), "Valve");
    SaveFrameTable(document, path, GatewaySide::Send, FrameTableRun(cells, GatewaySide::Send));
    EXPECT_EQ(ReadAll(path),
              "<Receive_Frames>\r\n  <row COBID=\"385\" Dim=\"2\" Mnemonic=\"Valve\"/>\r\n</Receive_Frames>\r\n");
}

TEST(FrameTableDocument, MissingDeleteReadsAsNButOtherAttributesAreRequired)
{
    TempDir dir;
    ProjectDocument document;
    const std::string path = dir.Write("Receive_Frame.xml", "<Receive_Frames><row COBID=\"1\" Dim=\"1\" Mnemonic=\"\"/>"
                                                            "<row COBID=\"2\" Dim=\"2\"/></Receive_Frames>");
    GridCells cells = EmptyGrid(GatewaySide::Receive);
    try {
        LoadFrameTable(document, path, GatewaySide::Receive, cells);
        FAIL() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_NE(std::string(failure.what()).find("Mnemonic"), std::string::npos) << failure.what();
    }
    EXPECT_EQ(cells.Cell(3, 1), "N");
    EXPECT_EQ(cells.Cell(1, 2), "2"); // read before the failure
}

TEST(FrameTableDocument, TheTableEndsBeforeTheFirstEmptyIdentifierAndNeverReachesRow128)
{
    GridCells cells = EmptyGrid(GatewaySide::Receive);
    for (int row = 1; row <= kFrameGridRows; ++row) {
        cells.SetCell(1, row, std::to_string(row));
        cells.SetCell(2, row, "1");
    }
    EXPECT_EQ(FrameTableRun(cells, GatewaySide::Receive).size(), 127u);
    EXPECT_EQ(FrameTableRun(cells, GatewaySide::Receive).back().CobId, "127");

    cells.SetCell(1, 5, "");
    cells.SetCell(2, 6, "not a length"); // after the gap: neither checked nor saved
    const std::vector<FrameRow> run = FrameTableRun(cells, GatewaySide::Receive);
    ASSERT_EQ(run.size(), 4u);
    EXPECT_FALSE(ValidateFrames(run, false));

    cells.SetCell(1, 1, "");
    EXPECT_TRUE(FrameTableRun(cells, GatewaySide::Receive).empty());
}

TEST(FrameTableDocument, IdentifierRangeFollowsTheIdentifierLength)
{
    const std::string range11 = "Error!! COB-ID must be between 0 and 2047. ";
    const std::string range29 = "Error!! COB-ID must be between 0x00000000 and 0x1FFFFFFF. ";
    for (const char* id : {"0", "2047", "0x7FF", "$7FF"}) EXPECT_FALSE(ValidateFrames({Frame(id, "8")}, false)) << id;
    for (const char* id : {"2048", "0x800", "-1", "12a", " ", "0x"})
        EXPECT_EQ(ValidateFrames({Frame(id, "8")}, false).value_or(""), range11) << id;
    for (const char* id : {"0x1FFFFFFF", "536870911", "2048"})
        EXPECT_FALSE(ValidateFrames({Frame(id, "8")}, true)) << id;
    for (const char* id : {"0x20000000", "0xFFFFFFFF", "abc"})
        EXPECT_EQ(ValidateFrames({Frame(id, "8")}, true).value_or(""), range29) << id;
}

TEST(FrameTableDocument, LengthMustBeOneToEightAndTheFirstBadRowWins)
{
    const std::string length = "Error!! Dimension must be between 1 and 8. ";
    for (const char* dim : {"1", "8", "0x8"}) EXPECT_FALSE(ValidateFrames({Frame("1", dim)}, false)) << dim;
    for (const char* dim : {"0", "9", "", "eight"})
        EXPECT_EQ(ValidateFrames({Frame("1", dim)}, false).value_or(""), length) << dim;
    // Row 1: good identifier, bad length; row 2: bad identifier. Row order decides.
    EXPECT_EQ(ValidateFrames({Frame("1", "9"), Frame("4000", "1")}, false).value_or(""), length);
    // Within a row the identifier is checked first.
    EXPECT_EQ(ValidateFrames({Frame("4000", "9")}, false).value_or(""), "Error!! COB-ID must be between 0 and 2047. ");
}

TEST(FrameTableDocument, EmptyTablesAndOversizedDocuments)
{
    TempDir dir;
    ProjectDocument document;
    SaveFrameTable(document, dir.File("Receive_Frame.xml"), GatewaySide::Receive, {});
    EXPECT_EQ(ReadAll(dir.File("Receive_Frame.xml")), "<Receive_Frames/>\r\n");

    // Only the rows that fit the grid are read; a broken row beyond them does not matter.
    std::string text = "<Receive_Frames>";
    for (int i = 0; i < 128; ++i) text += "<row COBID=\"" + std::to_string(i) + "\" Dim=\"1\" Mnemonic=\"\"/>";
    text += "<row/></Receive_Frames>";
    const std::string path = dir.Write("big.xml", text);
    GridCells cells = EmptyGrid(GatewaySide::Send);
    LoadFrameTable(document, path, GatewaySide::Send, cells);
    EXPECT_EQ(cells.Cell(1, 128), "127");

    GridCells untouched = EmptyGrid(GatewaySide::Send);
    LoadFrameTable(document, dir.File("missing.xml"), GatewaySide::Send, untouched);
    EXPECT_TRUE(FrameTableRun(untouched, GatewaySide::Send).empty());
}

} // namespace
