#include "editors/canopen/widgets/TFpdo.h"
#include "CanopenWindowFixture.h"
#include "common/widgets/StringGrid.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

class TFpdoTest : public CanopenWindowTest {
protected:
    static std::string Row(const std::string& cobid, const std::string& enBypass)
    {
        return "<row cobid=\"" + cobid + "\" id_dev_orig=\"d\" en_bypass=\"" + enBypass +
               "\" posind=\"p\" n_tpdo=\"n\"/>";
    }
    TFpdo window{context, openExcel};
};

TEST_F(TFpdoTest, LoadsBothPagesEditsAndSavesThemInCobidOrder)
{
    Show(&window);
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"File XML not found"});
    sink.Clear();
    window.BitBtn2->click();
    project.Write("rpdodef.xml",
                  "<rpdodef>" + Row("0x181", "3") + Row("0x201", "0") + Row("0x182", "2") + "</rpdodef>");
    Show(&window);
    EXPECT_TRUE(sink.Empty());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Define Traslate PDO"));
    auto* sga = Find<StringGrid>(&window, QStringLiteral("PDO From CanA to CanB"));
    auto* sgb = Find<StringGrid>(&window, QStringLiteral("PDO From CanB to CanA"));
    ASSERT_EQ(sga, window.sga);
    ASSERT_EQ(sgb, window.sgb);
    EXPECT_EQ(sga->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("en_traslate"));
    EXPECT_EQ(sga->Cell(1, 1), "0x181");
    EXPECT_EQ(sgb->Cell(1, 1), "0x201");

    TypeIntoCell(sga, 1, 3, QStringLiteral("385"));
    TypeIntoCell(sga, 3, 3, QStringLiteral("1"));
    window.BitBtn1->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(sink.Empty());
    EXPECT_EQ(ReadAll(context.RpdoDefFile),
              "<rpdodef>\r\n"
              "  <row cobid=\"385\" id_dev_orig=\"\" en_bypass=\"3\" posind=\"\" n_tpdo=\"\"/>\r\n"
              "  <row cobid=\"0x181\" id_dev_orig=\"d\" en_bypass=\"3\" posind=\"p\" n_tpdo=\"n\"/>\r\n"
              "  <row cobid=\"0x182\" id_dev_orig=\"d\" en_bypass=\"2\" posind=\"p\" n_tpdo=\"n\"/>\r\n"
              "  <row cobid=\"0x201\" id_dev_orig=\"d\" en_bypass=\"0\" posind=\"p\" n_tpdo=\"n\"/>\r\n"
              "</rpdodef>\r\n");
}

TEST_F(TFpdoTest, ABadCobidKeepsTheWindowOpenAndTheFileAsItWas)
{
    const std::string before = "<rpdodef>" + Row("1", "3") + "</rpdodef>";
    project.Write("rpdodef.xml", before);
    Show(&window);
    TypeIntoCell(window.sga, 1, 2, QStringLiteral("abc"));
    window.BitBtn1->click();
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(sink.All().size(), 1u);
    EXPECT_EQ(sink.All()[0].kind, RecordingSink::Kind::ApplicationError);
    EXPECT_EQ(sink.Last(), "'abc' is not a valid integer value.");
    EXPECT_EQ(ReadAll(context.RpdoDefFile), before);
    EXPECT_EQ(window.sga->Cell(1, 2), "abc");
}

TEST_F(TFpdoTest, APageWithMoreEntriesThanRowsIsCutWithANotice)
{
    std::string xml = "<rpdodef>";
    for (int i = 0; i < 11; ++i) xml += Row(std::to_string(100 + i), "1");
    project.Write("rpdodef.xml", xml + Row("7", "3") + "</rpdodef>");
    Show(&window);
    ASSERT_EQ(sink.All().size(), 1u);
    EXPECT_NE(sink.Last().find("more than 10 entries"), std::string::npos);
    EXPECT_EQ(window.sgb->Cell(1, 10), "109");
    EXPECT_EQ(window.sga->Cell(1, 1), "7");
}

TEST_F(TFpdoTest, OkKeepsATextStillBeingTypedInACell)
{
    Show(&window);
    sink.Clear();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.sga->setFocus();
    window.sga->MoveCursor(1, 1);
    QTest::keyClicks(window.sga, QStringLiteral("0"));
    QLineEdit* editor = window.sga->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("x5"));
    window.BitBtn1->click(); // Enter was never pressed
    EXPECT_TRUE(sink.Empty());
    EXPECT_EQ(ReadAll(context.RpdoDefFile), "<rpdodef>\r\n  <row cobid=\"0x5\" id_dev_orig=\"\" en_bypass=\"2\" "
                                            "posind=\"\" n_tpdo=\"\"/>\r\n</rpdodef>\r\n");
}

} // namespace
