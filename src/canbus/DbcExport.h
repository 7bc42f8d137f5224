#pragma once
#include "gateway/GatewayProject.h"

#include <string>

inline namespace zz {

// A gateway project's frame tables as a DBC file: the gateway a node of its own beside the bus,
// one frame per row of both tables (receive frames sent by the bus to the gateway, send frames
// sent by the gateway), the length its Dim, extended when the project uses 29-bit identifiers,
// one 8-bit unsigned Intel signal per mapped CAN byte within the length. What the format cannot
// hold travels in the attributes of DbcGatewayAttributes.h.
struct DbcExport {
    std::string Text;
    int ReceiveFrames = 0;
    int SendFrames = 0;
    int Signals = 0;
};

// Throws Failure naming the document and row of a frame that a DBC file cannot hold: a COB ID
// or length out of range, or an identifier in both tables.
DbcExport ExportDbc(const GatewayProject& project);

} // namespace zz
