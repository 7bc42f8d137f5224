#pragma once
#include <string>
#include <vector>

inline namespace zz {

// zuzududada-cli verify [--app-dir DIR] PROJECT_DIR [FIRMWARE]
// Rebuilds the project's configuration in memory (writing nothing) and checks that FIRMWARE
// (by default the project's New_sx48802.sx) holds it in banks 1 and 2 and the base firmware's
// data everywhere else. 0 when it does, 1 when not (each difference on standard error), 2 for
// bad arguments.
int RunVerifyCommand(const std::vector<std::string>& arguments);

inline constexpr const char* kVerifyUsage = "[--app-dir DIR] PROJECT_DIR [FIRMWARE]";
inline constexpr const char* kVerifySummary =
    "Checks that a firmware holds the project's configuration and the base firmware everywhere else.";

// zuzududada-cli decode FIRMWARE [--json] [--to-project DIR]
// Prints the configuration in bank 1 of a firmware file; --to-project writes the five
// documents of a project that builds the same bank 1.
int RunDecodeCommand(const std::vector<std::string>& arguments);

inline constexpr const char* kDecodeUsage = "FIRMWARE [--json] [--to-project DIR]";
inline constexpr const char* kDecodeSummary =
    "Prints the configuration held in a firmware file; --to-project recovers the project's documents from it.";

} // namespace zz
