#pragma once
#include <optional>
#include <string>
#include <vector>

inline namespace zz {

// One problem the project check found in a document on disk.
//  Error:   the device would get something other than what the editors show.
//  Warning: suspicious, but possibly meant.
enum class Severity { Error, Warning };

struct Finding {
    Severity severity = Severity::Error;
    std::string rule;     // a short stable name of the rule, e.g. "mapping-beyond-net-in"
    std::string document; // the document's file name ("Receive_Info.xml"); empty for the project
    std::optional<int> row; // the row as its editor numbers it; none when not about a row
    std::string field;    // the element or attribute ("COBID", "B3", "Net_In"); may be empty
    std::string message;  // what is wrong and what follows from it, for the engineer
};

struct FindingCounts {
    int errors = 0;
    int warnings = 0;
};
FindingCounts CountFindings(const std::vector<Finding>& findings);

// "error" or "warning".
const char* SeverityName(Severity severity);

} // namespace zz
