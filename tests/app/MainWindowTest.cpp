#include "app/TFAbout.h"
#include "app/TFHelp.h"
#include "app/TFZuzududadaeFirmWare.h"
#include "app/TFsaveproj.h"
#include "common/MessageSink.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>
#include <memory>

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void Start()
    {
        window = std::make_unique<TFZuzududadaeFirmWare>(app.Path());
        window->SetWindows(CreateWindows({window->Context(), window->OpenExcel(), window.get()}));
        window->show();
    }
    void Restart()
    {
        window->close();
        Start();
    }
    std::string Caption() const { return window->windowTitle().toStdString(); }
    std::string Settings() const { return ReadAll(app.File("Zuzududada_TRVX.ini")); }

    // Presses "New project", types the name and presses OK (then Cancel when refused).
    void NewProject(const QString& name, bool cancel = false)
    {
        WhileModal([&] { window->New->click(); },
                   [&](QWidget* modal) {
                       auto* dialog = qobject_cast<TFsaveproj*>(modal);
                       ASSERT_NE(dialog, nullptr);
                       EXPECT_EQ(dialog->windowTitle(), QStringLiteral("New project"));
                       QTest::keyClicks(dialog->Edit1, name);
                       (cancel ? dialog->bitbtn2 : dialog->bitbtn1)->click();
                       if (dialog->isVisible()) dialog->bitbtn2->click();
                   });
    }

    RecordingSink sink;
    ScopedMessageSink scope{sink};
    ScriptedDesktop desktop;
    ScopedDesktop desktopScope{desktop};
    TempDir app;
    std::unique_ptr<TFZuzududadaeFirmWare> window;
};

TEST_F(MainWindowTest, FirstStartWorksInProjectsAndCloseStoresAnEmptyName)
{
    Start();
    EXPECT_EQ(Caption(), "Norvale Zuzududada_GX48802_TRAVEX");
    EXPECT_EQ(window->Context().PargenFile, app.File("PROJECTS/pargen.xml"));
    EXPECT_EQ(window->OpenExcel().InitialDir, app.File("PROJECTS"));
    window->LbButton1->click();
    EXPECT_EQ(Settings(), "[lastproj]\r\nprojectname=\r\n");
    EXPECT_TRUE(sink.Empty());
}

TEST_F(MainWindowTest, NewProjectShowsTheBareNameUntilTheNextStart)
{
    Start();
    NewProject(QStringLiteral("Line5"));
    EXPECT_EQ(Caption(), "Norvale Zuzududada_GX48802_TRAVEX :Line5");
    EXPECT_EQ(window->Context().ProjectDir, app.File("PROJECTS/Line5"));
    EXPECT_EQ(window->OpenExcel().InitialDir, app.File("PROJECTS/Line5"));
    Restart();
    EXPECT_EQ(Settings(), "[lastproj]\r\nprojectname=Line5\r\n");
    EXPECT_EQ(Caption(), "Norvale Zuzududada_GX48802_TRAVEX :/Line5");
}

TEST_F(MainWindowTest, RefusedNewProjectKeepsTheDialogOpenAndCancelClearsTheCaptionName)
{
    Start();
    NewProject(QStringLiteral("Line5"));
    WhileModal([&] { window->New->click(); },
               [&](QWidget* modal) {
                   auto* dialog = qobject_cast<TFsaveproj*>(modal);
                   EXPECT_TRUE(dialog->Edit1->text().isEmpty());
                   dialog->bitbtn1->click(); // empty name
                   EXPECT_TRUE(dialog->isVisible());
                   QTest::keyClicks(dialog->Edit1, QStringLiteral("Line5"));
                   dialog->bitbtn1->click(); // exists
                   EXPECT_TRUE(dialog->isVisible());
                   EXPECT_EQ(dialog->Edit1->text(), QStringLiteral("Line5"));
                   dialog->bitbtn2->click();
               });
    EXPECT_EQ(sink.Texts(), (std::vector<std::string>{"Name project not valid",
                                                      "Name project not valid because directory already exists"}));
    EXPECT_EQ(Caption(), "Norvale Zuzududada_GX48802_TRAVEX :");
    EXPECT_EQ(window->Context().ProjectName, "Line5"); // the project stays open
}

TEST_F(MainWindowTest, OpenProjectAsksForAFolderBelowProjects)
{
    app.MakeDir("PROJECTS/Line4");
    Start();
    desktop.folders.push_back(app.File("PROJECTS/Line4"));
    window->open->click();
    ASSERT_EQ(desktop.dialogs.size(), 1u);
    EXPECT_EQ(desktop.dialogs[0].title, "Select directory of project");
    EXPECT_EQ(desktop.dialogs[0].directory, app.File("PROJECTS"));
    EXPECT_EQ(Caption(), "Norvale Zuzududada_GX48802_TRAVEX :/Line4");
    EXPECT_EQ(window->Context().SendFrameFile, app.File("PROJECTS/Line4/Send_Frame.xml"));
    window->close();
    EXPECT_EQ(Settings(), "[lastproj]\r\nprojectname=/Line4\r\n");
}

TEST_F(MainWindowTest, StepButtonsRefuseWithoutAProject)
{
    app.MakeDir("PROJECTS/Gone");
    app.Write("Zuzududada_TRVX.ini", "[lastproj]\r\nprojectname=Gone\r\n");
    Start();
    EXPECT_EQ(Caption(), "Norvale Zuzududada_GX48802_TRAVEX :/Gone");
    std::filesystem::remove(app.File("PROJECTS/Gone"));
    window->open->click(); // cancelled: the vanished project is cleared
    EXPECT_EQ(window->Context().ProjectDir, "");
    EXPECT_EQ(Caption(), "Norvale Zuzududada_GX48802_TRAVEX :");
    for (QPushButton* b :
         {window->btn_Prm_Gen, window->btn_Sdo, window->btn_RecInfo, window->Btn_SetPDO, window->btn_SenInfo})
        b->click();
    window->actSdo->trigger();
    window->actEmcy->trigger();
    EXPECT_EQ(sink.Texts(), std::vector<std::string>(7, "Project not valid"));
}

TEST_F(MainWindowTest, AboutShowsTheCodesAndOpensTheMakersPage)
{
    Start();
    WhileModal([&] { window->about->click(); },
               [&](QWidget* modal) {
                   auto* about = qobject_cast<TFAbout*>(modal);
                   ASSERT_NE(about, nullptr);
                   EXPECT_EQ(about->windowTitle(), QStringLiteral("About..."));
                   EXPECT_EQ(about->Label10->text(), QStringLiteral("1.300"));
                   EXPECT_EQ(about->Label9->text(), QStringLiteral("GX48802"));
                   EXPECT_EQ(about->Label12->text(), QStringLiteral("DC48802"));
                   EXPECT_FALSE(about->Label5->isVisible());
                   about->Label4Click();
                   about->LbButton1->click();
               });
    ASSERT_EQ(desktop.links.size(), 1u);
    EXPECT_EQ(desktop.links[0].rfind("https://", 0), 0u);
}

// The other windows are made once, after the main window is on the screen, or at their first
// use when that comes first.
TEST_F(MainWindowTest, MakesTheOtherWindowsOnceAfterTheFirstFrameOrAtFirstUse)
{
    int made = 0;
    const auto factory = [&] {
        ++made;
        return CreateWindows({window->Context(), window->OpenExcel(), window.get()});
    };
    window = std::make_unique<TFZuzududadaeFirmWare>(app.Path());
    window->SetWindowFactory(factory);
    EXPECT_EQ(made, 0);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QTRY_COMPARE(made, 1);
    EXPECT_NE(window->Windows().FAbout, nullptr);

    window = std::make_unique<TFZuzududadaeFirmWare>(app.Path());
    window->SetWindowFactory(factory);
    WhileModal([&] { window->about->click(); },
               [&](QWidget* modal) {
                   EXPECT_NE(qobject_cast<TFAbout*>(modal), nullptr);
                   modal->close();
               });
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QTest::qWait(10);
    EXPECT_EQ(made, 2);
}

TEST_F(MainWindowTest, HelpReadsHelp2DatAsTextOrRichText)
{
    Start();
    auto* help = window->Windows().FHelp;
    help->show();
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"Impossible to read file Help"});
    EXPECT_TRUE(help->RichEdit1->toPlainText().isEmpty());
    help->hide();
    app.Write("help2.dat", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Step 1\\par Caf\\'e9 \\b bold\\b0\\par}");
    help->show();
    EXPECT_EQ(help->RichEdit1->toPlainText(), QString::fromUtf8("Step 1\nCaf\xC3\xA9 bold\n"));
    help->hide();
    app.Write("help2.dat", "Plain\r\ntext");
    help->show();
    EXPECT_EQ(help->RichEdit1->toPlainText(), QStringLiteral("Plain\ntext"));
}

TEST_F(MainWindowTest, TextEditModeEditsOneLine)
{
    Start();
    TFsaveproj* dialog = window->Windows().Fsaveproj;
    std::optional<std::string> edited;
    WhileModal([&] { edited = dialog->EditText("abc"); },
               [&](QWidget*) {
                   EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Edit XML"));
                   EXPECT_FALSE(dialog->Label1->isVisible());
                   EXPECT_EQ(dialog->Edit1->text(), QStringLiteral("abc"));
                   QTest::keyClick(dialog->Edit1, Qt::Key_End);
                   QTest::keyClicks(dialog->Edit1, QStringLiteral("d"));
                   dialog->bitbtn1->click();
               });
    EXPECT_EQ(edited, std::optional<std::string>("abcd"));
    EXPECT_TRUE(sink.Empty());
}

} // namespace
