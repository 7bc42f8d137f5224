#pragma once
#include "firmware/FirmwareComposer.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

inline namespace zz {

class BankImage;
struct BankBuild;
struct ProjectContext;

// The device update: which base firmware is composed with the project's banks, and the
// flashing program that writes the result into the gateway.

inline constexpr std::string_view kBaseFirmwareName = "sx48802.sx";
inline constexpr std::string_view kFlasherName = "ZoruvOdeza.exe";
inline constexpr int kPortCount = 8; // "COM1" to "COM8"

// The banks a device update merges into the base firmware: 1 and 2; the others pass through.
inline constexpr std::array<bool, 5> kDeviceUpdateBanks = {true, true, false, false, false};

// The build steps of a device update, before the composition (the main window's "Up date
// Device" and the command line's build): the project's configuration read into `image`, which
// keeps what the configuration does not set, then the bank files and the bank C source
// written from it. A bank file that could not be written is told in the result, not thrown;
// anything else throws Failure. The caller holds the project's BuildLock.
std::shared_ptr<BankBuild> BuildBanks(const ProjectContext& project, BankImage& image);

// "COM1" for 0 ... "COM8" for 7.
std::string PortName(int position);

// What the device update window does when it is shown, without the window: the bank directory
// becomes ProjectDir + "/bin/" when that exists (else it keeps its value); when MasterDir holds
// the base firmware, the base firmware, the output directory and the new firmware's name are
// set and true is returned. Otherwise the window's error message is shown and false returned.
bool PrepareComposition(const ProjectContext& project, CompositionContext& context);

// AppDir + "/ZoruvOdeza.exe".
std::string FlasherPath(const ProjectContext& project);

// The one parameter of the flashing program: the double-quoted path of the composed firmware,
// the pilcrow (UTF-8), and the position of the port in the port list as decimal digits.
std::string FlasherParameter(const std::string& firmwarePath, int portPosition);

// How the flashing program is started: a Windows executable (it starts with "MZ") goes through
// wine when wine is on PATH; anything else is started directly.
struct FlasherLaunch {
    std::string program;
    std::vector<std::string> arguments;
};
FlasherLaunch PlanFlasherLaunch(const std::string& flasherPath, const std::string& parameter);

// The executable of that name found on PATH, or empty.
std::string FindOnPath(std::string_view name);

// "Execute update firmware" after the composition: checks that the composed firmware and the
// flashing program exist (showing the window's messages otherwise) and starts the program
// without waiting for it, in MasterDir. True when it was started.
bool StartFlashingProgram(const ProjectContext& project, const std::string& firmwarePath, int portPosition);

} // namespace zz
