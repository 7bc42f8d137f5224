#include "editors/canopen/tables/SearchOrder.h"

std::vector<size_t> MinimumSearchOrder(const std::vector<int32_t>& index, const std::vector<int32_t>& subindex,
                                       bool laterWinsTies)
{
    const size_t n = index.size();
    std::vector<bool> taken(n, false);
    std::vector<size_t> order;
    order.reserve(n);
    while (order.size() < n) {
        int32_t minIndex = kOrderSearchStart;
        int32_t minSub = kOrderSearchStart;
        bool found = false;
        size_t chosen = 0;
        for (size_t i = 0; i < n; ++i) {
            if (taken[i]) continue;
            bool choose;
            if (laterWinsTies) {
                choose = index[i] <= minIndex;
            } else {
                choose = index[i] < minIndex || (index[i] == minIndex && subindex[i] < minSub);
            }
            if (choose) {
                chosen = i;
                found = true;
                minIndex = index[i];
                if (!laterWinsTies) minSub = subindex[i];
            }
        }
        if (!found) break; // what is left lies beyond the search
        taken[chosen] = true;
        order.push_back(chosen);
    }
    for (size_t i = 0; i < n; ++i)
        if (!taken[i]) order.push_back(i);
    return order;
}
