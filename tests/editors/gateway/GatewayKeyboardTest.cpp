// The gateway editors from the keyboard and the clipboard: keys on the focused widget, then
// the bytes of the document written.
#include "app/ProjectContext.h"
#include "common/FileSystem.h"
#include "common/MessageSink.h"
#include "common/widgets/StringGrid.h"
#include "editors/gateway/FrameMappingWindow.h"
#include "editors/gateway/FrameTableWindow.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class GatewayKeyboardTest : public ::testing::Test {
protected:
    GatewayKeyboardTest() : scope(sink)
    {
        context.ProjectDir = dir.Path();
        context.UpdateProjectFiles();
    }

    TempDir dir;
    ProjectContext context;
    RecordingSink sink;
    ScopedMessageSink scope;
};

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
    EXPECT_EQ(ReadAll(context.ReceiveFrameFile), "<Receive_Frames>\r\n"
                                                  "  <row COBID=\"0x181\" Dim=\"8\" Delete=\"Y\" Mnemonic=\"Drive\"/>\r\n"
                                                  "  <row COBID=\"0x182\" Dim=\"4\" Delete=\"\" Mnemonic=\"\"/>\r\n"
                                                  "</Receive_Frames>\r\n");
}

TEST_F(GatewayKeyboardTest, AFrameListPastedFromASpreadsheetIsSavedAsPasted)
{
    TFSetPdo send(context);
    ShowActive(&send);
    QApplication::clipboard()->setText(QStringLiteral("0x201\t8\tControl\n$301\t2\tSetpoint\n"));
    Press(Qt::Key_V, Qt::ControlModifier);
    send.LbButton4->click();
    EXPECT_EQ(ReadAll(context.SendFrameFile), "<Receive_Frames>\r\n"
                                               "  <row COBID=\"0x201\" Dim=\"8\" Mnemonic=\"Control\"/>\r\n"
                                               "  <row COBID=\"$301\" Dim=\"2\" Mnemonic=\"Setpoint\"/>\r\n"
                                               "</Receive_Frames>\r\n");

    TFSetVar receive(context);
    ShowActive(&receive);
    QApplication::clipboard()->setText(QStringLiteral("0x181\t8\tn\tDrive\r\n0x182\t2\tTRUE\tPump\r\n"));
    Press(Qt::Key_V, Qt::ControlModifier);
    receive.bitbtn1->click();
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    EXPECT_EQ(ReadAll(context.ReceiveFrameFile), "<Receive_Frames>\r\n"
                                                  "  <row COBID=\"0x181\" Dim=\"8\" Delete=\"N\" Mnemonic=\"Drive\"/>\r\n"
                                                  "  <row COBID=\"0x182\" Dim=\"2\" Delete=\"Y\" Mnemonic=\"Pump\"/>\r\n"
                                                  "</Receive_Frames>\r\n");
}

TEST_F(GatewayKeyboardTest, EscapeDropsTheCellEditThenCancelsWithoutSaving)
{
    const std::string saved = "<Receive_Frames>\r\n  <row COBID=\"0x181\" Dim=\"8\" Delete=\"\" Mnemonic=\"\"/>\r\n"
                              "</Receive_Frames>\r\n";
    dir.Write("Receive_Frame.xml", saved);
    TFSetVar window(context);
    ShowActive(&window);
    Type(QStringLiteral("0x7FF"));
    Press(Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.sga->Cell(1, 1), "0x181");
    Press(Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ReadAll(context.ReceiveFrameFile), saved);
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
