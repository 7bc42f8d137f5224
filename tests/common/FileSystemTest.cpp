#include "common/FileSystem.h"
#include "common/Failure.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

TEST(AtomicWrite, ReplacesTheFileAndLeavesNoTemporaryBehind)
{
    TempDir dir;
    const std::string path = dir.Write("doc.xml", "old and longer");
    WriteFileAtomically(path, "new");
    EXPECT_EQ(ReadAll(path), "new");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path())) ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(AtomicWrite, RefusesAReadOnlyFileAndKeepsIt)
{
    TempDir dir;
    const std::string path = dir.Write("doc.xml", "keep me");
    ::chmod(path.c_str(), 0444);
    EXPECT_THROW(WriteFileAtomically(path, "lost"), Failure);
    EXPECT_EQ(ReadAll(path), "keep me");
}

bool SaveInto(const std::string& path)
{
    try {
        WriteFileAtomically(path, "lost");
        return true;
    } catch (const Failure&) {
        return false;
    }
}

TEST(AtomicWrite, FailsInAReadOnlyDirectoryAndKeepsTheOldFile)
{
    TempDir dir;
    const std::string sub = dir.MakeDir("ro");
    const std::string path = dir.Write("ro/doc.xml", "keep me");
    ::chmod(sub.c_str(), 0555);
    EXPECT_NE(RunUnprivileged(SaveInto, path), 0);
    EXPECT_EQ(ReadAll(path), "keep me");
}

TEST(AtomicWrite, WritesThroughASymbolicLinkToItsTarget)
{
    TempDir dir;
    const std::string target = dir.Write("real.xml", "old");
    std::filesystem::create_symlink(target, dir.File("link.xml"));
    WriteFileAtomically(dir.File("link.xml"), "new");
    EXPECT_EQ(ReadAll(target), "new");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.xml")));
}

TEST(AtomicWrite, WithoutLinksReplacesTheLinkAndKeepsItsTargetAndItsOwnSuffix)
{
    TempDir dir;
    const std::string target = dir.Write("real.bin", "old");
    std::filesystem::create_symlink(target, dir.File("bank.bin"));
    WriteFileAtomically(dir.File("bank.bin"), "new",
                        {.SyncToDisk = false, .ThroughLinks = false, .TemporarySuffix = ".writing-XXXXXX"});
    EXPECT_EQ(ReadAll(target), "old");
    EXPECT_FALSE(std::filesystem::is_symlink(dir.File("bank.bin")));
    EXPECT_EQ(ReadAll(dir.File("bank.bin")), "new");
}

TEST(AtomicWrite, AFullDiskLeavesTheOldFileAndNoTemporary)
{
    TempDir dir;
    const std::string path = dir.Write("doc.xml", "keep me");
    {
        ScopedWriteLimit full(3);
        EXPECT_THROW(WriteFileAtomically(path, "longer than three"), Failure);
        EXPECT_EQ(full.Left(), 0u);
    }
    EXPECT_EQ(ReadAll(path), "keep me");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path())) ++entries;
    EXPECT_EQ(entries, 1);
    WriteFileAtomically(path, "longer than three"); // the limit ends with its scope
    EXPECT_EQ(ReadAll(path), "longer than three");
}

TEST(FileSystem, ReadingAMissingFileNamesIt)
{
    try {
        ReadFileBytes("/nonexistent/zz.xml");
        FAIL();
    } catch (const Failure& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent/zz.xml"), std::string::npos);
    }
}

// Opening a FIFO for reading waits for a writer: each of these must fail at once instead.
TEST(FileSystem, RefusesWhatIsNotARegularFileAtOnce)
{
    TempDir dir;
    const std::string fifo = dir.File("pipe.sx");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const auto refusal = [](const std::string& path) {
        try {
            ReadFileBytes(path);
        } catch (const Failure& e) {
            return std::string(e.what());
        }
        return std::string("read");
    };
    EXPECT_EQ(refusal(fifo), "Cannot read file '" + fifo + "': it is a FIFO, not a regular file");
    EXPECT_EQ(refusal(dir.Path()), "Cannot read file '" + dir.Path() + "': Is a directory");
    EXPECT_EQ(refusal("/dev/null"), "Cannot read file '/dev/null': it is a device, not a regular file");
    EXPECT_THROW(OpenRegularFile(fifo, "Cannot open file"), Failure);
    EXPECT_EQ(ReadFileBytes(dir.Write("plain.txt", "text")), "text");
}

} // namespace
