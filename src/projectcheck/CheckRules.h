#pragma once
#include "projectcheck/Finding.h"
#include "projectcheck/ProjectFiles.h"

#include <vector>

inline namespace zz {

// The rule groups of the project check, each appending its findings in document order.
void CheckGatewayDocuments(const ProjectFiles& files, std::vector<Finding>& findings);
void CheckCanopenDocuments(const ProjectFiles& files, std::vector<Finding>& findings);

} // namespace zz
