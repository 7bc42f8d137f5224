#pragma once
#include "xmlstore/documents/StoredText.h"

#include <string>
#include <vector>

inline namespace zz {

// Receive_Frame.xml and Send_Frame.xml, the frame tables of a gateway project: both have the
// root "Receive_Frames" and one "row" per frame. Only the receive table carries "Delete".
struct FrameTableRowTexts {
    StoredText CobId;
    StoredText Dim;
    StoredText Delete;
    StoredText Mnemonic;
};

struct FrameTableTexts {
    // Every node under the root, in order; one that is no row has every text absent.
    std::vector<FrameTableRowTexts> Rows;
};

// Loads the file into the document and takes its rows; throws Failure when it does not load.
FrameTableTexts ReadFrameTableXml(ProjectDocument& document, const std::string& path);

// Rebuilds the document with one "row" per row, its present attributes in the order above,
// and writes it.
void WriteFrameTableXml(ProjectDocument& document, const std::string& path, const FrameTableTexts& texts);

} // namespace zz
