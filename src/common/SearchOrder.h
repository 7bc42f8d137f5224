#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

inline namespace zz {

// The order of a repeated minimum search: pass after pass, the entries not yet taken are
// scanned in list order from a minimum of `start` in every key part, the smallest key (parts
// compared in turn) is taken, and so on until none is left. Equal keys come in list order, or,
// with EqualKeys::LaterFirst, the one further down first; LaterFirst also lets the search take
// a key equal to the start.
//
// Keys beyond the start value: the search can never take such an entry. They come after all
// the others, in list order, so the order always ends and every entry is in it. Files written
// by the tables keep their order on every save: their keys stay within the start value, and
// entries beyond it were written in the order they stood.
enum class EqualKeys { ListOrder, LaterFirst };
std::vector<size_t> MinimumSearchOrder(const std::vector<std::vector<int32_t>>& keys, int32_t start, EqualKeys equal);

// The start value of the ordering searches of the CANopen PDO and SDO tables.
inline constexpr int32_t kOrderSearchStart = 0x999999;

// Their search over (index, subindex) from kOrderSearchStart. With `laterWinsTies` only the
// index is compared and later entries win ties; otherwise equal pairs keep list order.
std::vector<size_t> MinimumSearchOrder(const std::vector<int32_t>& index, const std::vector<int32_t>& subindex,
                                       bool laterWinsTies);

} // namespace zz
