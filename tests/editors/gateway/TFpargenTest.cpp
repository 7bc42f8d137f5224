#include "editors/gateway/TFpargen.h"

#include "common/FileSystem.h"
#include "common/MessageSink.h"
#include "common/ProjectContext.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void Retype(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

class TFpargenTest : public ::testing::Test {
protected:
    TFpargenTest()
        : scope(sink),
          window(context)
    {
        context.ProjectDir = dir.Path();
        context.UpdateProjectFiles();
    }
    ~TFpargenTest() override { window.reject(); }

    QLineEdit* Edit(const char* name) { return Find<QLineEdit>(&window, QString::fromUtf8(name)); }

    TempDir dir;
    ProjectContext context;
    RecordingSink sink;
    ScopedMessageSink scope;
    TFpargen window;
};

TEST_F(TFpargenTest, ShowsDefaultsRefusesABadAddressAndSavesWhatWasTyped)
{
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("SET COMMUNICATION"));
    EXPECT_EQ(window.ComboBox2->currentText(), QStringLiteral("250K"));
    EXPECT_EQ(window.ComboBox1->currentText(), QStringLiteral("500K"));
    EXPECT_TRUE(window.RB_CT_A->isChecked());
    EXPECT_TRUE(window.RB_Sen_Cha->isChecked());
    ASSERT_NE(Edit("ID Dev."), nullptr);
    EXPECT_EQ(Edit("Send Frame Every")->text(), QStringLiteral("100"));
    EXPECT_EQ(Edit("TimeOut Data")->text(), QStringLiteral("5"));
    EXPECT_EQ(Edit("ID Dev.")->text(), QStringLiteral("10"));
    EXPECT_EQ(Edit("Number Byte IN")->text(), QStringLiteral("128"));
    EXPECT_EQ(Edit("Number Byte OUT")->text(), QStringLiteral("128"));

    Retype(Edit("ID Dev."), QStringLiteral("64"));
    Button(&window, QStringLiteral("OK"))->click();
    ASSERT_EQ(sink.All().size(), 1u);
    EXPECT_EQ(sink.All()[0].kind, RecordingSink::Kind::Error);
    EXPECT_EQ(sink.Last(), "Error!! DeviceNET address must be between 0 and 63. ");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.Edit1->text(), QStringLiteral("64"));
    EXPECT_FALSE(FileExists(context.PargenFile));

    Retype(window.Edit1, QStringLiteral("0x3F"));
    window.RB_CT_B->click();
    window.RB_Sen_Eve->click();
    window.ComboBox2->setCurrentIndex(8);
    Retype(window.E_DN_OUT, QStringLiteral("$10"));
    window.bitbtn1->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ReadAll(context.PargenFile),
              "<Par_Gen>\r\n  <Can_Baud>8</Can_Baud>\r\n  <CAN_Type>1</CAN_Type>\r\n  <How_Send>1</How_Send>\r\n"
              "  <Delay_Send>100</Delay_Send>\r\n  <TimeOut_Data>5</TimeOut_Data>\r\n"
              "  <Net_Dev_Id>0x3F</Net_Dev_Id>\r\n  <Net_Baud>2</Net_Baud>\r\n  <Net_In>128</Net_In>\r\n"
              "  <Net_Out>$10</Net_Out>\r\n</Par_Gen>\r\n");
    EXPECT_EQ(sink.All().size(), 1u);

    window.show(); // reopening shows what was saved
    EXPECT_EQ(window.Edit1->text(), QStringLiteral("0x3F"));
    EXPECT_EQ(window.ComboBox2->currentText(), QStringLiteral("1000K"));
    EXPECT_TRUE(window.RB_CT_B->isChecked());
    EXPECT_TRUE(window.RB_Sen_Eve->isChecked());
}

TEST_F(TFpargenTest, CancelDiscardsAndACycleOfZeroIsRefusedEvenWhenSendingOnChange)
{
    const std::string saved = "<Par_Gen><Can_Baud>1</Can_Baud><CAN_Type>0</CAN_Type><How_Send>0</How_Send>"
                              "<Delay_Send>250</Delay_Send><Net_Dev_Id>7</Net_Dev_Id><Net_Baud>0</Net_Baud></Par_Gen>";
    dir.Write("pargen.xml", saved);
    window.show();
    Retype(window.Edit2, QStringLiteral("0"));
    window.bitbtn1->click();
    EXPECT_EQ(sink.Last(), "Error!! The Time Before send a new Frame must be between 1 and 65535. ");
    EXPECT_TRUE(window.isVisible());
    window.bitbtn2->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ReadAll(context.PargenFile), saved);
    window.show();
    EXPECT_EQ(window.Edit2->text(), QStringLiteral("250"));
}

TEST_F(TFpargenTest, IdentifierLengthIsKeptAcrossShowingsWithoutAFile)
{
    window.show();
    window.RB_CT_B->click();
    window.bitbtn2->click();
    window.show();
    EXPECT_TRUE(window.RB_CT_B->isChecked());
    EXPECT_EQ(window.Edit2->text(), QStringLiteral("100"));
}

TEST_F(TFpargenTest, AnUnreadableDocumentIsReportedAndWhatWasReadStays)
{
    dir.Write("pargen.xml", "<Par_Gen><Can_Baud>0</Can_Baud><CAN_Type>1</CAN_Type></Par_Gen>");
    window.show();
    EXPECT_TRUE(window.isVisible());
    ASSERT_FALSE(sink.Empty());
    EXPECT_EQ(sink.All().back().kind, RecordingSink::Kind::ApplicationError);
    EXPECT_NE(sink.Last().find("How_Send"), std::string::npos) << sink.Last();
    EXPECT_EQ(window.ComboBox2->currentText(), QStringLiteral("10K"));
    EXPECT_TRUE(window.RB_CT_B->isChecked());
}

} // namespace
