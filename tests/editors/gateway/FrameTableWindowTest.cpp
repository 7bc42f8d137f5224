#include "editors/gateway/FrameTableWindow.h"

#include "common/FileSystem.h"
#include "common/MessageSink.h"
#include "common/ProjectContext.h"
#include "common/widgets/StringGrid.h"
#include "editors/gateway/GatewayWindowTest.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

#include <QHeaderView>
#include <QLayout>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using FrameTableWindowTest = GatewayWindowTest;

TEST_F(FrameTableWindowTest, ReceiveFramesGridHasItsTitlesNumbersAndWidths)
{
    TFSetVar window(context);
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Receive Frames"));
    EXPECT_EQ(Find<StringGrid>(&window, QStringLiteral("Receive Frames")), window.sga);
    EXPECT_EQ(window.sga->model()->rowCount(), 128);
    const char* titles[] = {"N\xC2\xB0", "COB ID", "Dimension", "Delete", "Mnemonic"};
    const int widths[] = {65, 144, 82, 80};
    for (int column = 0; column < 5; ++column) {
        EXPECT_EQ(window.sga->model()->headerData(column, Qt::Horizontal).toString(),
                  QString::fromUtf8(titles[column]));
        if (column < 4) {
            EXPECT_EQ(window.sga->columnWidth(column), widths[column]);
        }
    }
    EXPECT_EQ(window.sga->Cell(0, 128), "128");
    // The grid fills the window as it grows.
    const int before = window.sga->height();
    window.resize(window.width() + 100, window.height() + 200);
    QCoreApplication::sendPostedEvents();
    window.layout()->activate();
    EXPECT_GT(window.sga->height(), before);
    window.reject();
}

TEST_F(FrameTableWindowTest, ReceiveFramesRefusesAnElevenBitOverflowThenSavesTheTableRun)
{
    TFSetVar window(context);
    window.show();
    TypeIntoCell(window.sga, 1, 1, QStringLiteral("0x800"));
    TypeIntoCell(window.sga, 2, 1, QStringLiteral("8"));
    EXPECT_TRUE(sink.Empty()) << "Enter in a cell moves on; it does not press OK";
    EXPECT_EQ(window.sga->CurrentColumn(), 3);
    window.bitbtn1->click();
    EXPECT_EQ(sink.Last(), "Error!! COB-ID must be between 0 and 2047. ");
    EXPECT_EQ(sink.All().back().kind, RecordingSink::Kind::Error);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.sga->Cell(1, 1), "0x800");
    EXPECT_FALSE(FileExists(context.ReceiveFrameFile));

    TypeIntoCell(window.sga, 1, 1, QStringLiteral("0x7FF"));
    window.sga->MoveCursor(3, 1);
    QTest::keyClick(window.sga, Qt::Key_Space);
    TypeIntoCell(window.sga, 4, 1, QStringLiteral("Drive status"));
    TypeIntoCell(window.sga, 1, 2, QStringLiteral("385"));
    TypeIntoCell(window.sga, 2, 2, QStringLiteral("2"));
    window.bitbtn1->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ReadAll(context.ReceiveFrameFile),
              "<Receive_Frames>\r\n"
              "  <row COBID=\"0x7FF\" Dim=\"8\" Delete=\"Y\" Mnemonic=\"Drive status\"/>\r\n"
              "  <row COBID=\"385\" Dim=\"2\" Delete=\"\" Mnemonic=\"\"/>\r\n"
              "</Receive_Frames>\r\n");

    window.show(); // shows what was saved
    EXPECT_EQ(window.sga->Cell(3, 1), "Y");
    window.reject();
}

TEST_F(FrameTableWindowTest, TwentyNineBitIdentifiersFollowPargen)
{
    dir.Write("pargen.xml", "<Par_Gen><CAN_Type>1</CAN_Type></Par_Gen>");
    TFSetVar window(context);
    window.show();
    TypeIntoCell(window.sga, 1, 1, QStringLiteral("0x20000000"));
    TypeIntoCell(window.sga, 2, 1, QStringLiteral("1"));
    window.bitbtn1->click();
    EXPECT_EQ(sink.Last(), "Error!! COB-ID must be between 0x00000000 and 0x1FFFFFFF. ");
    TypeIntoCell(window.sga, 1, 1, QStringLiteral("0x1FFFFFFF"));
    window.bitbtn1->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_NE(ReadAll(context.ReceiveFrameFile).find("COBID=\"0x1FFFFFFF\""), std::string::npos);
}

TEST_F(FrameTableWindowTest, SendFramesRefusesABadLengthAndLeavesTheFileAlone)
{
    const std::string saved =
        "<Receive_Frames>\r\n  <row COBID=\"0x201\" Dim=\"8\" Mnemonic=\"Control\"/>\r\n</Receive_Frames>\r\n";
    dir.Write("Send_Frame.xml", saved);
    TFSetPdo window(context);
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Send Frames"));
    EXPECT_EQ(window.sga->model()->columnCount(), 4);
    EXPECT_EQ(window.sga->columnWidth(1), 142);
    EXPECT_EQ(window.sga->Cell(3, 1), "Control");
    TypeIntoCell(window.sga, 1, 2, QStringLiteral("$301"));
    TypeIntoCell(window.sga, 2, 2, QStringLiteral("9"));
    window.LbButton4->click();
    EXPECT_EQ(sink.Last(), "Error!! Dimension must be between 1 and 8. ");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.sga->Cell(2, 2), "9");
    EXPECT_EQ(ReadAll(context.SendFrameFile), saved);

    TypeIntoCell(window.sga, 2, 2, QStringLiteral("4"));
    window.LbButton4->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ReadAll(context.SendFrameFile),
              "<Receive_Frames>\r\n  <row COBID=\"0x201\" Dim=\"8\" Mnemonic=\"Control\"/>\r\n"
              "  <row COBID=\"$301\" Dim=\"4\" Mnemonic=\"\"/>\r\n</Receive_Frames>\r\n");

    window.show();
    TypeIntoCell(window.sga, 3, 1, QStringLiteral("changed"));
    window.LbButton3->click(); // Cancel
    EXPECT_FALSE(window.isVisible());
    window.show();
    EXPECT_EQ(window.sga->Cell(3, 1), "Control");
    window.reject();
}

} // namespace

namespace {

TEST_F(FrameTableWindowTest, AfterAnIncompleteLoadOkAsksBeforeReplacingTheFile)
{
    const std::string damaged =
        "<Receive_Frames>\r\n  <row COBID=\"0x181\" Dim=\"8\" Delete=\"N\" Mnemonic=\"a\"/>\r\n"
        "  <row COBID=\"0x182\" Dim=\"8\"/>\r\n  <row COBID=\"0x183\" Dim=\"8\" Mnemonic=\"c\"/>\r\n"
        "</Receive_Frames>\r\n";
    dir.Write("Receive_Frame.xml", damaged);
    TFSetVar window(context);
    window.show();
    ASSERT_EQ(sink.All().size(), 1u);
    EXPECT_EQ(sink.All()[0].kind, RecordingSink::Kind::ApplicationError);
    EXPECT_EQ(window.sga->Cell(1, 1), "0x181");
    EXPECT_TRUE(window.LoadIncomplete());

    sink.ScriptAnswers({false});
    window.bitbtn1->click();
    EXPECT_EQ(sink.All().back().kind, RecordingSink::Kind::Question);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(ReadAll(context.ReceiveFrameFile), damaged);

    sink.ScriptAnswers({true});
    window.bitbtn1->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ReadAll(context.ReceiveFrameFile),
              "<Receive_Frames>\r\n  <row COBID=\"0x181\" Dim=\"8\" Delete=\"N\" Mnemonic=\"a\"/>\r\n"
              "  <row COBID=\"0x182\" Dim=\"8\" Delete=\"N\" Mnemonic=\"\"/>\r\n</Receive_Frames>\r\n"); // as filled

    window.show(); // a complete load asks nothing
    EXPECT_FALSE(window.LoadIncomplete());
}

} // namespace
