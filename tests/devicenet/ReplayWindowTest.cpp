#include "devicenet/widgets/ReplayWindow.h"
#include "app/TFZuzududadaeFirmWare.h"
#include "devicenet/widgets/ReplayImageView.h"
#include "support/DemoMainWindow.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

#include <QAction>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

using ReplayWindowTest = DemoMainWindowTest;

// Tools > Replay CAN log: opens a log, walks through its changes with the keyboard and the
// slider, lists its events, and keeps the run when the next file is no log.
TEST_F(ReplayWindowTest, WalksThroughARecordedRun)
{
    const std::string log = app.Write("run.log", "(1700000000.000000) can0 181#0102030405060708\r\n"
                                                 "(1700000000.010000) can0 281#R\n"
                                                 "(1700000000.020000) can0 281#1122\n"
                                                 "(1700000000.030000) can0 281#1122\n"
                                                 "(1700000006.000000) can0 50A#55\n");
    const std::string listing = app.Write("screen.txt", "  can0  181   [1]  01\n");
    desktop.files = {log, listing};

    QAction* action = MenuEntry(QStringLiteral("Replay CAN log"));
    ASSERT_NE(action, nullptr);
    WhileModal(
        [&] { action->trigger(); },
        [&](QWidget* modal) {
            auto* window = qobject_cast<ReplayWindow*>(modal);
            ASSERT_NE(window, nullptr);
            EXPECT_EQ(window->windowTitle(), QStringLiteral("Replay CAN log"));
            EXPECT_LE(window->width(), 1366);
            EXPECT_LE(window->height(), 768);
            EXPECT_EQ(window->focusWidget(), window->OpenLog);
            QTest::keyClick(window->OpenLog, Qt::Key_Space);
            EXPECT_TRUE(window->Summary->text().contains(QStringLiteral("(candump -l): 5 frames read, 4 applied")))
                << window->Summary->text().toStdString();
            EXPECT_EQ(window->Changes->model()->rowCount(), 3);
            EXPECT_EQ(window->focusWidget(), window->Changes);
            EXPECT_EQ(window->View->Image()[7], 8);
            EXPECT_EQ(window->View->Image()[8], 0);

            QTest::keyClick(window->Changes, Qt::Key_Down);
            EXPECT_EQ(window->Step(), 2);
            EXPECT_EQ(window->View->Image()[8], 0x11);
            EXPECT_EQ(window->Time->value(), 2);
            window->Next->click();
            EXPECT_EQ(window->View->Image()[20], 0x55);
            EXPECT_FALSE(window->Next->isEnabled());
            window->Time->setValue(0);
            EXPECT_EQ(window->View->Image(), std::vector<uint8_t>(32, 0));
            EXPECT_FALSE(window->Previous->isEnabled());

            const QList<QListWidgetItem*> timeOuts =
                window->Events->findItems(QStringLiteral("Time-out: 0x381"), Qt::MatchContains);
            EXPECT_EQ(timeOuts.size(), 1);
            EXPECT_EQ(
                window->Events->findItems(QStringLiteral("Ignored, remote frame: 0x281"), Qt::MatchContains).size(), 1);

            window->OpenLog->click();
            EXPECT_NE(sink.Last().find("none of its lines can be read"), std::string::npos) << sink.Last();
            EXPECT_EQ(window->Changes->model()->rowCount(), 3);
            Button(window, QStringLiteral("Close"))->click();
        });
    main->LbButton1->click();
}

} // namespace
