// The CANopen editors from the keyboard: lists moved through with the arrows, trees walked
// without a flood of messages.
#include "CanopenWindowFixture.h"
#include "editors/canopen/widgets/TFInfopdo.h"
#include "editors/canopen/widgets/TFWemcy.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace {

using CanopenKeyboardTest = CanopenWindowTest;

TEST_F(CanopenKeyboardTest, StoredPdoListsSelectTheRowTheyShowSoTheArrowsMoveFromIt)
{
    project.Write("sdo.xml", "<sdo/>");
    project.Write("rpdodef.xml",
                  "<rpdodef><row cobid=\"0x181\" en_bypass=\"0\"/><row cobid=\"0x182\" en_bypass=\"0\"/>"
                  "<row cobid=\"0x183\" en_bypass=\"0\"/><row cobid=\"0x201\" en_bypass=\"2\"/></rpdodef>");
    project.Write("sdopdo.xml", "<sdopdo><row index=\"0x2000\" subindex=\"1\" nrpdo=\"2\" poscomp=\"33\"/>"
                                "<row index=\"0x2001\" subindex=\"1\" nrpdo=\"129\" poscomp=\"0\"/></sdopdo>");
    TFInfopdo window(context, openExcel);
    ShowActive(&window);
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    EXPECT_EQ(Focused(), window.LPdoCanA);
    EXPECT_EQ(window.LPdoCanA->currentRow(), 0);
    EXPECT_TRUE(window.LPdoCanA->item(0)->isSelected());
    Press(Qt::Key_Down);
    EXPECT_TRUE(window.LPdoCanA->item(1)->isSelected());
    EXPECT_EQ(window.LSdoCanA->count(), 1); // the second PDO's stored SDO
    Press(Qt::Key_Up);
    EXPECT_TRUE(window.LPdoCanA->item(0)->isSelected());
    EXPECT_EQ(window.LSdoCanA->count(), 0);

    // A list of one: the PDO is chosen as soon as the list has the focus, and stays chosen.
    window.PageControl1->setCurrentIndex(1);
    window.LPdoCanB->setFocus();
    EXPECT_TRUE(window.LPdoCanB->item(0)->isSelected());
    EXPECT_EQ(window.LSdoCanB->count(), 1);
    Press(Qt::Key_Down);
    Press(Qt::Key_Up);
    EXPECT_TRUE(window.LPdoCanB->item(0)->isSelected());
    EXPECT_EQ(window.LSdoCanB->count(), 1);
    window.reject();
}

TEST_F(CanopenKeyboardTest, ANewEmcyWordShowsItsEmptyBitsWithoutAMessage)
{
    std::string bits;
    for (int n = 0; n < 16; ++n) {
        const std::string bit = " bit" + std::to_string(n);
        bits += bit + "_b0=\"1\"" + bit + "_b1=\"\"" + bit + "_poscomp=\"" + (n == 2 ? "x" : "37") + "\"";
    }
    project.Write("emcyword.xml",
                  "<emcyword><row index_addrm=\"1\" subindex=\"1\" extdata=\"0\" devid=\"5\"" + bits + "/></emcyword>");
    TFWemcy window(context, openExcel);
    ShowActive(&window);
    QTreeWidget* tree = window.A.TWCan;
    EXPECT_EQ(Focused(), tree);
    window.A.Eindex_addrm->setText(QStringLiteral("2"));
    window.A.Esubindex->setText(QStringLiteral("1"));
    window.A.Edevid->setText(QStringLiteral("6"));
    window.A.NewButton->click();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_TRUE(sink.Empty()) << sink.Last();

    // Down through the new word and its sixteen bits: empty byte fields, no message.
    tree->setFocus();
    tree->setCurrentItem(tree->topLevelItem(1));
    tree->expandItem(tree->topLevelItem(1));
    for (int k = 0; k < 16; ++k) Press(Qt::Key_Down);
    EXPECT_EQ(tree->currentItem(), tree->topLevelItem(1)->child(15));
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    EXPECT_EQ(window.A.Eposcomp->text(), QString());
    EXPECT_EQ(window.A.Eposcomp2->text(), QString());
    EXPECT_EQ(window.A.Gbebm->accessibleName(), QString::fromUtf8("Mask BIT n\u00B015 Define"));
    EXPECT_EQ(window.A.GBword_emcy_bitmap->accessibleName(), QString::fromUtf8("Word n\u00B01 Emcy Define"));

    // A stored bit whose byte text is no number still says so.
    tree->setCurrentItem(tree->topLevelItem(0)->child(2));
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"'x' is not a valid integer value."});
    window.reject();
}

} // namespace
