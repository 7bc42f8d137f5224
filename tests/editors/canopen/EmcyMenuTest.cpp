#include "app/TFZuzududadaeFirmWare.h"
#include "common/MessageSink.h"
#include "editors/canopen/widgets/TFWemcy.h"
#include "editors/canopen/widgets/TFemcy.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace {

class EmcyMenuTest : public ::testing::Test {
protected:
    void Start()
    {
        window = std::make_unique<TFZuzududadaeFirmWare>(app.Path());
        window->SetWindows(CreateWindows({window->Context(), window->OpenExcel(), window.get()}));
        window->show();
    }
    RecordingSink sink;
    ScopedMessageSink scope{sink};
    ScriptedDesktop desktop;
    ScopedDesktop desktopScope{desktop};
    TempDir app;
    std::unique_ptr<TFZuzududadaeFirmWare> window;
};

TEST_F(EmcyMenuTest, CanopenMenuOpensBothEmergencyEditorsOnTheCurrentProject)
{
    app.Write("PROJECTS/Line4/emcydef.xml",
              "<emcydef><row id_dev=\"3\" mask_eq_ec=\"\" mask_eq_er=\"\" mask_eq_m1=\"\" mask_eq_m2=\"\" "
              "mask_eq_m3=\"\" enmask_eq_ec=\"\" enmask_eq_er=\"\" enmask_eq_m1=\"\" enmask_eq_m2=\"\" "
              "enmask_eq_m3=\"\" bypass_set=\"0\"/></emcydef>");
    app.Write("Zuzududada_TRVX.ini", "[lastproj]\r\nprojectname=Line4\r\n");
    Start();
    ASSERT_NE(window->Windows().Femcy, nullptr);
    ASSERT_NE(window->Windows().FWemcy, nullptr);

    WhileModal([&] { window->actEmcy->trigger(); },
               [&](QWidget* modal) {
                   auto* emcy = qobject_cast<TFemcy*>(modal);
                   ASSERT_NE(emcy, nullptr);
                   EXPECT_EQ(emcy->A.LBCan->count(), 1);
                   EXPECT_EQ(emcy->A.LBCan->item(0)->text(), QStringLiteral("3"));
                   emcy->BitBtn1->click(); // saves into the project and closes
               });
    EXPECT_NE(ReadAll(app.File("PROJECTS/Line4/emcydef.xml")).find("mask_eq_ec=\"0\""), std::string::npos);

    WhileModal([&] { window->actEmcyWord->trigger(); },
               [&](QWidget* modal) {
                   auto* words = qobject_cast<TFWemcy*>(modal);
                   ASSERT_NE(words, nullptr);
                   EXPECT_EQ(words->A.TWCan->topLevelItemCount(), 0);
                   words->BitBtn2->click();
               });
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"File XML not found"}); // no emcyword.xml yet
}

TEST_F(EmcyMenuTest, CanopenMenuRefusesWithoutAProject)
{
    app.MakeDir("PROJECTS/Gone");
    app.Write("Zuzududada_TRVX.ini", "[lastproj]\r\nprojectname=Gone\r\n");
    Start();
    std::filesystem::remove(app.File("PROJECTS/Gone"));
    window->open->click(); // cancelled: the vanished project is cleared
    ASSERT_EQ(window->Context().ProjectDir, "");
    window->actEmcy->trigger();
    window->actEmcyWord->trigger();
    window->btn_Emcy->click();
    window->btn_Emcy_Wd->click();
    EXPECT_EQ(sink.Texts(), std::vector<std::string>(4, "Project not valid"));
    EXPECT_FALSE(window->Windows().Femcy->isVisible());
    EXPECT_FALSE(window->Windows().FWemcy->isVisible());
}

} // namespace
