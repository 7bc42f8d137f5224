// OpenDocument spreadsheets: the workbooks the spreadsheet program saved from the fixtures'
// sources read as their .xlsx copies do, and the content forms it and others write.
#include "Fixtures.h"
#include "TestArchive.h"
#include "common/Failure.h"
#include "editors/canopen/tables/TableTransfer.h"
#include "editors/canopen/workbook/OpenExcel.h"
#include "editors/canopen/workbook/WorkbookReaders.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using Rows = std::vector<std::vector<std::string>>;

// NAME.ods is saved from the same source as NAME.xlsx; NAME-xlsx.ods is NAME.xlsx converted,
// which keeps truth values from formulas as numbers.
TEST(SavedOds, ReadsAsTheXlsxOfTheSameContent)
{
    for (const std::string odsName : {"tables.ods", "import.ods", "tables-xlsx.ods", "import-xlsx.ods"}) {
        const std::string base = odsName.substr(0, odsName.find_first_of(".-"));
        const std::unique_ptr<Workbook> ods = OpenWorkbook(FixturePath(odsName));
        const std::unique_ptr<Workbook> xlsx = OpenWorkbook(FixturePath(base + ".xlsx"));
        ASSERT_EQ(ods->SheetNames(), xlsx->SheetNames()) << odsName;
        for (const std::string& name : xlsx->SheetNames()) {
            const Sheet a = ods->ReadSheet(name);
            const Sheet b = xlsx->ReadSheet(name);
            EXPECT_EQ(a.columnCount, b.columnCount) << odsName << " " << name;
            EXPECT_EQ(a.titleRow, b.titleRow) << odsName << " " << name;
            EXPECT_EQ(a.rows, b.rows) << odsName << " " << name;
        }
    }
}

TEST(SavedOds, EveryTableImportsToTheSameDocument)
{
    const char* rpdodef = "<rpdodef>\r\n"
                          "  <row cobid=\"0x181\" id_dev_orig=\"1\" en_bypass=\"0\" posind=\"0\" n_tpdo=\"1\"/>\r\n"
                          "  <row cobid=\"0x281\" id_dev_orig=\"2\" en_bypass=\"3\" posind=\"1\" n_tpdo=\"2\"/>\r\n"
                          "</rpdodef>\r\n";
    for (const std::string& table : CanopenTableNames()) {
        std::string documents[2];
        std::string summaries[2];
        for (int i = 0; i < 2; ++i) {
            TempDir project;
            project.Write("rpdodef.xml", rpdodef);
            ProjectContext context;
            context.ProjectDir = project.Path();
            context.UpdateProjectFiles();
            const TableImportReport report =
                ImportTable(context, table, FixturePath(i ? "import.ods" : "import.xlsx"), true);
            ASSERT_TRUE(report.outcome.sheetFound) << table;
            summaries[i] = report.Summary();
            documents[i] = ReadAll(report.writtenPath);
        }
        EXPECT_FALSE(documents[0].empty()) << table;
        EXPECT_EQ(documents[1], documents[0]) << table;
        EXPECT_EQ(summaries[1], summaries[0]) << table;
    }
}

// A content document around the tables (and settings) given.
std::string Content(const std::string& spreadsheet)
{
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:t="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"
 xmlns:calcext="urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0">
<office:body><office:spreadsheet>)" +
           spreadsheet + "</office:spreadsheet></office:body></office:document-content>";
}

std::unique_ptr<Workbook> Ods(const std::string& spreadsheet)
{
    return OpenOdsWorkbook(Archive(
        {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}, {"content.xml", Content(spreadsheet)}}, true));
}

std::string Cell(const std::string& attributes, const std::string& content = "")
{
    return "<table:table-cell " + attributes + ">" + content + "</table:table-cell>";
}

std::string Text(const std::string& text)
{
    return Cell(R"(office:value-type="string")", "<t:p>" + text + "</t:p>");
}

TEST(OdsContent, ReadsCellsAsTheImportSeesThem)
{
    const std::string title = "<table:table-row>" + Text("a") + "</table:table-row>";
    const std::unique_ptr<Workbook> workbook = Ods(
        "<table:calculation-settings><table:null-date table:date-value=\"1899-12-30\"/></table:calculation-settings>"
        "<table:table table:name=\"Cells\"><table:table-column table:number-columns-repeated=\"9\"/>"
        "<table:table-header-rows>" +
        title + "</table:table-header-rows><table:table-row-group><table:table-row>" +
        Text("a<t:s t:c=\"3\"/>b<t:tab/>c<t:line-break/><t:span>d<t:a>e</t:a></t:span>") +
        Cell(R"(office:value-type="string")",
             "<t:p>one</t:p><t:p>two</t:p><office:annotation><t:p>note</t:p></office:annotation>"
             "<draw:frame><draw:text-box><t:p>shape</t:p></draw:text-box></draw:frame>") +
        Cell(R"(office:value-type="float" office:value="1.5")", "<t:p>1,50</t:p>") +
        Cell(R"(office:value-type="percentage" office:value="0.25")", "<t:p>25%</t:p>") +
        Cell(R"(office:value-type="date" office:date-value="2024-03-01T12:00:00")", "<t:p>01.03.24</t:p>") +
        Cell(R"(office:value-type="time" office:time-value="PT36H00M00S")", "<t:p>36:00</t:p>") +
        Cell(R"(table:formula="of:=1=1" office:value-type="boolean" office:boolean-value="true")", "<t:p>WAHR</t:p>") +
        Cell(R"(table:formula="of:=A1" office:value-type="string" office:string-value="cached")", "<t:p>shown</t:p>") +
        Cell(R"(table:formula="of:=1/0" calcext:value-type="error")", "<t:p>#DIV/0!</t:p>") +
        "</table:table-row><table:table-row>" +
        Cell(R"(table:number-columns-spanned="2" office:value-type="string")", "<t:p>merged</t:p>") +
        "<table:covered-table-cell/>" +
        Cell(R"(table:number-columns-repeated="2" office:value-type="float" office:value="7")") +
        "<table:covered-table-cell office:value-type=\"string\"><t:p>hidden</t:p></table:covered-table-cell>" +
        Cell(R"x(table:formula="of:=SQRT(-1)" calcext:value-type="error")x", "<t:p>Err:502</t:p>") +
        // A truth value converted from another format: a number that shows as its word.
        Cell(R"(table:formula="of:=1=1" office:value-type="float" office:value="1")", "<t:p>TRUE</t:p>") +
        Cell(R"(office:value-type="float" office:value="0")", "<t:p>0</t:p>") +
        "</table:table-row></table:table-row-group></table:table>");
    const Sheet sheet = workbook->ReadSheet("Cells");
    std::vector<std::string> titles(9);
    titles[0] = "a";
    EXPECT_EQ(sheet.titleRow, titles);
    EXPECT_EQ(sheet.rows,
              (Rows{{"a   b\tc\nde", "one\ntwo", "1.5", "0.25", "45352.5", "1.5", "TRUE", "cached", "#DIV/0!"},
                    {"merged", "", "7", "7", "hidden", "#VALUE!", "TRUE", "0", ""}}));
}

TEST(OdsContent, CountsDatesFromTheNullDateOfItsSettings)
{
    const std::string table = "<table:table table:name=\"D\"><table:table-row>" +
                              Cell(R"(office:value-type="date" office:date-value="1904-01-02")") +
                              "</table:table-row></table:table>";
    const std::string settings = "<table:calculation-settings><table:null-date table:date-value=\"1904-01-01\"/>"
                                 "</table:calculation-settings>";
    EXPECT_EQ(Ods(settings + table)->ReadSheet("D").titleRow, (std::vector<std::string>{"1"}));
    EXPECT_EQ(Ods(table)->ReadSheet("D").titleRow, (std::vector<std::string>{"1463"}));
}

// Repeated rows and cells that hold no text cost nothing however many there are; those that
// hold text are copies, and a sheet of too many of them is refused when it is read.
TEST(OdsContent, ExpandsRepeatsOnlyAsFarAsCellsHoldText)
{
    const std::string emptyRows = "<table:table-row table:number-rows-repeated=\"1048570\">" +
                                  Cell(R"(table:number-columns-repeated="16384")") + "</table:table-row>";
    const std::string textRows =
        "<table:table-row table:number-rows-repeated=\"3\">" +
        Cell(R"(table:number-columns-repeated="2" office:value-type="float" office:value="5")") + "</table:table-row>";
    const std::string hugeRows =
        "<table:table-row table:number-rows-repeated=\"1048576\">" +
        Cell(R"(table:number-columns-repeated="8" office:value-type="string")", "<t:p>x</t:p>") + "</table:table-row>";
    const auto start = std::chrono::steady_clock::now();
    const std::unique_ptr<Workbook> workbook =
        Ods("<table:table table:name=\"Sparse\">" + textRows + emptyRows + emptyRows +
            "</table:table>"
            "<table:table table:name=\"Huge\">" +
            hugeRows +
            "</table:table>"
            "<table:table table:name=\"After\"><table:table-row>" +
            Text("kept") + "</table:table-row></table:table>");
    const Sheet sparse = workbook->ReadSheet("Sparse");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_EQ(sparse.columnCount, 2u);
    EXPECT_EQ(sparse.rows, (Rows{{"5", "5"}, {"5", "5"}}));
    try {
        workbook->ReadSheet("Huge");
        ADD_FAILURE() << "a sheet of eight million cells was read";
    } catch (const Failure& failure) {
        EXPECT_STREQ(failure.what(), "The sheet is too large to be read");
    }
    EXPECT_EQ(workbook->ReadSheet("After").titleRow, (std::vector<std::string>{"kept"}));
}

std::string Refusal(const std::function<void()>& open)
{
    try {
        open();
    } catch (const Failure& failure) {
        return failure.what();
    }
    return "opened";
}

TEST(OdsContent, DamagedContentIsRefused)
{
    const std::string good = Content("<table:table table:name=\"S\"/>");
    const auto refusal = [](const std::string& content) {
        return Refusal([&] {
            OpenOdsWorkbook(
                Archive({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}, {"content.xml", content}}));
        });
    };
    EXPECT_EQ(refusal(good.substr(0, good.size() - 30)), "The workbook is damaged ('content.xml')");
    EXPECT_EQ(refusal("<!DOCTYPE d [<!ENTITY a \"aaaa\">]>" + good.substr(good.find('\n'))),
              "The workbook is damaged ('content.xml')");
    EXPECT_EQ(refusal(Content("<table:table/>")), "The workbook is damaged ('content.xml')");
    EXPECT_EQ(refusal("<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\"/>"),
              "The file holds no workbook");
    EXPECT_EQ(Refusal([] {
                  OpenOdsWorkbook(Archive({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}}));
              }),
              "The workbook is damaged ('content.xml')");
    EXPECT_EQ(Refusal([&] {
                  OpenOdsWorkbook(
                      Archive({{"META-INF/manifest.xml", "<manifest:encryption-data/>"}, {"content.xml", "\x01\x02"}}));
              }),
              "The workbook is protected by a password");
}

TEST(SavedOds, WithFlippedBytesIsRefusedOrReadUnchanged)
{
    const std::string good = FixtureBytes("tables.ods");
    const std::unique_ptr<Workbook> original = OpenOdsWorkbook(good);
    uint32_t state = 7;
    for (int round = 0; round < 300; ++round) {
        std::string bytes = good;
        for (int i = 0; i < 3; ++i) {
            state = state * 1664525u + 1013904223u;
            bytes[(state >> 8) % bytes.size()] ^= static_cast<char>(1 + (state >> 4) % 255);
        }
        try {
            const std::unique_ptr<Workbook> workbook = OpenOdsWorkbook(bytes);
            ASSERT_EQ(workbook->SheetNames(), original->SheetNames()) << "round " << round;
            for (const std::string& name : original->SheetNames())
                ASSERT_EQ(workbook->ReadSheet(name).rows, original->ReadSheet(name).rows) << "round " << round;
        } catch (const Failure&) {
        }
    }
}

// Other formats are named, with the formats that are read, rather than read as no workbook.
TEST(WorkbookFormats, AFileOfAnotherFormatSaysWhatItIs)
{
    const std::string filter = kOpenExcelFilter;
    EXPECT_EQ(filter.substr(0, filter.find('|')), "File EXCEL (*.xls;*.xlsx;*.ods;*.csv)");

    TempDir dir;
    const auto refusal = [&](const std::string& name, const std::string& bytes) {
        return Refusal([&] { OpenWorkbook(dir.Write(name, bytes)); });
    };
    const std::string read =
        "a format that is not read; workbooks are read as .xls, .xlsx and .ods, tables also as CSV text";
    const std::pair<std::string, std::string> cases[] = {
        {"book.xlsb", Archive({{"[Content_Types].xml", "<Types/>"}, {"xl/workbook.bin", "\x83\x01"}})},
        {"book.numbers", Archive({{"Index/Document.iwa", "\x00"}, {"Metadata/Properties.plist", "x"}})},
        {"letter.odt", Archive({{"mimetype", "application/vnd.oasis.opendocument.text"}, {"content.xml", "<x/>"}})},
        {"photos.zip", Archive({{"a.jpg", "\xFF\xD8"}})},
        {"book.xml", "<?xml version=\"1.0\"?>\n<Workbook xmlns=\"urn:schemas-microsoft-com:office:spreadsheet\"/>"},
        {"page.xls", "<!DOCTYPE html>\n<html><body>1,2</body></html>"},
    };
    const char* formats[] = {"an Excel binary workbook (.xlsb)",
                             "a Numbers spreadsheet (.numbers)",
                             "an OpenDocument text (.odt)",
                             "a ZIP archive that holds no workbook",
                             "an XML spreadsheet of Excel 2003 (.xml)",
                             "a web page (.html)"};
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(refusal(cases[i].first, cases[i].second),
                  "'" + dir.File(cases[i].first) + "': The file is " + formats[i] + ", " + read);
    EXPECT_EQ(refusal("junk.bin", std::string("\x7F"
                                              "ELF\x01\x02",
                                              6)),
              "'" + dir.File("junk.bin") +
                  "': The file is no workbook and no text file; workbooks are read as .xls, "
                  ".xlsx and .ods, tables also as CSV text");
    // An .ods under another name is still read, and so is the flat form of the same content.
    const std::string renamed = dir.Write("tables.xlsx", FixtureBytes("tables.ods"));
    EXPECT_EQ(OpenWorkbook(renamed)->ReadSheet("SDO").rows,
              OpenWorkbook(FixturePath("tables.xlsx"))->ReadSheet("SDO").rows);
    std::string flat =
        Content("<table:table table:name=\"F\"><table:table-row>" + Text("1") + "</table:table-row></table:table>");
    flat.replace(flat.find("office:document-content"), 23,
                 "office:document office:mimetype=\"application/vnd.oasis.opendocument.spreadsheet\"");
    flat.replace(flat.rfind("office:document-content"), 23, "office:document");
    EXPECT_EQ(OpenWorkbook(dir.Write("flat.fods", "\xEF\xBB\xBF" + flat))->ReadSheet("F").titleRow,
              (std::vector<std::string>{"1"}));
}

} // namespace
