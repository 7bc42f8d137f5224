#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

inline namespace zz {

// One problem the project check found in a document on disk.
//  Error:   the device would get something other than what the editors show.
//  Warning: suspicious, but possibly meant.
enum class Severity { Error, Warning };

struct Finding {
    Severity Level = Severity::Error;
    std::string Rule;       // a short stable name of the rule, e.g. "mapping-beyond-net-in"
    std::string Document;   // the document's file name ("Receive_Info.xml"); empty for the project
    std::optional<int> Row; // the row as its editor numbers it; none when not about a row
    std::string Field;      // the element or attribute ("COBID", "B3", "Net_In"); may be empty
    std::string Message;    // what is wrong and what follows from it, for the engineer
    size_t Unlisted = 0;    // for a summary: how many findings of its rule and document it stands for
};

struct FindingCounts {
    int Errors = 0;
    int Warnings = 0;
};
// A summary counts as the findings it stands for.
FindingCounts CountFindings(const std::vector<Finding>& findings);

// "error" or "warning".
const char* SeverityName(Severity severity);

} // namespace zz
