#include "app/TFZuzududadaeFirmWare.h"
#include "common/MessageSink.h"
#include "editors/gateway/FrameMappingWindow.h"
#include "firmware/widgets/TFModifyFileSx.h"
#include "devicenet/widgets/ByteMapView.h"
#include "devicenet/widgets/ByteMapWindow.h"
#include "projectcheck/widgets/ProjectCheckWindow.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

const std::string kDemo = ZZ_DEMO_PROJECT_DIR;
const char* kDemoFiles[] = {"pargen.xml", "Receive_Frame.xml", "Receive_Info.xml", "Send_Frame.xml", "Send_Info.xml"};

class ProjectCheckWindows : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* file : kDemoFiles)
            app.Write(std::string("PROJECTS/Demo/") + file, ReadAll(kDemo + "/" + file));
        app.Write("Zuzududada_TRVX.ini", "[lastproj]\r\nprojectname=/Demo\r\n");
    }
    void Open()
    {
        main = std::make_unique<TFZuzududadaeFirmWare>(app.Path());
        main->SetWindows(CreateWindows({main->Context(), main->OpenExcel(), main.get()}));
        main->show();
    }

    RecordingSink sink;
    ScopedMessageSink scope{sink};
    ScriptedDesktop desktop;
    ScopedDesktop desktopScope{desktop};
    TempDir app;
    std::unique_ptr<TFZuzududadaeFirmWare> main;
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
                   EXPECT_EQ(window->Verdict->text(), QStringLiteral("Project check: 1 error, see Project > Check project"));
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

// Tools > DeviceNet Byte Map draws the demo's areas, highlights a frame picked in the list,
// tells a cell's frame, and exports the picture as SVG and PNG.
TEST_F(ProjectCheckWindows, ByteMapWindowShowsAndExportsThePicture)
{
    Open();
    WhileModal([&] { main->actByteMap->trigger(); },
               [&](QWidget* modal) {
                   auto* window = qobject_cast<ByteMapWindow*>(modal);
                   ASSERT_NE(window, nullptr);
                   EXPECT_EQ(window->windowTitle(), QStringLiteral("DeviceNet Byte Map"));
                   EXPECT_LE(window->width(), 1366);
                   EXPECT_LE(window->height(), 768);
                   EXPECT_EQ(window->Map().Input.Size, 32);
                   // Two title rows, five receive and four send frames.
                   EXPECT_EQ(window->Frames->count(), 2 + 5 + 4);
                   EXPECT_EQ(window->focusWidget(), window->Frames);
                   window->Frames->setCurrentRow(2);
                   const QString tip = window->View->ToolTipAt(QPoint(12 + 104 / 2, 12 + 28 + 40 + 20));
                   EXPECT_TRUE(tip.contains(QStringLiteral("$281 B1: Drive 1 actual speed"))) << tip.toStdString();

                   const std::string svg = app.File("map.svg");
                   const std::string png = app.File("map.png");
                   window->SetAskPath([&](const QString&, const QString& filter) {
                       return QString::fromStdString(filter.contains(QStringLiteral("svg")) ? svg : png);
                   });
                   Button(window, QStringLiteral("Export SVG..."))->click();
                   Button(window, QStringLiteral("Export PNG..."))->click();
                   EXPECT_NE(ReadAll(svg).find("$281 B1"), std::string::npos);
                   const QImage image(QString::fromStdString(png));
                   EXPECT_EQ(image.size(), window->View->sizeHint());
                   Button(window, QStringLiteral("Close"))->click();
               });
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    main->LbButton1->click();
}

// The device update window tells the check's verdict before the update is started.
TEST_F(ProjectCheckWindows, DeviceUpdateWindowShowsTheVerdict)
{
    app.Write("PROJECTS/Demo/Send_Info.xml", "<Send_Frames_Info/>");
    Open();
    auto* window = qobject_cast<TFModifyFileSx*>(main->Windows().FModifyFileSx);
    ASSERT_NE(window, nullptr);
    window->show();
    EXPECT_EQ(window->LabelCheck->text(), QStringLiteral("Project check: 1 error, see Project > Check project"));
    window->hide();
    main->LbButton1->click();
}

} // namespace
