#include "Fixtures.h"
#include "common/Failure.h"
#include "editors/canopen/tables/SheetExchange.h"
#include "editors/canopen/workbook/Workbook.h"
#include "editors/canopen/workbook/WorkbookReaders.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace {

using Rows = std::vector<std::vector<std::string>>;

// The cells of tables.fods below the title row of its sheet "SDO".
const Rows kSdoRows = {
    {"0", "0x181", "1", "5", "0x2000", "0", "4", "speed", "extra text"},
    {"17", "0x6040", "0", "7", "$2001", "1", "2", "control word", "1.5"},
    {"17", "0x1A0", "", "3", "0x2002", "2", "-12", "RichText", "TRUE"},
    {"", "", "", "", "", "", "", "", ""},
    {"1", "0x182", "", "8", "0x2003", "3", "0.25", "torque \xE2\x82\xAC", "#DIV/0!"},
    {"16", "0x183", "3", "9", "0x2004", "4", "8", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", "123456789012"},
    {"0", "0x184", "4", "18", "0x2005", "TRUE", "-0.5", " spaced ", ""},
};

std::string StringsText(int i)
{
    char text[80];
    std::snprintf(text, sizeof text, "mnemonic text number %03d with some padding", i);
    std::string result = text;
    if (i % 7 == 3) result += " caf\xC3\xA9";
    if (i % 11 == 5) result += " \xE6\x97\xA5\xE6\x9C\xAC";
    return result;
}

class FixtureWorkbook : public ::testing::TestWithParam<const char*> {
protected:
    std::unique_ptr<Workbook> Open() const { return OpenWorkbook(FixturePath(GetParam())); }
};

TEST_P(FixtureWorkbook, ListsItsWorksheetsInOrder)
{
    EXPECT_EQ(Open()->SheetNames(), (std::vector<std::string>{"SDO", "sdo ", "Rpdodef", "Strings"}));
}

TEST_P(FixtureWorkbook, ReadsCellsAsTheSpreadsheetShowsThem)
{
    const Sheet sheet = Open()->ReadSheet("SDO");
    EXPECT_EQ(sheet.columnCount, 9u);
    EXPECT_EQ(sheet.rows, kSdoRows);
}

TEST_P(FixtureWorkbook, ReadsALongSharedStringTableAcrossRecords)
{
    const Sheet sheet = Open()->ReadSheet("Strings");
    ASSERT_EQ(sheet.rows.size(), 400u);
    for (int i = 0; i < 400; ++i)
        ASSERT_EQ(sheet.rows[i], (std::vector<std::string>{std::to_string(i), StringsText(i)})) << "row " << i;
}

TEST_P(FixtureWorkbook, RefusesASheetItDoesNotHave)
{
    EXPECT_THROW(Open()->ReadSheet("sdo"), Failure);
}

TEST_P(FixtureWorkbook, ImportRoutesEveryRowOfTheMatchingSheet)
{
    Rows rows;
    const auto collect = [&](const std::vector<std::string>& row) { rows.push_back(row); };
    // "Rpdodef" is found for the table "rpdodef": twelve rows, more than a ten-row grid holds,
    // cut to the five columns of the table.
    ImportSheetFrom(FixturePath(GetParam()), "rpdodef", 5, collect);
    ASSERT_EQ(rows.size(), 12u);
    const char* flags[] = {"1", "10", "11", "0"};
    for (int i = 0; i < 12; ++i) {
        char cobid[16];
        std::snprintf(cobid, sizeof cobid, "0x%X", 0x181 + i);
        EXPECT_EQ(rows[i], (std::vector<std::string>{cobid, std::to_string(i + 1), flags[i % 4], std::to_string(i),
                                                     std::to_string(i % 3 + 1)}));
    }
    // "SDO" comes before "sdo " and is the one found; its extra column is left out.
    rows.clear();
    ImportSheetFrom(FixturePath(GetParam()), "sdo", 8, collect);
    ASSERT_EQ(rows.size(), kSdoRows.size());
    EXPECT_EQ(rows[1], (std::vector<std::string>(kSdoRows[1].begin(), kSdoRows[1].begin() + 8)));
    // No sheet for the table, or a sheet narrower than the table: nothing.
    rows.clear();
    ImportSheetFrom(FixturePath(GetParam()), "emcydef", 12, collect);
    ImportSheetFrom(FixturePath(GetParam()), "rpdodef", 6, collect);
    EXPECT_TRUE(rows.empty());
}

INSTANTIATE_TEST_SUITE_P(Formats, FixtureWorkbook, ::testing::Values("tables.xls", "tables.xlsx"),
                         [](const auto& info) { return std::string(info.param).substr(7); });

TEST(FixtureWorkbooks, BothFormatsGiveTheSameCells)
{
    const std::unique_ptr<Workbook> xls = OpenWorkbook(FixturePath("tables.xls"));
    const std::unique_ptr<Workbook> xlsx = OpenWorkbook(FixturePath("tables.xlsx"));
    ASSERT_EQ(xls->SheetNames(), xlsx->SheetNames());
    for (const std::string& name : xls->SheetNames()) {
        const Sheet a = xls->ReadSheet(name);
        const Sheet b = xlsx->ReadSheet(name);
        EXPECT_EQ(a.columnCount, b.columnCount) << name;
        EXPECT_EQ(a.rows, b.rows) << name;
    }
}

TEST(FixtureWorkbooks, TheContentDecidesTheFormatNotTheName)
{
    TempDir dir;
    const std::string renamed = dir.Write("sdo.csv", FixtureBytes("tables.xlsx"));
    EXPECT_EQ(OpenWorkbook(renamed)->ReadSheet("SDO").rows, kSdoRows);
    const std::string text = dir.Write("sdo.xls", "a,b,\r\n1,2,\r\n");
    EXPECT_EQ(OpenWorkbook(text)->SheetNames(), (std::vector<std::string>{"sdo"}));
}

} // namespace

namespace {

TEST_P(FixtureWorkbook, KeepsTheTitleRow)
{
    EXPECT_EQ(Open()->ReadSheet("SDO").titleRow,
              (std::vector<std::string>{"conf", "IndexA", "SubindexA", "devIDB", "IndexB", "SubindexB", "nbyteB",
                                        "mnemonico", "note"}));
}

// import.fods: its sheet "Far" holds a table and, far below and to the right of it, one note
// (cell CZ60000), which must not make the table unreadable.
class ImportWorkbook : public ::testing::TestWithParam<const char*> {};

TEST_P(ImportWorkbook, ASheetWithANoteFarAwayIsRead)
{
    const Sheet sheet = OpenWorkbook(FixturePath(GetParam()))->ReadSheet("Far");
    EXPECT_EQ(sheet.columnCount, 104u);
    ASSERT_EQ(sheet.rows.size(), 59999u);
    EXPECT_EQ(sheet.titleRow[2], "en_bypass");
    EXPECT_EQ(CellAt(sheet.rows[0], 0), "0x181");
    EXPECT_EQ(CellAt(sheet.rows[0], 4), "1");
    EXPECT_EQ(CellAt(sheet.rows.back(), 103), "note");
    std::vector<std::vector<std::string>> rows;
    const SheetImportOutcome outcome = ImportSheetFrom(
        FixturePath(GetParam()), "far", 5, [&](const std::vector<std::string>& row) { rows.push_back(row); });
    EXPECT_TRUE(outcome.Complete());
    EXPECT_EQ(rows.size(), 59999u);
    EXPECT_EQ(rows.front(), (std::vector<std::string>{"0x181", "1", "3", "0", "1"}));
}

INSTANTIATE_TEST_SUITE_P(Formats, ImportWorkbook, ::testing::Values("import.xls", "import.xlsx"),
                         [](const auto& info) { return std::string(info.param).substr(7); });

// Files that only look like workbooks, or old ones: refused with a message that says what
// they are, never read as text full of binary junk. Plain text stays CSV.
TEST(FixtureWorkbooks, RefusesBinaryFilesThatAreNoWorkbook)
{
    TempDir dir;
    const auto refusal = [&](const std::string& name, const std::string& bytes) -> std::string {
        try {
            OpenWorkbook(dir.Write(name, bytes));
        } catch (const Failure& failure) {
            return failure.what();
        }
        return "opened";
    };
    // A BIFF4 workbook of several sheets is refused as an old kind (its worksheets are read).
    EXPECT_NE(refusal("old.xls", std::string("\x09\x04\x06\x00\x00\x00\x00\x01\x00\x00\x0A\x00\x00\x00", 14))
                  .find("old kind"),
              std::string::npos);
    EXPECT_NE(refusal("empty.xlsx", std::string("PK\x05\x06", 4) + std::string(18, '\0')).find("empty archive"),
              std::string::npos);
    EXPECT_NE(refusal("junk.xls", std::string("\x7F"
                                              "ELF\x02\x01\x01\x00",
                                              8) +
                                      std::string(200, '\x01'))
                  .find("no workbook"),
              std::string::npos);
    const std::string text = "conf,IndexA,\r\n17,0x181,\r\n";
    EXPECT_EQ(OpenWorkbook(dir.Write("sdo.csv", text))->ReadSheet("sdo").rows,
              (std::vector<std::vector<std::string>>{{"17", "0x181"}}));
}

} // namespace

namespace {

std::string Le16(unsigned value)
{
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8 & 0xFF)};
}
std::string Record(unsigned type, const std::string& data)
{
    return Le16(type) + Le16(static_cast<unsigned>(data.size())) + data;
}
std::string Double(double value)
{
    std::string bytes(8, '\0');
    std::memcpy(bytes.data(), &value, 8);
    return bytes;
}

// The worksheets of the first spreadsheet programs, written straight into a file: read as
// one sheet named after the file.
TEST(FixtureWorkbooks, ReadsTheWorksheetsOfBiff2ToBiff4)
{
    TempDir dir;
    const std::string attributes(3, '\0');
    const std::string biff2 =
        Record(0x0009, Le16(0x0002) + Le16(0x0010)) +
        Record(0x0004, Le16(0) + Le16(0) + attributes +
                           "\x04"
                           "conf") +
        Record(0x0002, Le16(1) + Le16(0) + attributes + Le16(17)) +
        Record(0x0003, Le16(1) + Le16(1) + attributes + Double(1.5)) +
        Record(0x0004, Le16(1) + Le16(2) + attributes +
                           "\x04"
                           "caf\xE9") +
        Record(0x0006, Le16(2) + Le16(0) + attributes + std::string("\0\0\0\0\0\0\xFF\xFF", 8) + std::string(3, '\0')) +
        Record(0x0007, "\x05"
                       "0x181") +
        Record(0x0005, Le16(2) + Le16(1) + attributes + std::string("\x01\x00", 2)) + Record(0x000A, "");
    const std::unique_ptr<Workbook> two = OpenWorkbook(dir.Write("sdo.xls", biff2));
    EXPECT_EQ(two->SheetNames(), (std::vector<std::string>{"sdo"}));
    const Sheet sheet = two->ReadSheet("sdo");
    EXPECT_EQ(sheet.titleRow, (std::vector<std::string>{"conf", "", ""}));
    EXPECT_EQ(sheet.rows, (std::vector<std::vector<std::string>>{{"17", "1.5", "caf\xC3\xA9"}, {"0x181", "TRUE", ""}}));

    // BIFF3 and BIFF4 keep their cells as BIFF5 does.
    for (const unsigned bof : {0x0209u, 0x0409u}) {
        const std::string stream = Record(bof, Le16(0) + Le16(0x0010) + Le16(0)) +
                                   Record(0x0204, Le16(0) + Le16(0) + Le16(15) + Le16(5) + "cobid") +
                                   Record(0x027E, Le16(1) + Le16(0) + Le16(15) + std::string("\x86\x06\x00\x00", 4)) +
                                   Record(0x0406, Le16(1) + Le16(1) + Le16(15) + Double(3) + std::string(6, '\0')) +
                                   Record(0x000A, "");
        EXPECT_EQ(OpenWorkbook(dir.Write("rpdodef.xls", stream))->ReadSheet("rpdodef").rows,
                  (std::vector<std::vector<std::string>>{{"417", "3"}}))
            << std::hex << bof;
    }
}

} // namespace
