#include "FirmwareFixture.h"

#include "common/Failure.h"
#include "common/FileSystem.h"
#include "firmware/BankFiles.h"
#include "firmware/ConfigurationImage.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

class BankFilesTest : public ::testing::Test {
protected:
    FirmwareWorkspace ws;
    BankImage image;
    std::string Bin(const std::string& name) const { return ws.project.ProjectDir + "/bin/" + name; }
};

TEST_F(BankFilesTest, OneReceiveFrameGivesTheDocumentedFirstBytes)
{
    ws.dir.Write("PROJECTS/P/Receive_Frame.xml", RowsDocument("Receive_Frames", {FrameXmlRow("0x181", "8", "N")}));
    ws.dir.Write("PROJECTS/P/Receive_Info.xml", RowsDocument("Receive_Frames_Info", {InfoRow(0)}));
    ws.dir.Write("PROJECTS/P/bin/bank1.bin", std::string(20000, 'x')); // longer: replaced
    ws.dir.Write("PROJECTS/P/bin/bank2.bin", "short");
    LoadConfigurationImage(ws.project, image);
    WriteBankFiles(ws.project, image);

    const std::string bank1 = ReadAll(Bin("bank1.bin"));
    ASSERT_EQ(bank1.size(), 16384u);
    EXPECT_EQ(bank1.substr(0, 14), std::string("\x81\x01\x00\x00\x08\x00\x00\x01\x02\x03\x04\x05\x06\x07", 14));
    EXPECT_EQ(bank1.substr(14), std::string(16384 - 14, '\0'));
    for (int n = 2; n <= 5; ++n)
        EXPECT_EQ(ReadAll(Bin("bank" + std::to_string(n) + ".bin")), std::string(16384, '\0')) << n;
}

TEST_F(BankFilesTest, WithoutABinDirectoryNothingIsWrittenAndNothingIsSaid)
{
    std::filesystem::remove_all(ws.project.ProjectDir + "/bin");
    EXPECT_NO_THROW(WriteBankFiles(ws.project, image));
    EXPECT_FALSE(DirectoryExists(ws.project.ProjectDir + "/bin"));

    // The C source writer is the one that reports it, naming the full path.
    try {
        WriteBankSource(ws.project, image);
        ADD_FAILURE() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_NE(std::string(failure.what()).find(ws.project.ProjectDir + "/bin/bankg.c"), std::string::npos);
        EXPECT_NE(std::string(failure.what()).find("No such file"), std::string::npos);
    }
}

TEST_F(BankFilesTest, AFileThatCannotBeReplacedKeepsItsContents)
{
    const std::string old = ws.dir.Write("PROJECTS/P/bin/bank1.bin", "old");
    std::filesystem::permissions(old, std::filesystem::perms::owner_read);
    image.Bank(1)[0] = 1;
    WriteBankFiles(ws.project, image);
    EXPECT_EQ(ReadAll(old), "old");
    EXPECT_EQ(ReadAll(Bin("bank2.bin")).size(), 16384u); // the others are written all the same

    const std::string source = ws.dir.Write("PROJECTS/P/bin/bankg.c", "old");
    std::filesystem::permissions(source, std::filesystem::perms::owner_read);
    EXPECT_THROW(WriteBankSource(ws.project, image), Failure);
    EXPECT_EQ(ReadAll(source), "old");
}

TEST_F(BankFilesTest, BankSourceHasItsFixedShapeAndUpperCaseDigits)
{
    ws.dir.Write("PROJECTS/P/bin/bankg.c", std::string(200000, 'x'));
    image.Bank(1)[0] = 171;
    image.Bank(1)[1] = 5;
    image.Bank(1)[16383] = 0x5A;
    image.Bank(2)[0] = 0x77; // only bank 1 is written
    WriteBankSource(ws.project, image);

    const std::string text = ReadAll(Bin("bankg.c"));
    EXPECT_EQ(text.size(), 117824u);
    const std::vector<std::string> lines = CrLfLines(text);
    ASSERT_EQ(lines.size(), 1027u);
    EXPECT_EQ(lines[0], "#pragma CONST_SEG SEGMENT0");
    EXPECT_EQ(lines[1].size(), 119u);
    EXPECT_EQ(lines[1].substr(0, 41), "const char Bank1 [] = { 0xAB, 0x05, 0x00,");
    EXPECT_EQ(
        lines[2], std::string(17, ' ') + [] {
            std::string items;
            for (int k = 0; k < 16; ++k) items += " 0x00,";
            return items;
        }());
    EXPECT_EQ(lines[1024].size(), 114u);
    EXPECT_EQ(lines[1024].substr(lines[1024].size() - 13), " 0x00, 0x5A};");
    EXPECT_EQ(lines[1025], "");
    EXPECT_EQ(lines[1026], "#pragma CONST_SEG DEFAULT");
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(text.find("0x77"), std::string::npos);
}

} // namespace
