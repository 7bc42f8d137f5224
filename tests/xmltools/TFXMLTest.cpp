#include "xmltools/widgets/TFXML.h"
#include "common/FileSystem.h"
#include "common/MessageSink.h"
#include "common/ProjectContext.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"
#include "xmltools/widgets/XmlTreeImages.h"

#include <QImage>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

const char* const kEmcyDef = "<emcydef>\r\n"
                             "  <row bypass_set=\"33\" code=\"0x1000\" note=\"\"/>\r\n"
                             "  <row bypass_set=\"34\" code=\"$2000\" note=\"x &amp; y\"/>\r\n"
                             "</emcydef>\r\n";

// The window with a project directory, recorded messages and scripted dialogs. The text
// editor stands for the new project dialog in its text-edit mode.
struct XmlWindow : ::testing::Test {
    TempDir dir;
    ProjectContext context;
    RecordingSink sink;
    ScopedMessageSink sinkScope{sink};
    ScriptedDesktop desktop;
    ScopedDesktop desktopScope{desktop};
    std::vector<std::string> edited;                // texts the editor was given
    std::deque<std::optional<std::string>> answers; // what the editor returns
    TFXML window{context, [this](const std::string& text) {
                     edited.push_back(text);
                     if (answers.empty()) return std::optional<std::string>();
                     auto answer = answers.front();
                     answers.pop_front();
                     return answer;
                 }};

    XmlWindow()
    {
        context.ProjectDir = dir.MakeDir("PROJECTS/Line4");
        window.show();
    }

    void Open(const std::string& path)
    {
        desktop.files.push_back(path);
        window.btnopen->click();
    }

    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        std::vector<std::pair<QTreeWidgetItem*, int>> pending;
        for (int i = window.TvXml->topLevelItemCount() - 1; i >= 0; --i)
            pending.emplace_back(window.TvXml->topLevelItem(i), 0);
        while (!pending.empty()) {
            auto [item, depth] = pending.back();
            pending.pop_back();
            lines.push_back(std::string(static_cast<std::size_t>(depth) * 2, ' ') + item->text(0).toStdString() + " [" +
                            std::to_string(item->data(0, TFXML::kImageRole).toInt()) + "]");
            for (int i = item->childCount() - 1; i >= 0; --i) pending.emplace_back(item->child(i), depth + 1);
        }
        return lines;
    }

    void PressF2() { QTest::keyClick(window.TvXml, Qt::Key_F2); }
};

TEST_F(XmlWindow, OpenShowsTheTreeWithTextsAndPictureNumbers)
{
    const std::string path =
        dir.Write("elsewhere/emcydef.xml", std::string("<?xml version='1.0'?><?style a?>") + kEmcyDef);
    Open(path);
    ASSERT_EQ(desktop.dialogs.size(), 1u);
    EXPECT_EQ(desktop.dialogs[0].title, "Open XML File");
    EXPECT_EQ(desktop.dialogs[0].filterOrPreselected, "XML Files (*.xml)|*.xml");
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "File: emcydef.xml [0]", "  XMLDeclaration [8]", "    version = 1.0 [4]",
                           "  styleProcessingInstruction = a [6]", "  emcydef [2]", "    row [2]",
                           "      bypass_set = 33 [4]", "      code = 0x1000 [4]", "      note [4]", "    row [2]",
                           "      bypass_set = 34 [4]", "      code = $2000 [4]", "      note = x & y [4]"}));
    EXPECT_FALSE(window.TvXml->topLevelItem(0)->isExpanded()) << "nothing is expanded";
    EXPECT_TRUE(window.TvXml->selectedItems().isEmpty()) << "nothing is selected";
    window.btnFullExpand->click();
    EXPECT_TRUE(window.TvXml->topLevelItem(0)->child(2)->child(1)->isExpanded());
    EXPECT_TRUE(window.btnopen->isEnabled());
}

TEST_F(XmlWindow, AParseErrorKeepsTheTreeAndReenablesOpen)
{
    Open(dir.Write("good.xml", "<r a='1'/>"));
    const auto before = Lines();
    Open(dir.Write("bad.xml", "<r><x></r>"));
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"End tag name \"r\" does not match start tag name \"x\"."});
    EXPECT_EQ(sink.All().back().kind, RecordingSink::Kind::ApplicationError);
    EXPECT_EQ(Lines(), before);
    EXPECT_TRUE(window.btnopen->isEnabled());
    sink.Clear();
    Open(dir.File("missing.xml"));
    EXPECT_EQ(sink.All().size(), 1u) << "an unreadable file is reported";
    EXPECT_EQ(Lines(), before);
    sink.Clear();
    window.btnopen->click(); // cancelled: no answer scripted
    EXPECT_TRUE(sink.Empty());
    EXPECT_TRUE(window.btnopen->isEnabled());
    EXPECT_EQ(Lines(), before);
}

TEST_F(XmlWindow, EveryShowingStartsWithAnEmptyTree)
{
    Open(dir.Write("good.xml", "<r/>"));
    window.hide();
    window.show();
    EXPECT_EQ(window.TvXml->topLevelItemCount(), 0);
}

TEST_F(XmlWindow, WritingAProjectDocumentBackGivesTheSameDocument)
{
    // A document as the document layer writes it comes back byte for byte.
    ProjectDocument original(Discipline::Guarded);
    original.LoadText(kEmcyDef, "emcydef.xml");
    const std::string source = dir.Write("elsewhere/emcydef.xml", original.Serialize());
    Open(source);
    window.btnWrite->click();
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    EXPECT_EQ(ReadAll(context.ProjectDir + "/emcydef.xml"), ReadAll(source));
    EXPECT_TRUE(window.btnWrite->isEnabled());
}

TEST_F(XmlWindow, AnEditedNodeIsWrittenAndF2OnTheTopNodeRenamesTheFile)
{
    Open(dir.Write("elsewhere/emcydef.xml", kEmcyDef));
    QTreeWidgetItem* top = window.TvXml->topLevelItem(0);
    QTreeWidgetItem* attribute = top->child(0)->child(0)->child(0);
    window.TvXml->setCurrentItem(attribute);
    answers.push_back("bypass_set = 99");
    PressF2();
    EXPECT_EQ(edited, std::vector<std::string>{"bypass_set = 33"});
    EXPECT_EQ(attribute->text(0).toStdString(), "bypass_set = 99");

    window.TvXml->setCurrentItem(top);
    answers.push_back("File: copy.xml");
    PressF2();
    window.btnWrite->click();
    EXPECT_FALSE(FileExists(context.ProjectDir + "/emcydef.xml"));
    const std::string written = ReadAll(context.ProjectDir + "/copy.xml");
    EXPECT_NE(written.find("<row bypass_set=\"99\" code=\"0x1000\" note=\"\"/>"), std::string::npos) << written;
}

TEST_F(XmlWindow, ACancelledEditAndAnEditWithoutSelectionChangeNothing)
{
    Open(dir.Write("t.xml", "<r a='1'/>"));
    PressF2();
    EXPECT_TRUE(edited.empty()) << "nothing is selected";
    QTreeWidgetItem* top = window.TvXml->topLevelItem(0);
    window.TvXml->setCurrentItem(top);
    PressF2(); // the editor answers Cancel
    EXPECT_EQ(edited.size(), 1u);
    EXPECT_EQ(top->text(0).toStdString(), "File: t.xml");
}

TEST_F(XmlWindow, TheRightButtonEditsTheNodeSelectedBefore)
{
    Open(dir.Write("t.xml", "<r a='1'><b/></r>"));
    window.btnFullExpand->click();
    QTreeWidgetItem* root = window.TvXml->topLevelItem(0)->child(0);
    QTreeWidgetItem* b = root->child(1);
    window.TvXml->setCurrentItem(root);
    answers.push_back("renamed");
    const QRect cell = window.TvXml->visualItemRect(b);
    QTest::mouseClick(window.TvXml->viewport(), Qt::RightButton, {}, cell.center());
    EXPECT_EQ(edited, std::vector<std::string>{"r"});
    EXPECT_EQ(root->text(0).toStdString(), "renamed");
    EXPECT_EQ(window.TvXml->currentItem(), root) << "the selection does not follow the right click";
}

TEST_F(XmlWindow, WritingStartsAtTheFirstElementAndLeavesOutDeclarationAndInstructions)
{
    Open(dir.Write("t.xml", "<?xml version='1.0'?><?p x?><r v='1'>t<?q y?><s>u</s></r><?z?>"));
    window.btnWrite->click();
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    EXPECT_EQ(ReadAll(context.ProjectDir + "/t.xml"), "<r v=\"1\">t<s>u</s></r>\r\n");
}

TEST_F(XmlWindow, WritingNothingOrWhatCannotBeWritten)
{
    window.btnWrite->click();
    EXPECT_TRUE(sink.Empty()) << "an empty tree writes nothing and shows nothing";
    EXPECT_TRUE(window.btnWrite->isEnabled());

    Open(dir.Write("t.xml", "<r/>"));
    QTreeWidgetItem* r = window.TvXml->topLevelItem(0)->child(0);
    window.TvXml->setCurrentItem(r);
    answers.push_back("not a name");
    PressF2();
    window.btnWrite->click();
    EXPECT_FALSE(FileExists(context.ProjectDir + "/t.xml"));
    EXPECT_EQ(sink.All().size(), 1u) << "a refused write is reported";
    EXPECT_TRUE(window.btnWrite->isEnabled());

    sink.Clear();
    answers.push_back("r");
    PressF2();
    window.TvXml->setCurrentItem(window.TvXml->topLevelItem(0));
    answers.push_back("File: ../outside.xml");
    PressF2();
    window.btnWrite->click();
    EXPECT_FALSE(FileExists(dir.File("PROJECTS/outside.xml")));
    EXPECT_EQ(sink.All().size(), 1u) << "the file stays inside the project directory";

    sink.Clear();
    context.ProjectDir.clear();
    answers.push_back("File: t.xml");
    PressF2();
    window.btnWrite->click();
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"Project not valid"});
}

} // namespace

namespace {

int OpaquePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += qAlpha(image.pixel(x, y)) > 0;
    return count;
}

TEST(XmlTreeImages, TwelveDistinctPicturesForTheFiveKinds)
{
    std::vector<QImage> images;
    for (int i = 0; i < kXmlImageCount; ++i) {
        const QImage image = XmlTreeImage(i).toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(image.size(), QSize(16, 16)) << i;
        EXPECT_GT(OpaquePixels(image), 40) << "picture " << i << " shows something";
        images.push_back(image);
    }
    for (int kind = 0; kind < 5; ++kind) {
        EXPECT_NE(images[2 * kind], images[2 * kind + 1]) << "selected picture of kind " << kind;
        for (int other = 0; other < kind; ++other) EXPECT_NE(images[2 * kind], images[2 * other]) << kind << other;
    }
}

} // namespace
