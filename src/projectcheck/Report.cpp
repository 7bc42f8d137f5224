#include "projectcheck/Report.h"

inline namespace zz {

void Report::Add(Severity severity, std::string rule, std::string document, std::optional<int> row, std::string field,
                 std::string message)
{
    Tally& tally = tallies_[{rule, document}];
    if (tally.Listed < listedPerRule_) {
        ++tally.Listed;
        out_.push_back({severity, std::move(rule), std::move(document), row, std::move(field), std::move(message)});
        return;
    }
    if (!tally.Summary) {
        tally.Summary = out_.size();
        out_.push_back({severity, std::move(rule), std::move(document), row, "", ""});
    }
    Finding& summary = out_[*tally.Summary];
    ++summary.Unlisted;
    if (row) {
        if (!tally.FirstRow) tally.FirstRow = row;
        tally.LastRow = row;
    }
}

void Report::Finish()
{
    for (const auto& [key, tally] : tallies_) {
        if (!tally.Summary) continue;
        Finding& summary = out_[*tally.Summary];
        std::string where;
        if (tally.FirstRow)
            where = *tally.FirstRow == *tally.LastRow
                        ? " in row " + std::to_string(*tally.FirstRow)
                        : " in rows " + std::to_string(*tally.FirstRow) + " to " + std::to_string(*tally.LastRow);
        summary.Message = std::to_string(summary.Unlisted) + " more " +
                          (summary.Unlisted == 1 ? "finding" : "findings") + " of the rule \"" + key.first + "\"" +
                          where + " are not listed; the first " + std::to_string(listedPerRule_) + " are above.";
    }
}

std::string WithoutTrailingBlank(std::string text)
{
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

} // namespace zz
