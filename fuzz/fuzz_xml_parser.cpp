// The XML text parser on arbitrary bytes: it must either give a tree or refuse the text with
// one of its own messages; anything else (another exception, a crash, a sanitizer report,
// a stack overflow) is a fault.
#include "xmltools/XmlReader.h"
#include "xmltools/XmlTreeListing.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool IsParserMessage(const std::string& message)
{
    static const char* const kFixed[] = {"Unexpected end of data",
                                         "Missing element",
                                         "XML declaration not terminated with \"?>\"",
                                         "DocTypeDecl parsing not yet implemented",
                                         "Comments cannot end in \"--->\"",
                                         "Processing instruction does not contain valid name",
                                         "Processing instruction cannot have the reserved name \"xml\"",
                                         "Unterminated processing instruction",
                                         "Tag not terminated properly",
                                         "Equals sign missing in attribute",
                                         "Invalid character \"<\" in attribute value",
                                         "Character data cannot contain \"]]>\"",
                                         "Unrecognized reference",
                                         "End tag missing \">\"",
                                         "Elements nested more than 1000 levels deep"};
    for (const char* fixed : kFixed)
        if (message == fixed) return true;
    static const char* const kPrefixes[] = {"Attribute \"", "Invalid integer in reference &", "No ending tag for ",
                                            "End tag name \""};
    for (const char* prefix : kPrefixes)
        if (message.rfind(prefix, 0) == 0) return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        TXMLStringReader reader(text);
        std::unique_ptr<TXMLNode> document = reader.Parse();
        if (!document || document->Kind != TXMLNodeKind::nkDocument) std::abort();
        document->FileName = "fuzz.xml";
        const std::string listing = TreeListing(*document);
        if (listing.rfind("File: fuzz.xml\n", 0) != 0) std::abort();
    } catch (const TXMLError& e) {
        if (!IsParserMessage(e.what())) {
            std::fprintf(stderr, "unexpected message: %s\n", e.what());
            std::abort();
        }
    }
    return 0;
}
