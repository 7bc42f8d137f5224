#include "projectcheck/ReportFormat.h"

#include <nlohmann/json.hpp>

inline namespace zz {

namespace {

using Json = nlohmann::json; // keys in sorted order, as the forms have always listed them

std::string Text(const Json& value)
{
    return value.dump(4) + "\n";
}

std::string Padded(std::string text, size_t width)
{
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

} // namespace

std::string FindingsJson(const std::vector<Finding>& findings)
{
    Json list = Json::array();
    for (const Finding& f : findings) {
        Json entry = {{"severity", SeverityName(f.Level)},    {"rule", f.Rule},   {"document", f.Document},
                      {"row", f.Row ? Json(*f.Row) : Json()}, {"field", f.Field}, {"message", f.Message}};
        if (f.Unlisted > 0) entry["unlisted"] = f.Unlisted;
        list.push_back(std::move(entry));
    }
    return Text(list);
}

std::string FindingsText(const std::vector<Finding>& findings)
{
    std::string out;
    for (const Finding& f : findings) {
        std::string where = f.Document.empty() ? "project" : f.Document;
        if (f.Row) where += " row " + std::to_string(*f.Row);
        if (!f.Field.empty()) where += " " + f.Field;
        out += Padded(SeverityName(f.Level), 8) + where + ": " + f.Message + "\n";
    }
    const FindingCounts counts = CountFindings(findings);
    out += std::to_string(counts.Errors) + (counts.Errors == 1 ? " error, " : " errors, ") +
           std::to_string(counts.Warnings) + (counts.Warnings == 1 ? " warning\n" : " warnings\n");
    return out;
}

} // namespace zz
