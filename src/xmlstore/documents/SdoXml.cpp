#include "xmlstore/documents/SdoXml.h"

#include "xmlstore/documents/AttributeRows.h"

inline namespace zz {

namespace {

using Row = SdoRowTexts;
constexpr AttributeTable<Row, 8> kTable{{{"conf", &Row::Conf},
                                         {"IndexA", &Row::IndexOnA},
                                         {"SubindexA", &Row::SubindexOnA},
                                         {"devIDB", &Row::DevIdOnB},
                                         {"IndexB", &Row::IndexOnB},
                                         {"SubindexB", &Row::SubindexOnB},
                                         {"nbyteB", &Row::NbyteOnB},
                                         {"mnemonico", &Row::Mnemonico}}};
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

} // namespace zz
