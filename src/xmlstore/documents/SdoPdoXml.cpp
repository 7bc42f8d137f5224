#include "xmlstore/documents/SdoPdoXml.h"

#include "xmlstore/documents/AttributeRows.h"

inline namespace zz {

namespace {

using Row = SdoPdoRowTexts;
constexpr AttributeTable<Row, 4> kTable{
    {{"index", &Row::Index}, {"subindex", &Row::Subindex}, {"nrpdo", &Row::Nrpdo}, {"poscomp", &Row::Poscomp}}};
constexpr auto kAttributes = VisitTable(kTable);

} // namespace

SdoPdoTexts SdoPdoTextsOf(const ProjectDocument& document, XmlNode root)
{
    return {ReadAttributeRows<SdoPdoRowTexts>(RowReader{root, document.Origin()}, kAttributes)};
}

void BuildSdoPdoXml(ProjectDocument& document, const SdoPdoTexts& texts)
{
    BuildAttributeRows(document, kSdoPdoTable, texts.Rows, kAttributes);
}

} // namespace zz
