#include "common/MessageSink.h"
#include "common/ProjectContext.h"
#include "editors/canopen/widgets/TFWemcy.h"
#include "editors/canopen/widgets/TFemcy.h"
#include "editors/canopen/workbook/OpenExcel.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

void ClickLine(QListWidget* list, int row)
{
    QListWidgetItem* item = list->item(row);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

void ClickNode(QTreeWidget* tree, QTreeWidgetItem* node)
{
    if (node->parent()) tree->expandItem(node->parent());
    tree->scrollToItem(node);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
}

void Type(QLineEdit* edit, const QString& text)
{
    edit->clear();
    QTest::keyClicks(edit, text);
}

Strings Lines(const QListWidget* list)
{
    Strings lines;
    for (int i = 0; i < list->count(); ++i) lines.push_back(list->item(i)->text().toStdString());
    return lines;
}

Strings TopNodes(const QTreeWidget* tree)
{
    Strings texts;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) texts.push_back(tree->topLevelItem(i)->text(0).toStdString());
    return texts;
}

std::string EmcyRow(const std::string& id, const std::string& bypassSet, const std::string& mask = "")
{
    std::string row = "<row id_dev=\"" + id + "\"";
    for (const char* name : {"mask_eq_ec", "mask_eq_er", "mask_eq_m1", "mask_eq_m2", "mask_eq_m3", "enmask_eq_ec",
                             "enmask_eq_er", "enmask_eq_m1", "enmask_eq_m2", "enmask_eq_m3"})
        row += std::string(" ") + name + "=\"" + mask + "\"";
    return row + " bypass_set=\"" + bypassSet + "\"/>";
}

std::string WordRow(const std::string& extdata, const std::string& devid, const std::string& index)
{
    std::string row =
        "<row index_addrm=\"" + index + "\" subindex=\"1\" extdata=\"" + extdata + "\" devid=\"" + devid + "\"";
    for (int n = 0; n < 16; ++n) {
        const std::string bit = " bit" + std::to_string(n);
        row += bit + "_b0=\"" + std::to_string(n) + "\"" + bit + "_b1=\"\"" + bit + "_poscomp=\"37\"";
    }
    return row + "/>";
}

class EmcyWindowTest : public ::testing::Test {
protected:
    EmcyWindowTest()
    {
        context.ProjectDir = project.Path();
        context.UpdateProjectFiles();
        openExcel.InitialDir = project.Path();
    }
    RecordingSink sink;
    ScopedMessageSink scope{sink};
    ScriptedDesktop desktop;
    ScopedDesktop desktopScope{desktop};
    TempDir project;
    ProjectContext context;
    OpenExcelDialog openExcel;
};

TEST_F(EmcyWindowTest, TranslationTableLoadsEditsAndSavesThroughItsControls)
{
    project.Write("emcydef.xml",
                  "<emcydef>" + EmcyRow("10", "3", "7") + EmcyRow("2", "20") + EmcyRow("", "39") + "</emcydef>");
    TFemcy window(context, openExcel);
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Set Traslate EMCY"));
    EXPECT_EQ(window.Pages->tabText(0), QStringLiteral("From CAN A"));
    // Both pages name their fields by the same labels.
    for (const TFemcyPage* page : {&window.A, &window.B}) {
        EXPECT_EQ(page->E[0]->accessibleName(), QStringLiteral("ID_EMCY"));
        EXPECT_EQ(page->E[2]->accessibleName(), QStringLiteral("MAsk_error_Reg"));
        EXPECT_EQ(page->E[10]->accessibleName(), QStringLiteral("Enabled_Mask_Manu3"));
        EXPECT_EQ(page->Gbbypass_set->accessibleName(), QStringLiteral("Allias use"));
    }
    EXPECT_NE(Find<QListWidget>(&window, QStringLiteral("From CAN B")), nullptr);
    EXPECT_EQ(window.A.R[3]->objectName(), QStringLiteral("r9a"));
    EXPECT_EQ(window.B.R[1]->text(), QStringLiteral("Error code byte  HIGH"));
    EXPECT_EQ(window.B.R[0]->text(), QStringLiteral("No traslate ID CANB"));

    // Line 0 of each list is shown; the empty ID was read as "0".
    EXPECT_EQ(Lines(window.A.LBCan), (Strings{"10", "2"}));
    EXPECT_EQ(window.A.E[0]->text(), QStringLiteral("10"));
    EXPECT_EQ(window.A.E[5]->text(), QStringLiteral("7"));
    EXPECT_TRUE(window.A.CBbypass_enable->isChecked());
    EXPECT_TRUE(window.A.R[1]->isChecked());
    EXPECT_EQ(Lines(window.B.LBCan), Strings{"0"});
    EXPECT_TRUE(window.B.R[3]->isChecked()); // "Error Reg"
    EXPECT_TRUE(window.B.CBbypass_enable->isChecked());

    // Type 10 has no button: the group keeps what it showed.
    ClickLine(window.A.LBCan, 1);
    EXPECT_EQ(window.A.E[0]->text(), QStringLiteral("2"));
    EXPECT_EQ(window.A.E[1]->text(), QStringLiteral("0"));
    EXPECT_TRUE(window.A.R[1]->isChecked());
    EXPECT_FALSE(window.A.CBbypass_enable->isChecked());

    // New with an ID the list shows is refused; another is appended and selected.
    Type(window.A.E[0], QStringLiteral("10"));
    window.A.NewEmcy->click();
    EXPECT_EQ(sink.Texts(), Strings{"Index Not Valid"});
    Type(window.A.E[0], QStringLiteral("0x3"));
    window.A.R[8]->click();
    window.A.E[2]->clear();
    window.A.NewEmcy->click();
    EXPECT_EQ(Lines(window.A.LBCan), (Strings{"10", "2", "0x3"}));
    EXPECT_EQ(window.A.LBCan->currentRow(), 2);
    EXPECT_EQ(window.Table().CanA[2].Entry.mask_eq_er, "0");
    EXPECT_EQ(window.Table().CanA[2].Entry.bypass_type, 8);

    // Delete leaves no line selected; a second Delete does nothing.
    ClickLine(window.A.LBCan, 0);
    window.A.DeleteEmcy->click();
    window.A.DeleteEmcy->click();
    EXPECT_EQ(Lines(window.A.LBCan), (Strings{"2", "0x3"}));
    EXPECT_TRUE(window.A.LBCan->selectedItems().isEmpty());

    // An empty ID added without a selection stops the save with ParseInt's message.
    const std::string before = ReadAll(context.EmcyDefFile);
    window.A.E[0]->clear();
    window.A.NewEmcy->click();
    EXPECT_EQ(Lines(window.A.LBCan), (Strings{"2", "0x3", ""}));
    EXPECT_EQ(window.Table().CanA[2].Entry.id_dev, "0");
    window.BitBtn1->click();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(sink.Last(), "'' is not a valid integer value.");
    EXPECT_EQ(sink.All().back().kind, RecordingSink::Kind::ApplicationError);
    EXPECT_EQ(ReadAll(context.EmcyDefFile), before);

    ClickLine(window.A.LBCan, 2);
    Type(window.A.E[0], QStringLiteral("1"));
    window.A.ModifyEmcy->click();
    window.BitBtn1->click();
    EXPECT_FALSE(window.isVisible());
    const std::string xml = ReadAll(context.EmcyDefFile);
    EXPECT_LT(xml.find("id_dev=\"1\""), xml.find("id_dev=\"2\""));
    EXPECT_NE(xml.find("id_dev=\"0x3\" mask_eq_ec=\"0\" mask_eq_er=\"0\""), std::string::npos) << xml;
    EXPECT_NE(xml.find("bypass_set=\"39\""), std::string::npos);
    EXPECT_NE(xml.find("bypass_set=\"20\""), std::string::npos); // type 10 kept without a Modify
}

TEST_F(EmcyWindowTest, TranslationTableCancelImportAndExport)
{
    project.Write("emcydef.xml", "<emcydef>" + EmcyRow("5", "0") + "</emcydef>");
    TFemcy window(context, openExcel);
    window.show();
    Type(window.A.E[0], QStringLiteral("6"));
    QTest::keyClick(window.A.E[0], Qt::Key_Return); // presses no button
    EXPECT_EQ(Lines(window.A.LBCan), Strings{"5"});
    EXPECT_TRUE(window.isVisible());
    window.A.NewEmcy->click();
    window.BitBtn2->click();
    window.show(); // every showing reloads the file
    EXPECT_EQ(Lines(window.A.LBCan), Strings{"5"});

    // Cancelling the workbook dialog changes nothing.
    window.BitBtn4->click();
    EXPECT_EQ(Lines(window.A.LBCan), Strings{"5"});

    const std::string sheet = project.Write("sheets/emcydef.csv", "title,\r\n"
                                                                  "9,1,2,3,4,5,6,7,8,9,10,35,\r\n"
                                                                  "8,,,,,,,,,,,6,\r\n"
                                                                  "7,,,,,,,,,,,,\r\n"
                                                                  "6,,,,,,,,,,,0,\r\n");
    desktop.files.push_back(sheet);
    window.BitBtn4->click();
    EXPECT_EQ(Lines(window.A.LBCan), Strings{"8"});
    EXPECT_EQ(Lines(window.B.LBCan), Strings{"9"});
    EXPECT_EQ(window.B.E[10]->text(), QStringLiteral("10")); // the first line of each list is shown

    window.Button1->click();
    EXPECT_EQ(ReadAll(project.File("emcydef.csv")), // no title line
              "8,,,,,,,,,,,6,\r\n"
              "9,1,2,3,4,5,6,7,8,9,10,35,\r\n");
    EXPECT_TRUE(sink.Empty());
}

TEST_F(EmcyWindowTest, TranslationTableShowsTheLoadMessages)
{
    TFemcy window(context, openExcel);
    window.show();
    EXPECT_EQ(sink.Texts(), Strings{"File XML not found"});
    window.hide();
    project.Write("emcydef.xml", "<emcydef>" + EmcyRow("5", "1") + EmcyRow("6", "abc") + "</emcydef>");
    window.show();
    EXPECT_EQ(sink.Last(), "Error in reading file XML");
    EXPECT_EQ(Lines(window.A.LBCan), Strings{"5"});
    EXPECT_TRUE(window.A.LBCan->selectedItems().isEmpty());
    EXPECT_TRUE(window.isVisible());
}

TEST_F(EmcyWindowTest, WordTreesLabelEditAndSaveThroughTheirControls)
{
    project.Write("emcyword.xml", "<emcyword>" + WordRow("0", "5", "8193") + WordRow("0", "3", "8194") +
                                      WordRow("0", "5", "8192") + WordRow("2", "1", "1") + "</emcyword>");
    TFWemcy window(context, openExcel);
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Define EMCY Word"));
    EXPECT_EQ(Find<QLineEdit>(&window, QStringLiteral("Index SDO BUS B")), window.A.Eindex_addrm);
    EXPECT_EQ(Find<QLineEdit>(&window, QStringLiteral("Index SDO BUS A")), window.B.Eindex_addrm);
    EXPECT_EQ(Find<QLineEdit>(&window, QStringLiteral("ID EMCY BUS B")), window.B.Edevid);
    EXPECT_EQ(Find<QLineEdit>(&window, QStringLiteral("Mask byte 2")), window.A.Eb1);
    EXPECT_EQ(Find<QLineEdit>(&window, QStringLiteral("Mask Byte 2")), window.B.Eb1);
    EXPECT_EQ(Find<QTreeWidget>(&window, QStringLiteral("CanB")), window.B.TWCan);
    EXPECT_EQ(window.A.GBword_emcy_bitmap->title(), QString::fromUtf8("Word n°  Emcy Define"));

    QTreeWidget* tree = window.A.TWCan;
    EXPECT_EQ(TopNodes(tree), (Strings{"W0", "W1", "W2"}));
    EXPECT_EQ(TopNodes(window.B.TWCan), Strings{});
    ASSERT_EQ(tree->topLevelItem(0)->childCount(), 16);
    EXPECT_EQ(tree->topLevelItem(0)->child(15)->text(0), QStringLiteral("Bit15"));
    EXPECT_EQ(TFWemcy::KindOf(tree->topLevelItem(1)), TFWemcy::NodeKind::Word);
    EXPECT_EQ(TFWemcy::KindOf(tree->topLevelItem(1)->child(0)), TFWemcy::NodeKind::Bit);
    EXPECT_EQ(TFWemcy::AbsolutePosition(tree->topLevelItem(1)->child(3)), 21);
    EXPECT_TRUE(tree->selectedItems().isEmpty());

    // A bit node shows its masks and byte numbers, and both pages' captions follow.
    ClickNode(tree, tree->topLevelItem(1)->child(3));
    EXPECT_EQ(window.A.Edevid->text(), QStringLiteral("3"));
    EXPECT_EQ(window.A.Eb0->text(), QStringLiteral("3"));
    EXPECT_EQ(window.A.Eposcomp->text(), QStringLiteral("2"));
    EXPECT_EQ(window.A.Eposcomp2->text(), QStringLiteral("5"));
    EXPECT_EQ(window.B.GBword_emcy_bitmap->title(), QString::fromUtf8("Word n°1 Emcy Define "));
    EXPECT_EQ(window.B.Gbebm->title(), QString::fromUtf8("Mask BIT n°3 Define"));

    // Delete with a bit node selected does nothing; with the word node it removes the word.
    window.A.DeleteButton->click();
    EXPECT_EQ(tree->topLevelItemCount(), 3);
    ClickNode(tree, tree->topLevelItem(1));
    EXPECT_EQ(window.A.Eb0->text(), QStringLiteral(""));
    window.A.DeleteButton->click();
    EXPECT_EQ(TopNodes(tree), (Strings{"W0", "W2"}));
    EXPECT_EQ(window.Table().CanA.size(), 2u);

    // New after the delete takes the last label + 1; its node shows the list position.
    Type(window.A.Eindex_addrm, QStringLiteral("8193"));
    Type(window.A.Esubindex, QStringLiteral("1"));
    Type(window.A.Edevid, QStringLiteral("5"));
    window.A.NewButton->click();
    EXPECT_EQ(sink.Texts(), Strings{"Index Not Valid"}); // W0 has these three texts
    Type(window.A.Edevid, QStringLiteral("4"));
    window.A.NewButton->click();
    EXPECT_EQ(TopNodes(tree), (Strings{"W0", "W2", "W3"}));
    EXPECT_EQ(window.B.Eindex_addrm->text(), QStringLiteral(""));
    ClickNode(tree, tree->topLevelItem(2));
    EXPECT_EQ(window.A.GBword_emcy_bitmap->title(), QString::fromUtf8("Word n°2 Emcy Define "));

    // A new word's bit is not defined yet: it shows empty byte fields, without a message.
    Type(window.A.Eposcomp, QStringLiteral("9"));
    sink.Clear();
    ClickNode(tree, tree->topLevelItem(2)->child(0));
    EXPECT_TRUE(sink.Empty());
    EXPECT_EQ(window.A.Eposcomp->text(), QString());

    // Modify the bit: its fields are stored.
    Type(window.A.Eb0, QStringLiteral("$FF"));
    Type(window.A.Eposcomp, QStringLiteral("0"));
    Type(window.A.Eposcomp2, QStringLiteral("20"));
    window.A.ModifyButton->click();
    EXPECT_EQ(window.Table().CanA[2].bits[0], (ClEbm{"$FF", "", "20"}));

    // Modify of a word node keeping its own texts is accepted; a bad byte number is not.
    ClickNode(tree, tree->topLevelItem(2));
    window.A.ModifyButton->click();
    ClickNode(tree, tree->topLevelItem(0)->child(1));
    Type(window.A.Eb1, QStringLiteral("7"));
    Type(window.A.Eposcomp2, QStringLiteral("z"));
    window.A.ModifyButton->click();
    EXPECT_EQ(sink.Last(), "'z' is not a valid integer value.");
    EXPECT_EQ(window.Table().CanA[0].bits[1], (ClEbm{"1", "7", "37"}));

    window.BitBtn1->click();
    EXPECT_FALSE(window.isVisible());
    const std::string xml = ReadAll(context.EmcyWordFile);
    EXPECT_NE(xml.find("index_addrm=\"8193\" subindex=\"1\" extdata=\"0\" devid=\"4\""), std::string::npos);
    EXPECT_EQ(xml.find("devid=\"3\""), std::string::npos);
    EXPECT_NE(xml.find("bit0_b0=\"$FF\" bit0_b1=\"\" bit0_poscomp=\"20\""), std::string::npos);
}

TEST_F(EmcyWindowTest, WordTreesPicturesImportExportAndFailures)
{
    TFWemcy window(context, openExcel);
    window.show();
    EXPECT_EQ(sink.Texts(), Strings{"File XML not found"});
    ASSERT_EQ(window.Large.size(), 4u);
    EXPECT_NE(window.Large[0].toImage(), window.Large[1].toImage());
    EXPECT_NE(window.Large[0].toImage(), window.Large[2].toImage());
    EXPECT_NE(window.Large[2].toImage(), window.Large[3].toImage());

    std::string bits;
    for (int n = 0; n < 16; ++n) bits += "1,2,37,";
    const std::string sheet = project.Write(
        "in/emcyword.csv", "title,\r\n0x2000,1,1,9," + bits + "\r\n0x2000,2,3,9," + bits + "\r\n0x2001,1,0,8," + bits +
                               "\r\n0x2002,1,,8," + bits + "\r\n0x2003,1,0,8," + bits + "\r\n");
    desktop.files.push_back(sheet);
    window.BitBtn4->click();
    EXPECT_EQ(TopNodes(window.A.TWCan), Strings{"W0"});
    EXPECT_EQ(TopNodes(window.B.TWCan), Strings{"W0"});
    EXPECT_TRUE(window.A.TWCan->selectedItems().isEmpty());
    EXPECT_FALSE(window.A.TWCan->topLevelItem(0)->icon(0).isNull());

    window.Button1->click();
    const std::string csv = ReadAll(project.File("emcyword.csv"));
    EXPECT_EQ(csv, "0x2001,1,0,8," + bits + "\r\n0x2000,1,1,9," + bits + "\r\n"); // no title line

    // A save that cannot order its words writes nothing and keeps the window open.
    Type(window.A.Eindex_addrm, QStringLiteral("0x2001"));
    Type(window.A.Esubindex, QStringLiteral("1"));
    Type(window.A.Edevid, QStringLiteral("x"));
    window.A.NewButton->click();
    window.BitBtn1->click();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(sink.Last(), "'x' is not a valid integer value.");
    EXPECT_FALSE(std::filesystem::exists(context.EmcyWordFile));

    window.hide();
    project.Write("emcyword.xml", "<emcyword>" + WordRow("1", "5", "1") + WordRow("q", "6", "1") + "</emcyword>");
    window.show();
    EXPECT_EQ(sink.Last(), "Error in reading file XML");
    EXPECT_EQ(TopNodes(window.B.TWCan), Strings{"W0"});
    EXPECT_TRUE(window.A.Edevid->text().isEmpty());
}

} // namespace
