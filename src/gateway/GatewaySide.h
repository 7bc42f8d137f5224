#pragma once
#include <array>

inline namespace zz {

// The two directions of the gateway: the frames it receives from CAN (their bytes feed the
// DeviceNet input area) and the frames it sends (fed by the output area). Each side has a
// frame table and the byte mapping paired with it row by row.
enum class GatewaySide { Receive, Send };

inline constexpr std::array<GatewaySide, 2> kGatewaySides = {GatewaySide::Receive, GatewaySide::Send};

} // namespace zz
