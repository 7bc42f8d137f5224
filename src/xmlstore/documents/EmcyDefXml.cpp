#include "xmlstore/documents/EmcyDefXml.h"

#include "xmlstore/documents/AttributeRows.h"

inline namespace zz {

namespace {

constexpr auto kAttributes = [](auto& row, auto visit) {
    for (size_t f = 0; f < kEmcyDefTextCount; ++f) visit(kEmcyDefAttributes[f], row.Texts[f]);
    visit(kEmcyDefAttributes[kEmcyDefTextCount], row.BypassSet);
};

} // namespace

EmcyDefTexts EmcyDefTextsOf(const ProjectDocument& document, XmlNode root)
{
    return {ReadAttributeRows<EmcyDefRowTexts>(RowReader{root, document.Origin()}, kAttributes)};
}

void BuildEmcyDefXml(ProjectDocument& document, const EmcyDefTexts& texts)
{
    BuildAttributeRows(document, kEmcyDefTable, texts.Rows, kAttributes);
}

} // namespace zz
