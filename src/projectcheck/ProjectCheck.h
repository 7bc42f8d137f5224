#pragma once
#include "projectcheck/Finding.h"

#include <string>
#include <vector>

inline namespace zz {

// Checks the documents of a project directory as they are on disk: every rule the editors
// apply on OK, and what no editor sees (mappings beyond the DeviceNet areas, frame and mapping
// documents of different lengths, values the firmware loader would store truncated, documents
// that do not load, ...). Findings come in document order: pargen.xml, the receive side, the
// send side, then the CANopen documents; each document's rows in order. Never throws for what
// the documents hold; the directory itself must exist.
std::vector<Finding> CheckProject(const std::string& projectDir);

// The one-line verdict shown before a device update, e.g.
// "Project check: 2 errors, see Project > Check project".
std::string CheckVerdict(const std::vector<Finding>& findings);

// The verdict of a fresh check of the project directory; says so when there is none.
std::string ProjectCheckVerdict(const std::string& projectDir);

} // namespace zz
