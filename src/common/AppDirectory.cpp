#include "common/AppDirectory.h"

#include "common/MessageSink.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

inline namespace zz {

namespace fs = std::filesystem;

namespace {

constexpr const char* kBaseFirmware = "MASTER/sx48802.sx";
constexpr const char* kFlasher = "ZoruvOdeza.exe";

std::string Normal(const fs::path& path)
{
    std::string out = path.lexically_normal().string();
    while (out.size() > 1 && out.back() == '/') out.pop_back();
    return out;
}

bool Writable(const std::string& dir)
{
    return ::access(dir.c_str(), W_OK) == 0;
}

// The XDG base directory rule: a relative $XDG_DATA_HOME is ignored.
std::string UserDataHome(const AppDirectoryInputs& inputs)
{
    if (!inputs.XdgDataHome.empty() && inputs.XdgDataHome.front() == '/') return inputs.XdgDataHome;
    return inputs.Home + "/.local/share";
}

// Copies a file or directory tree where `to` does not exist yet; true when it copied.
bool CopyIfMissing(const fs::path& from, const fs::path& to)
{
    std::error_code error;
    if (fs::exists(to, error) || !fs::exists(from, error)) return false;
    fs::create_directories(to.parent_path(), error);
    fs::copy(from, to, fs::copy_options::recursive, error);
    if (error) {
        Messages().Notice("Cannot copy " + from.string() + " to " + to.string() + ": " + error.message());
        return false;
    }
    return true;
}

} // namespace

AppDirectoryChoice ChooseAppDirectory(const AppDirectoryInputs& inputs)
{
    if (!inputs.AppDirOption.empty()) return {inputs.AppDirOption, {}, false};
    const fs::path prefix = fs::path(inputs.ExecutableDir) / "..";
    const std::string shareDir = Normal(prefix / "share/zuzududada");
    std::error_code error;
    const bool beside = fs::is_directory(shareDir, error);
    if (!beside && Writable(inputs.ExecutableDir)) return {inputs.ExecutableDir, {}, false};
    InstalledWorkspace seed;
    if (beside) seed = {shareDir, Normal(prefix / "lib/zuzududada")};
    return {Normal(fs::path(UserDataHome(inputs)) / "zuzududada"), seed, true};
}

std::string SeedAppDirectory(const std::string& appDir, const InstalledWorkspace& seed)
{
    std::error_code error;
    const bool firstStart = !fs::exists(appDir, error);
    for (const char* dir : {"MASTER", "PROJECTS"}) {
        if (fs::create_directories(fs::path(appDir) / dir, error); error) {
            Messages().Notice("Cannot create the application directory " + appDir + ": " + error.message());
            return {};
        }
    }
    if (seed.DataDir.empty()) return {};

    const fs::path from(seed.DataDir), to(appDir);
    CopyIfMissing(from / "help2.dat", to / "help2.dat");
    for (const fs::directory_entry& project : fs::directory_iterator(from / "PROJECTS", error))
        if (project.is_directory(error)) CopyIfMissing(project.path(), to / "PROJECTS" / project.path().filename());
    // Installed into the user's own data prefix, the demo workspace is the application directory
    // and the installation renews its stand-in firmware; the flashing program lives elsewhere.
    const bool workspaceItself = fs::equivalent(from, to, error);
    if (!firstStart && !workspaceItself) return {};

    bool firmware = false;
    if (firstStart) {
        CopyIfMissing(from / "Zuzududada_TRVX.ini", to / "Zuzududada_TRVX.ini");
        firmware = CopyIfMissing(from / kBaseFirmware, to / kBaseFirmware);
    }
    const bool flasher = !seed.ProgramDir.empty() && CopyIfMissing(fs::path(seed.ProgramDir) / kFlasher, to / kFlasher);
    if (!firmware && !flasher) return {};

    std::string note = std::string(firstStart ? "First start: the" : "The") + " application directory is " + appDir +
                       ". For trying the tool without a gateway it now holds stand-ins:";
    if (firmware)
        note += "\n- " + std::string(kBaseFirmware) +
                " is a synthetic base firmware, not the gateway's firmware. Copy the base firmware of the "
                "gateway's installation over it before you update a device.";
    if (flasher)
        note += "\n- " + std::string(kFlasher) +
                " is a stand-in for the flashing program. It checks the new firmware file and reports what it "
                "would write, but writes nothing to any device. Put the real flashing program in its place.";
    return note;
}

std::string ResolveAppDirectory(const std::string& appDirOption, std::string& firstStartNote)
{
    AppDirectoryInputs inputs;
    inputs.AppDirOption = appDirOption;
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    inputs.ExecutableDir = error ? Normal(fs::current_path(error)) : self.parent_path().string();
    if (const char* xdg = std::getenv("XDG_DATA_HOME")) inputs.XdgDataHome = xdg;
    if (const char* home = std::getenv("HOME"); home && *home) {
        inputs.Home = home;
    } else if (const passwd* user = ::getpwuid(::getuid())) {
        inputs.Home = user->pw_dir;
    }

    const AppDirectoryChoice choice = ChooseAppDirectory(inputs);
    if (choice.UserDataDir) firstStartNote = SeedAppDirectory(choice.AppDir, choice.Seed);
    return choice.AppDir;
}

std::string CommandAppDirectory()
{
    std::string firstStartNote;
    const std::string dir = ResolveAppDirectory({}, firstStartNote);
    if (!firstStartNote.empty()) Messages().Notice(firstStartNote);
    return dir;
}

} // namespace zz
