#include "app/TFZuzududadaeFirmWare.h"
#include "canbus/widgets/DbcImportDialog.h"
#include "common/MessageSink.h"
#include "support/DemoMainWindow.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <gtest/gtest.h>

#include <memory>

namespace {

using DbcWindows = DemoMainWindowTest;

TEST_F(DbcWindows, ExportWritesTheFileTheDialogNamed)
{
    desktop.files = {app.File("bus")};
    MenuEntry(QStringLiteral("Export DBC..."))->trigger();
    EXPECT_NE(ReadAll(app.File("bus.dbc")).find("BO_ 385 Drive_1_status_word: 8 CanBus"), std::string::npos);
    EXPECT_EQ(sink.Last(), "Exported 5 receive and 4 send frames with 36 mapped bytes to bus.dbc.");
}

TEST_F(DbcWindows, ImportAsksForTheNodeAndBeforeReplacingAndKeepsTheChoicesOnNo)
{
    const std::string file =
        app.Write("bus.dbc", "BU_: GW Engine\nBO_ 256 EngineData: 2 Engine\n SG_ S : 0|16@1+ (1,0) [0|0] \"\" GW\n"
                             "BO_ 512 Command: 1 GW\n SG_ C : 0|8@1+ (1,0) [0|0] \"\" Engine\n"
                             "BO_ 513 Unwanted: 1 GW\n");
    desktop.files = {file};
    const std::string before = Document("Send_Frame.xml");
    sink.ScriptAnswers({false, true});
    int shown = 0;
    WhileModal(
        [&] { MenuEntry(QStringLiteral("Import DBC..."))->trigger(); },
        [&](QWidget* modal) {
            auto* dialog = qobject_cast<DbcImportDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            const QSize size = dialog->frameGeometry().size();
            EXPECT_LE(size.width(), 1366);
            EXPECT_LE(size.height(), 768);
            EXPECT_FALSE(Button(dialog, QStringLiteral("Restore the tables as they were exported"))->isEnabled());
            EXPECT_TRUE(Button(dialog, QStringLiteral("The gateway is node:"))->isChecked());
            QComboBox* node = Find<QComboBox>(dialog, QStringLiteral("Gateway node"));
            ASSERT_NE(node, nullptr);
            node->setCurrentText(QStringLiteral("GW"));
            Button(dialog, QStringLiteral("Map the bytes the signals cover to the next free DeviceNet bytes"))->click();
            QListWidget* frames = Find<QListWidget>(dialog, QStringLiteral("Frames to import:"));
            ASSERT_NE(frames, nullptr);
            ASSERT_EQ(frames->count(), 3);
            frames->item(2)->setCheckState(Qt::Unchecked);
            // No to the question: the dialog stays with what was chosen; then Yes.
            Button(dialog, QStringLiteral("OK"))->click();
            ++shown;
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_EQ(Document("Send_Frame.xml"), before);
            EXPECT_EQ(frames->item(2)->checkState(), Qt::Unchecked);
            Button(dialog, QStringLiteral("OK"))->click();
            EXPECT_FALSE(dialog->isVisible());
        });
    EXPECT_EQ(shown, 1);
    ASSERT_EQ(sink.All().size(), 3u);
    EXPECT_EQ(sink.All()[0].text, "The receive and the send frame table holds frames. Replace them?");
    EXPECT_EQ(Document("Send_Frame.xml"),
              "<Receive_Frames>\r\n  <row COBID=\"0x200\" Dim=\"1\" Mnemonic=\"Command\"/>\r\n</Receive_Frames>\r\n");
    EXPECT_NE(Document("Receive_Info.xml").find("B1=\"0\" B2=\"1\" B3=\"255\""), std::string::npos);
    EXPECT_EQ(sink.Last(), "1 frame into the receive table, 2 bytes mapped, replacing its frames\n"
                           "1 frame into the send table, 1 byte mapped, replacing its frames\n");
}

} // namespace
