// The XML window as the application wires it: opened from the Tools menu, editing through
// the new project dialog in its text-edit mode.
#include "app/TFZuzududadaeFirmWare.h"
#include "app/TFsaveproj.h"
#include "common/FileSystem.h"
#include "common/MessageSink.h"
#include "common/ProjectContext.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"
#include "xmltools/widgets/TFSELstringhe.h"
#include "xmltools/widgets/TFXML.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

TEST(XmlToolInApplication, ToolsMenuOpensTheWindowAndF2EditsThroughTheDialog)
{
    RecordingSink sink;
    ScopedMessageSink sinkScope(sink);
    ScriptedDesktop desktop;
    ScopedDesktop desktopScope(desktop);
    TempDir app;
    TFZuzududadaeFirmWare window(app.Path());
    window.SetWindows(CreateWindows({window.Context(), window.OpenExcel(), &window}));
    window.show();
    ASSERT_NE(qobject_cast<TFSELstringhe*>(window.Windows().FSELstringhe), nullptr);
    window.Context().ProjectDir = app.MakeDir("PROJECTS/Line4");
    desktop.files.push_back(app.Write("in/pargen.xml", "<pargen><Baud_Can>3</Baud_Can></pargen>"));

    EXPECT_EQ(window.actXml->text().remove(QLatin1Char('&')), QStringLiteral("XML Reader  Writer"));
    WhileModal([&] { window.actXml->trigger(); },
               [&](QWidget* modal) {
                   auto* xml = qobject_cast<TFXML*>(modal);
                   ASSERT_NE(xml, nullptr);
                   EXPECT_EQ(xml->windowTitle(), QStringLiteral("XML Reader & Writer"));
                   xml->btnopen->click();
                   xml->btnFullExpand->click();
                   xml->TvXml->setCurrentItem(xml->TvXml->topLevelItem(0)->child(0)->child(0));
                   WhileModal([&] { QTest::keyClick(xml->TvXml, Qt::Key_F2); },
                              [&](QWidget* dialog) {
                                  auto* edit = qobject_cast<TFsaveproj*>(dialog);
                                  ASSERT_NE(edit, nullptr);
                                  EXPECT_EQ(edit->windowTitle(), QStringLiteral("Edit XML"));
                                  EXPECT_EQ(edit->Edit1->text(), QStringLiteral("Baud_Can = 3"));
                                  edit->Edit1->setText(QStringLiteral("Baud_Can = 5"));
                                  edit->bitbtn1->click();
                              });
                   xml->btnWrite->click();
                   xml->close();
               });
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    EXPECT_EQ(ReadAll(window.Context().ProjectDir + "/pargen.xml"),
              "<pargen>\r\n  <Baud_Can>5</Baud_Can>\r\n</pargen>\r\n");
}

} // namespace
