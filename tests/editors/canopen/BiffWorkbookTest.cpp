// Binary workbooks built record by record and stored in a compound file written by libgsf,
// for the records and forms that the fixture workbooks do not contain.
#include "common/Failure.h"
#include "editors/canopen/workbook/WorkbookReaders.h"

#include <gsf/gsf.h>
#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

namespace {

using Rows = std::vector<std::vector<std::string>>;

std::string U16(unsigned value)
{
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8 & 0xFF)};
}
std::string U32(uint32_t value)
{
    return U16(value & 0xFFFF) + U16(value >> 16);
}
std::string F64(double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return U32(static_cast<uint32_t>(bits)) + U32(static_cast<uint32_t>(bits >> 32));
}
std::string Rec(unsigned type, const std::string& data)
{
    return U16(type) + U16(static_cast<unsigned>(data.size())) + data;
}
std::string Cell(unsigned row, unsigned column, unsigned xf = 15)
{
    return U16(row) + U16(column) + U16(xf);
}

struct Biff {
    bool biff8 = true;
    std::string Text(const std::string& text, bool byteLength = false) const
    {
        const std::string length =
            byteLength ? std::string(1, static_cast<char>(text.size())) : U16(static_cast<unsigned>(text.size()));
        return biff8 ? length + '\0' + text : length + text;
    }
    std::string Bof(unsigned kind) const
    {
        return Rec(0x0809, U16(biff8 ? 0x0600 : 0x0500) + U16(kind) + std::string(biff8 ? 12 : 4, '\0'));
    }
    // The globals with one worksheet of that name, then the sheet's records.
    std::string Stream(const std::string& sheetName, const std::string& extraGlobals, const std::string& sheetRecords,
                       int64_t offsetShift = 0) const
    {
        const auto globals = [&](uint32_t offset) {
            return Bof(0x0005) + extraGlobals + Rec(0x0085, U32(offset) + '\0' + '\0' + Text(sheetName, true)) +
                   Rec(0x000A, "");
        };
        const uint32_t offset = static_cast<uint32_t>(globals(0).size());
        return globals(static_cast<uint32_t>(offset + offsetShift)) + Bof(0x0010) + sheetRecords;
    }
};

// The stream in a compound file beside others, as some programs store it.
std::string CompoundFile(const std::vector<std::pair<std::string, std::string>>& streams)
{
    gsf_init();
    GsfOutput* sink = gsf_output_memory_new();
    GsfOutfile* file = gsf_outfile_msole_new(sink);
    for (const auto& [name, stream] : streams) {
        GsfOutput* child = gsf_outfile_new_child(file, name.c_str(), FALSE);
        gsf_output_write(child, stream.size(), reinterpret_cast<const guint8*>(stream.data()));
        gsf_output_close(child);
        g_object_unref(child);
    }
    gsf_output_close(GSF_OUTPUT(file));
    g_object_unref(file);
    const std::string bytes(reinterpret_cast<const char*>(gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink))),
                            static_cast<size_t>(gsf_output_size(sink)));
    g_object_unref(sink);
    return bytes;
}

// The stream in a compound file, as a spreadsheet program stores it.
std::string CompoundFile(const std::string& streamName, const std::string& stream)
{
    return CompoundFile({{streamName, stream}});
}

std::string Rk(unsigned row, unsigned column, uint32_t rk)
{
    return Rec(0x027E, Cell(row, column) + U32(rk));
}

// A formula cell whose stored result is tagged (string 0, boolean 1, error 2, empty 3).
std::string TaggedFormula(unsigned row, unsigned column, unsigned tag, unsigned value = 0)
{
    return Rec(0x0006, Cell(row, column) + std::string(1, static_cast<char>(tag)) + '\0' +
                           std::string(1, static_cast<char>(value)) + std::string(3, '\0') + U16(0xFFFF) + U16(0) +
                           U32(0) + U16(3) + "\x1E\x01\x00");
}

TEST(BiffWorkbook, ReadsEveryKindOfCellRecord)
{
    const Biff biff;
    const std::string sst = Rec(0x00FC, U32(2) + U32(2) + biff.Text("shared") + biff.Text("second"));
    const std::string cells =
        Rec(0x00FD, Cell(0, 0) + U32(1)) +             // LABELSST: the title
        Rk(1, 0, 17u << 2 | 2) +                       // integer
        Rk(1, 1, 150u << 2 | 3) +                      // integer / 100
        Rk(1, 2, 0x3FF80000u) +                        // the high bits of 1.5
        Rec(0x0204, Cell(1, 3) + biff.Text("0x181")) + // LABEL
        Rec(0x00BD, U16(2) + U16(0) + U16(15) + U32(1u << 2 | 2) + U16(15) + U32(static_cast<uint32_t>(-2) << 2 | 2) +
                        U16(15) + U32(3u << 2 | 2) + U16(2)) + // MULRK, columns 0 to 2
        Rec(0x0203, Cell(2, 3) + F64(0.25)) +                  // NUMBER
        Rec(0x00FD, Cell(3, 0) + U32(0)) +
        Rec(0x0205, Cell(3, 1) + '\0' + '\0') +     // BOOLERR: FALSE
        Rec(0x0205, Cell(3, 2) + '\x2A' + '\x01') + // BOOLERR: #N/A
        Rec(0x0205, Cell(3, 3) + '\x01' + '\0') +   // BOOLERR: TRUE
        TaggedFormula(4, 0, 0) + Rec(0x04BC, std::string(10, '\0')) + Rec(0x0207, biff.Text("abc")) +
        TaggedFormula(4, 1, 3) +                                       // empty text
        Rec(0x0006, Cell(4, 2) + F64(17) + U16(0) + U32(0) + U16(0)) + // a number
        TaggedFormula(4, 3, 2, 0x07) +                                 // #DIV/0!
        TaggedFormula(6, 0, 0) + Rec(0x0201, Cell(6, 1)) +             // a string never given
        biff.Bof(0x0020) + Rec(0x0204, Cell(7, 0) + biff.Text("chart")) + Rec(0x000A, "") +
        TaggedFormula(8, 0, 1, 1) + // TRUE, then blanks
        Rec(0x00BE, U16(9) + U16(0) + U16(15) + U16(15) + U16(1)) + Rec(0x000A, "");
    const std::unique_ptr<Workbook> workbook =
        OpenXlsWorkbook(CompoundFile("Workbook", biff.Stream("Sdo", sst, cells)));
    ASSERT_EQ(workbook->SheetNames(), (std::vector<std::string>{"Sdo"}));
    const Sheet sheet = workbook->ReadSheet("Sdo");
    EXPECT_EQ(sheet.columnCount, 4u);
    EXPECT_EQ(sheet.rows, (Rows{{"17", "1.5", "1.5", "0x181"},
                                {"1", "-2", "3", "0.25"},
                                {"shared", "FALSE", "#N/A", "TRUE"},
                                {"abc", "", "17", "#DIV/0!"},
                                {"", "", "", ""},
                                {"", "", "", ""},
                                {"", "", "", ""},
                                {"TRUE", "", "", ""}}));
}

TEST(BiffWorkbook, ReadsTheBookStreamOfOlderWorkbooks)
{
    Biff biff;
    biff.biff8 = false;
    const std::string cells = Rec(0x0204, Cell(0, 0) + biff.Text("title")) +
                              Rec(0x00D6, Cell(1, 0) + biff.Text("caf\xE9 \x80") + "\x01\x00\x00\x05") +
                              Rk(1, 1, 5u << 2 | 2) + TaggedFormula(1, 2, 0) + Rec(0x0207, biff.Text("0x20")) +
                              Rec(0x000A, "");
    const std::unique_ptr<Workbook> workbook =
        OpenXlsWorkbook(CompoundFile("Book", biff.Stream("Emcyword", "", cells)));
    ASSERT_EQ(workbook->SheetNames(), (std::vector<std::string>{"Emcyword"}));
    EXPECT_EQ(workbook->ReadSheet("Emcyword").rows, (Rows{{"caf\xC3\xA9 \xE2\x82\xAC", "5", "0x20"}}));
}

TEST(BiffWorkbook, RefusesDamagedAndProtectedWorkbooks)
{
    const Biff biff;
    const std::string title = Rec(0x0204, Cell(0, 0) + biff.Text("t"));
    const auto open = [](const std::string& stream) { return OpenXlsWorkbook(CompoundFile("Workbook", stream)); };
    EXPECT_NO_THROW(open(biff.Stream("a", "", title + Rec(0x000A, "")))->ReadSheet("a"));
    // A sheet without its end, a sheet offset beyond the stream or at no sheet, a shared
    // string that is not there, a cell record too short for its cell.
    EXPECT_THROW(open(biff.Stream("a", "", title))->ReadSheet("a"), Failure);
    EXPECT_THROW(open(biff.Stream("a", "", title + Rec(0x000A, ""), 100000))->ReadSheet("a"), Failure);
    EXPECT_THROW(open(biff.Stream("a", "", title + Rec(0x000A, ""), -4))->ReadSheet("a"), Failure);
    EXPECT_THROW(open(biff.Stream("a", "", Rec(0x00FD, Cell(0, 0) + U32(0)) + Rec(0x000A, "")))->ReadSheet("a"),
                 Failure);
    EXPECT_THROW(open(biff.Stream("a", "", Rec(0x0203, Cell(1, 0) + "abc") + Rec(0x000A, "")))->ReadSheet("a"),
                 Failure);
    // Encrypted, no workbook stream, no compound file at all.
    EXPECT_THROW(open(biff.Stream("a", Rec(0x002F, U16(1)), title + Rec(0x000A, ""))), Failure);
    EXPECT_THROW(OpenXlsWorkbook(CompoundFile("Other", biff.Stream("a", "", Rec(0x000A, "")))), Failure);
    EXPECT_THROW(OpenXlsWorkbook("not a compound file"), Failure);
}

std::string OneCellStream(const Biff& biff, const std::string& text)
{
    return biff.Stream("a", "",
                       Rec(0x0204, Cell(0, 0) + biff.Text("title")) + Rec(0x0204, Cell(1, 0) + biff.Text(text)) +
                           Rec(0x000A, ""));
}

TEST(BiffWorkbook, FindsTheStreamWhateverItsLetterCaseAndPrefersTheCurrentOne)
{
    Biff old;
    old.biff8 = false;
    for (const char* name : {"WORKBOOK", "WorkBook", "workbook"})
        EXPECT_EQ(OpenXlsWorkbook(CompoundFile(name, OneCellStream(Biff(), "new")))->ReadSheet("a").rows,
                  (Rows{{"new"}}))
            << name;
    EXPECT_EQ(OpenXlsWorkbook(CompoundFile("BOOK", OneCellStream(old, "old")))->ReadSheet("a").rows, (Rows{{"old"}}));
    // A file holding a stale "Book" beside its "Workbook" is read from the current one, in
    // whichever order they are stored.
    EXPECT_EQ(OpenXlsWorkbook(
                  CompoundFile({{"Book", OneCellStream(old, "stale")}, {"Workbook", OneCellStream(Biff(), "current")}}))
                  ->ReadSheet("a")
                  .rows,
              (Rows{{"current"}}));
}

TEST(BiffWorkbook, ReadsBiff5SheetsThatCarryTheBiff8Version)
{
    Biff old;
    old.biff8 = false;
    std::string stream = OneCellStream(old, "caf\xE9");
    // The sheet's BOF (the second one) says 0x0600 while its texts stay BIFF5 texts.
    const size_t sheetBof = stream.find("\x09\x08", 4);
    ASSERT_NE(sheetBof, std::string::npos);
    stream[sheetBof + 5] = '\x06';
    const Sheet sheet = OpenXlsWorkbook(CompoundFile("Book", stream))->ReadSheet("a");
    EXPECT_EQ(sheet.rows, (Rows{{"caf\xC3\xA9"}}));
    EXPECT_EQ(sheet.titleRow, (std::vector<std::string>{"title"}));
}

TEST(BiffWorkbook, KeepsTheRowOfAnOlderFormulaRecord)
{
    const Biff biff;
    // FORMULA in its BIFF3 (0x0206) and BIFF4 (0x0406) forms, as some programs write them into
    // BIFF8 files: the same cell and result layout.
    const std::string formula = Cell(1, 0) + F64(42) + U16(0) + U32(0) + U16(0);
    const std::string cells = Rec(0x0204, Cell(0, 0) + biff.Text("t")) + Rec(0x0406, formula) +
                              Rec(0x0206, Cell(2, 1) + F64(0.5) + U16(0) + U32(0) + U16(0)) + Rec(0x000A, "");
    EXPECT_EQ(OpenXlsWorkbook(CompoundFile("Workbook", biff.Stream("a", "", cells)))->ReadSheet("a").rows,
              (Rows{{"42", ""}, {"", "0.5"}}));
}

TEST(BiffWorkbook, SaysThatAnEncryptedOpenXmlWorkbookIsProtectedByAPassword)
{
    const std::string encrypted =
        CompoundFile({{"EncryptionInfo", std::string(64, '\x04')}, {"EncryptedPackage", std::string(4096, 'x')}});
    try {
        OpenXlsWorkbook(encrypted);
        FAIL() << "an encrypted workbook was opened";
    } catch (const Failure& failure) {
        EXPECT_STREQ(failure.what(), "The workbook is protected by a password");
    }
}

} // namespace
