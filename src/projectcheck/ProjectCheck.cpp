#include "projectcheck/ProjectCheck.h"

#include "common/MessageSink.h"
#include "gateway/GatewayProject.h"
#include "projectcheck/CheckRules.h"

#include <filesystem>

inline namespace zz {

std::vector<Finding> CheckProject(const GatewayProject& project)
{
    // The CANopen tables read their documents as their editors do, through the guarded read,
    // which tells a missing or broken document itself; the check makes findings of those and
    // shows nothing.
    RecordingSink quiet;
    ScopedMessageSink scope(quiet);
    std::vector<Finding> findings;
    CheckGatewayDocuments(project, findings);
    CheckCanopenDocuments(project.Layout, findings);
    return findings;
}

std::string CheckVerdict(const std::vector<Finding>& findings)
{
    const FindingCounts counts = CountFindings(findings);
    const auto plural = [](int n, const char* word) { return std::to_string(n) + " " + word + (n == 1 ? "" : "s"); };
    if (counts.Errors == 0 && counts.Warnings == 0) return "Project check: no problems found";
    std::string line = "Project check: ";
    if (counts.Errors > 0) line += plural(counts.Errors, "error");
    if (counts.Errors > 0 && counts.Warnings > 0) line += ", ";
    if (counts.Warnings > 0) line += plural(counts.Warnings, "warning");
    return line + ", see Project > Check project";
}

std::string ProjectCheckVerdict(const GatewayProject& project)
{
    const std::string& dir = project.Layout.ProjectDir;
    std::error_code error;
    if (dir.empty() || !std::filesystem::is_directory(dir, error)) return "Project check: no project directory";
    return CheckVerdict(CheckProject(project));
}

} // namespace zz
