#pragma once
#include <string>
#include <vector>

inline namespace zz {

// zuzududada-cli build [--app-dir DIR] [--flash COMn] PROJECT_DIR
// Does what "Up date Device" followed by "Execute update firmware" does, without windows: the
// configuration image, the bank files, bankg.c and the new firmware New_sx48802.sx in the
// project directory; with --flash it then starts the flashing program on that port. Messages
// go to standard error, at least one line for every failure; the result is 0 only when the new
// firmware was written and verified (and, with --flash, the flashing program was started), 1
// when the chain stopped, 2 for bad arguments. The whole chain holds the project's build lock.
int RunBuildCommand(const std::vector<std::string>& arguments);

inline constexpr const char* kBuildUsage = "[--app-dir DIR] [--flash COMn] PROJECT_DIR";
inline constexpr const char* kBuildSummary =
    "Builds the project's firmware New_sx48802.sx (and its bin/bank*.bin, bin/bankg.c); --flash writes it to the gateway.";

} // namespace zz
