#include "projectcheck/ProjectFiles.h"

#include "projectcheck/Finding.h"
#include "projectcheck/Report.h"

inline namespace zz {

ProjectFiles ProjectFilesIn(const std::string& projectDir)
{
    std::string dir = projectDir;
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    const auto in = [&](const char* name) { return dir + "/" + name; };
    ProjectFiles f;
    f.Dir = dir;
    f.Pargen = in(kPargenName);
    f.ReceiveFrame = in(kReceiveFrameName);
    f.ReceiveInfo = in(kReceiveInfoName);
    f.SendFrame = in(kSendFrameName);
    f.SendInfo = in(kSendInfoName);
    f.Sdo = in(kSdoName);
    f.RpdoDef = in(kRpdoDefName);
    f.SdoPdo = in(kSdoPdoName);
    f.EmcyDef = in(kEmcyDefName);
    f.EmcyWord = in(kEmcyWordName);
    return f;
}

FindingCounts CountFindings(const std::vector<Finding>& findings)
{
    FindingCounts counts;
    for (const Finding& f : findings) (f.severity == Severity::Error ? counts.errors : counts.warnings)++;
    return counts;
}

const char* SeverityName(Severity severity)
{
    return severity == Severity::Error ? "error" : "warning";
}

std::string WithoutTrailingBlank(std::string text)
{
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

} // namespace zz
