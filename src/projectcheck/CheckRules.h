#pragma once
#include "projectcheck/Finding.h"

#include <vector>

inline namespace zz {

struct GatewayProject;
struct ProjectLayout;

// The rule groups of the project check, each appending its findings in document order.
void CheckGatewayDocuments(const GatewayProject& project, std::vector<Finding>& findings);
void CheckCanopenDocuments(const ProjectLayout& layout, std::vector<Finding>& findings);

} // namespace zz
