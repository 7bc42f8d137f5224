#include "firmware/DeviceUpdate.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

TEST(FlasherLaunchTest, WindowsProgramsGoThroughWineWhenItIsThere)
{
    TempDir dir;
    const std::string pe = dir.Write("ZoruvOdeza.exe", "MZ\x90\0rest");
    const std::string native = dir.Write("native.exe", "\x7F"
                                                       "ELF");
    const char* saved = std::getenv("PATH");
    const std::string oldPath = saved ? saved : "";
    setenv("PATH", dir.MakeDir("nowine").c_str(), 1);
    EXPECT_EQ(PlanFlasherLaunch(pe, "p").Program, pe);
    const std::string wine = dir.Write("bin/wine", "#!/bin/sh\n");
    std::filesystem::permissions(wine, std::filesystem::perms::owner_all);
    setenv("PATH", (dir.Path() + "/nowine:" + dir.Path() + "/bin").c_str(), 1);
    const FlasherLaunch launch = PlanFlasherLaunch(pe, "p");
    const FlasherLaunch direct = PlanFlasherLaunch(native, "p");
    setenv("PATH", oldPath.c_str(), 1);
    EXPECT_EQ(launch.Program, wine);
    EXPECT_EQ(launch.Arguments, (std::vector<std::string>{pe, "p"}));
    EXPECT_EQ(direct.Program, native);
    EXPECT_EQ(direct.Arguments, std::vector<std::string>{"p"});
    EXPECT_EQ(FlasherParameter("/p/New_sx48802.sx", 0), "\"/p/New_sx48802.sx\"\xC2\xB6"
                                                        "0");
}

} // namespace
