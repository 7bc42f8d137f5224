#pragma once
#include <string>
#include <string_view>

inline namespace zz {

// What a DBC file cannot say of a gateway's frame tables, kept in attributes of our own so that
// importing our export restores the tables exactly. Texts are stored as percent escapes of
// their UTF-8 bytes wherever they leave printable ASCII (and for '"', '\\' and '%').
inline constexpr const char* kDbcGatewayNode = "Gateway";               // the gateway's own node
inline constexpr const char* kDbcBusNode = "CanBus";                    // every other node of the bus
inline constexpr const char* kDbcNodeAttribute = "GatewayNode";         // BU_: 1 for the gateway
inline constexpr const char* kDbcSideAttribute = "GatewaySide";         // BO_: "Receive" or "Send"
inline constexpr const char* kDbcRowAttribute = "GatewayRow";           // BO_: the table row, from 1
inline constexpr const char* kDbcCobIdAttribute = "GatewayCobId";       // BO_: the COB ID as typed
inline constexpr const char* kDbcDimAttribute = "GatewayDim";           // BO_: the length as typed
inline constexpr const char* kDbcDeleteAttribute = "GatewayDelete";     // BO_: the Delete flag as typed
inline constexpr const char* kDbcMnemonicAttribute = "GatewayMnemonic"; // BO_: the mnemonic
// BO_: the mapping row's eight bytes as the mapping editor keeps them (none beyond the length),
// "0,1,255,..."; empty when the frame has no mapping row.
inline constexpr const char* kDbcMappingAttribute = "GatewayMapping";
inline constexpr const char* kDbcNetByteAttribute = "GatewayNetByte"; // SG_: its DeviceNet byte

inline constexpr const char* kDbcReceiveSide = "Receive";
inline constexpr const char* kDbcSendSide = "Send";

std::string PercentEscaped(std::string_view text);
// The text back; an escape that is not two hexadecimal digits stays as it is.
std::string PercentUnescaped(std::string_view text);

} // namespace zz
