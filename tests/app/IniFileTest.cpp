#include "app/IniFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(IniFile, ReadsRawValuesWithoutRegardToLetterCase)
{
    TempDir dir;
    const std::string path =
        dir.Write("s.ini", "[other]\r\nprojectname=no\r\n[LastProj]\r\nProjectName = \\Line4;x \r\n");
    EXPECT_EQ(ReadIniValue(path, "lastproj", "projectname"), "\\Line4;x");
    EXPECT_EQ(ReadIniValue(path, "lastproj", "missing"), "");
    EXPECT_EQ(ReadIniValue(dir.File("none.ini"), "lastproj", "projectname"), "");
}

TEST(IniFile, WriteChangesOnlyItsKey)
{
    TempDir dir;
    const std::string path = dir.Write("s.ini", "; kept\n[lastproj]\nprojectname=/Old\nother=1\n[x]\ny=2\n");
    WriteIniValue(path, "lastproj", "projectname", "/Line4");
    EXPECT_EQ(ReadAll(path), "; kept\r\n[lastproj]\r\nprojectname=/Line4\r\nother=1\r\n[x]\r\ny=2\r\n");
}

TEST(IniFile, WriteAddsTheKeyAndTheSectionAndCreatesTheFile)
{
    TempDir dir;
    const std::string path = dir.File("s.ini");
    WriteIniValue(path, "lastproj", "projectname", "");
    EXPECT_EQ(ReadAll(path), "[lastproj]\r\nprojectname=\r\n");
    const std::string other = dir.Write("o.ini", "[lastproj]\r\nother=1\r\n\r\n[x]\r\n");
    WriteIniValue(other, "lastproj", "projectname", "Line5");
    EXPECT_EQ(ReadAll(other), "[lastproj]\r\nother=1\r\nprojectname=Line5\r\n\r\n[x]\r\n");
}

TEST(IniFile, NamesOutsideTheWesternCodePageSurvive)
{
    TempDir dir;
    const std::string path = dir.File("s.ini");
    WriteIniValue(path, "lastproj", "projectname", "/Lin\xC3\xA9");
    EXPECT_EQ(ReadAll(path), "[lastproj]\r\nprojectname=/Lin\xE9\r\n");
    EXPECT_EQ(ReadIniValue(path, "lastproj", "projectname"), "/Lin\xC3\xA9");
    WriteIniValue(path, "lastproj", "projectname", "/\xE4\xB8\xAD");
    EXPECT_EQ(ReadIniValue(path, "lastproj", "projectname"), "/\xE4\xB8\xAD");
}

} // namespace
