#include "editors/gateway/FrameMappingWindow.h"

#include "common/FileSystem.h"
#include "common/MessageSink.h"
#include "common/ProjectContext.h"
#include "editors/gateway/GatewayWindowTest.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void Retype(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

class FrameMappingWindowTest : public GatewayWindowTest {
protected:
    FrameMappingWindowTest()
    {
        const std::string frames = "<Receive_Frames><row COBID=\"0x100\" Dim=\"8\" Mnemonic=\"\"/>"
                                   "<row COBID=\"0x181\" Dim=\"3\" Mnemonic=\"\"/></Receive_Frames>";
        dir.Write("Receive_Frame.xml", frames);
        dir.Write("Send_Frame.xml", frames);
    }
};

// After a refused line the window stays on its frame: a click on another frame must not leave
// the list highlighting the clicked one.
TEST_F(FrameMappingWindowTest, AClickAfterARefusedLineLeavesTheListOnTheFrameShown)
{
    TF_Rec_Info window(context);
    Show(&window);
    window.Edit1->setFocus();
    Retype(window.Edit1, QStringLiteral("128"));
    QListWidget* list = window.ListBox1;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    QApplication::processEvents();
    EXPECT_EQ(sink.Last(), "Error Byte 1!! Value have to be between 0 to 127 or none. ");
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_TRUE(list->item(0)->isSelected());
    EXPECT_FALSE(list->item(1)->isSelected());
    EXPECT_EQ(window.Edit1->text(), QStringLiteral("128"));
}

TEST_F(FrameMappingWindowTest, ReceiveSideRefusesAnOverlapThenSavesTheMapping)
{
    TF_Rec_Info window(context);
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Receive Frames Info"));
    ASSERT_EQ(Find<QListWidget>(&window, QStringLiteral("COB ID")), window.ListBox1);
    ASSERT_EQ(window.ListBox1->count(), 2);
    EXPECT_EQ(window.ListBox1->currentRow(), 0);
    QLineEdit* byte1 = Find<QLineEdit>(&window, QStringLiteral("Byte 1 of frame CAN go to byte"));
    ASSERT_EQ(byte1, window.Edit1);
    EXPECT_EQ(window.Edit8->text(), QStringLiteral("none"));
    EXPECT_TRUE(window.Line(8)->isEnabled());

    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.Edit1->setFocus();
    Retype(window.Edit1, QStringLiteral("5"));
    QTest::keyClick(window.Edit1, Qt::Key_Tab); // leaving the line stores it
    EXPECT_TRUE(window.Edit2->hasFocus());
    EXPECT_EQ(window.Mappings().Records[0].B1, 5);

    window.ListBox1->setCurrentRow(1);
    EXPECT_EQ(window.Edit1->text(), QStringLiteral("none"));
    EXPECT_FALSE(window.Line(4)->isEnabled());
    EXPECT_FALSE(window.NotInUse(4)->isHidden());
    EXPECT_TRUE(window.NotInUse(3)->isHidden());
    Retype(window.Edit2, QStringLiteral("5"));
    QTest::keyClick(window.Edit2, Qt::Key_Return); // Enter stores the line, without pressing OK
    EXPECT_TRUE(sink.Empty());
    EXPECT_EQ(window.Mappings().Records[1].B2, 5);
    window.bitbtn1->click();
    EXPECT_EQ(sink.Last(), "Error!! The Byte 5 is used in COB ID 0x181 in Byte 2 and in COB ID 0x100 in Byte 1 ");
    EXPECT_EQ(sink.All().back().kind, RecordingSink::Kind::Error);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(FileExists(context.ReceiveInfoFile));

    window.Edit2->setFocus();
    Retype(window.Edit2, QStringLiteral("128"));
    QTest::keyClick(window.Edit2, Qt::Key_Tab);
    EXPECT_EQ(sink.Last(), "Error Byte 2!! Value have to be between 0 to 127 or none. ");
    EXPECT_TRUE(window.Edit2->hasFocus());         // put back into the refused line
    EXPECT_EQ(window.Mappings().Records[1].B2, 5); // the refused text stored nothing
    sink.Clear();
    window.bitbtn1->click(); // the line still shows the refused text: nothing is saved
    EXPECT_EQ(sink.Last(), "Error Byte 2!! Value have to be between 0 to 127 or none. ");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.Edit2->text(), QStringLiteral("128"));
    EXPECT_FALSE(FileExists(context.ReceiveInfoFile));

    Retype(window.Edit2, QStringLiteral("0x7F"));
    Retype(window.Edit3, QStringLiteral(" None "));
    window.bitbtn1->click(); // OK takes the lines as typed
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ReadAll(context.ReceiveInfoFile),
              "<Receive_Frames_Info>\r\n"
              "  <row B1=\"5\" B2=\"255\" B3=\"255\" B4=\"255\" B5=\"255\" B6=\"255\" B7=\"255\" B8=\"255\"/>\r\n"
              "  <row B1=\"255\" B2=\"127\" B3=\"255\" B4=\"255\" B5=\"255\" B6=\"255\" B7=\"255\" B8=\"255\"/>\r\n"
              "</Receive_Frames_Info>\r\n");

    window.show();
    EXPECT_EQ(window.Edit1->text(), QStringLiteral("5"));
    Retype(window.Edit1, QStringLiteral("9"));
    window.ListBox1->setCurrentRow(1); // a line typed into belongs to the frame it was typed for
    EXPECT_EQ(window.Mappings().Records[0].B1, 9);
    EXPECT_EQ(window.Edit2->text(), QStringLiteral("127"));
    window.reject();
}

TEST_F(FrameMappingWindowTest, NoFramesDisableEveryLine)
{
    TF_Rec_Info window(context);
    dir.Write("Receive_Frame.xml", "<Receive_Frames/>");
    window.show();
    EXPECT_EQ(window.ListBox1->count(), 0);
    for (int k = 1; k <= 8; ++k) EXPECT_FALSE(window.Line(k)->isEnabled()) << k;
    window.bitbtn1->click();
    EXPECT_EQ(ReadAll(context.ReceiveInfoFile), "<Receive_Frames_Info/>\r\n");
}

TEST_F(FrameMappingWindowTest, SendSideStoresEveryChangeAndSharesBytesFreely)
{
    TF_Sen_Info window(context);
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Send Frames Info"));
    ASSERT_NE(Find<QLineEdit>(&window, QStringLiteral("Byte 1 of frame CAN is the byte")), nullptr);

    Retype(window.Edit1, QStringLiteral("200"));
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"Error Byte 1!! Value have to be between 0 to 127 or none. "});
    EXPECT_EQ(window.Mappings().Records[0].B1, 20); // 2, then 20, were stored as they appeared
    EXPECT_EQ(window.Edit1->text(), QStringLiteral("200"));
    sink.Clear();
    window.bitbtn1->click(); // the edit shows 200: saving 20 behind it would mislead
    EXPECT_EQ(sink.Last(), "Error Byte 1!! Value have to be between 0 to 127 or none. ");
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(FileExists(context.SendInfoFile));

    window.Edit1->selectAll();
    QTest::keyClick(window.Edit1, Qt::Key_Backspace);
    EXPECT_EQ(window.Mappings().Records[0].B1, 255); // cleared: none at once
    sink.Clear();
    QTest::keyClicks(window.Edit1, QStringLiteral("none"));
    EXPECT_EQ(sink.Texts().size(), 3u); // n, no and non are refused on the way
    Retype(window.Edit1, QStringLiteral("0"));

    window.ListBox1->setCurrentRow(1);
    EXPECT_EQ(window.Mappings().Records[0].B1, 0); // selecting frames rewrites the lines, not the records
    Retype(window.Edit1, QStringLiteral("0"));
    sink.Clear();
    window.bitbtn1->click();
    EXPECT_TRUE(sink.Empty());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ReadAll(context.SendInfoFile),
              "<Send_Frames_Info>\r\n"
              "  <row B1=\"0\" B2=\"255\" B3=\"255\" B4=\"255\" B5=\"255\" B6=\"255\" B7=\"255\" B8=\"255\"/>\r\n"
              "  <row B1=\"0\" B2=\"255\" B3=\"255\" B4=\"255\" B5=\"255\" B6=\"255\" B7=\"255\" B8=\"255\"/>\r\n"
              "</Send_Frames_Info>\r\n");
}

} // namespace
