#include "editors/canopen/tables/SheetExchange.h"
#include "common/Desktop.h"
#include "common/MessageSink.h"
#include "support/ScriptedDesktop.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST(ExportCsv, EveryValueEndsWithACommaAndEveryLineWithCrLf)
{
    EXPECT_EQ(CsvText({{"cobid", "id_dev_orig", "00"}, {"", "a,b", "caf\xC3\xA9"}, {}}),
              "cobid,id_dev_orig,00,\r\n,a,b,caf\xE9,\r\n\r\n");
}

TEST(ExportCsv, WritesTableNameDotCsvInTheProjectAndReportsAFailure)
{
    TempDir dir;
    ProjectContext context;
    context.ProjectDir = dir.Path();
    EXPECT_TRUE(ExportCsv(context, "rpdodef", {{"1", "2"}}).empty());
    EXPECT_EQ(ReadAll(dir.File("rpdodef.csv")), "1,2,\r\n");

    ::chmod(dir.File("rpdodef.csv").c_str(), 0444);
    const UserMessages failed = ExportCsv(context, "rpdodef", {{"3"}});
    EXPECT_EQ(ReadAll(dir.File("rpdodef.csv")), "1,2,\r\n");
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].Kind, UserMessage::Box::Notice);
    EXPECT_NE(failed[0].Text.find("rpdodef.csv"), std::string::npos);
}

TEST(ImportSheet, ReadsAnExportedCsvBackBelowItsTitleRow)
{
    TempDir dir;
    const std::string path = dir.Write("emcydef.csv", "t1,t2,t3,\r\n1,,3,\r\n4,5,6,\r\n");
    Rows rows;
    ImportSheetFrom(path, "emcydef", 3, [&](const std::vector<std::string>& row) { rows.push_back(row); });
    EXPECT_EQ(rows, (Rows{{"1", "", "3"}, {"4", "5", "6"}}));
}

TEST(ImportSheet, ATitleLessExportReadsBackFromItsCsvFileWhole)
{
    TempDir dir;
    Rows rows;
    const auto collect = [&](const std::vector<std::string>& row) { rows.push_back(row); };
    // emcydef routes on its twelfth column, sdopdo and emcyword on their third.
    ImportSheetFrom(dir.Write("emcydef.csv", "1,2,3,4,5,6,7,8,9,10,11,33,\r\n"), "emcydef", 12, collect);
    EXPECT_EQ(rows.size(), 1u);
    rows.clear();
    ImportSheetFrom(dir.Write("sdopdo.csv", "index,subindex,nrpdo,poscomp,\r\n0x10,1,1,0,\r\n"), "sdopdo", 4, collect);
    EXPECT_EQ(rows, (Rows{{"0x10", "1", "1", "0"}})); // a real title line stays a title line
    rows.clear();
    ImportSheetFrom(dir.Write("rpdodef.csv", "1,2,3,4,5,\r\n6,7,8,9,10,\r\n"), "rpdodef", 5, collect);
    EXPECT_EQ(rows.size(), 1u); // this export always begins with its title line
}

TEST(ImportSheet, FindsTheSheetByLowerCaseNameOnly)
{
    TempDir dir;
    Rows rows;
    const auto collect = [&](const std::vector<std::string>& row) { rows.push_back(row); };
    ImportSheetFrom(dir.Write("SDO.csv", "a,\r\n1,\r\n"), "sdo", 1, collect);
    EXPECT_EQ(rows.size(), 1u);
    ImportSheetFrom(dir.Write("sdo .csv", "a,\r\n1,\r\n"), "sdo", 1, collect);
    EXPECT_EQ(rows.size(), 1u);
}

TEST(ImportSheet, StopsSilentlyOnANarrowSheetAndOnARefusedRow)
{
    TempDir dir;
    Rows rows;
    ImportSheetFrom(dir.Write("sdo.csv", "a,b,\r\n1,2,\r\n"), "sdo", 3, [&](const auto& row) { rows.push_back(row); });
    EXPECT_TRUE(rows.empty());
    ImportSheetFrom(dir.Write("sdo.csv", "a,\r\n1,\r\nstop,\r\n3,\r\n"), "sdo", 1, [&](const auto& row) {
        if (row[0] == "stop") throw std::runtime_error("refused");
        rows.push_back(row);
    });
    EXPECT_EQ(rows, (Rows{{"1"}}));
}

// The tables that grow with every row take a sheet within their limits or nothing of it; the
// grids, which pass over what they cannot hold, take any.
TEST(ImportSheet, AListTableRefusesASheetBeyondItsRowsOrTextNamingTheLimit)
{
    TempDir dir;
    size_t rows = 0;
    const auto count = [&](const auto&) { ++rows; };
    std::string many = "t1,t2,t3,\r\n";
    for (int i = 0; i < 8193; ++i) many += "1,2,3,\r\n";
    SheetImportOutcome outcome = ImportSheetFrom(dir.Write("emcyword.csv", many), "emcyword", 3, count);
    EXPECT_EQ(rows, 0u);
    EXPECT_EQ(outcome.problem, "the sheet 'emcyword' has 8193 rows below its title row; the table takes at most 8192");
    EXPECT_TRUE(ImportSheetFrom(dir.Write("sdo.csv", many), "sdo", 3, count).Complete());
    EXPECT_EQ(rows, 8193u);

    std::string wide = "t1,t2,t3,\r\n";
    for (int i = 0; i < 9; ++i) wide += std::string(1000000, 'x') + ",2,3,\r\n";
    rows = 0;
    outcome = ImportSheetFrom(dir.Write("emcydef.csv", wide), "emcydef", 3, count);
    EXPECT_EQ(rows, 0u);
    EXPECT_NE(outcome.problem.find("bytes of text; the table takes at most 8388608"), std::string::npos)
        << outcome.problem;
}

TEST(ImportSheet, CancelChangesNothingAndAChoiceClearsFirst)
{
    TempDir dir;
    ScriptedDesktop desktop;
    ScopedDesktop scope(desktop);
    OpenExcelDialog dialog{dir.Path(), ""};
    int cleared = 0;
    ImportSheet(
        dialog, "sdo", 1, [&] { ++cleared; }, [](const auto&) {});
    EXPECT_EQ(cleared, 0);
    ASSERT_EQ(desktop.dialogs.size(), 1u);
    EXPECT_EQ(desktop.dialogs[0].directory, dir.Path());

    const std::string chosen = dir.Write("not-a-workbook.xls", std::string("\xD0\xCF\x11\xE0garbage", 11));
    desktop.files.push_back(chosen);
    ImportSheet(
        dialog, "sdo", 1, [&] { ++cleared; }, [](const auto&) { FAIL() << "no row expected"; });
    EXPECT_EQ(cleared, 1);
    EXPECT_EQ(dialog.FileName, chosen);
}

} // namespace
