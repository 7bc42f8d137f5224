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
int RunXmlTreeCommand(const std::vector<std::string>& arguments);
constexpr const char* kXmlTreeUsage = "FILE";
constexpr const char* kXmlTreeSummary = "Prints the tree of an XML file as the XML window shows it.";

int RunXmlTreeCommand(const std::vector<std::string>& arguments)
{
    if (arguments.size() != 1) {
        std::cerr << "usage: zuzududada-cli xml-tree FILE\n";
        return 2;
    }
    const std::string& path = arguments[0];
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

const CliCommand kXmlTreeCommand{"xml-tree", kXmlTreeUsage, kXmlTreeSummary, RunXmlTreeCommand};

} // namespace zz
