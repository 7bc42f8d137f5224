#include "xmltools/widgets/TFSELstringhe.h"
#include "common/MessageSink.h"
#include "common/widgets/StringGrid.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct SelectString : ::testing::Test {
    TempDir dir;
    RecordingSink sink;
    ScopedMessageSink scope{sink};
    TFSELstringhe window;
};

TEST_F(SelectString, WithoutAStringsFileTheIndexesShowAndTheFileIsReportedMissing)
{
    window.show();
    EXPECT_EQ(window.windowTitle().toStdString(), "Select String");
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"File strings XML not found"});
    EXPECT_EQ(sink.All()[0].kind, RecordingSink::Kind::Notice);
    EXPECT_EQ(window.sg->Cells().RowCount(), 1001);
    EXPECT_EQ(window.sg->Cell(0, 0), "Index");
    EXPECT_EQ(window.sg->Cell(1, 0), "String");
    EXPECT_EQ(window.sg->Cell(0, 1), "0");
    EXPECT_EQ(window.sg->Cell(0, 1000), "999");
    EXPECT_EQ(window.sg->Cell(1, 1), "");
    EXPECT_EQ(window.sg->CurrentRow(), 1);
    EXPECT_EQ(window.Label1->text().toStdString(), "Sel str: 0");
}

TEST_F(SelectString, ShowsAtMostAThousandStrings)
{
    std::string text = "<strings>";
    for (int i = 0; i < 1005; ++i) text += "<s>text " + std::to_string(i) + "</s>";
    window.StringsFile = dir.Write("strings.xml", text + "</strings>");
    window.show();
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    EXPECT_EQ(window.sg->Cell(1, 1), "text 0");
    EXPECT_EQ(window.sg->Cell(1, 1000), "text 999");
}

TEST_F(SelectString, TheSelectionIsRememberedBetweenShowings)
{
    window.StringsFile = dir.Write("strings.xml", "<x><a>one</a><b>two</b></x>");
    window.show();
    window.sg->MoveCursor(1, 42);
    EXPECT_EQ(window.SelectedStringIndex, 41);
    EXPECT_EQ(window.Label1->text().toStdString(), "Sel str: 41");
    window.bitbtn1->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    window.show();
    EXPECT_EQ(window.sg->CurrentRow(), 42);
    EXPECT_EQ(window.SelectedStringIndex, 41);
}

TEST_F(SelectString, AReadErrorKeepsWhatWasReadAndEarlierStringsStay)
{
    window.StringsFile = dir.Write("strings.xml", "<x><a>one</a><b>two</b><c>three</c></x>");
    window.show();
    window.StringsFile = dir.Write("strings.xml", "<x><a>uno</a><b>dos<i/></b></x>");
    ShowAgain(&window);
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"Error in reading file XML"});
    EXPECT_EQ(window.sg->Cell(1, 1), "uno");
    EXPECT_EQ(window.sg->Cell(1, 3), "three") << "the string column is not emptied";
    sink.Clear();
    window.StringsFile = dir.Write("strings.xml", "<x><a>broken</x>");
    ShowAgain(&window);
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"Error in reading file XML"});
}

TEST_F(SelectString, ColumnWidthsFollowTheWindow)
{
    window.show();
    window.resize(500, 400);
    QApplication::processEvents();
    EXPECT_EQ(window.sg->columnWidth(0), 40);
    EXPECT_EQ(window.sg->columnWidth(1), window.sg->width() - 70);
}

} // namespace
