#include "editors/canopen/tables/EmcyWordDocument.h"

#include <optional>

namespace {

// The word of a row: the 51 texts by name, extdata apart.
TClWEmcy ReadWord(const ProjectDocument& doc, XmlNode row)
{
    const std::vector<std::string>& columns = EmcyWordColumns();
    TClWEmcy word;
    word.index_addrm = doc.AttributeText(row, columns[0]);
    word.subindex = doc.AttributeText(row, columns[1]);
    word.devid = doc.AttributeText(row, columns[3]);
    for (size_t n = 0; n < word.bits.size(); ++n) {
        word.bits[n].b0 = doc.AttributeText(row, columns[4 + 3 * n]);
        word.bits[n].b1 = doc.AttributeText(row, columns[5 + 3 * n]);
        word.bits[n].poscomp = doc.AttributeText(row, columns[6 + 3 * n]);
    }
    return word;
}

} // namespace

GuardedReadResult LoadEmcyWord(ProjectDocument& document, const std::string& path, EmcyWordTable& table)
{
    return GuardedRead(document, path, kFileXmlNotFound, kErrorReadingFileXml, [&](ProjectDocument& doc, XmlNode root) {
        const size_t count = doc.ChildCount(root);
        for (size_t i = 0; i < count; ++i) {
            const XmlNode row = doc.ChildAt(root, i);
            TClWEmcy word = ReadWord(doc, row);
            const std::optional<CanSide> side = SideOfExtdata(doc.AttributeText(row, "extdata"));
            if (side) table.Side(*side).push_back(std::move(word));
        }
    });
}

void SaveEmcyWord(ProjectDocument& document, const std::string& path, const EmcyWordTable& table)
{
    const std::vector<size_t> orderA = EmcyWordSaveOrder(table.canA);
    const std::vector<size_t> orderB = EmcyWordSaveOrder(table.canB);

    const std::vector<std::string>& columns = EmcyWordColumns();
    document.Reset();
    const XmlNode root = document.AddRoot(kEmcyWordTable);
    const auto write = [&](const std::vector<TClWEmcy>& list, const std::vector<size_t>& order, CanSide side) {
        for (size_t position : order) {
            const std::vector<std::string> values = EmcyWordValues(list[position], side);
            const XmlNode row = document.AddChild(root, "row");
            for (size_t c = 0; c < columns.size(); ++c) document.SetAttribute(row, columns[c], values[c]);
        }
    };
    write(table.canA, orderA, CanSide::A);
    write(table.canB, orderB, CanSide::B);
    document.SaveFile(path);
}
