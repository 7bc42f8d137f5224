// Open XML workbooks in forms other spreadsheet programs write (namespace prefixes, cells
// without references, inline strings, escapes), packed by libgsf's ZIP writer.
#include "common/Failure.h"
#include "editors/canopen/workbook/WorkbookReaders.h"
#include "workbook/TestArchive.h"

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<std::vector<std::string>>;

const char* kRootRels = R"(<?xml version="1.0"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="/book/main.xml"/>
</Relationships>)";

const char* kWorkbook = R"(<?xml version="1.0"?>
<x:workbook xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:rel="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<x:sheets><x:sheet name="Chart" sheetId="1" rel:id="c1"/><x:sheet name="SDO" sheetId="2" rel:id="s1"/></x:sheets>
</x:workbook>)";

const char* kWorkbookRels = R"(<?xml version="1.0"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="s1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="sheets/../sheets/one.xml"/>
<Relationship Id="c1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/chartsheet" Target="charts/c.xml"/>
<Relationship Id="t1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="/book/strings.xml"/>
</Relationships>)";

const char* kStrings = R"(<?xml version="1.0"?>
<x:sst xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<x:si><x:t>conf</x:t></x:si>
<x:si><x:r><x:t>Rich</x:t></x:r><x:r><x:rPr><x:b/></x:rPr><x:t xml:space="preserve"> text</x:t></x:r><x:rPh><x:t>ignored</x:t></x:rPh></x:si>
<x:si><x:t xml:space="preserve"> </x:t></x:si>
</x:sst>)";

const char* kSheet = R"(<?xml version="1.0"?>
<x:worksheet xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><x:sheetData>
<x:row><x:c t="s"><x:v>0</x:v></x:c><x:c t="inlineStr"><x:is><x:t>second</x:t></x:is></x:c></x:row>
<x:row><x:c><x:v>17.0</x:v></x:c><x:c t="s"><x:v>1</x:v></x:c><x:c r="E2" t="str"><x:f>A1</x:f><x:v>0x181</x:v></x:c><x:c t="b"><x:v>0</x:v></x:c></x:row>
<x:row r="4"><x:c r="B4" t="e"><x:f>1/0</x:f><x:v>#DIV/0!</x:v></x:c><x:c r="C4" t="inlineStr"><x:is><x:t>a_x000D_b_x005F_x0041_</x:t></x:is></x:c><x:c r="D4" t="s"><x:v>2</x:v></x:c><x:c r="A4"><x:v>1.5E0</x:v></x:c></x:row>
<x:row r="6"><x:c r="A6"><x:f>1+1</x:f></x:c><x:c r="B6" s="3"/></x:row>
</x:sheetData></x:worksheet>)";

Members Parts(const std::string& sheet = kSheet, const std::string& strings = kStrings)
{
    return {{"_rels/.rels", kRootRels},
            {"book/main.xml", kWorkbook},
            {"book/_rels/main.xml.rels", kWorkbookRels},
            {"book/strings.xml", strings},
            {"book/sheets/one.xml", sheet}};
}

TEST(XlsxForms, ReadsWhatOtherProgramsWrite)
{
    const std::unique_ptr<Workbook> workbook = OpenXlsxWorkbook(Archive(Parts()));
    EXPECT_EQ(workbook->SheetNames(), (std::vector<std::string>{"SDO"})); // a chart sheet is no table
    const Sheet sheet = workbook->ReadSheet("SDO");
    EXPECT_EQ(sheet.columnCount, 6u);
    EXPECT_EQ(sheet.rows, (Rows{{"17", "Rich text", "", "", "0x181", "FALSE"},
                                {"", "", "", "", "", ""},
                                {"1.5", "#DIV/0!", "a\rb_x0041_", " ", "", ""}}));
}

TEST(XlsxForms, RefusesBrokenReferencesAndMissingParts)
{
    const auto refused = [](const std::string& cell) {
        const std::string sheet =
            std::string(R"(<worksheet><sheetData><row r="1">)") + cell + "</row></sheetData></worksheet>";
        EXPECT_THROW(OpenXlsxWorkbook(Archive(Parts(sheet)))->ReadSheet("SDO"), Failure) << cell;
    };
    refused(R"(<c r="A0"><v>1</v></c>)");
    refused(R"(<c r="XFE1"><v>1</v></c>)");
    refused(R"(<c r="1A"><v>1</v></c>)");
    refused(R"(<c t="s"><v>3</v></c>)"); // no such shared string
    refused(R"(<c t="s"><v>-1</v></c>)");
    refused(R"(<c r="A1"><v>1</v></c><c r="B1"><v>2)"); // not well-formed
    EXPECT_NO_THROW(OpenXlsxWorkbook(Archive(Parts(R"(<worksheet><sheetData/></worksheet>)")))->ReadSheet("SDO"));

    Members noStrings = Parts();
    noStrings.erase(noStrings.begin() + 3);
    EXPECT_THROW(OpenXlsxWorkbook(Archive(noStrings)), Failure);
    Members noWorkbook = Parts();
    noWorkbook.erase(noWorkbook.begin() + 1);
    EXPECT_THROW(OpenXlsxWorkbook(Archive(noWorkbook)), Failure);
}

TEST(XlsxForms, ReadsEmptyValuesEntriesWithoutPartsAndIsoDates)
{
    // An empty <v/> in a shared-string cell is an empty cell; dates stored as ISO text read as
    // the serial number a date cell holds; the title row is the sheet's first row.
    const std::string sheet = R"(<worksheet><sheetData>
<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="inlineStr"><is><t>when</t></is></c></row>
<row r="2"><c r="A2" t="s"><v/></c><c r="B2" t="d"><v>2024-03-01</v></c></row>
<row r="3"><c r="A3"><v>1</v></c><c r="B3" t="d"><v>1900-02-28T12:00:00</v></c></row>
<row r="4"><c r="A4"><v>2</v></c><c r="B4" t="d"><v>not a date</v></c></row>
<row r="5"><c r="A5"><v>3</v></c><c r="B5" t="d"><v>06:00:00</v></c></row>
</sheetData></worksheet>)";
    const Sheet read = OpenXlsxWorkbook(Archive(Parts(sheet)))->ReadSheet("SDO");
    EXPECT_EQ(read.titleRow, (std::vector<std::string>{"conf", "when"}));
    EXPECT_EQ(read.rows, (Rows{{"", "45352"}, {"1", "59.5"}, {"2", "not a date"}, {"3", "0.25"}}));

    // A <sheet> entry with an empty relationship id is passed over, not the whole workbook.
    Members parts = Parts();
    parts[1].second = R"(<?xml version="1.0"?>
<workbook xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<workbookPr date1904="1"/><sheets><sheet name="Lost" sheetId="1" r:id=""/><sheet name="SDO" sheetId="2" r:id="s1"/></sheets>
</workbook>)";
    parts[4].second =
        R"(<worksheet><sheetData><row r="2"><c r="A2" t="d"><v>1904-01-02</v></c></row></sheetData></worksheet>)";
    const std::unique_ptr<Workbook> workbook = OpenXlsxWorkbook(Archive(parts));
    EXPECT_EQ(workbook->SheetNames(), (std::vector<std::string>{"SDO"}));
    EXPECT_EQ(workbook->ReadSheet("SDO").rows, (Rows{{"1"}})); // the 1904 date system counts from day 0
}

TEST(XlsxForms, AStoredMemberAlteredInPlaceIsRefusedByItsCrc)
{
    // Stored members come through libgsf unchecked: an altered byte would be an altered cell.
    std::string archive = Archive(Parts(), true);
    ASSERT_EQ(OpenXlsxWorkbook(archive)->ReadSheet("SDO").rows[0][4], "0x181");
    const size_t at = archive.find("0x181");
    ASSERT_NE(at, std::string::npos);
    archive[at + 2] = '9';
    EXPECT_THROW(OpenXlsxWorkbook(archive)->ReadSheet("SDO"), Failure);
}

} // namespace
