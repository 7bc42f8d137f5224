#pragma once
#include <array>
#include <cstddef>

inline namespace zz {

// The two CAN sides the gateway joins. Every two-sided table of the CANopen editors names its
// pages, lists and routed rows with it.
enum class CanSide { A, B };

inline constexpr std::array<CanSide, 2> kCanSides = {CanSide::A, CanSide::B};

// One value per CAN side, reached by the side.
template <typename T>
struct BySide {
    std::array<T, 2> values;

    T& operator[](CanSide side) { return values[static_cast<size_t>(side)]; }
    const T& operator[](CanSide side) const { return values[static_cast<size_t>(side)]; }
    auto begin() { return values.begin(); }
    auto end() { return values.end(); }
    auto begin() const { return values.begin(); }
    auto end() const { return values.end(); }
};

} // namespace zz
