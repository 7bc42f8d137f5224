#include "editors/canopen/tables/PdoTranslation.h"

#include "common/ParseInt.h"
#include "common/SearchOrder.h"
#include "xmlstore/documents/RpdoDefXml.h"

inline namespace zz {

void ReadPdoTranslation(const ProjectDocument& document, XmlNode root, PdoTranslationTable& table)
{
    for (const RpdoDefRowTexts& row : RpdoDefTextsOf(document, root).Rows) {
        const int enBypass = ParseInt(row.EnBypass.Value());
        // Braces take the texts in the order written, so the first missing one is reported.
        PdoEntry entry{row.CobId.Value(), row.IdDevOrig.Value(), row.Posind.Value(), row.NTpdo.Value(),
                       (enBypass & kEnBypassEnabled) != 0};
        table.Pages[(enBypass & kEnBypassCanAToCanB) ? CanSide::A : CanSide::B].push_back(std::move(entry));
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
    const std::vector<size_t> orderA = PdoSaveOrder(table.Pages[CanSide::A]);
    const std::vector<size_t> orderB = PdoSaveOrder(table.Pages[CanSide::B]);
    RpdoDefTexts texts;
    const auto write = [&](const std::vector<PdoEntry>& page, const std::vector<size_t>& order, const char* on,
                           const char* off) {
        for (const size_t i : order) {
            const PdoEntry& e = page[i];
            texts.Rows.push_back({StoredText::Of(e.cobid), StoredText::Of(e.id_dev_orig),
                                  StoredText::Of(e.Enabled ? on : off), StoredText::Of(e.posind),
                                  StoredText::Of(e.n_tpdo)});
        }
    };
    write(table.Pages[CanSide::A], orderA, "3", "2");
    write(table.Pages[CanSide::B], orderB, "1", "0");
    BuildRpdoDefXml(document, texts);
}

} // namespace zz
