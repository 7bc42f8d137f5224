#include "Fixtures.h"
#include "common/Failure.h"
#include "editors/canopen/tables/SheetExchange.h"
#include "editors/canopen/workbook/WorkbookReaders.h"
#include "editors/canopen/workbook/ZipDirectory.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <map>
#include <unistd.h>

namespace {

using Opener = std::function<std::unique_ptr<Workbook>(std::string)>;
using Cells = std::map<std::string, Sheet>;

// Every sheet the workbook lets read; a sheet that is refused is left out. Anything but
// Failure escaping is a fault of the reader.
bool ReadAll(const Opener& open, const std::string& bytes, Cells& cells)
{
    try {
        const std::unique_ptr<Workbook> workbook = open(bytes);
        for (const std::string& name : workbook->SheetNames()) {
            try {
                cells[name] = workbook->ReadSheet(name);
            } catch (const Failure&) {
            }
        }
        return true;
    } catch (const Failure&) {
        return false;
    }
}

bool operator==(const Sheet& a, const Sheet& b)
{
    return a.columnCount == b.columnCount && a.rows == b.rows;
}

// A small generator of its own, so that a failing case can be run again.
struct Damage {
    uint32_t state;
    uint32_t Next()
    {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
};

std::string FlipBytes(std::string bytes, Damage& damage, int count)
{
    for (int i = 0; i < count; ++i) bytes[damage.Next() % bytes.size()] ^= static_cast<char>(1 + damage.Next() % 255);
    return bytes;
}

TEST(DamagedWorkbook, TruncatedCopiesAreRefusedOrReadAsFarAsTheyGo)
{
    for (const char* name : {"tables.xls", "tables.xlsx"}) {
        const std::string good = FixtureBytes(name);
        const bool zip = std::string(name).ends_with(".xlsx");
        const Opener open = zip ? Opener(OpenXlsxWorkbook) : Opener(OpenXlsWorkbook);
        for (size_t length = 0; length < good.size(); length += 97) {
            Cells cells;
            // A ZIP archive keeps its directory at the end: every cut loses it.
            if (ReadAll(open, good.substr(0, length), cells) && zip)
                ADD_FAILURE() << name << " cut at " << length << " was read";
        }
    }
}

TEST(DamagedWorkbook, AnXlsxWithFlippedBytesIsRefusedOrReadUnchanged)
{
    const std::string good = FixtureBytes("tables.xlsx");
    Cells original;
    ASSERT_TRUE(ReadAll(OpenXlsxWorkbook, good, original));
    ASSERT_EQ(original.size(), 4u);
    Damage damage{6};
    int refused = 0;
    for (int round = 0; round < 600; ++round) {
        Cells cells;
        const std::string bad = FlipBytes(good, damage, 1 + round % 4);
        if (!ReadAll(OpenXlsxWorkbook, bad, cells)) {
            ++refused;
            continue;
        }
        // Whatever was read is what the workbook holds: no altered cell comes through.
        for (const auto& [sheet, content] : cells) {
            ASSERT_TRUE(original.count(sheet)) << "round " << round << " invented sheet " << sheet;
            ASSERT_TRUE(content == original[sheet]) << "round " << round << " altered sheet " << sheet;
        }
    }
    EXPECT_GT(refused, 100);
}

TEST(DamagedWorkbook, AnXlsWithFlippedBytesNeverEscapesAsAnythingButFailure)
{
    const std::string good = FixtureBytes("tables.xls");
    Damage damage{9};
    for (int round = 0; round < 600; ++round) {
        Cells cells;
        ReadAll(OpenXlsWorkbook, FlipBytes(good, damage, 1 + round % 8), cells);
        for (const auto& [sheet, content] : cells)
            for (const auto& row : content.rows) ASSERT_LE(row.size(), content.columnCount);
    }
}

// The offset of the central directory entry of a member.
size_t DirectoryEntry(const std::string& zip, const std::string& member)
{
    for (size_t pos = zip.find("PK\x01\x02"); pos != std::string::npos; pos = zip.find("PK\x01\x02", pos + 4)) {
        const size_t nameLength = static_cast<unsigned char>(zip[pos + 28]) | static_cast<unsigned char>(zip[pos + 29])
                                                                                  << 8;
        if (zip.compare(pos + 46, nameLength, member) == 0) return pos;
    }
    return std::string::npos;
}

TEST(DamagedWorkbook, AMemberWhoseCrcDoesNotMatchIsRefused)
{
    const std::string good = FixtureBytes("tables.xlsx");
    const size_t entry = DirectoryEntry(good, "xl/worksheets/sheet1.xml");
    ASSERT_NE(entry, std::string::npos);
    const std::map<std::string, ZipMemberCheck> directory = ReadZipDirectory(good);
    ASSERT_TRUE(directory.count("xl/worksheets/sheet1.xml"));

    // libgsf would hand over the intact data: only the check against the directory tells.
    std::string badCrc = good;
    badCrc[entry + 16] ^= 0x01;
    EXPECT_THROW(OpenXlsxWorkbook(badCrc)->ReadSheet("SDO"), Failure);
    EXPECT_NO_THROW(OpenXlsxWorkbook(badCrc)->ReadSheet("Rpdodef")); // the other sheets are sound

    std::string badSize = good;
    badSize[entry + 24] ^= 0x01;
    EXPECT_THROW(OpenXlsxWorkbook(badSize)->ReadSheet("SDO"), Failure);

    // The shared strings are read on opening: a bad CRC there refuses the workbook.
    std::string badStrings = good;
    badStrings[DirectoryEntry(good, "xl/sharedStrings.xml") + 16] ^= 0x80;
    EXPECT_THROW(OpenXlsxWorkbook(badStrings), Failure);
}

TEST(DamagedWorkbook, TheImportEndsSilentlyOnADamagedFile)
{
    TempDir dir;
    std::string bad = FixtureBytes("tables.xlsx");
    bad[DirectoryEntry(bad, "xl/worksheets/sheet3.xml") + 16] ^= 0x01;
    int rows = 0;
    ImportSheetFrom(dir.Write("bad.xlsx", bad), "rpdodef", 5, [&](const auto&) { ++rows; });
    ImportSheetFrom(dir.Write("cut.xls", FixtureBytes("tables.xls").substr(0, 3000)), "rpdodef", 5,
                    [&](const auto&) { ++rows; });
    EXPECT_EQ(rows, 0);
    ImportSheetFrom(dir.Write("good.xlsx", FixtureBytes("tables.xlsx")), "rpdodef", 5, [&](const auto&) { ++rows; });
    EXPECT_EQ(rows, 12);
}

TEST(DamagedWorkbook, ZipDirectoryOfAnArchiveWithoutOneIsRefused)
{
    EXPECT_THROW(ReadZipDirectory(""), Failure);
    // One entry claimed, none there.
    std::string end("PK\x05\x06", 4);
    end += std::string("\0\0\0\0\x01\0\x01\0\x2E\0\0\0\0\0\0\0\0\0", 18);
    EXPECT_THROW(ReadZipDirectory(end), Failure);
    EXPECT_THROW(ReadZipDirectory(std::string(46, 'x') + end), Failure);
    const std::string good = FixtureBytes("tables.xlsx");
    EXPECT_EQ(ReadZipDirectory(good).size(), ReadZipDirectory(good + "trailing").size());
    EXPECT_EQ(ZipCrc32("123456789"), 0xCBF43926u);
}

} // namespace

namespace {

// Reading damaged files prints nothing on standard error: the reader reports the file, and
// what libgsf and GLib would say about it would only litter a console or a command's output.
TEST(DamagedWorkbook, ReadingDamagedFilesPrintsNothing)
{
    TempDir dir;
    const std::string captured = dir.Write("stderr.txt", "");
    std::fflush(stderr);
    const int saved = dup(2);
    const int file = open(captured.c_str(), O_WRONLY | O_TRUNC);
    ASSERT_GE(file, 0);
    dup2(file, 2);
    for (const char* name : {"tables.xls", "tables.xlsx"}) {
        const std::string good = FixtureBytes(name);
        const Opener open = std::string(name).back() == 'x' ? Opener(OpenXlsxWorkbook) : Opener(OpenXlsWorkbook);
        Damage damage{21};
        for (int round = 0; round < 150; ++round) {
            Cells cells;
            ReadAll(open, FlipBytes(good, damage, 1 + round % 4), cells);
            ReadAll(open, good.substr(0, damage.Next() % good.size()), cells);
        }
    }
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    close(file);
    EXPECT_EQ(ReadFileBytes(captured), "");
}

} // namespace
