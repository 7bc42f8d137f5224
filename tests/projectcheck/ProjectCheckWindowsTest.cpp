#include "app/TFZuzududadaeFirmWare.h"
#include "common/MessageSink.h"
#include "editors/gateway/FrameMappingWindow.h"
#include "firmware/widgets/TFModifyFileSx.h"
#include "projectcheck/widgets/ProjectCheckWindow.h"
#include "support/DemoMainWindow.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

class ProjectCheckWindows : public DemoMainWindowTest {
protected:
    // The documents first; each test changes them before the main window opens.
    void SetUp() override { WriteDemoProject(); }
    void Open() { OpenMainWindow(); }
};

// Project > Check project lists the finding of a mapping beyond the input area; Enter on it
// opens the receive mapping editor, and the list is checked again when that closes.
TEST_F(ProjectCheckWindows, CheckWindowListsFindingsAndOpensTheirEditor)
{
    // The demo's input area has 32 bytes; its alarm frame now goes to byte 40.
    app.Write("PROJECTS/Demo/Receive_Info.xml",
              "<Receive_Frames_Info>\r\n"
              "  <row B1=\"0\" B2=\"1\" B3=\"2\" B4=\"3\" B5=\"4\" B6=\"5\" B7=\"6\" B8=\"7\"/>\r\n"
              "  <row B1=\"8\" B2=\"9\" B3=\"10\" B4=\"11\" B5=\"255\" B6=\"255\" B7=\"255\" B8=\"255\"/>\r\n"
              "  <row B1=\"12\" B2=\"13\" B3=\"255\" B4=\"255\" B5=\"255\" B6=\"255\" B7=\"255\" B8=\"255\"/>\r\n"
              "  <row B1=\"14\" B2=\"15\" B3=\"16\" B4=\"17\" B5=\"255\" B6=\"255\" B7=\"255\" B8=\"255\"/>\r\n"
              "  <row B1=\"40\" B2=\"255\" B3=\"255\" B4=\"255\" B5=\"255\" B6=\"255\" B7=\"255\" B8=\"255\"/>\r\n"
              "</Receive_Frames_Info>\r\n");
    Open();
    bool editorOpened = false;
    WhileModal([&] { main->actCheck->trigger(); },
               [&](QWidget* modal) {
                   auto* window = qobject_cast<ProjectCheckWindow*>(modal);
                   ASSERT_NE(window, nullptr);
                   EXPECT_EQ(window->windowTitle(), QStringLiteral("Check project"));
                   EXPECT_EQ(window->Verdict->text(),
                             QStringLiteral("Project check: 1 error, see Project > Check project"));
                   QTableWidget* list = Find<QTableWidget>(window, QStringLiteral("Findings"));
                   ASSERT_NE(list, nullptr);
                   ASSERT_EQ(list->rowCount(), 1);
                   EXPECT_EQ(list->item(0, 1)->text(), QStringLiteral("Receive_Info.xml"));
                   EXPECT_EQ(list->item(0, 2)->text(), QStringLiteral("5"));
                   EXPECT_EQ(list->item(0, 3)->text(), QStringLiteral("B1"));
                   EXPECT_EQ(window->focusWidget(), list);
                   WhileModal([&] { QTest::keyClick(list, Qt::Key_Return); },
                              [&](QWidget* editor) {
                                  editorOpened = qobject_cast<TF_Rec_Info*>(editor) != nullptr;
                                  Button(editor, QStringLiteral("Cancel"))->click();
                              });
                   EXPECT_EQ(list->rowCount(), 1);
                   Button(window, QStringLiteral("Close"))->click();
               });
    EXPECT_TRUE(editorOpened);
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    main->LbButton1->click();
}

// The device update window tells the check's verdict before the update is started.
TEST_F(ProjectCheckWindows, DeviceUpdateWindowShowsTheVerdict)
{
    app.Write("PROJECTS/Demo/Send_Info.xml", "<Send_Frames_Info/>");
    Open();
    // The main window computes the verdict when it opens the device update window.
    QString verdict;
    WhileModal([&] { main->CreateSx->click(); },
               [&](QWidget* modal) {
                   auto* window = qobject_cast<TFModifyFileSx*>(modal);
                   ASSERT_NE(window, nullptr);
                   verdict = window->LabelCheck->text();
                   window->LbButton1->click();
               });
    EXPECT_EQ(verdict, QStringLiteral("Project check: 1 error, see Project > Check project"));
    main->LbButton1->click();
}

} // namespace
