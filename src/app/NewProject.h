#pragma once
#include "common/ProjectContext.h"

#include <string>

inline namespace zz {

// "New project": checks the name, creates DestinationDir/name with its bin sub-directory and
// makes it the current project. Shows the dialog's messages through the message sink and
// returns whether the dialog may close.
bool CreateNewProject(ProjectContext& context, const std::string& destinationDir, const std::string& name);

} // namespace zz
