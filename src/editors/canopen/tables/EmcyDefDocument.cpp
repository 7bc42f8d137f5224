#include "editors/canopen/tables/EmcyDefDocument.h"

#include "common/ParseInt.h"

#include <utility>

GuardedReadResult LoadEmcyDef(ProjectDocument& document, const std::string& path, EmcyTable& table)
{
    return GuardedRead(document, path, kFileXmlNotFound, kErrorReadingFileXml, [&](ProjectDocument& doc, XmlNode root) {
        const size_t count = doc.ChildCount(root);
        for (size_t i = 0; i < count; ++i) {
            const XmlNode row = doc.ChildAt(root, i);
            TClEmcy entry;
            for (size_t f = 0; f < kEmcyTextCount; ++f)
                entry.*kEmcyTexts[f] = ZeroIfEmpty(doc.AttributeText(row, kEmcyColumns[f]));
            const CanSide side = UnpackBypassSet(ParseInt(doc.AttributeText(row, "bypass_set")), entry);
            std::string text = entry.id_dev;
            table.Side(side).push_back({std::move(text), std::move(entry)});
        }
    });
}

void SaveEmcyDef(ProjectDocument& document, const std::string& path, const EmcyTable& table)
{
    // Both orders first: a bad ID stops the save before the document is touched.
    const std::vector<size_t> orderA = EmcySaveOrder(table.canA);
    const std::vector<size_t> orderB = EmcySaveOrder(table.canB);

    document.Reset();
    const XmlNode root = document.AddRoot(kEmcyDefTable);
    const auto write = [&](const EmcyList& list, const std::vector<size_t>& order, CanSide side) {
        for (size_t position : order) {
            const TClEmcy& entry = list[position].entry;
            const XmlNode row = document.AddChild(root, "row");
            for (size_t f = 0; f < kEmcyTextCount; ++f) document.SetAttribute(row, kEmcyColumns[f], entry.*kEmcyTexts[f]);
            document.SetAttribute(row, "bypass_set", std::to_string(PackBypassSet(entry, side)));
        }
    };
    write(table.canA, orderA, CanSide::A);
    write(table.canB, orderB, CanSide::B);
    document.SaveFile(path);
}
