#include "editors/canopen/tables/SdoAccess.h"

#include "common/ParseInt.h"

std::string SdoAccessPath(const ProjectContext& context)
{
    return context.ProjectDir + "/" + kSdoTableName + ".xml";
}

void ReadSdoAccessEntries(const ProjectDocument& document, XmlNode root, std::vector<SdoAccessEntry>& entries)
{
    const size_t count = document.ChildCount(root);
    for (size_t i = 0; i < count; ++i) {
        const XmlNode row = document.ChildAt(root, i);
        const int conf = ParseInt(document.AttributeText(row, "conf"));
        SdoAccessEntry entry;
        entry.requestOnCanB = (conf & kConfRequestOnCanB) != 0;
        entry.readWrite = (conf & kConfReadWrite) != 0;
        entry.IndexA = document.AttributeText(row, "IndexA");
        entry.SubindexA = document.AttributeText(row, "SubindexA");
        entry.devIDB = document.AttributeText(row, "devIDB");
        entry.IndexB = document.AttributeText(row, "IndexB");
        entry.SubindexB = document.AttributeText(row, "SubindexB");
        entry.nbyteB = document.AttributeText(row, "nbyteB");
        if (row.attribute("mnemonico")) entry.mnemonico = document.AttributeText(row, "mnemonico");
        entries.push_back(std::move(entry));
    }
}

void WriteSdoAccess(const std::vector<SdoAccessEntry>& entries, ProjectDocument& document)
{
    document.Reset();
    const XmlNode root = document.AddRoot(kSdoTableName);
    for (const SdoAccessEntry& e : entries) {
        const int conf = (e.requestOnCanB ? kConfRequestOnCanB : 0) | (e.readWrite ? kConfReadWrite : 0);
        const XmlNode row = document.AddChild(root, "row");
        document.SetAttribute(row, "conf", std::to_string(conf));
        document.SetAttribute(row, "IndexA", e.IndexA);
        document.SetAttribute(row, "SubindexA", e.SubindexA);
        document.SetAttribute(row, "devIDB", e.devIDB);
        document.SetAttribute(row, "IndexB", e.IndexB);
        document.SetAttribute(row, "SubindexB", e.SubindexB);
        document.SetAttribute(row, "nbyteB", e.nbyteB);
        document.SetAttribute(row, "mnemonico", e.mnemonico);
    }
}
