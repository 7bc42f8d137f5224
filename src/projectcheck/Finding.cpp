#include "projectcheck/Finding.h"

inline namespace zz {

FindingCounts CountFindings(const std::vector<Finding>& findings)
{
    FindingCounts counts;
    for (const Finding& f : findings)
        (f.Level == Severity::Error ? counts.Errors : counts.Warnings) +=
            f.Unlisted > 0 ? static_cast<int>(f.Unlisted) : 1;
    return counts;
}

const char* SeverityName(Severity severity)
{
    return severity == Severity::Error ? "error" : "warning";
}

} // namespace zz
