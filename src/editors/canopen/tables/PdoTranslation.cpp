#include "editors/canopen/tables/PdoTranslation.h"

#include "common/ParseInt.h"
#include "common/SearchOrder.h"

void ReadPdoTranslation(const ProjectDocument& document, XmlNode root, PdoTranslationTable& table)
{
    const size_t count = document.ChildCount(root);
    for (size_t i = 0; i < count; ++i) {
        const XmlNode row = document.ChildAt(root, i);
        const int enBypass = ParseInt(document.AttributeText(row, "en_bypass"));
        PdoEntry entry;
        entry.cobid = document.AttributeText(row, "cobid");
        entry.id_dev_orig = document.AttributeText(row, "id_dev_orig");
        entry.posind = document.AttributeText(row, "posind");
        entry.n_tpdo = document.AttributeText(row, "n_tpdo");
        entry.enabled = (enBypass & kEnBypassEnabled) != 0;
        table.pages[(enBypass & kEnBypassCanAToCanB) ? CanSide::A : CanSide::B].push_back(std::move(entry));
    }
}

std::vector<size_t> PdoSaveOrder(const std::vector<PdoEntry>& page)
{
    std::vector<int32_t> cobids;
    cobids.reserve(page.size());
    for (const PdoEntry& entry : page) cobids.push_back(ParseInt(entry.cobid));
    return MinimumSearchOrder(cobids, std::vector<int32_t>(page.size(), 0), true);
}

void WritePdoTranslation(const PdoTranslationTable& table, ProjectDocument& document)
{
    const std::vector<size_t> orderA = PdoSaveOrder(table.pages[CanSide::A]);
    const std::vector<size_t> orderB = PdoSaveOrder(table.pages[CanSide::B]);
    document.Reset();
    const XmlNode root = document.AddRoot(kPdoTableName);
    const auto write = [&](const std::vector<PdoEntry>& page, const std::vector<size_t>& order, const char* on,
                           const char* off) {
        for (const size_t i : order) {
            const PdoEntry& e = page[i];
            const XmlNode row = document.AddChild(root, "row");
            document.SetAttribute(row, "cobid", e.cobid);
            document.SetAttribute(row, "id_dev_orig", e.id_dev_orig);
            document.SetAttribute(row, "en_bypass", e.enabled ? on : off);
            document.SetAttribute(row, "posind", e.posind);
            document.SetAttribute(row, "n_tpdo", e.n_tpdo);
        }
    };
    write(table.pages[CanSide::A], orderA, "3", "2");
    write(table.pages[CanSide::B], orderB, "1", "0");
}
