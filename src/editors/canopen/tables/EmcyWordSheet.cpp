#include "editors/canopen/tables/EmcyWordSheet.h"

inline namespace zz {

std::optional<std::pair<CanSide, TClWEmcy>> EmcyWordFromSheetRow(const std::vector<std::string>& row)
{
    TClWEmcy word;
    word.index_addrm = row.at(0);
    word.subindex = row.at(1);
    word.devid = row.at(3);
    for (size_t n = 0; n < word.bits.size(); ++n) {
        word.bits[n].b0 = row.at(4 + 3 * n);
        word.bits[n].b1 = row.at(5 + 3 * n);
        word.bits[n].poscomp = row.at(6 + 3 * n);
    }
    const std::optional<CanSide> side = SideOfExtdata(row.at(2));
    if (!side) return std::nullopt;
    return std::pair{*side, std::move(word)};
}

std::vector<std::vector<std::string>> EmcyWordExportLines(const EmcyWordTable& table)
{
    std::vector<std::vector<std::string>> lines;
    for (CanSide side : kCanSides)
        for (const TClWEmcy& word : table.Side(side)) lines.push_back(EmcyWordValues(word, side));
    return lines;
}

} // namespace zz
