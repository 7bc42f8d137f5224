// "Up date Device" on the main window: the build steps, then the device update window.
#include "FirmwareFixture.h"

#include "app/TFZuzududadaeFirmWare.h"
#include "app/cli/Commands.h"
#include "common/FileSystem.h"
#include "firmware/BuildLock.h"
#include "firmware/widgets/TFModifyFileSx.h"
#include "gateway/GatewayProject.h"
#include "projectcheck/ProjectCheck.h"
#include "support/GuiTest.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <sys/wait.h>

namespace {

// Counts the modal windows shown while it lives and closes each one as soon as its loop runs,
// so a press that wrongly opens a window still returns.
class ModalCounter : public QObject {
public:
    ModalCounter() { qApp->installEventFilter(this); }
    ~ModalCounter() override { qApp->removeEventFilter(this); }
    int shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && widget && widget->isWindow() && widget->isModal()) {
            ++shown;
            QMetaObject::invokeMethod(
                widget, [widget] { widget->close(); }, Qt::QueuedConnection);
        }
        return false;
    }
};

class UpdateDeviceTest : public ::testing::Test {
protected:
    FirmwareWorkspace ws;
    RecordingSink sink;
    ScopedMessageSink scope{sink};
    ScriptedDesktop desktop;
    ScopedDesktop desktopScope{desktop};
    std::unique_ptr<TFZuzududadaeFirmWare> window;

    void SetUp() override
    {
        ws.PutDemoBaseFirmware();
        ws.dir.Write("Zuzududada_TRVX.ini", "[lastproj]\r\nprojectname=P\r\n");
        ws.dir.Write("ZoruvOdeza.exe", "stand-in");
        ws.dir.Write("PROJECTS/P/pargen.xml", DefaultPargen());
    }
    void Start()
    {
        window = std::make_unique<TFZuzududadaeFirmWare>(ws.dir.Path());
        window->SetWindows(CreateWindows({window->Context(), window->OpenExcel(), window.get()}));
        window->show();
    }
    std::string Bin(const std::string& name) const { return ws.project.ProjectDir + "/bin/" + name; }
    // "Up date Device" on the project in `dir`, closing the device update window at once; the
    // project check's verdict it shows.
    std::string UpdateDevice(const std::string& dir)
    {
        window->Context().ProjectDir = dir;
        window->Context().UpdateProjectFiles();
        std::string verdict;
        WhileModal([&] { window->CreateBin->click(); },
                   [&](QWidget* modal) {
                       auto* update = qobject_cast<TFModifyFileSx*>(modal);
                       ASSERT_NE(update, nullptr);
                       verdict = update->LabelCheck->text().toStdString();
                       update->LbButton1->click();
                   });
        return verdict;
    }
    std::vector<std::string> BuiltFiles() const
    {
        std::vector<std::string> files;
        for (const char* name : {"bank1.bin", "bank2.bin", "bank3.bin", "bank4.bin", "bank5.bin", "bankg.c"})
            files.push_back(ReadAll(Bin(name)));
        return files;
    }
};

TEST_F(UpdateDeviceTest, BuildStepsRunBeforeTheDeviceUpdateWindowOpens)
{
    ws.dir.Write("PROJECTS/P/Send_Frame.xml", RowsDocument("Receive_Frames", {FrameXmlRow("0x201", "4")}));
    ws.dir.Write("PROJECTS/P/Send_Info.xml", RowsDocument("Send_Frames_Info", {InfoRow(16)}));
    Start();
    WhileModal([&] { window->CreateBin->click(); },
               [&](QWidget* modal) {
                   auto* update = qobject_cast<TFModifyFileSx*>(modal);
                   ASSERT_NE(update, nullptr);
                   EXPECT_EQ(ReadAll(Bin("bank1.bin")).substr(5000, 5), std::string("\x01\x02\0\0\x04", 5));
                   EXPECT_EQ(ReadAll(Bin("bankg.c")).size(), 117824u);
                   EXPECT_EQ(window->Labelstate->text(), "--");
                   update->cbport->setCurrentIndex(1);
                   update->LbButton2->click();
                   update->LbButton1->click();
               });
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    ASSERT_EQ(desktop.started.size(), 1u);
    EXPECT_EQ(desktop.started[0].arguments, std::vector<std::string>{"\"" + ws.project.ProjectDir +
                                                                     "/New_sx48802.sx\"\xC2\xB6"
                                                                     "1"});
}

TEST_F(UpdateDeviceTest, AProjectBuiltAfterAnotherGivesTheFilesOfAFreshCommandLineBuild)
{
    std::vector<Row> frames, mappings;
    for (int i = 0; i < 10; ++i)
        frames.push_back(FrameXmlRow(std::to_string(0x181 + i), "8")), mappings.push_back(InfoRow(i));
    ws.dir.Write("PROJECTS/Q/Receive_Frame.xml", RowsDocument("Receive_Frames", frames));
    ws.dir.Write("PROJECTS/Q/Receive_Info.xml", RowsDocument("Receive_Frames_Info", mappings));
    ws.dir.MakeDir("PROJECTS/Q/bin");
    frames.resize(4), mappings.resize(4);
    ws.dir.Write("PROJECTS/P/Receive_Frame.xml", RowsDocument("Receive_Frames", frames));
    ws.dir.Write("PROJECTS/P/Receive_Info.xml",
                 RowsDocument("Receive_Frames_Info", {InfoRow(9), InfoRow(9), InfoRow(9), InfoRow(9)}));
    Start();
    // Q has no pargen.xml: its parameter block is zero, unlike P's.
    EXPECT_EQ(UpdateDevice(ws.dir.File("PROJECTS/Q")),
              ProjectCheckVerdict(LoadGatewayProject(ProjectLayout::Of(ws.dir.File("PROJECTS/Q")))));
    EXPECT_EQ(UpdateDevice(ws.project.ProjectDir), ProjectCheckVerdict(LoadGatewayProject(ws.project)));
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    const std::vector<std::string> inWindow = BuiltFiles();
    EXPECT_EQ(inWindow[0].substr(4 * 14, 4), std::string(4, '\0')); // no record 5 from Q

    EXPECT_EQ(kBuildCommand.Run({"--app-dir", ws.dir.Path(), ws.project.ProjectDir}), 0);
    EXPECT_EQ(BuiltFiles(), inWindow);
}

TEST_F(UpdateDeviceTest, AFailureEndsThePressBeforeTheWindow)
{
    ws.dir.Write("PROJECTS/P/Receive_Frame.xml", RowsDocument("Receive_Frames", {FrameXmlRow("0x181", "abc")}));
    ws.dir.Write("PROJECTS/P/Receive_Info.xml", RowsDocument("Receive_Frames_Info", {InfoRow(0)}));
    Start();
    ModalCounter modals;
    window->CreateBin->click();
    EXPECT_EQ(modals.shown, 0);
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"'abc' is not a valid integer value."});
    EXPECT_EQ(sink.All()[0].kind, RecordingSink::Kind::ApplicationError);
    EXPECT_EQ(window->Labelstate->text(), "Wait..");
    EXPECT_FALSE(FileExists(Bin("bank1.bin")));
}

TEST_F(UpdateDeviceTest, ABankFileTheBuildCouldNotWriteStopsTheCompositionNotTheBuild)
{
    const std::string readOnly(16384, '\x07');
    ws.dir.Write("PROJECTS/P/bin/bank1.bin", readOnly);
    std::filesystem::permissions(Bin("bank1.bin"), std::filesystem::perms::owner_read);
    Start();
    WhileModal([&] { window->CreateBin->click(); },
               [&](QWidget* modal) {
                   auto* update = qobject_cast<TFModifyFileSx*>(modal);
                   ASSERT_NE(update, nullptr);
                   EXPECT_TRUE(sink.Empty()) << sink.Last(); // the bank file step itself stays silent
                   // While the window is open another process cannot take the project's lock.
                   const std::string lockFile = ws.project.ProjectDir + "/" + kBuildLockName;
                   const int status = std::system(("flock -n '" + lockFile + "' true").c_str());
                   EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
                   update->LbButton2->click();
                   update->LbButton1->click();
               });
    ASSERT_EQ(sink.Texts().size(), 1u);
    EXPECT_NE(sink.Last().find("bank1.bin was not written by this build"), std::string::npos) << sink.Last();
    EXPECT_NE(sink.Last().find("Permission denied"), std::string::npos) << sink.Last();
    EXPECT_TRUE(desktop.started.empty());
    EXPECT_FALSE(FileExists(ws.project.ProjectDir + "/New_sx48802.sx"));
    EXPECT_EQ(ReadAll(Bin("bank1.bin")), readOnly);
}

} // namespace
