// The command line's import and export against the windows: the same workbook imported by a
// window (Import, then OK) and by ImportTable gives the same document, and the export of a
// freshly shown window is the bytes ExportTable gives.
#include "CanopenWindowFixture.h"
#include "Fixtures.h"
#include "editors/canopen/tables/TableTransfer.h"
#include "editors/canopen/widgets/TFInfopdo.h"
#include "editors/canopen/widgets/TFWemcy.h"
#include "editors/canopen/widgets/TFemcy.h"
#include "editors/canopen/widgets/TFpdo.h"
#include "editors/canopen/widgets/TFsdo.h"

#include <QPushButton>

#include <memory>
#include <tuple>

namespace {

// Two PDOs on each side, for the rows of "sdopdo" to land on.
const char* kRpdodef = "<rpdodef>\r\n"
                       "  <row cobid=\"0x181\" id_dev_orig=\"1\" en_bypass=\"0\" posind=\"0\" n_tpdo=\"1\"/>\r\n"
                       "  <row cobid=\"0x281\" id_dev_orig=\"2\" en_bypass=\"3\" posind=\"1\" n_tpdo=\"2\"/>\r\n"
                       "  <row cobid=\"0x182\" id_dev_orig=\"3\" en_bypass=\"1\" posind=\"2\" n_tpdo=\"3\"/>\r\n"
                       "  <row cobid=\"0x282\" id_dev_orig=\"4\" en_bypass=\"2\" posind=\"3\" n_tpdo=\"1\"/>\r\n"
                       "</rpdodef>\r\n";

class WindowsAndCommandLine : public CanopenWindowTest,
                              public ::testing::WithParamInterface<std::tuple<const char*, const char*>> {
protected:
    WindowsAndCommandLine()
    {
        cliContext.ProjectDir = cliProject.Path();
        cliContext.UpdateProjectFiles();
        project.Write("rpdodef.xml", kRpdodef);
        cliProject.Write("rpdodef.xml", kRpdodef);
    }

    std::string Table() const { return std::get<0>(GetParam()); }
    std::string Workbook() const { return FixturePath(std::get<1>(GetParam())); }

    std::unique_ptr<QDialog> MakeWindow()
    {
        const std::string table = Table();
        if (table == "sdo") return std::make_unique<TFsdo>(context, openExcel);
        if (table == "rpdodef") return std::make_unique<TFpdo>(context, openExcel);
        if (table == "sdopdo") return std::make_unique<TFInfopdo>(context, openExcel);
        if (table == "emcydef") return std::make_unique<TFemcy>(context, openExcel);
        return std::make_unique<TFWemcy>(context, openExcel);
    }

    static void Press(QDialog* window, const char* name)
    {
        auto* button = window->findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        button->click();
        QCoreApplication::processEvents();
    }

    // A fresh showing of the table's window, then its Export: the bytes it wrote.
    std::string WindowExport()
    {
        const std::unique_ptr<QDialog> window = MakeWindow();
        window->show();
        QCoreApplication::processEvents();
        Press(window.get(), "Button1");
        return ReadAll(project.File(Table() + ".csv"));
    }

    TempDir cliProject;
    ProjectContext cliContext;
};

TEST_P(WindowsAndCommandLine, ImportAndExportGiveWhatTheWindowGives)
{
    const std::string table = Table();
    const std::string document = table + ".xml";
    {
        const std::unique_ptr<QDialog> window = MakeWindow();
        window->show();
        QCoreApplication::processEvents();
        desktop.files.push_back(Workbook());
        Press(window.get(), "BitBtn4"); // Import
        // The SDO window saves nothing; its table leaves it through Export.
        Press(window.get(), table == "sdo" ? "Button1" : "BitBtn1");
    }
    // The sample sheet of "sdo" stops at a row whose conf is no number: the window keeps the
    // rows before it, and so does --partial.
    const TableImportReport report = ImportTable(cliContext, table, Workbook(), true);
    ASSERT_TRUE(report.outcome.sheetFound) << report.outcome.problem;
    EXPECT_EQ(report.writtenPath, cliProject.File(document));
    ASSERT_FALSE(ReadAll(cliProject.File(document)).empty());

    if (table == "sdo") {
        // What the window exported after its import, the command line exports from the sdo.xml
        // it wrote; and that document shows in a fresh window as it was imported.
        const std::string windowCsv = ReadAll(project.File("sdo.csv"));
        ASSERT_FALSE(windowCsv.empty());
        EXPECT_EQ(ExportTable(cliContext, table).Csv, windowCsv);
        project.Write("sdo.xml", ReadAll(cliProject.File(document)));
        EXPECT_EQ(WindowExport(), windowCsv);
        return;
    }
    EXPECT_EQ(ReadAll(cliProject.File(document)), ReadAll(project.File(document)));
    const TableExport exported = ExportTable(context, table);
    EXPECT_TRUE(exported.ReadWhole);
    EXPECT_EQ(exported.Csv, WindowExport());
}

INSTANTIATE_TEST_SUITE_P(Tables, WindowsAndCommandLine,
                         ::testing::Combine(::testing::Values("sdo", "rpdodef", "sdopdo", "emcydef", "emcyword"),
                                            ::testing::Values("import.xls", "import.xlsx")),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param)) + "_" +
                                    (std::string(std::get<1>(info.param)).back() == 'x' ? "xlsx" : "xls");
                         });

} // namespace
