#pragma once
#include <string>
#include <vector>

inline namespace zz {

// zuzududada-cli check [--app-dir DIR] [--json] PROJECT_DIR
// Prints the findings of the project check (text, or JSON with --json) on standard output.
// Exit status: 0 without errors (warnings allowed), 1 with errors, 2 for bad arguments.
int RunCheckCommand(const std::vector<std::string>& arguments);
inline constexpr const char* kCheckUsage = "[--app-dir DIR] [--json] PROJECT_DIR";
inline constexpr const char* kCheckSummary =
    "Checks the project's documents as they are on disk before they reach a device.";

// zuzududada-cli map [--app-dir DIR] [--json] [--svg FILE] PROJECT_DIR
// Prints where every CAN byte lands on DeviceNet, one line per DeviceNet byte (or JSON), or
// writes the picture of the byte map as SVG. Exit status: 0 on success, 1 when a document
// could not be read or the picture not written, 2 for bad arguments.
int RunMapCommand(const std::vector<std::string>& arguments);
inline constexpr const char* kMapUsage = "[--app-dir DIR] [--json] [--svg FILE] PROJECT_DIR";
inline constexpr const char* kMapSummary = "Shows which CAN byte feeds each DeviceNet input and output byte.";

} // namespace zz
