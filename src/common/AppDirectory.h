#pragma once
#include <string>

inline namespace zz {

// Where the application keeps MASTER, PROJECTS and its settings file.
//
// The rule: --app-dir wins. Otherwise a program that runs from an installation uses the
// user's data directory ($XDG_DATA_HOME/zuzududada, by default ~/.local/share/zuzududada),
// and any other copy uses its own directory, as a portable copy always has. A program runs
// from an installation when its directory sits beside share/zuzududada (bin/ of a prefix) or
// when the user cannot write its directory; the first keeps root and a user-owned prefix out
// of bin/, the second keeps a read-only copy usable. An installation keeps its demo workspace
// in share/zuzududada and the stand-in flashing program, a program of the machine's
// architecture, in lib/zuzududada; the first start copies both into the user's data directory.

struct AppDirectoryInputs {
    std::string AppDirOption;  // --app-dir, empty when not given
    std::string ExecutableDir; // the directory of the running program
    std::string XdgDataHome;   // $XDG_DATA_HOME, possibly empty
    std::string Home;          // the user's home directory
};

// What an installation seeds a user's data directory from; both empty for none.
struct InstalledWorkspace {
    std::string DataDir;    // share/zuzududada: the demo workspace
    std::string ProgramDir; // lib/zuzududada: the stand-in flashing program
};

struct AppDirectoryChoice {
    std::string AppDir;
    InstalledWorkspace Seed;
    // True for the user's data directory, which SeedAppDirectory prepares.
    bool UserDataDir = false;
};

// Applies the rule above; looks only at the file system (share/zuzududada, write access).
AppDirectoryChoice ChooseAppDirectory(const AppDirectoryInputs& inputs);

// Fills a user's application directory from the installed workspace: creates it with MASTER
// and PROJECTS, copies each project of the workspace and help2.dat where missing, and on the
// first start (the directory did not exist) the settings file, the synthetic base firmware and
// the stand-in flashing program. When the application directory is the installed demo
// workspace itself (a prefix of ~/.local), the flashing program, which the installation keeps
// elsewhere, is copied whenever it is missing. Returns the note that says what the copied
// stand-ins are, empty when none was copied; copies that fail are reported as notices.
std::string SeedAppDirectory(const std::string& appDir, const InstalledWorkspace& seed);

// The application directory of this process: ChooseAppDirectory with the running program,
// the environment and appDirOption, then SeedAppDirectory when it applies. The first-start
// note, if any, goes to firstStartNote for the caller to show when it can.
std::string ResolveAppDirectory(const std::string& appDirOption, std::string& firstStartNote);

// The application directory of a command without --app-dir: ResolveAppDirectory, with the
// first-start note shown through the message sink.
std::string CommandAppDirectory();

} // namespace zz
