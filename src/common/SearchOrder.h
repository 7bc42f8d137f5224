#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The start value of the ordering searches of the CANopen tables: keys are meant to stay
// below it.
inline constexpr int32_t kOrderSearchStart = 0x999999;

// The order of a repeated minimum search over the keys (index and subindex), each pass
// starting from (kOrderSearchStart, kOrderSearchStart) and scanning the entries not yet taken
// in list order. With `laterWinsTies` an entry whose index equals the minimum is chosen too
// (so of equal keys the one further down comes first) and the subindex plays no part;
// otherwise only a smaller (index, subindex) pair is chosen (equal pairs keep list order).
// Entries the search can never choose (keys above the start value) come last, in list order,
// so the search always ends.
std::vector<size_t> MinimumSearchOrder(const std::vector<int32_t>& index, const std::vector<int32_t>& subindex,
                                       bool laterWinsTies);
