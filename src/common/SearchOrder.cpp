#include "common/SearchOrder.h"

#include <algorithm>

inline namespace zz {

std::vector<size_t> MinimumSearchOrder(const std::vector<std::vector<int32_t>>& keys, int32_t start, EqualKeys equal)
{
    // A sort gives the search's order without its n passes over the list.
    std::vector<size_t> order;
    std::vector<size_t> beyond;
    order.reserve(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        const std::vector<int32_t> startKey(keys[i].size(), start);
        const bool reachable = equal == EqualKeys::LaterFirst ? keys[i] <= startKey : keys[i] < startKey;
        (reachable ? order : beyond).push_back(i);
    }
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        if (keys[a] != keys[b]) return keys[a] < keys[b];
        return equal == EqualKeys::LaterFirst ? a > b : a < b;
    });
    order.insert(order.end(), beyond.begin(), beyond.end());
    return order;
}

std::vector<size_t> MinimumSearchOrder(const std::vector<int32_t>& index, const std::vector<int32_t>& subindex,
                                       bool laterWinsTies)
{
    std::vector<std::vector<int32_t>> keys;
    keys.reserve(index.size());
    for (size_t i = 0; i < index.size(); ++i)
        keys.push_back(laterWinsTies ? std::vector<int32_t>{index[i]} : std::vector<int32_t>{index[i], subindex[i]});
    return MinimumSearchOrder(keys, kOrderSearchStart, laterWinsTies ? EqualKeys::LaterFirst : EqualKeys::ListOrder);
}

} // namespace zz
