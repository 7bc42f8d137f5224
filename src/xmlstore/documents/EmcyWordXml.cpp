#include "xmlstore/documents/EmcyWordXml.h"

#include "xmlstore/documents/AttributeRows.h"

inline namespace zz {

namespace {

constexpr auto kAttributes = [](auto& row, auto visit) {
    const std::vector<std::string>& names = EmcyWordAttributes();
    visit(names[0], row.IndexAddrm);
    visit(names[1], row.Subindex);
    visit(names[2], row.Extdata);
    visit(names[3], row.Devid);
    for (size_t n = 0; n < row.Bits.size(); ++n) {
        visit(names[4 + 3 * n], row.Bits[n].B0);
        visit(names[5 + 3 * n], row.Bits[n].B1);
        visit(names[6 + 3 * n], row.Bits[n].Poscomp);
    }
};

} // namespace

const std::vector<std::string>& EmcyWordAttributes()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list = {"index_addrm", "subindex", "extdata", "devid"};
        for (int n = 0; n < 16; ++n) {
            const std::string bit = "bit" + std::to_string(n);
            list.push_back(bit + "_b0");
            list.push_back(bit + "_b1");
            list.push_back(bit + "_poscomp");
        }
        return list;
    }();
    return names;
}

EmcyWordTexts EmcyWordTextsOf(const ProjectDocument& document, XmlNode root)
{
    return {ReadAttributeRows<EmcyWordRowTexts>(RowReader{root, document.Origin()}, kAttributes)};
}

void BuildEmcyWordXml(ProjectDocument& document, const EmcyWordTexts& texts)
{
    BuildAttributeRows(document, kEmcyWordTable, texts.Rows, kAttributes);
}

} // namespace zz
