#include "app/cli/Commands.h"

#include "common/FileSystem.h"
#include "xmltools/XmlReader.h"
#include "xmltools/XmlTreeListing.h"

#include <cstdio>
#include <exception>
#include <iostream>

inline namespace zz {

// zuzududada-cli xml-tree FILE: parses FILE and prints its tree as the XML window shows it
// on standard output (exit status 0), or the parser's message as the last line on standard
// error (exit status 1).

namespace {

constexpr const char* kXmlTreeHelp =
    "Parses FILE and prints its tree on standard output as the XML reader and writer window shows\n"
    "it: the file's name, then every node two blanks deeper than its parent, an attribute or an\n"
    "element with text as \"name = value\".\n"
    "Exit status: 0 when the tree was printed, 1 when the file cannot be read or parsed (the\n"
    "parser's message is the last line on standard error), 2 for wrong arguments.\n";

int RunXmlTree(const CommandArguments& arguments)
{
    if (arguments.Operands.empty()) return kXmlTreeCommand.UsageError("FILE is missing");
    if (arguments.Operands.size() > 1) return kXmlTreeCommand.UsageError("only one FILE may be given");
    const std::string& path = arguments.Operands[0];
    std::string bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    std::unique_ptr<TXMLNode> document;
    try {
        document = ParseXmlText(std::move(bytes));
    } catch (const TXMLError& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    document->FileName = FileNameOf(path);
    const std::string listing = TreeListing(*document);
    if (std::fwrite(listing.data(), 1, listing.size(), stdout) != listing.size() || std::fflush(stdout) != 0) {
        std::cerr << "Cannot write the tree to standard output\n";
        return 1;
    }
    return 0;
}

} // namespace

const CliCommand kXmlTreeCommand{
    .Name = "xml-tree",
    .Usage = "FILE",
    .Summary = "Prints the tree of an XML file as the XML window shows it.",
    .Help = kXmlTreeHelp,
    .Options = {},
    .Voice = FailureVoice::Prefixed,
    .Body = RunXmlTree,
};

} // namespace zz
