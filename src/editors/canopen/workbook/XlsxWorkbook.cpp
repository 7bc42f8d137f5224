#include "common/Failure.h"
#include "editors/canopen/workbook/GsfSupport.h"
#include "editors/canopen/workbook/WorkbookReaders.h"
#include "editors/canopen/workbook/XlsxParts.h"
#include "editors/canopen/workbook/XlsxText.h"
#include "editors/canopen/workbook/ZipArchive.h"

#include <pugixml.hpp>

#include <cstring>
#include <iterator>
#include <map>
#include <optional>

inline namespace zz {

namespace {

[[noreturn]] void Damaged(const std::string& part)
{
    DamagedPart(part);
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

// The workbook part and the relationships are small and read as trees; the shared strings
// and the sheets, which grow with the data, in one pass each.
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
            if (sheetName == name) return ReadWorksheet(*archive_, part, strings_, date1904_);
        throw Failure("No sheet '" + name + "'");
    }

private:
    std::optional<pugi::xml_document> ReadXml(const std::string& part) const
    {
        const std::optional<std::string> bytes = archive_->Read(part);
        if (!bytes) return std::nullopt;
        pugi::xml_document document;
        const unsigned options = pugi::parse_default | pugi::parse_ws_pcdata_single;
        if (!document.load_buffer(bytes->data(), bytes->size(), options)) Damaged(part);
        return document;
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
            if (EndsWith(relationship.type, "/sharedStrings")) {
                std::vector<std::string> strings = ReadSharedStrings(*archive_, relationship.part);
                if (strings_.empty()) strings_ = std::move(strings);
                else
                    strings_.insert(strings_.end(), std::make_move_iterator(strings.begin()),
                                    std::make_move_iterator(strings.end()));
            }
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
