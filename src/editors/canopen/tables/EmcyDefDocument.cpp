#include "editors/canopen/tables/EmcyDefDocument.h"

#include "common/ParseInt.h"
#include "xmlstore/documents/EmcyDefXml.h"

#include <utility>

inline namespace zz {

GuardedReadResult LoadEmcyDef(ProjectDocument& document, const std::string& path, EmcyTable& table)
{
    return GuardedRead(document, path, kFileXmlNotFound, kErrorReadingFileXml, [&](ProjectDocument& doc, XmlNode root) {
        for (const EmcyDefRowTexts& row : EmcyDefTextsOf(doc, root).Rows) {
            TClEmcy entry;
            for (size_t f = 0; f < kEmcyTextCount; ++f) entry.*kEmcyTexts[f] = ZeroIfEmpty(row.Texts[f].Value());
            const CanSide side = UnpackBypassSet(ParseInt(row.BypassSet.Value()), entry);
            std::string text = entry.id_dev;
            table.Side(side).push_back({std::move(text), std::move(entry)});
        }
    });
}

void SaveEmcyDef(ProjectDocument& document, const std::string& path, const EmcyTable& table)
{
    // Both orders first: a bad ID stops the save before the document is touched.
    const std::vector<size_t> orderA = EmcySaveOrder(table.CanA);
    const std::vector<size_t> orderB = EmcySaveOrder(table.CanB);

    EmcyDefTexts texts;
    const auto write = [&](const EmcyList& list, const std::vector<size_t>& order, CanSide side) {
        for (size_t position : order) {
            const TClEmcy& entry = list[position].Entry;
            EmcyDefRowTexts& row = texts.Rows.emplace_back();
            for (size_t f = 0; f < kEmcyTextCount; ++f) row.Texts[f] = StoredText::Of(entry.*kEmcyTexts[f]);
            row.BypassSet = StoredText::Of(std::to_string(PackBypassSet(entry, side)));
        }
    };
    write(table.CanA, orderA, CanSide::A);
    write(table.CanB, orderB, CanSide::B);
    BuildEmcyDefXml(document, texts);
    document.SaveFile(path);
}

} // namespace zz
