#include "app/cli/CommandArguments.h"

#include <algorithm>
#include <iostream>

inline namespace zz {

namespace {

bool Listed(const std::vector<std::string>& list, const std::string& word)
{
    return std::find(list.begin(), list.end(), word) != list.end();
}

} // namespace

bool CommandArguments::Has(const std::string& flag) const
{
    return Listed(Flags, flag);
}

std::optional<std::string> CommandArguments::Value(const std::string& option) const
{
    const auto found = Values.find(option);
    if (found == Values.end()) return std::nullopt;
    return found->second;
}

CommandArguments SplitArguments(const std::vector<std::string>& arguments, const CommandOptions& options)
{
    CommandArguments out;
    bool onlyOperands = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (onlyOperands || a.size() < 2 || a[0] != '-') {
            out.Operands.push_back(a);
        } else if (a == "--") {
            onlyOperands = true;
        } else if (a == "--help" || a == "-h") {
            out.Help = true;
        } else if (Listed(options.Values, a)) {
            if (i + 1 == arguments.size()) {
                out.Problem = a + " needs a value";
                return out;
            }
            out.Values[a] = arguments[++i];
        } else if (Listed(options.Flags, a)) {
            out.Flags.push_back(a);
        } else {
            out.Problem = "unknown option '" + a + "'";
            return out;
        }
    }
    return out;
}

int UsageError(const std::string& command, const std::string& usage, const std::string& problem)
{
    std::cerr << "zuzududada-cli " << command << ": " << problem << "\nUsage: zuzududada-cli " << command << ' '
              << usage << "\nSee zuzududada-cli " << command << " --help\n";
    return 2;
}

void CommandMessage(const std::string& command, const std::string& text)
{
    std::cerr << "zuzududada-cli " << command << ": " << text << '\n';
}

} // namespace zz
