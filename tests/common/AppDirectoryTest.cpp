#include "common/AppDirectory.h"

#include "common/MessageSink.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

// A prefix as an installation leaves it: bin/ beside share/zuzududada with its demo workspace
// and lib/zuzududada with the stand-in flashing program.
struct Installation {
    TempDir dir;
    std::string bin = dir.MakeDir("usr/bin");
    std::string share = dir.MakeDir("usr/share/zuzududada");
    std::string lib = dir.MakeDir("usr/lib/zuzududada");

    Installation()
    {
        dir.Write("usr/share/zuzududada/help2.dat", "help");
        dir.Write("usr/share/zuzududada/Zuzududada_TRVX.ini", "[lastproj]\r\nprojectname=/Demo\r\n");
        dir.Write("usr/share/zuzududada/PROJECTS/Demo/pargen.xml", "<pargen/>");
        dir.MakeDir("usr/share/zuzududada/PROJECTS/Demo/bin");
        dir.Write("usr/share/zuzududada/MASTER/sx48802.sx", "S0030000FC\r\n");
        dir.Write("usr/lib/zuzududada/ZoruvOdeza.exe", "#!/bin/sh\n");
        ::chmod(dir.File("usr/lib/zuzududada/ZoruvOdeza.exe").c_str(), 0755);
    }
    AppDirectoryInputs Inputs(const std::string& xdg = {}) const { return {{}, bin, xdg, dir.File("home")}; }
    InstalledWorkspace Seed() const { return {share, lib}; }
};

bool ChoosesUserDataForReadOnlyDirectory(const std::string& dir)
{
    const AppDirectoryChoice choice = ChooseAppDirectory({{}, dir, {}, "/home/engineer"});
    return choice.AppDir == "/home/engineer/.local/share/zuzududada" && choice.Seed.DataDir.empty() &&
           choice.Seed.ProgramDir.empty() && choice.UserDataDir;
}

bool ReportsAnApplicationDirectoryItCannotCreate(const std::string& parent)
{
    RecordingSink messages;
    ScopedMessageSink scope(messages);
    const std::string note = SeedAppDirectory(parent + "/zuzududada", {parent, parent});
    return note.empty() &&
           messages.Last().rfind("Cannot create the application directory " + parent + "/zuzududada: ", 0) == 0;
}

} // namespace

TEST(AppDirectory, OptionWinsThenInstallationThenOwnDirectory)
{
    Installation installed;
    AppDirectoryInputs inputs = installed.Inputs();
    inputs.AppDirOption = "/srv/gateway";
    EXPECT_EQ(ChooseAppDirectory(inputs).AppDir, "/srv/gateway");
    EXPECT_FALSE(ChooseAppDirectory(inputs).UserDataDir);

    // Installed: the user's data directory, seeded from share/zuzududada and lib/zuzududada. A
    // relative XDG_DATA_HOME is not a valid setting and falls back to ~/.local/share.
    AppDirectoryChoice choice = ChooseAppDirectory(installed.Inputs(installed.dir.File("data")));
    EXPECT_EQ(choice.AppDir, installed.dir.File("data/zuzududada"));
    EXPECT_EQ(choice.Seed.DataDir, installed.share);
    EXPECT_EQ(choice.Seed.ProgramDir, installed.lib);
    EXPECT_TRUE(choice.UserDataDir);
    EXPECT_EQ(ChooseAppDirectory(installed.Inputs("relative/data")).AppDir,
              installed.dir.File("home/.local/share/zuzududada"));

    // A portable copy in a folder of its own keeps that folder.
    TempDir portable;
    choice = ChooseAppDirectory({{}, portable.Path(), portable.File("data"), "/home/engineer"});
    EXPECT_EQ(choice.AppDir, portable.Path());
    EXPECT_FALSE(choice.UserDataDir);
}

TEST(AppDirectory, ReadOnlyProgramDirectoryUsesTheUsersDataDirectory)
{
    TempDir dir;
    const std::string readOnly = dir.MakeDir("opt");
    ::chmod(readOnly.c_str(), 0555);
    EXPECT_EQ(RunUnprivileged(ChoosesUserDataForReadOnlyDirectory, readOnly), 0);
}

TEST(AppDirectory, FirstStartCopiesTheWorkspaceAndNamesTheStandIns)
{
    Installation installed;
    const std::string app = installed.dir.File("home/.local/share/zuzududada");
    const std::string note = SeedAppDirectory(app, installed.Seed());

    EXPECT_EQ(ReadAll(app + "/help2.dat"), "help");
    EXPECT_EQ(ReadAll(app + "/PROJECTS/Demo/pargen.xml"), "<pargen/>");
    EXPECT_TRUE(fs::is_directory(app + "/PROJECTS/Demo/bin"));
    EXPECT_EQ(ReadAll(app + "/Zuzududada_TRVX.ini"), "[lastproj]\r\nprojectname=/Demo\r\n");
    EXPECT_EQ(ReadAll(app + "/MASTER/sx48802.sx"), "S0030000FC\r\n");
    EXPECT_EQ(ReadAll(app + "/ZoruvOdeza.exe"), "#!/bin/sh\n");
    EXPECT_NE(fs::status(app + "/ZoruvOdeza.exe").permissions() & fs::perms::owner_exec, fs::perms::none);
    EXPECT_EQ(note.rfind("First start: the application directory is " + app + ".", 0), 0);
    EXPECT_NE(note.find("MASTER/sx48802.sx is a synthetic base firmware, not the gateway's firmware"),
              std::string::npos);
    EXPECT_NE(note.find("ZoruvOdeza.exe is a stand-in for the flashing program"), std::string::npos);
    EXPECT_NE(note.find("writes nothing to any device"), std::string::npos);
}

TEST(AppDirectory, LaterStartsRestoreDemoAndHelpButNeverTheStandIns)
{
    Installation installed;
    const std::string app = installed.dir.File("data/zuzududada");
    SeedAppDirectory(app, installed.Seed());
    installed.dir.Write("data/zuzududada/PROJECTS/Demo/pargen.xml", "<edited/>");
    fs::remove(app + "/help2.dat");
    fs::remove(app + "/MASTER/sx48802.sx"); // the engineer took the stand-ins away
    fs::remove(app + "/ZoruvOdeza.exe");
    fs::remove(app + "/Zuzududada_TRVX.ini");

    EXPECT_EQ(SeedAppDirectory(app, installed.Seed()), "");
    EXPECT_EQ(ReadAll(app + "/PROJECTS/Demo/pargen.xml"), "<edited/>");
    EXPECT_EQ(ReadAll(app + "/help2.dat"), "help");
    EXPECT_FALSE(fs::exists(app + "/MASTER/sx48802.sx"));
    EXPECT_FALSE(fs::exists(app + "/ZoruvOdeza.exe"));
    EXPECT_FALSE(fs::exists(app + "/Zuzududada_TRVX.ini"));

    fs::remove_all(app + "/PROJECTS/Demo");
    SeedAppDirectory(app, installed.Seed());
    EXPECT_EQ(ReadAll(app + "/PROJECTS/Demo/pargen.xml"), "<pargen/>");
}

// cmake --install --prefix ~/.local: the installed demo workspace is the user's data directory,
// and only the flashing program, kept in lib/zuzududada, is to be copied in, whenever missing.
TEST(AppDirectory, AWorkspaceInstalledAsTheDataDirectoryGetsTheFlashingProgram)
{
    Installation installed;
    const AppDirectoryChoice choice = ChooseAppDirectory(installed.Inputs(installed.dir.File("usr/share")));
    ASSERT_EQ(choice.AppDir, installed.share);

    const std::string note = SeedAppDirectory(choice.AppDir, choice.Seed);
    EXPECT_EQ(ReadAll(installed.share + "/ZoruvOdeza.exe"), "#!/bin/sh\n");
    EXPECT_EQ(note.rfind("The application directory is " + installed.share + ".", 0), 0);
    EXPECT_NE(note.find("ZoruvOdeza.exe is a stand-in for the flashing program"), std::string::npos);
    EXPECT_EQ(note.find("synthetic base firmware"), std::string::npos);

    installed.dir.Write("usr/share/zuzududada/ZoruvOdeza.exe", "real");
    EXPECT_EQ(SeedAppDirectory(choice.AppDir, choice.Seed), "");
    EXPECT_EQ(ReadAll(installed.share + "/ZoruvOdeza.exe"), "real");
}

TEST(AppDirectory, WithoutAnInstalledWorkspaceOnlyTheDirectoriesAreMade)
{
    TempDir dir;
    const std::string app = dir.File("data/zuzududada");
    RecordingSink messages;
    ScopedMessageSink scope(messages);
    EXPECT_EQ(SeedAppDirectory(app, {}), "");
    EXPECT_TRUE(fs::is_directory(app + "/MASTER"));
    EXPECT_TRUE(fs::is_directory(app + "/PROJECTS"));
    EXPECT_TRUE(messages.Empty());
}

TEST(AppDirectory, AnUncreatableDirectoryIsReportedNotFatal)
{
    TempDir dir;
    const std::string readOnly = dir.MakeDir("home");
    ::chmod(readOnly.c_str(), 0555);
    EXPECT_EQ(RunUnprivileged(ReportsAnApplicationDirectoryItCannotCreate, readOnly), 0);
}
