#pragma once
#include "projectcheck/Finding.h"

#include <optional>
#include <string>
#include <vector>

inline namespace zz {

// Appends findings to the check's list.
class Report {
public:
    explicit Report(std::vector<Finding>& out)
        : out_(out)
    {
    }
    void Add(Severity severity, std::string rule, std::string document, std::optional<int> row, std::string field,
             std::string message)
    {
        out_.push_back({severity, std::move(rule), std::move(document), row, std::move(field), std::move(message)});
    }
    void Error(std::string rule, std::string document, std::optional<int> row, std::string field, std::string message)
    {
        Add(Severity::Error, std::move(rule), std::move(document), row, std::move(field), std::move(message));
    }
    void Warning(std::string rule, std::string document, std::optional<int> row, std::string field, std::string message)
    {
        Add(Severity::Warning, std::move(rule), std::move(document), row, std::move(field), std::move(message));
    }

private:
    std::vector<Finding>& out_;
};

// An editor message without its trailing blank.
std::string WithoutTrailingBlank(std::string text);

} // namespace zz
