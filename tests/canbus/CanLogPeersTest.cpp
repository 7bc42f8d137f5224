#include "canbus/CanLogTestRead.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

inline namespace zz {
namespace {

// A mixed log of both identifier lengths, remote, CAN FD and error frames, suffixes and a drop.
const char* const kMixedLog = "(1700000000.000000) can0 181#0102030405060708\n"
                              "(1700000000.010000) can0 1ABCDEF0#AABB T\n"
                              "(1700000000.020000) can0 281#R\n"
                              "(1700000000.030000) can0 282##1010203\n"
                              "(1700000000.040000) can0 20000080#0000000000000000\n"
                              "(1700000000.050000) can0 7FF# R\n"
                              "(1700000000.060000) can0 00000001#11\n";

// The standard output of a shell command; nothing when it failed.
std::string Output(const std::string& command)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    char buffer[4096];
    while (const size_t got = fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, got);
    return pclose(pipe) == 0 ? out : std::string();
}

// A python interpreter that has python-can; empty when none has.
std::string PythonWithCan()
{
    for (const char* python : {"python3", "/usr/bin/python3"})
        if (std::system((std::string(python) + " -c 'import can' 2>/dev/null").c_str()) == 0) return python;
    return {};
}

std::string Listing(const ReadLog& read)
{
    std::string text;
    for (const CanLogFrame& f : read.Frames) {
        // An error frame's identifier and bytes are its class bits, which ASC files drop.
        if (f.Kind == CanFrameKind::Error) {
            text += "error\n";
            continue;
        }
        char line[64];
        std::snprintf(line, sizeof line, "%d %X %d %d", static_cast<int>(f.Kind), f.Id, f.Extended ? 1 : 0, f.Length);
        text += line;
        for (size_t k = 0; k < f.Length && f.Kind != CanFrameKind::Remote; ++k) {
            std::snprintf(line, sizeof line, " %02X", f.Data[k]);
            text += line;
        }
        text += '\n';
    }
    return text;
}

TEST(CanLogPeers, TheAscFormOfLog2ascReadsAsTheCandumpLog)
{
    if (std::system("command -v log2asc >/dev/null") != 0) GTEST_SKIP() << "log2asc (can-utils) is not installed";
    const TempDir dir;
    const std::string log = dir.Write("mixed.log", kMixedLog);
    for (const char* options : {"", "-n ", "-4 "}) {
        ASSERT_EQ(
            std::system(
                ("log2asc " + std::string(options) + "-I " + log + " -O " + dir.File("mixed.asc") + " can0").c_str()),
            0);
        const ReadLog asc = ReadText(ReadAll(dir.File("mixed.asc")), 4096);
        const ReadLog candump = ReadText(kMixedLog, 4096);
        EXPECT_EQ(asc.Summary.Format, CanLogFormat::Asc);
        EXPECT_EQ(asc.Summary.Unreadable, 0) << options;
        EXPECT_EQ(Listing(asc), Listing(candump)) << options;
    }
}

TEST(CanLogPeers, PythonCanReadsTheCandumpLogAsWeDo)
{
    const std::string python = PythonWithCan();
    if (python.empty()) GTEST_SKIP() << "python-can is not installed";
    const TempDir dir;
    const std::string log = dir.Write("mixed.log", kMixedLog);
    const std::string script =
        dir.Write("list.py", "import sys, can\n"
                             "for m in can.CanutilsLogReader(sys.argv[1]):\n"
                             "    if m.is_error_frame:\n"
                             "        print('error')\n"
                             "        continue\n"
                             "    kind = 3 if m.is_fd else 1 if m.is_remote_frame else 0\n"
                             "    n = m.dlc\n"
                             "    data = '' if m.is_remote_frame else ''.join(' %02X' % b for b in m.data[:n])\n"
                             "    print('%d %X %d %d%s' % (kind, m.arbitration_id, int(m.is_extended_id), n, data))\n");
    const std::string theirs = Output(python + " " + script + " " + log);
    ASSERT_FALSE(theirs.empty());
    EXPECT_EQ(theirs, Listing(ReadText(kMixedLog)));
}

} // namespace
} // namespace zz
