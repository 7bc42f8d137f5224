#include "FirmwareFixture.h"

#include "common/FileSystem.h"
#include "firmware/widgets/TFModifyFileSx.h"
#include "support/GuiTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

class DeviceUpdateWindowTest : public ::testing::Test {
protected:
    FirmwareWorkspace ws;
    RecordingSink sink;
    ScopedMessageSink scope{sink};
    ScriptedDesktop desktop;
    ScopedDesktop desktopScope{desktop};
    TFModifyFileSx window{ws.project};

    void SetUp() override
    {
        ws.PutDemoBaseFirmware();
        for (int n = 1; n <= 5; ++n) ws.PutBankFile(n, std::string(16384, static_cast<char>(n)));
        ws.dir.Write("ZoruvOdeza.exe", "stand-in");
    }
    void Press() { QTest::mouseClick(window.LbButton2, Qt::LeftButton); }
    std::string NewFirmware() const { return ws.project.ProjectDir + "/New_sx48802.sx"; }
};

TEST_F(DeviceUpdateWindowTest, ShowsPortProgressAndTheButtonOnlyAndComposesThenFlashes)
{
    Show(&window);
    EXPECT_EQ(window.windowTitle(), "Generate Firmware");
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    EXPECT_EQ(window.cbport->count(), 8);
    EXPECT_EQ(window.cbport->itemText(7), "COM8");
    EXPECT_EQ(window.cbport->currentText(), "COM1");
    EXPECT_EQ(window.Avanzamento->value(), 0);
    EXPECT_TRUE(window.LbButton2->isEnabled());
    EXPECT_EQ(window.Options->text(), "Options >>");
    for (QWidget* shown : {static_cast<QWidget*>(window.Avanzamento), static_cast<QWidget*>(window.cbport),
                           static_cast<QWidget*>(window.LbButton1), static_cast<QWidget*>(window.LbButton2)})
        EXPECT_TRUE(shown->isVisible()) << shown->objectName().toStdString();
    for (QWidget* hidden : {static_cast<QWidget*>(window.Label3), static_cast<QWidget*>(window.NewFileSx),
                            static_cast<QWidget*>(window.OpenFile), static_cast<QWidget*>(window.Options),
                            static_cast<QWidget*>(window.GbBank), static_cast<QWidget*>(window.DirFileBin),
                            static_cast<QWidget*>(window.ExeModFileSx), static_cast<QWidget*>(window.ExeUpdateFir)})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    EXPECT_EQ(Find<QComboBox>(&window, "Port:"), window.cbport);

    // The bottom edge on the screen's middle line, centred across.
    const QRect screen = window.screen()->geometry();
    EXPECT_EQ(window.frameGeometry().bottom() + 1, screen.y() + screen.height() / 2);
    EXPECT_EQ(window.frameGeometry().x(), screen.x() + screen.width() / 2 - window.frameGeometry().width() / 2);

    window.cbport->setCurrentIndex(2); // COM3
    Press();
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    const std::string composed = ReadAll(NewFirmware());
    std::string ones, twos;
    for (int k = 0; k < 32; ++k) ones += "01", twos += "02";
    EXPECT_NE(composed.find("S224388000" + ones), std::string::npos);
    EXPECT_NE(composed.find("S224398000" + twos), std::string::npos);
    EXPECT_EQ(composed.find("S2243A8000030303"), std::string::npos); // bank 3 is not merged
    EXPECT_EQ(window.Avanzamento->value(), window.Avanzamento->maximum());
    EXPECT_GT(window.Avanzamento->maximum(), 512);

    ASSERT_EQ(desktop.started.size(), 1u);
    EXPECT_EQ(desktop.started[0].program, ws.dir.Path() + "/ZoruvOdeza.exe");
    EXPECT_EQ(desktop.started[0].arguments, std::vector<std::string>{"\"" + NewFirmware() +
                                                                     "\"\xC2\xB6"
                                                                     "2"});
    EXPECT_EQ(desktop.started[0].workingDirectory, ws.project.MasterDir);

    // The next showing starts again from COM1.
    window.cbport->setCurrentIndex(4);
    QTest::mouseClick(window.LbButton1, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    Show(&window);
    EXPECT_EQ(window.cbport->currentText(), "COM1");
    EXPECT_EQ(window.Avanzamento->value(), 0);
}

TEST_F(DeviceUpdateWindowTest, MissingBaseFirmwareOrMasterKeepsTheButtonDisabled)
{
    std::filesystem::remove(ws.project.MasterDir + "/sx48802.sx");
    Show(&window);
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"Error! Firmware File not Found! Please reinstall the software."});
    EXPECT_EQ(sink.All()[0].kind, RecordingSink::Kind::Error);
    EXPECT_FALSE(window.LbButton2->isEnabled());
    window.hide();

    sink.Clear();
    std::filesystem::remove_all(ws.project.MasterDir);
    Show(&window);
    EXPECT_EQ(sink.Texts(),
              std::vector<std::string>{"Error! Firmware Directory not Found! Please reinstall the software."});
    EXPECT_FALSE(window.LbButton2->isEnabled());
}

TEST_F(DeviceUpdateWindowTest, AnAbandonedCompositionDoesNotFlashAnEarlierFirmware)
{
    ws.dir.Write("PROJECTS/P/New_sx48802.sx", "earlier");
    std::filesystem::remove(ws.project.ProjectDir + "/bin/bank1.bin");
    Show(&window);
    Press();
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"File bank1.bin Not Found,Abort Procedure"});
    EXPECT_TRUE(desktop.started.empty());
    EXPECT_EQ(ReadAll(NewFirmware()), "earlier");
}

TEST_F(DeviceUpdateWindowTest, WithoutTheFlasherTheCompositionStillCompletes)
{
    std::filesystem::remove(ws.dir.File("ZoruvOdeza.exe"));
    Show(&window);
    Press();
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"ZoruvOdeza.exe Not Found, Procedure Aborted"});
    EXPECT_TRUE(FileExists(NewFirmware()));
    EXPECT_TRUE(desktop.started.empty());
}

TEST_F(DeviceUpdateWindowTest, HiddenOptionsChooseBanksAndAnotherBaseFirmware)
{
    Show(&window);
    EXPECT_FALSE(window.Cbbank3->isHidden() && window.Cbbank1->isHidden());
    EXPECT_TRUE(window.Cbbank3->isHidden());
    window.OptionsClick();
    EXPECT_EQ(window.Options->text(), "<< Options");
    EXPECT_TRUE(window.Cbbank1->isVisible());
    window.Cbbank2->setChecked(false);
    window.OptionsClick();

    const std::string other = ws.dir.Write("other/base.sx", ReadAll(ws.project.MasterDir + "/sx48802.sx"));
    desktop.files.push_back(other);
    window.OpenFileClick();
    EXPECT_EQ(desktop.dialogs.back().directory, ws.project.MasterDir);
    EXPECT_EQ(desktop.dialogs.back().filterOrPreselected, "File Sx (*.Sx)|*.Sx");
    EXPECT_EQ(window.NewFileSx->text(), "New_base.sx");
    Press();
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    const std::string composed = ReadAll(ws.project.ProjectDir + "/New_base.sx");
    EXPECT_NE(composed.find("S2243880000101"), std::string::npos);
    EXPECT_EQ(composed.find("S2243980000202"), std::string::npos); // bank 2 unticked: passed through
    EXPECT_EQ(window.Cbbank1->palette().color(QPalette::Window), QColor(0xF8, 0xF7, 0xED));
}

TEST_F(DeviceUpdateWindowTest, TheStatusLineTellsTheVerificationAndTheFlashersStartAndAPressWaitsForIt)
{
    Show(&window);
    window.cbport->setCurrentIndex(2);
    Press();
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    // Every byte of the bank files is 1: one receive and one send frame.
    EXPECT_EQ(window.LabelStatus->text(),
              "New_sx48802.sx verified: 1 receive and 1 send frames\nZoruvOdeza.exe started on COM3");
    EXPECT_TRUE(window.LabelStatus->isVisible());
    ASSERT_EQ(desktop.started.size(), 1u);

    // A second press (a double-click) while that flasher runs starts nothing.
    desktop.lastStartedRunning = true;
    Press();
    EXPECT_EQ(desktop.started.size(), 1u);
    EXPECT_EQ(window.LabelStatus->text(),
              "ZoruvOdeza.exe is still running on COM3: wait until it has finished before the next update");
    desktop.lastStartedRunning = false;
    Press();
    EXPECT_EQ(desktop.started.size(), 2u);

    // Enter on the port list does not flash.
    window.cbport->setFocus();
    QTest::keyClick(window.cbport, Qt::Key_Return);
    QTest::keyClick(window.cbport, Qt::Key_Enter);
    EXPECT_EQ(desktop.started.size(), 2u);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(DeviceUpdateWindowTest, ABaseWithoutS9IsRefusedWithAMessageAndNothingIsFlashed)
{
    const std::string base = ReadAll(ws.project.MasterDir + "/sx48802.sx");
    ws.PutBaseFirmware(base.substr(0, base.rfind("S9")));
    ws.dir.Write("PROJECTS/P/New_sx48802.sx", "earlier");
    Show(&window);
    Press();
    ASSERT_EQ(sink.Texts().size(), 1u);
    EXPECT_NE(sink.Last().find("S9"), std::string::npos) << sink.Last();
    EXPECT_EQ(window.LabelStatus->text().toStdString(), sink.Last());
    EXPECT_TRUE(desktop.started.empty());
    EXPECT_EQ(ReadAll(NewFirmware()), "earlier");
}

} // namespace
