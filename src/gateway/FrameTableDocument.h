#pragma once
#include "gateway/GatewaySide.h"
#include "xmlstore/ProjectDocument.h"
#include "xmlstore/documents/FrameTableXml.h"

#include <optional>
#include <string>
#include <vector>

inline namespace zz {

// The frame tables of a gateway project: the frames it receives (Receive_Frame.xml) and the
// frames it sends (Send_Frame.xml). Both documents have the root "Receive_Frames" and one
// "row" per frame; the receive side carries a "Delete" flag, the send side does not. Cell
// texts are kept as typed; identifiers may be decimal or hexadecimal.
struct FrameRow {
    std::string CobId;
    std::string Dim;
    std::string Delete; // "Y", "N" or empty; receive side only
    std::string Mnemonic;
};

// A table never holds more than 127 frames.
inline constexpr int kMaxFrames = 127;

// Every row of the document, however many, read by the editor's rules: a missing "COBID",
// "Dim" or "Mnemonic" throws Failure, a missing "Delete" reads as "N".
std::vector<FrameRow> FrameRowsOf(const FrameTableTexts& texts, GatewaySide side);

// How many of the rows the editor keeps: at most 127, ending before the first empty COB ID.
size_t KeptFrameCount(const std::vector<FrameRow>& rows);

// The first broken rule over the frames in order; none when all pass.
std::optional<std::string> ValidateFrames(const std::vector<FrameRow>& frames, bool is29Bit);

// Rebuilds the document from the frames and writes it.
void SaveFrameTable(ProjectDocument& document, const std::string& path, GatewaySide side,
                    const std::vector<FrameRow>& frames);

} // namespace zz
