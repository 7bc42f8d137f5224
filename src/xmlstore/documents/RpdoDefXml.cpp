#include "xmlstore/documents/RpdoDefXml.h"

#include "xmlstore/documents/AttributeRows.h"

inline namespace zz {

namespace {

using Row = RpdoDefRowTexts;
constexpr AttributeTable<Row, 5> kTable{{{"cobid", &Row::CobId},
                                         {"id_dev_orig", &Row::IdDevOrig},
                                         {"en_bypass", &Row::EnBypass},
                                         {"posind", &Row::Posind},
                                         {"n_tpdo", &Row::NTpdo}}};
constexpr auto kAttributes = VisitTable(kTable);

} // namespace

RpdoDefTexts RpdoDefTextsOf(const ProjectDocument& document, XmlNode root)
{
    return {ReadAttributeRows<RpdoDefRowTexts>(RowReader{root, document.Origin()}, kAttributes)};
}

void BuildRpdoDefXml(ProjectDocument& document, const RpdoDefTexts& texts)
{
    BuildAttributeRows(document, kRpdoDefTable, texts.Rows, kAttributes);
}

} // namespace zz
