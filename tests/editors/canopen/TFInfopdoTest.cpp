#include "editors/canopen/widgets/TFInfopdo.h"
#include "CanopenWindowFixture.h"
#include "editors/canopen/widgets/RadioGroup.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

class TFInfopdoTest : public CanopenWindowTest {
protected:
    void WriteProject(const std::string& sdopdo)
    {
        project.Write("sdo.xml", "<sdo><row conf=\"0\" IndexA=\"16\" SubindexA=\"1\"/>"
                                 "<row conf=\"1\" IndexA=\"0x30\" SubindexA=\"0\"/></sdo>");
        project.Write("rpdodef.xml",
                      "<rpdodef><row cobid=\"0x181\" en_bypass=\"1\"/><row cobid=\"0x201\" en_bypass=\"3\"/>"
                      "<row cobid=\"0x182\" en_bypass=\"0\"/></rpdodef>");
        project.Write("sdopdo.xml", sdopdo);
    }
    QWidget* Page(int side) { return window.PageControl1->widget(side); }
    void Press(int side, const QString& caption) { Button(Page(side), caption)->click(); }
    void Choose(RadioGroup* group, int item) { group->Item(item)->click(); }

    TFInfopdo window{context, openExcel};
};

TEST_F(TFInfopdoTest, ListsThePdosAndShowsTheStoredSdosOfTheOneClicked)
{
    WriteProject("<sdopdo><row index=\"0x2000\" subindex=\"1\" nrpdo=\"2\" poscomp=\"33\"/>"
                 "<row index=\"0x2001\" subindex=\"2\" nrpdo=\"2\" poscomp=\"x\"/>"
                 "<row index=\"0x2002\" subindex=\"3\" nrpdo=\"129\" poscomp=\"0\"/></sdopdo>");
    Show(&window);
    EXPECT_TRUE(sink.Empty());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Define Store PDO"));
    EXPECT_EQ(window.PageControl1->tabText(1), QStringLiteral("CanB"));
    EXPECT_EQ(Find<QListWidget>(Page(0), QStringLiteral("Index PDO in CANA")), window.LPdoCanA);
    EXPECT_EQ(Find<QListWidget>(Page(0), QStringLiteral("SDO CANB")), window.LSdoCanA);
    EXPECT_EQ(Find<QLineEdit>(Page(1), QStringLiteral("Index SDO CANA")), window.EindexB);
    EXPECT_EQ(Find<RadioGroup>(Page(0), QStringLiteral("High SDO Byte")), window.PoscompMsbA);
    EXPECT_EQ(Find<RadioGroup>(Page(1), QStringLiteral("Low SDO Byte")), window.PoscompLsbB);
    EXPECT_EQ(Items(window.LPdoCanA), (std::vector<std::string>{"0x181", "0x182"}));
    EXPECT_EQ(Items(window.LPdoCanB), (std::vector<std::string>{"0x201"}));
    EXPECT_EQ(window.LSdoCanA->count(), 0);

    window.LPdoCanA->setFocus(Qt::TabFocusReason); // the keyboard chooses as the mouse does
    QTest::keyClick(window.LPdoCanA, Qt::Key_End);
    EXPECT_EQ(Items(window.LSdoCanA), (std::vector<std::string>{"Sdo0", "Sdo1"}));
    QTest::keyClick(window.LPdoCanA, Qt::Key_Home);
    EXPECT_EQ(window.LSdoCanA->count(), 0);
    ClickItem(window.LPdoCanA, 1);
    EXPECT_EQ(Items(window.LSdoCanA), (std::vector<std::string>{"Sdo0", "Sdo1"}));
    ClickItem(window.LSdoCanA, 0);
    EXPECT_EQ(window.EindexA->text(), QStringLiteral("0x2000"));
    EXPECT_EQ(window.PoscompMsbA->ItemIndex(), 2);
    EXPECT_EQ(window.PoscompLsbA->ItemIndex(), 1);
    ClickItem(window.LSdoCanA, 1); // poscomp "x": fields filled, bytes kept, conversion error
    EXPECT_EQ(window.EsubindexA->text(), QStringLiteral("2"));
    EXPECT_EQ(window.PoscompMsbA->ItemIndex(), 2);
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"'x' is not a valid integer value."});
    EXPECT_EQ(sink.All()[0].kind, RecordingSink::Kind::ApplicationError);
    ClickItem(window.LPdoCanA, 1); // clicking the chosen PDO again resets its page
    EXPECT_EQ(window.EindexA->text(), QString());
    EXPECT_EQ(window.PoscompMsbA->ItemIndex(), 0);
}

TEST_F(TFInfopdoTest, NewModifyDeleteValidateAndOkSavesInOrder)
{
    WriteProject("<sdopdo><row index=\"0x2000\" subindex=\"2\" nrpdo=\"1\" poscomp=\"0\"/></sdopdo>");
    Show(&window);
    window.LPdoCanA->clearSelection();   // the list opens on its first PDO
    Press(0, QStringLiteral("New SDO")); // no PDO chosen: nothing happens
    EXPECT_TRUE(sink.Empty());
    ClickItem(window.LPdoCanA, 1);
    QTest::keyClicks(window.EindexA, QStringLiteral("0x10"));
    QTest::keyClicks(window.EsubindexA, QStringLiteral("1"));
    Press(0, QStringLiteral("New SDO"));
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"Index or Subindex Not Valid,Sdo Already Exists"});
    window.EindexA->setText(QStringLiteral("8192"));
    Choose(window.PoscompMsbA, 2);
    Choose(window.PoscompLsbA, 1);
    Press(0, QStringLiteral("New SDO"));
    window.EindexA->setText(QStringLiteral("0x1000"));
    window.EsubindexA->setText(QStringLiteral("5"));
    Press(0, QStringLiteral("New SDO"));
    window.EindexA->setText(QStringLiteral("0x3000"));
    Press(0, QStringLiteral("New SDO"));
    EXPECT_EQ(sink.All().size(), 1u);
    EXPECT_EQ(Items(window.LSdoCanA), (std::vector<std::string>{"Sdo0", "Sdo1", "Sdo2"}));
    EXPECT_EQ(window.LSdoCanA->currentRow(), 2);

    Press(0, QStringLiteral("Modify SDO")); // unchanged fields: the entry itself is excluded
    EXPECT_EQ(sink.All().size(), 1u);
    ClickItem(window.LSdoCanA, 1);
    Press(0, QStringLiteral("Delete SDO"));
    EXPECT_EQ(Items(window.LSdoCanA), (std::vector<std::string>{"Sdo0", "Sdo2"}));
    EXPECT_EQ(window.EindexA->text(), QStringLiteral("0x1000")); // the fields keep their contents
    window.EindexA->setText(QStringLiteral("0x4000"));
    window.EsubindexA->setText(QStringLiteral("abc")); // no stored index equals it: never converted
    Press(0, QStringLiteral("New SDO"));
    EXPECT_EQ(Items(window.LSdoCanA), (std::vector<std::string>{"Sdo0", "Sdo2", "Sdo2"}));
    ClickItem(window.LSdoCanA, 2);
    window.EsubindexA->setText(QStringLiteral("9"));
    Choose(window.PoscompLsbA, 8);
    Press(0, QStringLiteral("Modify SDO"));
    EXPECT_EQ(sink.All().size(), 1u);

    window.BitBtn1->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ReadAll(context.SdoPdoFile), "<sdopdo>\r\n"
                                           "  <row index=\"8192\" subindex=\"1\" nrpdo=\"2\" poscomp=\"33\"/>\r\n"
                                           "  <row index=\"0x2000\" subindex=\"2\" nrpdo=\"1\" poscomp=\"0\"/>\r\n"
                                           "  <row index=\"0x3000\" subindex=\"5\" nrpdo=\"2\" poscomp=\"33\"/>\r\n"
                                           "  <row index=\"0x4000\" subindex=\"9\" nrpdo=\"2\" poscomp=\"40\"/>\r\n"
                                           "</sdopdo>\r\n");
}

TEST_F(TFInfopdoTest, ClipboardsBelongToTheirSideAndLastAcrossShowings)
{
    WriteProject("<sdopdo/>");
    Show(&window);
    window.EindexA->setText(QStringLiteral("0x10"));
    window.EsubindexA->setText(QStringLiteral("3"));
    Choose(window.PoscompMsbA, 8);
    Press(0, QStringLiteral("Copy SDO"));
    window.BitBtn2->click();
    Show(&window);
    EXPECT_EQ(window.EindexA->text(), QString());
    Press(0, QStringLiteral("Paste SDO"));
    EXPECT_EQ(window.EindexA->text(), QStringLiteral("0x10"));
    EXPECT_EQ(window.EsubindexA->text(), QStringLiteral("3"));
    EXPECT_EQ(window.PoscompMsbA->ItemIndex(), 8);
    EXPECT_EQ(window.PoscompLsbA->ItemIndex(), 0);
    EXPECT_TRUE(sink.Empty());

    window.EindexB->setText(QStringLiteral("keep?"));
    Choose(window.PoscompLsbB, 3);
    Press(1, QStringLiteral("Paste SDO")); // side B's clipboard was never filled
    EXPECT_EQ(window.EindexB->text(), QString());
    EXPECT_EQ(window.PoscompLsbB->ItemIndex(), 3);
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"'' is not a valid integer value."});
}

TEST_F(TFInfopdoTest, LoadingStepsReportEachProblemAndGoOn)
{
    project.Write("sdo.xml", "<sdo><row conf=\"z\"/></sdo>");
    project.Write("sdopdo.xml", "<sdopdo><row index=\"1\" subindex=\"1\" nrpdo=\"1\" poscomp=\"0\"/></sdopdo>");
    Show(&window);
    EXPECT_EQ(sink.Texts(), (std::vector<std::string>{"Error in reading file SDO XML", "File PDO XML not found"}));
    EXPECT_EQ(window.LPdoCanA->count(), 0);
    window.BitBtn1->click();
    EXPECT_EQ(ReadAll(context.SdoPdoFile), "<sdopdo/>\r\n");
}

TEST_F(TFInfopdoTest, ImportReplacesTheStoredSdosAndExportWritesThem)
{
    WriteProject("<sdopdo><row index=\"0x2000\" subindex=\"1\" nrpdo=\"1\" poscomp=\"0\"/></sdopdo>");
    Show(&window);
    ClickItem(window.LPdoCanA, 0);
    window.EindexA->setText(QStringLiteral("typed"));
    desktop.files.push_back(std::nullopt);
    window.BitBtn4->click(); // cancelled: nothing changes
    EXPECT_EQ(window.EindexA->text(), QStringLiteral("typed"));
    EXPECT_EQ(window.LSdoCanA->count(), 1);

    PickWorkbook("sdopdo.csv",
                 "index,subindex,nrpdo,poscomp,\r\n"
                 "0x10,1,2,33,\r\n0x11,2,129,0,\r\n0x12,3,5,0,\r\n0x13,4,1,,\r\n0x14,5,0,0,\r\n0x15,6,1,0,\r\n");
    window.BitBtn4->click();
    EXPECT_TRUE(sink.Empty());
    EXPECT_EQ(window.EindexA->text(), QString());
    EXPECT_EQ(window.LSdoCanA->count(), 0);
    EXPECT_EQ(Items(window.LPdoCanA), (std::vector<std::string>{"0x181", "0x182"}));
    ClickItem(window.LPdoCanA, 0);
    EXPECT_EQ(Items(window.LSdoCanA), (std::vector<std::string>{"Sdo0"})); // 0x2000 was replaced
    ClickItem(window.LSdoCanA, 0);                                         // the imported empty poscomp
    EXPECT_EQ(window.EindexA->text(), QStringLiteral("0x13"));
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"'' is not a valid integer value."});

    window.Button1->click();
    EXPECT_EQ(ReadAll(project.File("sdopdo.csv")), "0x13,4,1,,\r\n0x10,1,2,33,\r\n0x11,2,129,0,\r\n");

    PickWorkbook("other.csv", "index,\r\n1,\r\n");
    window.BitBtn4->click(); // no sheet "sdopdo": the stored SDOs stay
    PickWorkbook("SdoPdo.csv", "index,subindex,nrpdo,\r\n1,2,1,\r\n");
    window.Button1->click();
    EXPECT_EQ(ReadAll(project.File("sdopdo.csv")), "0x13,4,1,,\r\n0x10,1,2,33,\r\n0x11,2,129,0,\r\n");
    window.BitBtn4->click(); // the sheet is found but has too few columns: the stored SDOs go
    window.Button1->click();
    EXPECT_EQ(ReadAll(project.File("sdopdo.csv")), "");
}

} // namespace
