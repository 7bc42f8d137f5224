// zuzududada-cli xml-tree, run as the engineer runs it.
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct CliRun {
    int status;
    std::string out, err;
};

CliRun XmlTree(const std::string& arguments)
{
    TempDir streams;
    const std::string command = std::string(ZZ_CLI) + " xml-tree " + arguments + " >" + streams.File("out") + " 2>" +
                                streams.File("err");
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadAll(streams.File("out")), ReadAll(streams.File("err"))};
}

std::string LastLine(const std::string& text)
{
    std::string body = text;
    if (!body.empty() && body.back() == '\n') body.pop_back();
    const std::size_t at = body.rfind('\n');
    return at == std::string::npos ? body : body.substr(at + 1);
}

TEST(XmlTreeCommand, PrintsTheTreeIndentedTwoBlanksPerLevel)
{
    TempDir dir;
    const std::string path = dir.Write("emcydef.xml", "<?xml version=\"1.0\"?>\r\n<emcydef>\r\n"
                                                      "  <row bypass_set=\"33\" note=\"\" t='\xE9'/>\r\n"
                                                      "  <row bypass_set=\"34\"><?p x?>text</row>\r\n"
                                                      "</emcydef>\r\n");
    const CliRun run = XmlTree(path);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "File: emcydef.xml\n"
                       "  XMLDeclaration\n"
                       "    version = 1.0\n"
                       "  emcydef\n"
                       "    row\n"
                       "      bypass_set = 33\n"
                       "      note\n"
                       "      t = \xE9\n"
                       "    row = text\n"
                       "      bypass_set = 34\n"
                       "      pProcessingInstruction = x\n");
}

TEST(XmlTreeCommand, AParseErrorIsTheLastLineOnStandardError)
{
    TempDir dir;
    CliRun run = XmlTree(dir.Write("bad.xml", "<a>text"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(LastLine(run.err), "No ending tag for a");
    std::string deep;
    for (int i = 0; i < 100000; ++i) deep += "<e>";
    run = XmlTree(dir.Write("deep.xml", deep));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(LastLine(run.err), "Elements nested more than 1000 levels deep");
}

TEST(XmlTreeCommand, AFileThatCannotBeReadIsAClearFailure)
{
    TempDir dir;
    CliRun run = XmlTree(dir.File("missing.xml"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("missing.xml"), std::string::npos) << run.err;
    run = XmlTree("");
    EXPECT_EQ(run.status, 2) << "the file argument is required";
}

} // namespace
