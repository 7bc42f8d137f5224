#include "editors/canopen/SdoAccess.h"

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
