#include "common/SearchOrder.h"

#include <gtest/gtest.h>

namespace {

using Order = std::vector<size_t>;

// The search itself, pass by pass, as the order is defined; entries it cannot take are
// appended in list order.
Order Searched(const std::vector<std::vector<int32_t>>& keys, int32_t start, EqualKeys equal)
{
    std::vector<bool> taken(keys.size(), false);
    Order order;
    for (;;) {
        std::vector<int32_t> minimum(keys.empty() ? 0 : keys[0].size(), start);
        bool found = false;
        size_t chosen = 0;
        for (size_t i = 0; i < keys.size(); ++i) {
            if (taken[i]) continue;
            if (keys[i] < minimum || (equal == EqualKeys::LaterFirst && keys[i] == minimum)) {
                chosen = i;
                found = true;
                minimum = keys[i];
            }
        }
        if (!found) break;
        taken[chosen] = true;
        order.push_back(chosen);
    }
    for (size_t i = 0; i < keys.size(); ++i)
        if (!taken[i]) order.push_back(i);
    return order;
}

TEST(MinimumSearchOrder, IsTheOrderOfTheSearchForEveryTieRule)
{
    const std::vector<std::vector<std::vector<int32_t>>> lists{
        {},
        {{5}, {3}, {5}, {999999}, {1000000}, {-1}, {3}, {2000000}, {1000000}},
        {{1, 2}, {1, 1}, {0, 9}, {1, 1}, {9, 0x999999}, {0x999999, 0x999998}, {0x999999, 0x999999}, {0xA00000, 0}},
        {{2, 1, 1}, {1000000, 1, 1}, {2, 1000000, 0}, {2, 1, 1000000}, {2, 1, 1}, {999999, 999999, 999999}},
    };
    for (const auto& keys : lists)
        for (const int32_t start : {999999, 0x999999})
            for (const EqualKeys equal : {EqualKeys::ListOrder, EqualKeys::LaterFirst})
                EXPECT_EQ(MinimumSearchOrder(keys, start, equal), Searched(keys, start, equal))
                    << keys.size() << " keys from " << start << (equal == EqualKeys::LaterFirst ? ", later first" : "");
}

TEST(MinimumSearchOrder, KeysBeyondTheStartComeLastInListOrder)
{
    EXPECT_EQ(MinimumSearchOrder({{2000000}, {7}, {1000000}, {7}}, 999999, EqualKeys::LaterFirst), (Order{3, 1, 0, 2}));
    EXPECT_EQ(MinimumSearchOrder({{0x999999, 0x999999}, {0x999999, 0}}, 0x999999, EqualKeys::ListOrder), (Order{1, 0}));
    EXPECT_EQ(MinimumSearchOrder({0x999999, 0xA00000, 4}, {0, 0, 0}, true), (Order{2, 0, 1}));
}

} // namespace
