#pragma once
#include "projectcheck/Finding.h"

#include <string>
#include <vector>

inline namespace zz {

struct GatewayProject;

// Checks the documents of a project as they are on disk (the gateway documents as the project
// holds them, read once; the CANopen documents of its layout): every rule the editors
// apply on OK, and what no editor sees (mappings beyond the DeviceNet areas, frame and mapping
// documents of different lengths, values the firmware loader would store truncated, documents
// that do not load, ...). Findings come in document order: pargen.xml, the receive side, the
// send side, then the CANopen documents; each document's rows in order. Never throws for what
// the documents hold; the directory itself must exist.
std::vector<Finding> CheckProject(const GatewayProject& project);

// The one-line verdict shown before a device update, e.g.
// "Project check: 2 errors, see Project > Check project".
std::string CheckVerdict(const std::vector<Finding>& findings);

// The verdict of a check of the project; says so when its directory does not exist.
std::string ProjectCheckVerdict(const GatewayProject& project);

} // namespace zz
