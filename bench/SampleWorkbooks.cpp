#include "SampleWorkbooks.h"

#include <gsf/gsf.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

std::string U16(unsigned value)
{
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8 & 0xFF)};
}
std::string U32(uint32_t value)
{
    return U16(value & 0xFFFF) + U16(value >> 16);
}
std::string Rec(unsigned type, const std::string& data)
{
    return U16(type) + U16(static_cast<unsigned>(data.size())) + data;
}
std::string Cell(unsigned row, unsigned column)
{
    return U16(row) + U16(column) + U16(15);
}
std::string Label(unsigned row, unsigned column, const std::string& text)
{
    return Rec(0x0204, Cell(row, column) + U16(static_cast<unsigned>(text.size())) + '\0' + text);
}
std::string Rk(unsigned row, unsigned column, int value)
{
    return Rec(0x027E, Cell(row, column) + U32(static_cast<uint32_t>(value) << 2 | 2));
}
std::string Number(unsigned row, unsigned column, double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return Rec(0x0203, Cell(row, column) + U32(static_cast<uint32_t>(bits)) + U32(static_cast<uint32_t>(bits >> 32)));
}

const char* kTitles[] = {"conf", "IndexA", "SubindexA", "devIDB", "IndexB", "SubindexB", "nbyteB", "mnemonico"};

std::string Hex(int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

std::string Bytes(GsfOutput* sink)
{
    return std::string(reinterpret_cast<const char*>(gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink))),
                       static_cast<size_t>(gsf_output_size(sink)));
}

} // namespace

std::string SampleXls(int rows)
{
    std::string cells;
    for (unsigned c = 0; c < 8; ++c) cells += Label(0, c, kTitles[c]);
    for (int r = 1; r <= rows; ++r) {
        const auto row = static_cast<unsigned>(r);
        cells += Rk(row, 0, (r % 2) | (r % 3 == 0 ? 16 : 0)) + Label(row, 1, Hex(0x2000 + r % 4096)) +
                 Rk(row, 2, r % 256) + Rk(row, 3, r % 127 + 1) + Label(row, 4, Hex(0x6000 + r % 4096)) +
                 Rk(row, 5, r % 8) + Number(row, 6, 0.5 * (r % 9)) + Label(row, 7, "entry " + std::to_string(r));
    }
    const std::string sheetName = "sdo";
    // A font and the sixteen cell formats every workbook has (15 is the one the cells use), so
    // that other readers take the file too.
    std::string formats = Rec(0x0031, U16(200) + U16(0) + U16(0x7FFF) + U16(400) + U16(0) + std::string(4, '\0') +
                                          '\x05' + '\0' + "Arial");
    for (int i = 0; i < 16; ++i)
        formats += Rec(0x00E0, U16(0) + U16(0) + U16(i < 15 ? 0xFFF5 : 0x0001) + std::string(14, '\0'));
    const auto globals = [&](uint32_t offset) {
        return Rec(0x0809, U16(0x0600) + U16(0x0005) + std::string(12, '\0')) + formats +
               Rec(0x0085, U32(offset) + '\0' + '\0' + static_cast<char>(sheetName.size()) + '\0' + sheetName) +
               Rec(0x000A, "");
    };
    const std::string head = globals(0);
    const std::string stream = globals(static_cast<uint32_t>(head.size())) +
                               Rec(0x0809, U16(0x0600) + U16(0x0010) + std::string(12, '\0')) + cells + Rec(0x000A, "");
    gsf_init();
    GsfOutput* sink = gsf_output_memory_new();
    GsfOutfile* file = gsf_outfile_msole_new(sink);
    GsfOutput* child = gsf_outfile_new_child(file, "Workbook", FALSE);
    gsf_output_write(child, stream.size(), reinterpret_cast<const guint8*>(stream.data()));
    gsf_output_close(child);
    g_object_unref(child);
    gsf_output_close(GSF_OUTPUT(file));
    g_object_unref(file);
    std::string bytes = Bytes(sink);
    g_object_unref(sink);
    return bytes;
}

std::string SampleXlsx(int rows)
{
    std::string strings, sheet;
    int count = 0;
    const auto shared = [&](const std::string& text) {
        strings += "<si><t>" + text + "</t></si>";
        return std::to_string(count++);
    };
    const auto text = [&](const char* column, int row, const std::string& value) {
        return std::string("<c r=\"") + column + std::to_string(row) + "\" t=\"s\"><v>" + shared(value) + "</v></c>";
    };
    const auto number = [&](const char* column, int row, double value) {
        char v[32];
        std::snprintf(v, sizeof v, "%g", value);
        return std::string("<c r=\"") + column + std::to_string(row) + "\"><v>" + v + "</v></c>";
    };
    const char* columns[] = {"A", "B", "C", "D", "E", "F", "G", "H"};
    sheet += "<row r=\"1\">";
    for (int c = 0; c < 8; ++c) sheet += text(columns[c], 1, kTitles[c]);
    sheet += "</row>";
    for (int r = 2; r <= rows + 1; ++r) {
        sheet += "<row r=\"" + std::to_string(r) + "\">" + number("A", r, (r % 2) | (r % 3 == 0 ? 16 : 0)) +
                 text("B", r, Hex(0x2000 + r % 4096)) + number("C", r, r % 256) + number("D", r, r % 127 + 1) +
                 text("E", r, Hex(0x6000 + r % 4096)) + number("F", r, r % 8) + number("G", r, 0.5 * (r % 9)) +
                 text("H", r, "entry " + std::to_string(r)) + "</row>";
    }
    const std::string ns = "http://schemas.openxmlformats.org/";
    const std::vector<std::pair<std::string, std::string>> members = {
        {"[Content_Types].xml",
         "<?xml version=\"1.0\"?><Types xmlns=\"" + ns +
             "package/2006/content-types\">"
             "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
             "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
             "<Override PartName=\"/xl/workbook.xml\" "
             "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
             "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
             "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
             "<Override PartName=\"/xl/sharedStrings.xml\" "
             "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>"
             "</Types>"},
        {"_rels/.rels", "<?xml version=\"1.0\"?><Relationships xmlns=\"" + ns +
                            "package/2006/relationships\">"
                            "<Relationship Id=\"rId1\" Type=\"" +
                            ns +
                            "officeDocument/2006/relationships/officeDocument\" Target=\"xl/workbook.xml\"/>"
                            "</Relationships>"},
        {"xl/workbook.xml", "<?xml version=\"1.0\"?><workbook xmlns=\"" + ns + "spreadsheetml/2006/main\" xmlns:r=\"" +
                                ns +
                                "officeDocument/2006/relationships\"><sheets><sheet name=\"sdo\" sheetId=\"1\" "
                                "r:id=\"rId1\"/></sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         "<?xml version=\"1.0\"?><Relationships xmlns=\"" + ns +
             "package/2006/relationships\">"
             "<Relationship Id=\"rId1\" Type=\"" +
             ns +
             "officeDocument/2006/relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
             "<Relationship Id=\"rId2\" Type=\"" +
             ns +
             "officeDocument/2006/relationships/sharedStrings\" Target=\"sharedStrings.xml\"/>"
             "</Relationships>"},
        {"xl/sharedStrings.xml", "<?xml version=\"1.0\"?><sst xmlns=\"" + ns + "spreadsheetml/2006/main\" count=\"" +
                                     std::to_string(count) + "\" uniqueCount=\"" + std::to_string(count) + "\">" +
                                     strings + "</sst>"},
        {"xl/worksheets/sheet1.xml", "<?xml version=\"1.0\"?><worksheet xmlns=\"" + ns +
                                         "spreadsheetml/2006/main\"><sheetData>" + sheet + "</sheetData></worksheet>"},
    };
    gsf_init();
    GsfOutput* sink = gsf_output_memory_new();
    GsfOutfile* zip = gsf_outfile_zip_new(sink, nullptr);
    GsfOutfile* rels = GSF_OUTFILE(gsf_outfile_new_child(zip, "_rels", TRUE));
    GsfOutfile* xl = GSF_OUTFILE(gsf_outfile_new_child(zip, "xl", TRUE));
    GsfOutfile* xlRels = GSF_OUTFILE(gsf_outfile_new_child(xl, "_rels", TRUE));
    GsfOutfile* worksheets = GSF_OUTFILE(gsf_outfile_new_child(xl, "worksheets", TRUE));
    for (const auto& [path, content] : members) {
        GsfOutfile* parent = zip;
        std::string name = path;
        if (path.rfind("_rels/", 0) == 0) parent = rels, name = path.substr(6);
        else if (path.rfind("xl/_rels/", 0) == 0) parent = xlRels, name = path.substr(9);
        else if (path.rfind("xl/worksheets/", 0) == 0) parent = worksheets, name = path.substr(14);
        else if (path.rfind("xl/", 0) == 0) parent = xl, name = path.substr(3);
        GsfOutput* member =
            gsf_outfile_new_child_full(parent, name.c_str(), FALSE, "compression-level", GSF_ZIP_DEFLATED, nullptr);
        gsf_output_write(member, content.size(), reinterpret_cast<const guint8*>(content.data()));
        gsf_output_close(member);
        g_object_unref(member);
    }
    for (GsfOutfile* directory : {worksheets, xlRels, xl, rels, zip}) {
        gsf_output_close(GSF_OUTPUT(directory));
        g_object_unref(directory);
    }
    std::string bytes = Bytes(sink);
    g_object_unref(sink);
    return bytes;
}

std::string SampleCsv(int rows)
{
    std::string csv;
    csv.reserve(static_cast<size_t>(rows) * 68 + 100);
    for (const char* title : kTitles) (csv += title) += ',';
    csv += "\r\n";
    char line[160];
    for (int r = 1; r <= rows; ++r) {
        std::snprintf(line, sizeof line, "%d,%s,%d,%d,%s,%d,%g,entry %d of the benchmark table,\r\n",
                      (r % 2) | (r % 3 == 0 ? 16 : 0), Hex(0x2000 + r % 4096).c_str(), r % 256, r % 127 + 1,
                      Hex(0x6000 + r % 4096).c_str(), r % 8, 0.5 * (r % 9), r);
        csv += line;
    }
    return csv;
}
