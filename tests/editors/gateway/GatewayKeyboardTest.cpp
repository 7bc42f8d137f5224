// The gateway editors from the keyboard: keys on the focused widget, then the bytes of the
// document written.
#include "common/FileSystem.h"
#include "common/MessageSink.h"
#include "common/ProjectContext.h"
#include "common/widgets/StringGrid.h"
#include "editors/gateway/FrameMappingWindow.h"
#include "editors/gateway/FrameTableWindow.h"
#include "editors/gateway/GatewayWindowTest.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using GatewayKeyboardTest = GatewayWindowTest;

TEST_F(GatewayKeyboardTest, AFrameTableTypedWithEnterAndTabIsSavedCellByCell)
{
    TFSetVar window(context);
    ShowActive(&window);
    EXPECT_EQ(Focused(), window.sga);
    Type(QStringLiteral("0x181"));
    Press(Qt::Key_Return);
    Type(QStringLiteral("8"));
    Press(Qt::Key_Return);
    Press(Qt::Key_Space); // Delete
    Press(Qt::Key_Tab);
    Type(QStringLiteral("Drive"));
    Press(Qt::Key_Return);
    Type(QStringLiteral("0x182"));
    Press(Qt::Key_Tab);
    Type(QStringLiteral("4"));
    Press(Qt::Key_Tab);
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    window.bitbtn1->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ReadAll(context.ReceiveFrameFile),
              "<Receive_Frames>\r\n"
              "  <row COBID=\"0x181\" Dim=\"8\" Delete=\"Y\" Mnemonic=\"Drive\"/>\r\n"
              "  <row COBID=\"0x182\" Dim=\"4\" Delete=\"\" Mnemonic=\"\"/>\r\n"
              "</Receive_Frames>\r\n");
}

TEST_F(GatewayKeyboardTest, ARefusedByteLineIsToldWhenLeftAndNeverDroppedByAnotherFrame)
{
    dir.Write("Receive_Frame.xml", "<Receive_Frames><row COBID=\"0x100\" Dim=\"8\" Mnemonic=\"\"/>"
                                   "<row COBID=\"0x181\" Dim=\"3\" Mnemonic=\"\"/></Receive_Frames>");
    TF_Rec_Info window(context);
    ShowActive(&window);
    EXPECT_EQ(Focused(), window.ListBox1);
    Press(Qt::Key_Return); // choosing a frame is no OK
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(FileExists(context.ReceiveInfoFile));

    window.Edit8->setFocus();
    window.Edit8->selectAll();
    Type(QStringLiteral("200"));
    Press(Qt::Key_Tab); // toward OK
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"Error Byte 8!! Value have to be between 0 to 127 or none. "});
    EXPECT_EQ(Focused(), window.Edit8);

    // A click on the other frame keeps the line, its text and the frame it belongs to.
    QListWidget* list = window.ListBox1;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(sink.All().size(), 2u);
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(window.Edit8->text(), QStringLiteral("200"));
    EXPECT_EQ(Focused(), window.Edit8);

    // Chosen without the line being left first (as an assistive tool does): told all the same.
    window.Edit8->selectAll();
    Type(QStringLiteral("300"));
    sink.Clear();
    list->setCurrentRow(1);
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"Error Byte 8!! Value have to be between 0 to 127 or none. "});
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(window.Edit8->text(), QStringLiteral("300"));

    window.Edit8->selectAll();
    Type(QStringLiteral("12"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(window.Mappings().Records[0].B8, 12);
    window.bitbtn1->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_NE(ReadAll(context.ReceiveInfoFile).find("B8=\"12\""), std::string::npos);
}

} // namespace
