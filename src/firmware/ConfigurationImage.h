#pragma once
#include "firmware/BankImage.h"

#include <string>

inline namespace zz {

struct ProjectContext;

// Reads the project's five documents (pargen.xml, the two frame tables and their byte
// mappings) into bank image 1, under the strict discipline of the document layer.
//  - A side (receive or send) is read only when both its frame and its info document exist;
//    rows pair by position and the count is the smaller row count, low 8 bits.
//  - Every value goes through ParseInt and is stored with the width of its field (300 in a
//    byte stores 44, -1 stores 255); the identifier keeps all 32 bits.
//  - The delete flag is 1 for "Y" in either case, 0 for anything else or when absent.
//  - The parameter block is written only when pargen.xml exists; the data time-out and the
//    DeviceNet input and output sizes fall back to 0, 128 and 128 when they cannot be read.
// Any other problem throws Failure at once; what was stored before it stays in the image.
void LoadConfigurationImage(const ProjectContext& project, BankImage& image);

// The five documents the loader reads, by path: for callers that have a project directory
// rather than the application's project context.
struct ImageSources {
    std::string PargenFile, ReceiveFrameFile, ReceiveInfoFile, SendFrameFile, SendInfoFile;
};
void LoadConfigurationImage(const ImageSources& sources, BankImage& image);

} // namespace zz
