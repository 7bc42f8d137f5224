#include "editors/canopen/tables/EmcyDefSheet.h"

#include "common/ParseInt.h"

inline namespace zz {

CanSide AddEmcyDefSheetRow(EmcyTable& table, const std::vector<std::string>& row)
{
    TClEmcy entry;
    for (size_t f = 0; f < kEmcyTextCount; ++f) entry.*kEmcyTexts[f] = row.at(f);
    const CanSide side = UnpackBypassSet(ParseInt(row.at(kEmcyTextCount)), entry);
    table.Side(side).push_back({entry.id_dev, entry});
    return side;
}

std::vector<std::vector<std::string>> EmcyDefExportLines(const EmcyTable& table)
{
    std::vector<std::vector<std::string>> lines;
    for (CanSide side : kCanSides) {
        for (const EmcyLine& line : table.Side(side)) {
            std::vector<std::string> values;
            for (size_t f = 0; f < kEmcyTextCount; ++f) values.push_back(line.Entry.*kEmcyTexts[f]);
            values.push_back(std::to_string(PackBypassSet(line.Entry, side)));
            lines.push_back(std::move(values));
        }
    }
    return lines;
}

} // namespace zz
