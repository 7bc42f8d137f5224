#include "common/Failure.h"
#include "editors/canopen/workbook/OdsContent.h"
#include "editors/canopen/workbook/WorkbookReaders.h"
#include "editors/canopen/workbook/ZipArchive.h"

inline namespace zz {

namespace {

// The whole content is read when the workbook opens: one pass gives every sheet.
class OdsWorkbook : public Workbook {
public:
    explicit OdsWorkbook(std::vector<OdsSheet> sheets)
        : sheets_(std::move(sheets))
    {
    }

    std::vector<std::string> SheetNames() const override
    {
        std::vector<std::string> names;
        for (const OdsSheet& sheet : sheets_) names.push_back(sheet.Name);
        return names;
    }

    Sheet ReadSheet(const std::string& name) const override
    {
        for (const OdsSheet& sheet : sheets_) {
            if (sheet.Name != name) continue;
            if (!sheet.Failure.empty()) throw Failure(sheet.Failure);
            SheetGrid cells = sheet.Cells;
            return cells.Build();
        }
        throw Failure("No sheet '" + name + "'");
    }

private:
    std::vector<OdsSheet> sheets_;
};

constexpr const char* kContent = "content.xml";

} // namespace

std::unique_ptr<Workbook> OpenOdsArchive(std::unique_ptr<ZipArchive> archive)
{
    // An encrypted package keeps its manifest readable and its content unreadable.
    if (const std::optional<std::string> manifest = archive->Read("META-INF/manifest.xml");
        manifest && manifest->find("encryption-data") != std::string::npos)
        throw Failure("The workbook is protected by a password");
    OdsContentReader reader(kContent);
    if (!archive->Stream(kContent, [&](std::string_view piece) { reader.Feed(piece); })) DamagedPart(kContent);
    return std::make_unique<OdsWorkbook>(reader.Finish());
}

std::unique_ptr<Workbook> OpenOdsWorkbook(std::string bytes)
{
    return OpenOdsArchive(std::make_unique<ZipArchive>(std::move(bytes)));
}

std::unique_ptr<Workbook> OpenFlatOdsWorkbook(std::string_view document, const std::string& name)
{
    OdsContentReader reader(name);
    reader.Feed(document);
    return std::make_unique<OdsWorkbook>(reader.Finish());
}

} // namespace zz
