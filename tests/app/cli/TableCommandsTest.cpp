// The commands import, export and sheets as a user runs them: their output, their messages,
// their exit statuses and the files they leave.
#include "CommandRun.h"
#include "common/FileSystem.h"
#include "editors/canopen/Fixtures.h"
#include "editors/canopen/tables/TableTransfer.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

const char* kRpdodef = "<rpdodef>\r\n"
                       "  <row cobid=\"0x181\" id_dev_orig=\"1\" en_bypass=\"0\" posind=\"0\" n_tpdo=\"1\"/>\r\n"
                       "  <row cobid=\"0x281\" id_dev_orig=\"2\" en_bypass=\"3\" posind=\"1\" n_tpdo=\"2\"/>\r\n"
                       "</rpdodef>\r\n";

TEST(ImportCommand, SavesTheTableAndSaysWhatItRead)
{
    TempDir project;
    project.Write("rpdodef.xml", kRpdodef);
    const CommandRun run = RunCommand(kImportCommand, {project.Path(), "sdopdo", FixturePath("import.xlsx")});
    EXPECT_EQ(run.Status, 0) << run.Err;
    // PDO 2 exists on neither side here, PDO 4 nowhere.
    EXPECT_EQ(run.Out.substr(0, run.Out.find('\n')),
              "1 row to CAN A, 1 to CAN B, 3 skipped: row 3, PDO 2 does not exist; row 5, PDO 4 does not exist; "
              "row 6, PDO 2 does not exist on CAN B");
    EXPECT_EQ(ReadAll(project.File("sdopdo.xml")),
              "<sdopdo>\r\n"
              "  <row index=\"0x2000\" subindex=\"1\" nrpdo=\"1\" poscomp=\"33\"/>\r\n"
              "  <row index=\"0x2002\" subindex=\"2\" nrpdo=\"129\" poscomp=\"0\"/>\r\n"
              "</sdopdo>\r\n");
}

// A sheet of 65,536 rows may skip them all: the line names the count, the first and the last.
TEST(ImportCommand, ManySkippedRowsAreSummarised)
{
    TableImportReport report;
    for (size_t row = 2; row <= 65536; ++row) report.skipped.emplace_back(row, "PDO 9 does not exist");
    EXPECT_EQ(report.Summary(), "0 rows to CAN A, 0 to CAN B, 65535 skipped, the first row 2, PDO 9 does not exist, "
                                "the last row 65536, PDO 9 does not exist");
}

TEST(ImportCommand, WritesNothingWhenTheImportStopsUnlessPartial)
{
    TempDir project;
    CommandRun run = RunCommand(kImportCommand, {project.Path(), "sdo", FixturePath("import.xls")});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Out, "2 rows to CAN A, 2 to CAN B\n");
    EXPECT_NE(run.Err.find("stopped at row 6: 'x' is not a valid integer value"), std::string::npos) << run.Err;
    EXPECT_FALSE(FileExists(project.File("sdo.xml")));

    run = RunCommand(kImportCommand, {"--partial", project.Path(), "sdo", FixturePath("import.xls")});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(ReadAll(project.File("sdo.xml")),
              "<sdo>\r\n"
              "  <row conf=\"0\" IndexA=\"0x2000\" SubindexA=\"1\" devIDB=\"5\" IndexB=\"0x6040\" SubindexB=\"0\" "
              "nbyteB=\"2\" mnemonico=\"control\"/>\r\n"
              "  <row conf=\"16\" IndexA=\"0x2002\" SubindexA=\"2\" devIDB=\"7\" IndexB=\"0x6060\" SubindexB=\"0\" "
              "nbyteB=\"1\" mnemonico=\"\"/>\r\n"
              "  <row conf=\"17\" IndexA=\"0x2001\" SubindexA=\"0\" devIDB=\"6\" IndexB=\"0x6041\" SubindexB=\"0\" "
              "nbyteB=\"2\" mnemonico=\"status\"/>\r\n"
              "  <row conf=\"1\" IndexA=\"0x2003\" SubindexA=\"3\" devIDB=\"8\" IndexB=\"0x6061\" SubindexB=\"0\" "
              "nbyteB=\"1\" mnemonico=\"mode\"/>\r\n"
              "</sdo>\r\n");

    // No sheet for the table: nothing, even with --partial; the previous document stays.
    const std::string before = ReadAll(project.File("sdo.xml"));
    const std::string other = project.Write("other.csv", "conf,IndexA,\r\n0,1,\r\n");
    run = RunCommand(kImportCommand, {project.Path(), "sdo", other, "--partial"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("no sheet named 'sdo'"), std::string::npos) << run.Err;
    EXPECT_EQ(ReadAll(project.File("sdo.xml")), before);

    // A sheet the table cannot take gave no row: nothing either.
    const std::string narrow = project.Write("sdo.csv", "conf,IndexA\r\n0,1\r\n");
    run = RunCommand(kImportCommand, {project.Path(), "sdo", narrow, "--partial"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("columns; the table needs"), std::string::npos) << run.Err;
    EXPECT_EQ(ReadAll(project.File("sdo.xml")), before);
}

TEST(TableCommands, RefuseWrongArgumentsWithStatusTwo)
{
    TempDir project;
    EXPECT_EQ(RunCommand(kImportCommand, {project.Path(), "pdo", "book.xls"}).Status, 2);
    EXPECT_EQ(RunCommand(kImportCommand, {project.Path(), "sdo"}).Status, 2);
    EXPECT_EQ(RunCommand(kImportCommand, {"--app-dir"}).Status, 2);
    EXPECT_EQ(RunCommand(kExportCommand, {project.Path(), "sdo", "a", "b"}).Status, 2);
    EXPECT_EQ(RunCommand(kExportCommand, {"--partial", project.Path(), "sdo"}).Status, 2);
    EXPECT_EQ(RunCommand(kSheetsCommand, {}).Status, 2);
    const CommandRun help = RunCommand(kSheetsCommand, {"--help"});
    EXPECT_EQ(help.Status, 0);
    EXPECT_EQ(help.Out.rfind("Usage: zuzududada-cli sheets", 0), 0u);
    EXPECT_EQ(RunCommand(kImportCommand, {project.File("none"), "sdo", FixturePath("import.xls")}).Status, 1);
}

TEST(ExportCommand, WritesTheTableOrNothingFromADamagedDocument)
{
    TempDir project;
    project.Write("rpdodef.xml", kRpdodef);
    CommandRun run = RunCommand(kExportCommand, {project.Path(), "rpdodef"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    const std::string csv = ReadAll(project.File("rpdodef.csv"));
    EXPECT_EQ(csv.substr(0, csv.find("\r\n", csv.find("\r\n") + 2) + 2),
              "cobid,id_dev_orig,00,posind,n_tpdo,\r\n0x281,2,01,1,2,\r\n");
    run = RunCommand(kExportCommand, {project.Path(), "rpdodef", project.File("copy.csv")});
    EXPECT_EQ(ReadAll(project.File("copy.csv")), csv);

    // A link planted at the default place is replaced, dangling or not; a named FILE is followed.
    TempDir elsewhere;
    const std::string outside = elsewhere.Write("victim.txt", "keep");
    std::filesystem::remove(project.File("rpdodef.csv"));
    std::filesystem::create_symlink(outside, project.File("rpdodef.csv"));
    EXPECT_EQ(RunCommand(kExportCommand, {project.Path(), "rpdodef"}).Status, 0);
    EXPECT_EQ(ReadAll(outside), "keep");
    EXPECT_FALSE(std::filesystem::is_symlink(project.File("rpdodef.csv")));
    EXPECT_EQ(ReadAll(project.File("rpdodef.csv")), csv);
    std::filesystem::create_symlink(outside, project.File("named.csv"));
    EXPECT_EQ(RunCommand(kExportCommand, {project.Path(), "rpdodef", project.File("named.csv")}).Status, 0);
    EXPECT_EQ(ReadAll(outside), csv);

    project.Write("emcydef.xml", "<emcydef><row id_dev=\"1\"/></emcydef>");
    run = RunCommand(kExportCommand, {project.Path(), "emcydef"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_FALSE(FileExists(project.File("emcydef.csv")));
}

TEST(SheetsCommand, ShowsSheetsAsTheImportReadsThemInCorrectJson)
{
    TempDir books;
    // Texts JSON must escape: quotes, backslashes, a tab, a control character, non-ASCII.
    const std::string csv =
        books.Write("sdo.csv", "conf,\"quoted\",back\\slash,\r\n17,tab\there,\x1A\f,caf\xC3\xA9,\r\n");
    CommandRun run = RunCommand(kSheetsCommand, {"--json", "--all", csv, "missing"});
    EXPECT_EQ(run.Status, 1); // the sheet "missing" is not there
    const nlohmann::json document = nlohmann::json::parse(run.Out);
    EXPECT_EQ(run.Out, nlohmann::ordered_json::parse(run.Out).dump(1) + "\n"); // a member a line, one blank a level
    EXPECT_EQ(document["names"], nlohmann::json::array({"sdo"}));
    ASSERT_EQ(document["sheets"].size(), 2u);
    EXPECT_EQ(document["sheets"][0]["title"], nlohmann::json::array({"conf", "\"quoted\"", "back\\slash", ""}));
    EXPECT_EQ(document["sheets"][0]["rows"],
              nlohmann::json::parse(R"([["17", "tab\there", "\u001a\f", "caf\u00e9"]])"));
    EXPECT_EQ(document["sheets"][1]["name"], "missing");
    EXPECT_TRUE(document["sheets"][1].contains("error"));

    // The text form: the names, then per sheet its rows numbered as the spreadsheet numbers them.
    run = RunCommand(kSheetsCommand, {FixturePath("import.xlsx"), "rpdodef"});
    EXPECT_EQ(run.Status, 0);
    EXPECT_NE(run.Out.find("Far\n\n== Rpdodef (5 columns, 5 rows below the title row)\n"
                           "1\tcobid\tid_dev_orig\ten_bypass\tposind\tn_tpdo\n2\t0x181\t1\t01\t0\t1\n"),
              std::string::npos)
        << run.Out;

    run = RunCommand(kSheetsCommand, {"--json", books.Write("junk.xls", std::string("\0\1\2\3", 4))});
    EXPECT_EQ(run.Status, 1);
    EXPECT_TRUE(nlohmann::json::parse(run.Out).contains("error"));
}

// The program itself loads the workbook library only when it reads a workbook: what it shows
// of an .xls and an .xlsx file (and of a damaged one) is what the command shows in this process.
TEST(SheetsCommand, TheProgramReadsWorkbooksAsTheCommandDoes)
{
    TempDir books;
    const std::string junk = books.Write("junk.xls", std::string("\xD0\xCF\x11\xE0\0\1\2\3", 8));
    for (const std::string& path : {FixturePath("import.xls"), FixturePath("tables.xlsx"), junk}) {
        const CommandRun program = RunProgram("sheets --all '" + path + "'");
        const CommandRun command = RunCommand(kSheetsCommand, {"--all", path});
        EXPECT_EQ(program.Status, command.Status) << path;
        EXPECT_EQ(program.Out, command.Out) << path;
        EXPECT_EQ(program.Err, command.Err) << path;
    }
    EXPECT_EQ(RunProgram("sheets '" + FixturePath("import.xls") + "'").Status, 0);
}

// The JSON form is printed as the sheets are read, a row at a time, in the layout of the
// document as a whole: empty lists, a refused sheet between others, and a large sparse sheet
// whose rows end at their last cell (the rows between the table and the far note are empty).
TEST(SheetsCommand, PrintsTheJsonDocumentAsItReadsInTheLayoutOfTheWhole)
{
    TempDir books;
    CommandRun run = RunCommand(kSheetsCommand, {"--json", books.Write("empty.csv", ""), "missing", "empty"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Out, nlohmann::ordered_json::parse(run.Out).dump(1) + "\n");
    EXPECT_EQ(nlohmann::json::parse(run.Out)["sheets"][1],
              nlohmann::json::parse(R"({"name": "empty", "columns": 0, "title": [], "rows": []})"));

    run = RunCommand(kSheetsCommand, {"--json", FixturePath("import.xlsx"), "Far", "none", "rpdodef"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Out, nlohmann::ordered_json::parse(run.Out).dump(1) + "\n");
    const nlohmann::json document = nlohmann::json::parse(run.Out);
    ASSERT_EQ(document["sheets"].size(), 3u);
    const nlohmann::json& far = document["sheets"][0];
    ASSERT_EQ(far["rows"].size(), 59999u);
    EXPECT_EQ(far["rows"][100], nlohmann::json::array());
    EXPECT_EQ(far["rows"][59998][103], "note");
    EXPECT_TRUE(document["sheets"][1].contains("error"));
    EXPECT_EQ(document["sheets"][2]["name"], "Rpdodef");
}

} // namespace
