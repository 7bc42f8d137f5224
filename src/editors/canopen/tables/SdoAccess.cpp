#include "editors/canopen/tables/SdoAccess.h"

#include "common/ParseInt.h"
#include "xmlstore/documents/SdoXml.h"

inline namespace zz {

void ReadSdoAccessEntries(const ProjectDocument& document, XmlNode root, std::vector<SdoAccessEntry>& entries)
{
    for (const SdoRowTexts& row : SdoTextsOf(document, root).Rows) {
        const int conf = ParseInt(row.Conf.Value());
        SdoAccessEntry entry;
        entry.RequestOnCanB = (conf & kConfRequestOnCanB) != 0;
        entry.ReadWrite = (conf & kConfReadWrite) != 0;
        entry.IndexA = row.IndexOnA.Value();
        entry.SubindexA = row.SubindexOnA.Value();
        entry.DevIDB = row.DevIdOnB.Value();
        entry.IndexB = row.IndexOnB.Value();
        entry.SubindexB = row.SubindexOnB.Value();
        entry.NbyteB = row.NbyteOnB.Value();
        if (row.Mnemonico.Present) entry.Mnemonico = row.Mnemonico.Value();
        entries.push_back(std::move(entry));
    }
}

void WriteSdoAccess(const std::vector<SdoAccessEntry>& entries, ProjectDocument& document)
{
    SdoTexts texts;
    for (const SdoAccessEntry& e : entries) {
        const int conf = (e.RequestOnCanB ? kConfRequestOnCanB : 0) | (e.ReadWrite ? kConfReadWrite : 0);
        texts.Rows.push_back({StoredText::Of(std::to_string(conf)), StoredText::Of(e.IndexA),
                              StoredText::Of(e.SubindexA), StoredText::Of(e.DevIDB), StoredText::Of(e.IndexB),
                              StoredText::Of(e.SubindexB), StoredText::Of(e.NbyteB), StoredText::Of(e.Mnemonico)});
    }
    BuildSdoXml(document, texts);
}

} // namespace zz
