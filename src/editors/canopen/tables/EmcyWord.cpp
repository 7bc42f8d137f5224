#include "editors/canopen/tables/EmcyWord.h"

#include "common/ParseInt.h"
#include "common/SearchOrder.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <optional>

inline namespace zz {

const std::vector<std::string>& EmcyWordColumns()
{
    return EmcyWordAttributes();
}

std::vector<std::string> EmcyWordValues(const TClWEmcy& word, CanSide side)
{
    std::vector<std::string> values = {word.index_addrm, word.subindex, side == CanSide::A ? "0" : "1", word.devid};
    for (const ClEbm& bit : word.bits) {
        values.push_back(bit.b0);
        values.push_back(bit.b1);
        values.push_back(bit.poscomp);
    }
    return values;
}

std::optional<CanSide> SideOfExtdata(const std::string& extdata)
{
    switch (ParseInt(extdata)) {
    case 0: return CanSide::A;
    case 1: return CanSide::B;
    default: return std::nullopt;
    }
}

std::string PackPoscomp(int32_t first, int32_t second)
{
    // Unsigned arithmetic: any two numbers wrap to 16 bits without overflow.
    const uint32_t packed = (static_cast<uint32_t>(first) * 16u + static_cast<uint32_t>(second)) & 0xFFFFu;
    return std::to_string(packed);
}

std::pair<int32_t, int32_t> UnpackPoscomp(const std::string& poscomp)
{
    const auto v = static_cast<int32_t>(static_cast<uint32_t>(ParseInt(poscomp)) & 0xFFFFu);
    return {v / 16, v % 16};
}

void ModifyBit(ClEbm& bit, const std::string& b0, const std::string& b1, const std::string& first,
               const std::string& second)
{
    bit.b0 = b0;
    bit.b1 = b1;
    const int32_t a = ParseInt(first);
    const int32_t b = ParseInt(second);
    bit.poscomp = PackPoscomp(a, b);
}

KeyCheck CheckWord(const std::vector<TClWEmcy>& page, const std::string& index, const std::string& subindex,
                   const std::string& id, bool adding, size_t ownPosition)
{
    bool accepted = !index.empty() && !subindex.empty() && !id.empty();
    for (size_t i = 0; accepted && i < page.size(); ++i) {
        if (!adding && i == ownPosition) continue;
        const TClWEmcy& word = page[i];
        if (word.index_addrm == index && word.subindex == subindex && word.devid == id) accepted = false;
    }
    KeyCheck check;
    if (!accepted) check.Messages.push_back(NoticeMessage("Index Not Valid"));
    return check;
}

std::vector<size_t> EmcyWordSaveOrder(const std::vector<TClWEmcy>& list)
{
    // The keys are converted in list order and only where the order needs them, so a text that
    // is never compared cannot stop the save.
    const size_t n = list.size();
    std::vector<int32_t> devid(n), index(n, 0), subindex(n, 0);
    std::map<int32_t, int> devidCount;
    for (size_t i = 0; i < n; ++i) ++devidCount[devid[i] = ParseInt(list[i].devid)];
    std::map<std::pair<int32_t, int32_t>, int> indexCount;
    for (size_t i = 0; i < n; ++i)
        if (devidCount[devid[i]] > 1) ++indexCount[{devid[i], index[i] = ParseInt(list[i].index_addrm)}];
    for (size_t i = 0; i < n; ++i)
        if (devidCount[devid[i]] > 1 && indexCount[{devid[i], index[i]}] > 1) subindex[i] = ParseInt(list[i].subindex);

    std::vector<std::vector<int32_t>> keys;
    keys.reserve(n);
    for (size_t i = 0; i < n; ++i) keys.push_back({devid[i], index[i], subindex[i]});
    return MinimumSearchOrder(keys, kEmcySearchStart, EqualKeys::LaterFirst);
}

int NextWordLabel(std::optional<int> lastLabel)
{
    return lastLabel ? *lastLabel + 1 : 0;
}

} // namespace zz
