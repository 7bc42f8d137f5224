#include "editors/canopen/tables/EmcyWordDocument.h"

#include "xmlstore/documents/EmcyWordXml.h"

#include <optional>

inline namespace zz {

namespace {

// The word of a row: its texts in document order, extdata apart.
TClWEmcy WordOf(const EmcyWordRowTexts& row)
{
    TClWEmcy word;
    word.index_addrm = row.IndexAddrm.Value();
    word.subindex = row.Subindex.Value();
    word.devid = row.Devid.Value();
    for (size_t n = 0; n < word.bits.size(); ++n) {
        word.bits[n].b0 = row.Bits[n].B0.Value();
        word.bits[n].b1 = row.Bits[n].B1.Value();
        word.bits[n].poscomp = row.Bits[n].Poscomp.Value();
    }
    return word;
}

EmcyWordRowTexts RowOf(const TClWEmcy& word, CanSide side)
{
    EmcyWordRowTexts row;
    row.IndexAddrm = StoredText::Of(word.index_addrm);
    row.Subindex = StoredText::Of(word.subindex);
    row.Extdata = StoredText::Of(side == CanSide::A ? "0" : "1");
    row.Devid = StoredText::Of(word.devid);
    for (size_t n = 0; n < word.bits.size(); ++n) {
        row.Bits[n].B0 = StoredText::Of(word.bits[n].b0);
        row.Bits[n].B1 = StoredText::Of(word.bits[n].b1);
        row.Bits[n].Poscomp = StoredText::Of(word.bits[n].poscomp);
    }
    return row;
}

} // namespace

GuardedReadResult LoadEmcyWord(ProjectDocument& document, const std::string& path, EmcyWordTable& table)
{
    return GuardedRead(document, path, kFileXmlNotFound, kErrorReadingFileXml, [&](ProjectDocument& doc, XmlNode root) {
        for (const EmcyWordRowTexts& row : EmcyWordTextsOf(doc, root).Rows) {
            TClWEmcy word = WordOf(row);
            const std::optional<CanSide> side = SideOfExtdata(row.Extdata.Value());
            if (side) table.Side(*side).push_back(std::move(word));
        }
    });
}

void SaveEmcyWord(ProjectDocument& document, const std::string& path, const EmcyWordTable& table)
{
    const std::vector<size_t> orderA = EmcyWordSaveOrder(table.CanA);
    const std::vector<size_t> orderB = EmcyWordSaveOrder(table.CanB);

    EmcyWordTexts texts;
    for (size_t position : orderA) texts.Rows.push_back(RowOf(table.CanA[position], CanSide::A));
    for (size_t position : orderB) texts.Rows.push_back(RowOf(table.CanB[position], CanSide::B));
    BuildEmcyWordXml(document, texts);
    document.SaveFile(path);
}

} // namespace zz
