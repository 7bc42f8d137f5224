#include "editors/canopen/widgets/TFsdo.h"
#include "CanopenWindowFixture.h"
#include "common/widgets/StringGrid.h"

#include <QPushButton>
#include <QTabWidget>

namespace {

class TFsdoTest : public CanopenWindowTest {
protected:
    TFsdo window{context, openExcel};
};

const char* const kSdoXml = "<sdo>"
                            "<row conf=\"16\" IndexA=\"0x2000\" SubindexA=\"1\" devIDB=\"5\" IndexB=\"0x6000\" "
                            "SubindexB=\"2\" nbyteB=\"4\" mnemonico=\"speed\"/>"
                            "<row conf=\"0x11\" IndexA=\"0x2100\" SubindexA=\"0\" devIDB=\"6\" IndexB=\"0x6100\" "
                            "SubindexB=\"0\" nbyteB=\"2\"/>"
                            "<row conf=\"0\" IndexA=\"0x2001\" SubindexA=\"3\" devIDB=\"5\" IndexB=\"0x6001\" "
                            "SubindexB=\"1\" nbyteB=\"1\" mnemonico=\"\"/>"
                            "</sdo>";

TEST_F(TFsdoTest, ShowsSdoXmlOfTheProjectOnItsTwoPagesAndOkSavesNothing)
{
    project.Write("sdo.xml", kSdoXml);
    Show(&window);
    EXPECT_TRUE(sink.Empty());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Set SDO Access"));
    EXPECT_EQ(window.PageControl1->tabText(0), QStringLiteral("SDO from CAN A request to CAN B"));
    auto* sga = Find<StringGrid>(&window, QStringLiteral("SDO from CAN A request to CAN B"));
    auto* sgb = Find<StringGrid>(&window, QStringLiteral("SDO from CAN B request to CAN A"));
    ASSERT_EQ(sga, window.sga);
    ASSERT_EQ(sgb, window.sgb);
    EXPECT_EQ(sga->model()->rowCount(), 1500);
    EXPECT_EQ(sga->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("SubIndex"));
    EXPECT_EQ(sga->Cell(0, 1500), "1499");
    EXPECT_EQ(sga->Cell(8, 1), "speed");
    EXPECT_EQ(sgb->Cell(2, 1), "0x2100");

    TypeIntoCell(sga, 2, 1, QStringLiteral("0x3000"));
    EXPECT_EQ(sga->Cell(2, 1), "0x3000");
    window.BitBtn1->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ReadAll(project.File("sdo.xml")), kSdoXml);
    Show(&window); // every showing starts from the document
    EXPECT_EQ(sga->Cell(2, 1), "0x2000");
}

TEST_F(TFsdoTest, AMissingDocumentIsSilentAndABrokenOneKeepsTheEntriesBefore)
{
    Show(&window);
    EXPECT_TRUE(sink.Empty());
    EXPECT_EQ(window.sga->Cell(2, 1), "");
    window.BitBtn2->click();
    project.Write("sdo.xml", "<sdo><row conf=\"1\" IndexA=\"a\" SubindexA=\"\" devIDB=\"\" IndexB=\"\" SubindexB=\"\" "
                             "nbyteB=\"\"/><row conf=\"0\" IndexA=\"b\"/></sdo>");
    Show(&window);
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"Error in reading file XML"});
    EXPECT_EQ(window.sgb->Cell(2, 1), "a");
}

TEST_F(TFsdoTest, ImportReplacesBothGridsAndExportWritesThemBack)
{
    project.Write("sdo.xml", kSdoXml);
    Show(&window);
    desktop.files.push_back(std::nullopt);
    window.BitBtn4->click(); // cancelled: nothing changes
    EXPECT_EQ(window.sga->Cell(8, 1), "speed");
    ASSERT_EQ(desktop.dialogs.size(), 1u);
    EXPECT_EQ(desktop.dialogs[0].directory, project.Path());

    PickWorkbook("SDO.csv", "conf,a,b,c,d,e,f,g,\r\n17,0x1,1,2,0x2,3,4,m,\r\n16,0x5,,,,,,,\r\n1,0x9,,,,,,,\r\nbad,,,,,,"
                            ",,\r\n0,no,,,,,,,\r\n");
    window.BitBtn4->click();
    EXPECT_TRUE(sink.Empty());
    EXPECT_EQ(window.sgb->Cell(2, 1), "0x1");
    EXPECT_EQ(window.sga->Cell(2, 1), "0x5");
    EXPECT_EQ(window.sga->Cell(8, 1), ""); // cleared before reading
    EXPECT_EQ(window.sga->Cell(2, 2), ""); // the bad conf ended the import
    EXPECT_EQ(window.sga->model()->data(window.sga->model()->index(0, 2)).toString(), QStringLiteral("0x5"));

    window.Button1->click();
    const std::string csv = ReadAll(project.File("sdo.csv"));
    EXPECT_EQ(csv.substr(0, 82),
              "0,Index,Subindex,devID,Index,Subindex,nbyte,mnemonico,\r\n16,0x5,,,,,,,\r\n0,,,,,,,,\r\n");
    EXPECT_TRUE(window.isVisible());
}

} // namespace
