#include "common/Failure.h"
#include "editors/canopen/workbook/BiffStream.h"
#include "editors/canopen/workbook/CellText.h"
#include "editors/canopen/workbook/DateSerial.h"
#include "editors/canopen/workbook/GsfSupport.h"
#include "editors/canopen/workbook/SheetGrid.h"
#include "editors/canopen/workbook/WorkbookReaders.h"
#include "editors/canopen/workbook/ZipArchive.h"

#include <pugixml.hpp>

#include <cctype>
#include <charconv>
#include <cstring>
#include <map>
#include <optional>

inline namespace zz {

namespace {

constexpr uint32_t kMaxRows = 1048576;
constexpr uint32_t kMaxColumns = 16384;

[[noreturn]] void Damaged(const std::string& part)
{
    DamagedPart(part);
}

// Element and attribute names without their namespace prefix ("x:row" is "row").
std::string_view LocalName(const char* name)
{
    const std::string_view full(name);
    const size_t colon = full.find(':');
    return colon == std::string_view::npos ? full : full.substr(colon + 1);
}

pugi::xml_node Child(pugi::xml_node node, std::string_view name)
{
    for (pugi::xml_node child : node.children())
        if (child.type() == pugi::node_element && LocalName(child.name()) == name) return child;
    return {};
}

// An attribute by local name: relationship ids are "r:id" under whatever prefix.
const char* Attribute(pugi::xml_node node, std::string_view name)
{
    for (pugi::xml_attribute attribute : node.attributes())
        if (LocalName(attribute.name()) == name) return attribute.value();
    return nullptr;
}

bool EndsWith(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool IsHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Spreadsheet texts escape characters XML cannot hold as "_xHHHH_" (a line break is
// "_x000D_", a literal "_x" is "_x005F_x").
std::string DecodeEscapes(const std::string& text)
{
    if (text.find("_x") == std::string::npos) return text;
    std::string out;
    std::u16string units;
    for (size_t i = 0; i < text.size();) {
        if (text.compare(i, 2, "_x") == 0 && i + 7 <= text.size() && text[i + 6] == '_' && IsHex(text[i + 2]) &&
            IsHex(text[i + 3]) && IsHex(text[i + 4]) && IsHex(text[i + 5])) {
            units += static_cast<char16_t>(std::stoul(text.substr(i + 2, 4), nullptr, 16));
            i += 7;
            continue;
        }
        out += Utf16ToUtf8(units);
        units.clear();
        out += text[i++];
    }
    return out + Utf16ToUtf8(units);
}

// The text of a string item: plain <t>, or the <t> of each rich-text run; phonetic runs are
// not part of the text.
std::string StringItemText(pugi::xml_node item)
{
    std::string text;
    for (pugi::xml_node child : item.children()) {
        const std::string_view name = LocalName(child.name());
        if (name == "t") text += child.text().get();
        else if (name == "r") text += Child(child, "t").text().get();
    }
    return DecodeEscapes(text);
}

// "B12" as column 1, row 11. False for anything else.
bool ParseReference(std::string_view ref, uint32_t& row, uint32_t& column)
{
    size_t i = 0;
    uint32_t letters = 0;
    while (i < ref.size() && std::isalpha(static_cast<unsigned char>(ref[i])) && i < 3)
        letters = letters * 26 + static_cast<uint32_t>(std::toupper(static_cast<unsigned char>(ref[i++])) - 'A' + 1);
    if (letters == 0 || letters > kMaxColumns || i == ref.size() || ref.size() - i > 7) return false;
    uint32_t number = 0;
    for (; i < ref.size(); ++i) {
        if (ref[i] < '0' || ref[i] > '9') return false;
        number = number * 10 + static_cast<uint32_t>(ref[i] - '0');
    }
    if (number == 0 || number > kMaxRows) return false;
    row = number - 1;
    column = letters - 1;
    return true;
}

// The directory of a part name ("xl/workbook.xml" gives "xl").
std::string DirectoryOf(const std::string& part)
{
    const size_t slash = part.find_last_of('/');
    return slash == std::string::npos ? std::string() : part.substr(0, slash);
}

// A relationship target as a part name: absolute from the archive root when it starts with
// "/", else relative to the source part's directory; "." and ".." are resolved.
std::string ResolveTarget(const std::string& base, const std::string& target)
{
    std::vector<std::string> segments;
    const std::string joined = !target.empty() && target[0] == '/' ? target : base + "/" + target;
    size_t start = 0;
    while (start <= joined.size()) {
        size_t slash = joined.find('/', start);
        if (slash == std::string::npos) slash = joined.size();
        const std::string segment = joined.substr(start, slash - start);
        if (segment == "..") {
            if (!segments.empty()) segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = slash + 1;
    }
    std::string part;
    for (const std::string& segment : segments) part += (part.empty() ? "" : "/") + segment;
    return part;
}

struct Relationship {
    std::string type;
    std::string part;
};

class XlsxWorkbook : public Workbook {
public:
    explicit XlsxWorkbook(std::unique_ptr<ZipArchive> archive)
        : archive_(std::move(archive))
    {
        const QuietGlib quiet;
        ReadWorkbookPart();
    }

    std::vector<std::string> SheetNames() const override
    {
        std::vector<std::string> names;
        for (const auto& [name, part] : sheets_) names.push_back(name);
        return names;
    }

    Sheet ReadSheet(const std::string& name) const override
    {
        const QuietGlib quiet;
        for (const auto& [sheetName, part] : sheets_)
            if (sheetName == name) return ReadCells(part);
        throw Failure("No sheet '" + name + "'");
    }

private:
    std::optional<std::string> ReadMember(const std::string& part) const { return archive_->Read(part); }

    pugi::xml_document ParseMember(const std::string& part, const std::string& bytes) const
    {
        pugi::xml_document document;
        const unsigned options = pugi::parse_default | pugi::parse_ws_pcdata_single;
        if (!document.load_buffer(bytes.data(), bytes.size(), options)) Damaged(part);
        return document;
    }

    std::optional<pugi::xml_document> ReadXml(const std::string& part) const
    {
        const std::optional<std::string> bytes = ReadMember(part);
        if (!bytes) return std::nullopt;
        return ParseMember(part, *bytes);
    }

    // The relationships of a part by their id.
    std::map<std::string, Relationship> ReadRelationships(const std::string& part) const
    {
        const std::string directory = DirectoryOf(part);
        const std::string relsPart =
            (directory.empty() ? "" : directory + "/") + "_rels/" + part.substr(part.find_last_of('/') + 1) + ".rels";
        std::map<std::string, Relationship> relationships;
        const std::optional<pugi::xml_document> rels = ReadXml(relsPart);
        if (!rels) return relationships;
        for (pugi::xml_node node : Child(*rels, "Relationships").children()) {
            if (LocalName(node.name()) != "Relationship") continue;
            const char* id = Attribute(node, "Id");
            const char* target = Attribute(node, "Target");
            const char* mode = Attribute(node, "TargetMode");
            if (!id || !target || (mode && std::strcmp(mode, "External") == 0)) continue;
            const char* type = Attribute(node, "Type");
            relationships[id] = {type ? type : "", ResolveTarget(directory, target)};
        }
        return relationships;
    }

    void ReadWorkbookPart()
    {
        std::string workbookPart = "xl/workbook.xml";
        for (const auto& [id, relationship] : ReadRelationships(""))
            if (EndsWith(relationship.type, "/officeDocument")) workbookPart = relationship.part;
        const std::optional<pugi::xml_document> workbook = ReadXml(workbookPart);
        if (!workbook) throw Failure("The file holds no workbook");
        const pugi::xml_node workbookNode = Child(*workbook, "workbook");
        if (const char* date1904 = Attribute(Child(workbookNode, "workbookPr"), "date1904"))
            date1904_ = std::strcmp(date1904, "1") == 0 || std::strcmp(date1904, "true") == 0;
        const std::map<std::string, Relationship> relationships = ReadRelationships(workbookPart);
        for (const auto& [id, relationship] : relationships)
            if (EndsWith(relationship.type, "/sharedStrings")) ReadSharedStrings(relationship.part);
        for (pugi::xml_node sheet : Child(workbookNode, "sheets").children()) {
            if (LocalName(sheet.name()) != "sheet") continue;
            const char* name = Attribute(sheet, "name");
            const char* id = Attribute(sheet, "id");
            if (!name) Damaged(workbookPart);
            if (!id || !*id) continue; // an entry without its part, which programs pass over

            const auto relationship = relationships.find(id);
            if (relationship == relationships.end()) Damaged(workbookPart);
            if (EndsWith(relationship->second.type, "/worksheet"))
                sheets_.emplace_back(name, relationship->second.part);
        }
    }

    void ReadSharedStrings(const std::string& part)
    {
        const std::optional<pugi::xml_document> table = ReadXml(part);
        if (!table) Damaged(part);
        for (pugi::xml_node item : Child(*table, "sst").children())
            if (LocalName(item.name()) == "si") strings_.push_back(StringItemText(item));
    }

    std::string CellText(pugi::xml_node cell, const std::string& part) const
    {
        const char* typeAttribute = Attribute(cell, "t");
        const std::string_view type = typeAttribute ? typeAttribute : "n";
        if (type == "inlineStr") return StringItemText(Child(cell, "is"));
        const pugi::xml_node valueNode = Child(cell, "v");
        if (!valueNode) return std::string(); // no stored result
        const std::string value = valueNode.text().get();
        if (type == "s") {
            if (value.empty()) return value; // an empty <v/>: programs read it as an empty cell
            size_t index = 0;
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), index);
            if (error != std::errc() || end != value.data() + value.size() || index >= strings_.size()) Damaged(part);
            return strings_[index];
        }
        if (type == "b") return BooleanCellText(value == "1" || value == "true");
        if (type == "str") return DecodeEscapes(value);
        if (type == "d") {
            if (const std::optional<double> serial = DateSerial(value, date1904_)) return NumberCellText(*serial);
            return value;
        }
        if (type == "n") {
            double number = 0;
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
            if (error == std::errc() && end == value.data() + value.size()) return NumberCellText(number);
        }
        return value; // errors ("#DIV/0!"), numbers no reader could parse
    }

    Sheet ReadCells(const std::string& part) const
    {
        const std::optional<std::string> bytes = ReadMember(part);
        if (!bytes) Damaged(part);
        const pugi::xml_document sheet = ParseMember(part, *bytes);
        SheetGrid grid;
        grid.Reserve(bytes->size() / 24); // a cell with its value takes at least 24 bytes
        // References may be left out; a row or cell without one follows the previous one.
        uint32_t row = 0;
        bool firstRow = true;
        for (pugi::xml_node rowNode : Child(Child(sheet, "worksheet"), "sheetData").children()) {
            if (LocalName(rowNode.name()) != "row") continue;
            if (const char* number = Attribute(rowNode, "r")) {
                const std::string_view text(number);
                uint32_t value = 0;
                const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
                if (error != std::errc() || end != text.data() + text.size() || value == 0 || value > kMaxRows)
                    Damaged(part);
                row = value - 1;
            } else if (!firstRow && ++row >= kMaxRows) {
                Damaged(part);
            }
            firstRow = false;
            uint32_t column = 0;
            bool firstCell = true;
            for (pugi::xml_node cell : rowNode.children()) {
                if (LocalName(cell.name()) != "c") continue;
                if (const char* ref = Attribute(cell, "r")) {
                    if (!ParseReference(ref, row, column)) Damaged(part); // the cell's own row counts
                } else if (!firstCell) {
                    if (++column >= kMaxColumns) Damaged(part);
                }
                firstCell = false;
                grid.Set(row, column, CellText(cell, part));
            }
        }
        return grid.Build();
    }

    std::unique_ptr<ZipArchive> archive_;
    std::vector<std::pair<std::string, std::string>> sheets_; // name, part
    std::vector<std::string> strings_;
    bool date1904_ = false;
};

} // namespace

std::unique_ptr<Workbook> OpenXlsxArchive(std::unique_ptr<ZipArchive> archive)
{
    return std::make_unique<XlsxWorkbook>(std::move(archive));
}

std::unique_ptr<Workbook> OpenXlsxWorkbook(std::string bytes)
{
    return OpenXlsxArchive(std::make_unique<ZipArchive>(std::move(bytes)));
}

} // namespace zz
