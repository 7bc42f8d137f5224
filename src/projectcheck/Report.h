#pragma once
#include "projectcheck/Finding.h"

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

inline namespace zz {

// How many findings of one rule in one document are listed one by one; the rest are counted
// in one summary finding that stands where the next would have been. A table of 100,000 rows
// can break one rule a million times: the engineer needs the first cases and the count, and
// the check stays within the memory of a build.
inline constexpr size_t kListedPerRule = 100;

// Appends findings to the check's list. Finish() completes the summaries.
class Report {
public:
    explicit Report(std::vector<Finding>& out, size_t listedPerRule = kListedPerRule)
        : out_(out),
          listedPerRule_(listedPerRule)
    {
    }
    void Add(Severity severity, std::string rule, std::string document, std::optional<int> row, std::string field,
             std::string message);
    void Error(std::string rule, std::string document, std::optional<int> row, std::string field, std::string message)
    {
        Add(Severity::Error, std::move(rule), std::move(document), row, std::move(field), std::move(message));
    }
    void Warning(std::string rule, std::string document, std::optional<int> row, std::string field, std::string message)
    {
        Add(Severity::Warning, std::move(rule), std::move(document), row, std::move(field), std::move(message));
    }
    // Writes the count and the rows into every summary.
    void Finish();

private:
    struct Tally {
        size_t Listed = 0;
        std::optional<size_t> Summary; // its place in the list, once the rule is over its share
        std::optional<int> FirstRow;
        std::optional<int> LastRow;
    };
    std::vector<Finding>& out_;
    size_t listedPerRule_;
    std::map<std::pair<std::string, std::string>, Tally> tallies_; // by rule and document
};

// An editor message without its trailing blank.
std::string WithoutTrailingBlank(std::string text);

} // namespace zz
