#include "editors/canopen/tables/EmcyDef.h"

#include "common/ParseInt.h"
#include "common/SearchOrder.h"

#include <algorithm>
#include <numeric>

inline namespace zz {

namespace {
constexpr const char* kIndexNotValid = "Index Not Valid";
} // namespace

int32_t PackBypassSet(const TClEmcy& entry, CanSide side)
{
    return (entry.bypass_type & 15) * 2 + (entry.bypass_enable ? 1 : 0) + (side == CanSide::B ? 32 : 0);
}

CanSide UnpackBypassSet(int32_t bypassSet, TClEmcy& entry)
{
    const auto bits = static_cast<uint32_t>(bypassSet);
    entry.bypass_enable = (bits & 1u) != 0;
    entry.bypass_type = static_cast<int>((bits >> 1) & 15u);
    return (bits & 32u) != 0 ? CanSide::B : CanSide::A;
}

std::string ZeroIfEmpty(const std::string& text)
{
    return text.empty() ? std::string("0") : text;
}

KeyCheck CheckId(const std::string& newId, const std::string& selectedId, bool adding, const EmcyList& page)
{
    KeyCheck check;
    if (!adding && newId == selectedId) return check;
    if (newId.empty()) check.Messages.push_back(NoticeMessage(kIndexNotValid));
    for (const EmcyLine& line : page) {
        if (line.Text == newId) {
            check.Messages.push_back(NoticeMessage(kIndexNotValid));
            break;
        }
    }
    return check;
}

std::vector<size_t> EmcySaveOrder(const EmcyList& list)
{
    std::vector<std::vector<int32_t>> values;
    values.reserve(list.size());
    for (const EmcyLine& line : list) values.push_back({ParseInt(line.Text)});
    return MinimumSearchOrder(values, kEmcySearchStart, EqualKeys::LaterFirst);
}

} // namespace zz
