#include "app/cli/CommandArguments.h"

#include <algorithm>
#include <iostream>

inline namespace zz {

CommandArguments SplitArguments(const std::vector<std::string>& arguments, const std::vector<std::string>& knownFlags,
                                bool takesAppDir)
{
    CommandArguments out;
    bool onlyOperands = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (onlyOperands || a.size() < 2 || a[0] != '-') {
            out.operands.push_back(a);
        } else if (a == "--") {
            onlyOperands = true;
        } else if (a == "--help" || a == "-h") {
            out.help = true;
        } else if (takesAppDir && a == "--app-dir") {
            if (i + 1 == arguments.size()) {
                out.problem = "--app-dir needs a value";
                return out;
            }
            out.appDir = arguments[++i];
        } else if (std::find(knownFlags.begin(), knownFlags.end(), a) != knownFlags.end()) {
            out.flags.push_back(a);
        } else {
            out.problem = "unknown option '" + a + "'";
            return out;
        }
    }
    return out;
}

bool HasFlag(const CommandArguments& arguments, const std::string& flag)
{
    return std::find(arguments.flags.begin(), arguments.flags.end(), flag) != arguments.flags.end();
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
