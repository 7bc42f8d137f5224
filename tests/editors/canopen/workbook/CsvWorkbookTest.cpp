// CSV files read from the file a row at a time: their limits, refused before any row is read,
// the order of what ReadSheetRows hands over, and a file that changes while it is read.
#include "common/Failure.h"
#include "editors/canopen/workbook/CsvLimits.h"
#include "editors/canopen/workbook/Workbook.h"
#include "support/TempDir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

using Rows = std::vector<std::vector<std::string>>;

std::string Refusal(const std::string& path)
{
    try {
        OpenWorkbook(path);
    } catch (const Failure& failure) {
        return failure.what();
    }
    return "opened";
}

std::string Lines(size_t count, const std::string& line)
{
    std::string text;
    text.reserve(count * line.size());
    for (size_t i = 0; i < count; ++i) text += line;
    return text;
}

TEST(CsvWorkbook, TheRowsOfASheetAreReadWholeAndBeyondThemRefusedByName)
{
    TempDir dir;
    // As many lines as a sheet has rows, and empty lines after them, which are no rows.
    const std::string most = dir.Write("most.csv", Lines(kMaxCsvLines, "1,\n") + "\r\n\n");
    size_t rows = 0;
    OpenWorkbook(most)->ReadSheetRows(
        "most",
        [](const SheetHead& head) {
            EXPECT_EQ(head.rowCount, kMaxCsvLines - 1);
            return true;
        },
        [&](const std::vector<std::string>& row) { rows += row == std::vector<std::string>{"1"}; });
    EXPECT_EQ(rows, kMaxCsvLines - 1);

    const std::string tooMany = dir.Write("many.csv", Lines(kMaxCsvLines + 1, "1,\n"));
    EXPECT_NE(Refusal(tooMany).find("more than 1048576 lines"), std::string::npos) << Refusal(tooMany);
    const std::string wide = dir.Write("wide.csv", "a,\n" + Lines(kMaxCsvFields + 1, "x,") + "\n");
    EXPECT_NE(Refusal(wide).find("line 2 has more than 16384 fields"), std::string::npos) << Refusal(wide);
    // Lines ending in a lone CR are all one line.
    const std::string oneLine = dir.Write("mac.csv", Lines(kMaxCsvLineBytes / 8 + 1, "1,2,3,4\r"));
    EXPECT_NE(Refusal(oneLine).find("line 1 is longer than 1048576 bytes"), std::string::npos) << Refusal(oneLine);
    // Beyond the head that tells the format, the whole file must still be text.
    const std::string binary = dir.Write("late.csv", Lines(100000, "1,2,\r\n") + std::string("\x01\x02", 2));
    EXPECT_NE(Refusal(binary).find("no workbook and no text file"), std::string::npos) << Refusal(binary);
}

TEST(CsvWorkbook, HandsTheHeadThenEachRowInOrderAsItIsRead)
{
    TempDir dir;
    // One byte that is no UTF-8, after the head, makes the whole file code page 1252.
    const std::string path =
        dir.Write("sdo.csv", "a,b,\r\n1,\r\n\r\n2,3,4,\r\n" + Lines(50000, "5,6,\r\n") + "\xE9,\r\n\r\n");
    const std::unique_ptr<Workbook> workbook = OpenWorkbook(path);
    Rows rows;
    try {
        workbook->ReadSheetRows(
            "sdo",
            [&](const SheetHead& head) {
                EXPECT_EQ(head.columnCount, 3u);
                EXPECT_EQ(head.rowCount, 50004u);
                EXPECT_EQ(head.titleRow, (std::vector<std::string>{"a", "b", ""}));
                EXPECT_TRUE(head.fromCsv);
                EXPECT_TRUE(rows.empty());
                return true;
            },
            [&](const std::vector<std::string>& row) {
                rows.push_back(row);
                if (rows.size() == 3) throw std::runtime_error("enough");
            });
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(rows, (Rows{{"1", "", ""}, {"", "", ""}, {"2", "3", "4"}}));
    EXPECT_EQ(workbook->ReadSheet("sdo").rows.back(), (std::vector<std::string>{"\xC3\xA9", "", ""}));

    // A file written over after it opened is not taken for the one surveyed.
    std::ofstream(path, std::ios::binary | std::ios::in) << "a,b,\r\n1,2,3,4,";
    rows.clear();
    EXPECT_THROW(workbook->ReadSheetRows(
                     "sdo", [](const SheetHead&) { return true; },
                     [&](const std::vector<std::string>& row) { rows.push_back(row); }),
                 Failure);
    EXPECT_TRUE(rows.empty());
}

} // namespace
