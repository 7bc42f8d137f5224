#include "xmlstore/documents/SdoXml.h"

#include "xmlstore/documents/AttributeRows.h"

namespace {

using Row = SdoRowTexts;
constexpr AttributeTable<Row, 8> kTable{{{"conf", &Row::Conf},
                                         {"IndexA", &Row::IndexA}, {"SubindexA", &Row::SubindexA},
                                         {"devIDB", &Row::DevIdB}, {"IndexB", &Row::IndexB}, {"SubindexB", &Row::SubindexB},
                                         {"nbyteB", &Row::NbyteB}, {"mnemonico", &Row::Mnemonico}}};
constexpr auto kAttributes = VisitTable(kTable);

} // namespace

SdoTexts SdoTextsOf(const ProjectDocument& document, XmlNode root)
{
    return {ReadAttributeRows<SdoRowTexts>(RowReader{root, document.Origin()}, kAttributes)};
}

void BuildSdoXml(ProjectDocument& document, const SdoTexts& texts)
{
    BuildAttributeRows(document, kSdoTable, texts.Rows, kAttributes);
}
