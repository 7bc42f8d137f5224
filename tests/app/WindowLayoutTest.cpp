// Every window of the application: it fits a 1366 x 768 screen with its title bar, opens with
// the focus where typing starts, and names each field, list and group by its visible text.
#include "app/TFAbout.h"
#include "app/TFHelp.h"
#include "app/TFZuzududadaeFirmWare.h"
#include "app/TFsaveproj.h"
#include "common/MessageSink.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr int kScreenWidth = 1366;
constexpr int kScreenHeight = 768;
constexpr int kTitleBar = 40; // a generous title bar and frame

class WindowLayoutTest : public ::testing::Test {
protected:
    WindowLayoutTest()
    {
        app.Write("PROJECTS/Demo/pargen.xml", "<Par_Gen/>");
        window = std::make_unique<TFZuzududadaeFirmWare>(app.Path());
        window->SetWindows(CreateWindows({window->Context(), window->OpenExcel(), window.get()}));
        window->show();
    }

    std::vector<QDialog*> Dialogs() const
    {
        const WindowSet& w = window->Windows();
        std::vector<QDialog*> all{w.Fsaveproj, w.FHelp,   w.FAbout,     w.FSELstringhe, w.FModifyFileSx, w.Fpargen,
                                  w.Fsdo,      w.Fpdo,    w.Femcy,      w.FWemcy,       w.FXML,          w.FInfopdo,
                                  w.FSetVar,   w.FSetPdo, w.F_Rec_Info, w.F_Sen_Info};
        std::erase(all, nullptr);
        return all;
    }

    RecordingSink sink;
    ScopedMessageSink scope{sink};
    ScriptedDesktop desktop;
    ScopedDesktop desktopScope{desktop};
    TempDir app;
    std::unique_ptr<TFZuzududadaeFirmWare> window;
};

TEST_F(WindowLayoutTest, EveryWindowFitsTheSmallScreenWithItsTitleBar)
{
    EXPECT_LE(window->width(), kScreenWidth);
    EXPECT_LE(window->height() + kTitleBar, kScreenHeight);
    for (QDialog* dialog : Dialogs())
        WhileShown(dialog, [](QWidget* shown) {
            const std::string title = shown->windowTitle().toStdString();
            EXPECT_LE(shown->width(), kScreenWidth) << title;
            EXPECT_LE(shown->height() + kTitleBar, kScreenHeight) << title;
            EXPECT_LE(shown->minimumSizeHint().height() + kTitleBar, kScreenHeight) << title;
        });
}

TEST_F(WindowLayoutTest, EveryWindowOpensWithTheFocusWhereTypingStarts)
{
    for (QDialog* dialog : Dialogs())
        WhileShown(dialog, [](QWidget* shown) {
            const std::string title = shown->windowTitle().toStdString();
            QWidget* focus = shown->focusWidget();
            ASSERT_NE(focus, nullptr) << title;
            EXPECT_EQ(qobject_cast<QTabBar*>(focus), nullptr) << title << ": the focus is on a page tab";
            const bool field = qobject_cast<QLineEdit*>(focus) || qobject_cast<QAbstractItemView*>(focus) ||
                               qobject_cast<QTextEdit*>(focus) || qobject_cast<QComboBox*>(focus) ||
                               qobject_cast<QAbstractSpinBox*>(focus);
            // A window without any field (the about box) starts on its button.
            const bool hasField = !shown->findChildren<QLineEdit*>().isEmpty() ||
                                  !shown->findChildren<QAbstractItemView*>().isEmpty() ||
                                  !shown->findChildren<QTextEdit*>().isEmpty();
            if (hasField) {
                EXPECT_TRUE(field) << title << ": the focus is on " << focus->metaObject()->className();
            }
        });
}

TEST_F(WindowLayoutTest, EveryFieldListAndGroupCarriesItsOwnVisibleTextAsItsName)
{
    for (QDialog* dialog : Dialogs())
        WhileShown(dialog, [](QWidget* shown) {
            const std::string title = shown->windowTitle().toStdString();
            for (QWidget* widget : shown->findChildren<QWidget*>()) {
                if (widget->window() != shown || qobject_cast<QHeaderView*>(widget)) continue;
                if (qobject_cast<QAbstractItemView*>(widget) && qobject_cast<QComboBox*>(widget->parentWidget()))
                    continue;
                if (auto* group = qobject_cast<QGroupBox*>(widget)) {
                    EXPECT_FALSE(group->accessibleName().isEmpty())
                        << title << ": group " << group->title().toStdString();
                    continue;
                }
                const bool field = qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractItemView*>(widget) ||
                                   qobject_cast<QTextEdit*>(widget) || qobject_cast<QComboBox*>(widget) ||
                                   qobject_cast<QAbstractSpinBox*>(widget);
                if (field && !qobject_cast<QLineEdit*>(widget->parentWidget()) &&
                    !qobject_cast<QComboBox*>(widget->parentWidget()) &&
                    !qobject_cast<QAbstractSpinBox*>(widget->parentWidget())) {
                    EXPECT_FALSE(widget->accessibleName().isEmpty())
                        << title << ": " << widget->metaObject()->className() << " "
                        << widget->objectName().toStdString();
                }
            }
        });
}

TEST_F(WindowLayoutTest, EditXmlOpensWithItsTextSelectedSoTypingReplacesIt)
{
    TFsaveproj* dialog = window->Windows().Fsaveproj;
    std::optional<std::string> edited;
    WhileModal([&] { edited = dialog->EditText("old text"); },
               [&](QWidget*) {
                   EXPECT_EQ(Focused(), dialog->Edit1);
                   EXPECT_EQ(dialog->Edit1->selectedText(), QStringLiteral("old text"));
                   Type(QStringLiteral("new"));
                   Press(Qt::Key_Return);
               });
    EXPECT_EQ(edited, std::optional<std::string>("new"));
}

TEST_F(WindowLayoutTest, HelpShowsRichTextFormatted)
{
    app.Write("help2.dat", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard\\sa240\\f0\\fs32 Title\\par"
                           "\\pard\\fs20 Plain \\b bold\\b0 , \\i italic\\i0  and \\ul underlined\\ulnone .\\par}");
    TFHelp* help = window->Windows().FHelp;
    help->show();
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    EXPECT_TRUE(help->RichEdit1->isReadOnly());
    QTextDocument* document = help->RichEdit1->document();
    EXPECT_EQ(help->RichEdit1->toPlainText(), QStringLiteral("Title\nPlain bold, italic and underlined.\n"));
    const auto formatAt = [&](const QString& word) {
        QTextCursor cursor(document);
        cursor.setPosition(int(document->toPlainText().indexOf(word)) + 1);
        return cursor.charFormat();
    };
    EXPECT_DOUBLE_EQ(formatAt(QStringLiteral("Title")).fontPointSize(), 16.0);
    EXPECT_DOUBLE_EQ(formatAt(QStringLiteral("Plain")).fontPointSize(), 10.0);
    EXPECT_EQ(formatAt(QStringLiteral("Plain")).fontWeight(), QFont::Normal);
    EXPECT_EQ(formatAt(QStringLiteral("bold")).fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatAt(QStringLiteral("italic")).fontItalic());
    EXPECT_FALSE(formatAt(QStringLiteral("bold")).fontItalic());
    EXPECT_TRUE(formatAt(QStringLiteral("underlined")).fontUnderline());
    EXPECT_EQ(document->begin().blockFormat().bottomMargin(), 16.0); // 240 twips
    help->hide();
}

} // namespace
