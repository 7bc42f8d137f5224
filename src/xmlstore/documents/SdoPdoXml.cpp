#include "xmlstore/documents/SdoPdoXml.h"

SdoPdoTexts SdoPdoTextsOf(const ProjectDocument& document, XmlNode root)
{
    const RowReader reader{root, document.Origin()};
    SdoPdoTexts texts;
    size_t index = 0;
    for (const XmlNode row : reader.Root.children()) {
        SdoPdoRowTexts& r = texts.Rows.emplace_back();
        r.Index = reader.Attribute(row, index, "index");
        r.Subindex = reader.Attribute(row, index, "subindex");
        r.Nrpdo = reader.Attribute(row, index, "nrpdo");
        r.Poscomp = reader.Attribute(row, index, "poscomp");
        ++index;
    }
    return texts;
}

void BuildSdoPdoXml(ProjectDocument& document, const SdoPdoTexts& texts)
{
    document.Reset();
    const XmlNode root = document.AddRoot("sdopdo");
    for (const SdoPdoRowTexts& r : texts.Rows) {
        const XmlNode row = document.AddChild(root, "row");
        SetAttributeText(document, row, "index", r.Index);
        SetAttributeText(document, row, "subindex", r.Subindex);
        SetAttributeText(document, row, "nrpdo", r.Nrpdo);
        SetAttributeText(document, row, "poscomp", r.Poscomp);
    }
}
