#include "xmlstore/documents/FrameTableXml.h"

#include "xmlstore/documents/AttributeRows.h"

inline namespace zz {

namespace {

using Row = FrameTableRowTexts;
constexpr AttributeTable<Row, 4> kTable{
    {{"COBID", &Row::CobId}, {"Dim", &Row::Dim}, {"Delete", &Row::Delete}, {"Mnemonic", &Row::Mnemonic}}};
constexpr auto kAttributes = VisitTable(kTable);

} // namespace

FrameTableTexts ReadFrameTableXml(ProjectDocument& document, const std::string& path)
{
    document.LoadFile(path);
    return {ReadAttributeRows<FrameTableRowTexts>(RowReader{document.Root(), path}, kAttributes)};
}

void WriteFrameTableXml(ProjectDocument& document, const std::string& path, const FrameTableTexts& texts)
{
    BuildAttributeRows(document, "Receive_Frames", texts.Rows, kAttributes);
    document.SaveFile(path);
}

} // namespace zz
