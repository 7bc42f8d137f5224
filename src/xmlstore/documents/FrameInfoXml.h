#pragma once
#include "xmlstore/documents/StoredText.h"

#include <array>
#include <string>
#include <vector>

inline namespace zz {

// Receive_Info.xml and Send_Info.xml, the byte mappings of the frame tables, row i for frame
// i: the root "Receive_Frames_Info" or "Send_Frames_Info" and one "row" per frame whose "B1"
// to "B8" name a DeviceNet byte for each CAN data byte.
struct FrameInfoRowTexts {
    std::array<StoredText, 8> Bytes; // "B1" to "B8"
};

struct FrameInfoTexts {
    // Every node under the root, in order; one that is no row has every text absent.
    std::vector<FrameInfoRowTexts> Rows;
};

// Loads either document into `document` and takes its rows; throws Failure when it does not load.
FrameInfoTexts ReadFrameInfoXml(ProjectDocument& document, const std::string& path);

// Rebuild the document of that side with one "row" per row and write it.
void WriteReceiveInfoXml(ProjectDocument& document, const std::string& path, const FrameInfoTexts& texts);
void WriteSendInfoXml(ProjectDocument& document, const std::string& path, const FrameInfoTexts& texts);

} // namespace zz
