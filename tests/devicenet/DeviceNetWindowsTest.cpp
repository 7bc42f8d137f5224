#include "app/TFZuzududadaeFirmWare.h"
#include "common/MessageSink.h"
#include "devicenet/EdsReader.h"
#include "devicenet/widgets/ByteMapView.h"
#include "devicenet/widgets/ByteMapWindow.h"
#include "devicenet/widgets/IdentityWindow.h"
#include "support/DemoMainWindow.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

#include <QAction>
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

#include <memory>

namespace {

class DeviceNetWindows : public DemoMainWindowTest {
protected:
    void TearDown() override { main->LbButton1->click(); }
};

// Tools > DeviceNet Byte Map draws the demo's areas, highlights a frame picked in the list,
// tells a cell's frame, and exports the picture as SVG and PNG and the tag list as CSV.
TEST_F(DeviceNetWindows, ByteMapWindowShowsAndExportsThePictureAndTags)
{
    WhileModal([&] { main->actByteMap->trigger(); },
               [&](QWidget* modal) {
                   auto* window = qobject_cast<ByteMapWindow*>(modal);
                   ASSERT_NE(window, nullptr);
                   EXPECT_EQ(window->windowTitle(), QStringLiteral("DeviceNet Byte Map"));
                   EXPECT_LE(window->width(), 1366);
                   EXPECT_LE(window->height(), 768);
                   EXPECT_EQ(window->Map().Input.Size, 32);
                   // Two title rows, five receive and four send frames.
                   EXPECT_EQ(window->Frames->count(), 2 + 5 + 4);
                   EXPECT_EQ(window->focusWidget(), window->Frames);
                   window->Frames->setCurrentRow(2);
                   const QString tip = window->View->ToolTipAt(QPoint(12 + 104 / 2, 12 + 28 + 40 + 20));
                   EXPECT_TRUE(tip.contains(QStringLiteral("$281 B1: Drive 1 actual speed"))) << tip.toStdString();

                   const std::string svg = app.File("map.svg");
                   const std::string png = app.File("map.png");
                   const std::string csv = app.File("tags.csv");
                   window->SetAskPath([&](const QString&, const QString& filter) {
                       return QString::fromStdString(filter.contains(QStringLiteral("svg"))   ? svg
                                                     : filter.contains(QStringLiteral("png")) ? png
                                                                                              : csv);
                   });
                   Button(window, QStringLiteral("Export SVG..."))->click();
                   Button(window, QStringLiteral("Export PNG..."))->click();
                   Button(window, QStringLiteral("Export tag list..."))->click();
                   EXPECT_NE(
                       ReadAll(csv).find("\r\nIN,8,$281,1,Drive 1 actual speed,IN008_Drive_1_actual_speed_B1\r\n"),
                       std::string::npos);
                   EXPECT_NE(ReadAll(svg).find("$281 B1"), std::string::npos);
                   const QImage image(QString::fromStdString(png));
                   EXPECT_EQ(image.size(), window->View->sizeHint());
                   Button(window, QStringLiteral("Close"))->click();
               });
    EXPECT_TRUE(sink.Empty()) << sink.Last();
}

// Tools > DeviceNet identity shows the file's values, refuses a wrong field with its message
// and the focus on it, keeping what was typed, and saves what Tools > Export EDS... then writes.
TEST_F(DeviceNetWindows, IdentityRoundTripIntoTheEds)
{
    const std::string identityFile = app.File("MASTER/DeviceNet_Identity.txt");
    WhileModal([&] { main->actIdentity->trigger(); },
               [&](QWidget* modal) {
                   auto* window = qobject_cast<IdentityWindow*>(modal);
                   ASSERT_NE(window, nullptr);
                   EXPECT_EQ(window->windowTitle(), QStringLiteral("DeviceNet identity"));
                   EXPECT_LE(window->width(), 1366);
                   EXPECT_LE(window->height(), 768);
                   auto* vendor = Find<QLineEdit>(window, QStringLiteral("Vendor code"));
                   auto* catalog = Find<QLineEdit>(window, QStringLiteral("Catalogue number"));
                   auto* cyclic = Find<QCheckBox>(window, QStringLiteral("Cyclic"));
                   ASSERT_TRUE(vendor && catalog && cyclic);
                   EXPECT_EQ(window->focusWidget(), vendor);
                   EXPECT_EQ(vendor->text(), QStringLiteral("65000"));
                   vendor->setText(QStringLiteral("0x1234"));
                   catalog->setText(QStringLiteral("GW \"7\""));
                   cyclic->setChecked(true);
                   window->OK->click();
                   EXPECT_TRUE(window->isVisible());
                   EXPECT_EQ(sink.Last(), "Catalogue number may hold only printable ASCII characters other than '\"' "
                                          "and '\\'.");
                   EXPECT_EQ(window->focusWidget(), catalog);
                   EXPECT_EQ(vendor->text(), QStringLiteral("0x1234"));
                   EXPECT_EQ(ReadAll(identityFile).find("0x1234"), std::string::npos);
                   catalog->setText(QStringLiteral("GW 7"));
                   window->OK->click();
                   EXPECT_FALSE(window->isVisible());
               });
    sink.Clear();
    WhileModal([&] { main->actIdentity->trigger(); },
               [&](QWidget* modal) {
                   EXPECT_EQ(Find<QLineEdit>(modal, QStringLiteral("Vendor code"))->text(), QStringLiteral("4660"));
                   EXPECT_TRUE(Find<QCheckBox>(modal, QStringLiteral("Cyclic"))->isChecked());
                   Button(modal, QStringLiteral("Cancel"))->click();
               });

    const std::string eds = app.File("demo.eds");
    main->AskEdsPath = [&](const std::string& suggested) {
        EXPECT_EQ(suggested, main->Context().ProjectDir + "/Demo.eds");
        return std::optional<std::string>(eds);
    };
    main->actExportEds->trigger();
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    const std::string written = ReadAll(eds);
    const EdsDocument read = ReadEds(written);
    EXPECT_EQ(EdsValue(read, "Device", "VendCode"), "4660");
    EXPECT_EQ(EdsValue(read, "Device", "Catalog"), "GW 7");
    EXPECT_EQ(read.at("IO_Info").at("CyclicInfo").size(), 3u);
    EXPECT_EQ(read.at("IO_Info").at("Output1")[0].Text, "24");

    // A refused size is said and the file stays as it was.
    app.Write("PROJECTS/Demo/pargen.xml",
              "<Par_Gen><Can_Baud>5</Can_Baud><CAN_Type>0</CAN_Type><How_Send>1</How_Send>"
              "<Delay_Send>100</Delay_Send><Net_Dev_Id>12</Net_Dev_Id><Net_Baud>2</Net_Baud>"
              "<Net_In>0</Net_In><Net_Out>24</Net_Out></Par_Gen>");
    main->actExportEds->trigger();
    EXPECT_NE(sink.Last().find("Net_In (Number Byte IN) must be a number from 1 to 128, not '0'"), std::string::npos)
        << sink.Last();
    EXPECT_EQ(ReadAll(eds), written);
}

} // namespace
