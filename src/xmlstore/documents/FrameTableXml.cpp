#include "xmlstore/documents/FrameTableXml.h"

FrameTableTexts ReadFrameTableXml(ProjectDocument& document, const std::string& path)
{
    document.LoadFile(path);
    const RowReader reader{document.Root(), path};
    FrameTableTexts texts;
    size_t index = 0;
    for (const XmlNode row : reader.Root.children()) {
        FrameTableRowTexts& r = texts.Rows.emplace_back();
        r.CobId = reader.Attribute(row, index, "COBID");
        r.Dim = reader.Attribute(row, index, "Dim");
        r.Delete = reader.Attribute(row, index, "Delete");
        r.Mnemonic = reader.Attribute(row, index, "Mnemonic");
        ++index;
    }
    return texts;
}

void WriteFrameTableXml(ProjectDocument& document, const std::string& path, const FrameTableTexts& texts)
{
    document.Reset();
    const XmlNode root = document.AddRoot("Receive_Frames");
    for (const FrameTableRowTexts& r : texts.Rows) {
        const XmlNode row = document.AddChild(root, "row");
        SetAttributeText(document, row, "COBID", r.CobId);
        SetAttributeText(document, row, "Dim", r.Dim);
        SetAttributeText(document, row, "Delete", r.Delete);
        SetAttributeText(document, row, "Mnemonic", r.Mnemonic);
    }
    document.SaveFile(path);
}
