#pragma once
#include "firmware/FirmwareComposer.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

inline namespace zz {

struct ProjectContext;

// The device update: which base firmware is composed with the project's banks, and the
// flashing program that writes the result into the gateway.

inline constexpr std::string_view kBaseFirmwareName = "sx48802.sx";
inline constexpr std::string_view kFlasherName = "ZoruvOdeza.exe";
inline constexpr int kPortCount = 8; // "COM1" to "COM8"

// The banks a device update merges into the base firmware: 1 and 2; the others pass through.
inline constexpr std::array<bool, 5> kDeviceUpdateBanks = {true, true, false, false, false};

// "COM1" for 0 ... "COM8" for 7.
std::string PortName(int position);

// What the device update window does when it is shown, without the window: the bank directory
// becomes ProjectDir + "/bin/" when that exists (else it keeps its value); when MasterDir holds
// the base firmware, the base firmware, the output directory and the new firmware's name are
// set and the composition is ready. Otherwise the window's error message says why.
struct CompositionSetup {
    bool Ready = false;
    UserMessages Messages;
};
CompositionSetup PrepareComposition(const ProjectContext& project, CompositionContext& context);

// AppDir + "/ZoruvOdeza.exe".
std::string FlasherPath(const ProjectContext& project);

// The one parameter of the flashing program: the double-quoted path of the composed firmware,
// the pilcrow (UTF-8), and the position of the port in the port list as decimal digits.
std::string FlasherParameter(const std::string& firmwarePath, int portPosition);

// How the flashing program is started: a Windows executable (it starts with "MZ") goes through
// wine when wine is on PATH; anything else is started directly.
struct FlasherLaunch {
    std::string Program;
    std::vector<std::string> Arguments;
};
FlasherLaunch PlanFlasherLaunch(const std::string& flasherPath, const std::string& parameter);

// The executable of that name found on PATH, or empty.
std::string FindOnPath(std::string_view name);

// "Execute update firmware" after the composition: checks that the composed firmware and the
// flashing program exist (the window's messages say what is missing) and starts the program
// without waiting for it, in MasterDir.
struct FlashOutcome {
    bool Started = false;
    UserMessages Messages;
};
FlashOutcome StartFlashingProgram(const ProjectContext& project, const std::string& firmwarePath, int portPosition);

} // namespace zz
