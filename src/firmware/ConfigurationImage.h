#pragma once
#include "firmware/BankImage.h"

#include <string>

inline namespace zz {

struct GatewayProject;
struct ProjectLayout;

// Reads the project's five documents (pargen.xml, the two frame tables and their byte
// mappings) into bank image 1, as the firmware gets them.
//  - A side (receive or send) is read only when both its frame and its info document exist;
//    rows pair by position and the count is the smaller row count, low 8 bits.
//  - Every value goes through ParseInt and is stored with the width of its field (300 in a
//    byte stores 44, -1 stores 255); the identifier keeps all 32 bits.
//  - The delete flag is 1 for "Y" in either case, 0 for anything else or when absent.
//  - The parameter block is written only when pargen.xml exists; the data time-out and the
//    DeviceNet input and output sizes fall back to 0, 128 and 128 when they cannot be read.
// Any other problem throws Failure at once, naming the document (and, for a value, its row
// and field); what was stored before it stays in the image.
void LoadConfigurationImage(const GatewayProject& project, BankImage& image);

// The same, reading the project's documents first.
void LoadConfigurationImage(const ProjectLayout& layout, BankImage& image);

} // namespace zz
