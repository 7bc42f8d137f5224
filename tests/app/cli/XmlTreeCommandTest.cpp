// zuzududada-cli xml-tree, run as the engineer runs it.
#include "CommandRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

CommandRun XmlTree(const std::string& arguments)
{
    return RunProgram("xml-tree " + arguments);
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
    const CommandRun run = XmlTree(path);
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.Out, "File: emcydef.xml\n"
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
    CommandRun run = XmlTree(dir.Write("bad.xml", "<a>text"));
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(LastLine(run.Err), "No ending tag for a");
    std::string deep;
    for (int i = 0; i < 100000; ++i) deep += "<e>";
    run = XmlTree(dir.Write("deep.xml", deep));
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(LastLine(run.Err), "Elements nested more than 1000 levels deep");
}

TEST(XmlTreeCommand, AFileThatCannotBeReadIsAClearFailure)
{
    TempDir dir;
    CommandRun run = XmlTree(dir.File("missing.xml"));
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("missing.xml"), std::string::npos) << run.Err;
    run = XmlTree("");
    EXPECT_EQ(run.Status, 2) << "the file argument is required";
    EXPECT_EQ(run.Err.rfind("zuzududada-cli xml-tree: FILE is missing\n", 0), 0u) << run.Err;
    // A file named like an option follows "--".
    EXPECT_EQ(XmlTree("-- -x").Status, 1);
    EXPECT_EQ(XmlTree("-x").Status, 2);
}

} // namespace
