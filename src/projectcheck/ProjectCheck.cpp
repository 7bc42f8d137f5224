#include "projectcheck/ProjectCheck.h"

#include "common/MessageSink.h"
#include "projectcheck/CheckRules.h"

#include <filesystem>

inline namespace zz {

std::vector<Finding> CheckProject(const std::string& projectDir)
{
    // Some editor functions report refusals through the message sink; the check turns them
    // into findings and shows nothing itself.
    RecordingSink quiet;
    ScopedMessageSink scope(quiet);
    const ProjectFiles files = ProjectFilesIn(projectDir);
    std::vector<Finding> findings;
    CheckGatewayDocuments(files, findings);
    CheckCanopenDocuments(files, findings);
    return findings;
}

std::string CheckVerdict(const std::vector<Finding>& findings)
{
    const FindingCounts counts = CountFindings(findings);
    const auto plural = [](int n, const char* word) {
        return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
    };
    if (counts.errors == 0 && counts.warnings == 0) return "Project check: no problems found";
    std::string line = "Project check: ";
    if (counts.errors > 0) line += plural(counts.errors, "error");
    if (counts.errors > 0 && counts.warnings > 0) line += ", ";
    if (counts.warnings > 0) line += plural(counts.warnings, "warning");
    return line + ", see Project > Check project";
}

std::string ProjectCheckVerdict(const std::string& projectDir)
{
    std::error_code error;
    if (projectDir.empty() || !std::filesystem::is_directory(projectDir, error))
        return "Project check: no project directory";
    return CheckVerdict(CheckProject(projectDir));
}

} // namespace zz
