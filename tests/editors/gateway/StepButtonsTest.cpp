#include "app/TFZuzududadaeFirmWare.h"
#include "common/MessageSink.h"
#include "common/widgets/StringGrid.h"
#include "editors/gateway/FrameMappingWindow.h"
#include "editors/gateway/FrameTableWindow.h"
#include "editors/gateway/TFpargen.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

#include <memory>

namespace {

const std::string kDemo = ZZ_DEMO_PROJECT_DIR;
const char* kDemoFiles[] = {"pargen.xml", "Receive_Frame.xml", "Receive_Info.xml", "Send_Frame.xml", "Send_Info.xml"};

// Each step button opens its editor on the current project; OK on an untouched demo project
// writes its documents back byte for byte.
TEST(StepButtons, OpenTheGatewayEditorsOnTheCurrentProject)
{
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    ScriptedDesktop desktop;
    ScopedDesktop desktopScope(desktop);
    TempDir app;
    for (const char* file : kDemoFiles) app.Write(std::string("PROJECTS/Demo/") + file, ReadAll(kDemo + "/" + file));
    app.Write("Zuzududada_TRVX.ini", "[lastproj]\r\nprojectname=/Demo\r\n");
    auto main = std::make_unique<TFZuzududadaeFirmWare>(app.Path());
    main->SetWindows(CreateWindows({main->Context(), main->OpenExcel(), main.get()}));
    main->show();

    const auto press = [&](QPushButton* step, const std::function<void(QWidget*)>& check) {
        WhileModal([&] { step->click(); },
                   [&](QWidget* modal) {
                       check(modal);
                       Button(modal, QStringLiteral("OK"))->click();
                       EXPECT_FALSE(modal->isVisible()) << modal->windowTitle().toStdString();
                   });
    };
    press(main->btn_Prm_Gen, [](QWidget* modal) {
        auto* window = qobject_cast<TFpargen*>(modal);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->Edit1->text(), QStringLiteral("12"));
    });
    press(main->btn_Sdo, [](QWidget* modal) {
        auto* window = qobject_cast<TFSetVar*>(modal);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->sga->Cell(1, 1), "0x181");
    });
    press(main->btn_RecInfo, [](QWidget* modal) {
        auto* window = qobject_cast<TF_Rec_Info*>(modal);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->ListBox1->item(1)->text(), QStringLiteral("$281"));
    });
    press(main->Btn_SetPDO, [](QWidget* modal) {
        auto* window = qobject_cast<TFSetPdo*>(modal);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->sga->Cell(1, 3), "1025");
    });
    press(main->btn_SenInfo, [](QWidget* modal) {
        auto* window = qobject_cast<TF_Sen_Info*>(modal);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->Edit8->text(), QStringLiteral("7"));
    });
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    for (const char* file : kDemoFiles)
        EXPECT_EQ(ReadAll(app.File(std::string("PROJECTS/Demo/") + file)), ReadAll(kDemo + "/" + file)) << file;
    main->LbButton1->click();
}

} // namespace
