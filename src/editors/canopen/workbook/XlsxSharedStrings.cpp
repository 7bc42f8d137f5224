#include "editors/canopen/workbook/XlsxParts.h"
#include "editors/canopen/workbook/XlsxText.h"
#include "editors/canopen/workbook/ZipArchive.h"

inline namespace zz {

namespace {

// <sst> holds an <si> for each string; only the document's root counts as the table.
class SharedStringsHandler : public XmlPass::Handler {
public:
    std::vector<std::string> strings;

    void Start(std::string_view name, const char**) override
    {
        ++depth_;
        const std::string_view local = LocalName(name);
        if (depth_ == 1) table_ = local == "sst";
        else if (depth_ == 2 && table_) item_ = local == "si";
        else if (item_) items_.Start(depth_ - 2, local);
        if (depth_ == 2 && item_) items_.Begin();
    }
    void End() override
    {
        if (depth_ == 2 && item_) {
            strings.push_back(items_.Take());
            item_ = false;
        } else if (depth_ > 2 && item_) {
            items_.End(depth_ - 2);
        }
        --depth_;
    }
    void Text(std::string_view text) override
    {
        if (item_ && depth_ > 2) items_.Text(depth_ - 2, text);
    }
    void Markup(XmlPass::Mark mark) override
    {
        if (item_ && depth_ > 2) items_.Markup(depth_ - 2, mark);
    }

private:
    size_t depth_ = 0;
    bool table_ = false, item_ = false;
    StringItem items_;
};

} // namespace

std::vector<std::string> ReadSharedStrings(const ZipArchive& archive, const std::string& part)
{
    SharedStringsHandler handler;
    XmlPass pass(handler, part);
    if (!archive.Stream(part, [&](std::string_view piece) { pass.Feed(piece); })) DamagedPart(part);
    pass.Finish();
    handler.strings.shrink_to_fit();
    return std::move(handler.strings);
}

} // namespace zz
