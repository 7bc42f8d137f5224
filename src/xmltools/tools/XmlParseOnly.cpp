// xml-parse-only FILE: parses FILE with the XML text parser and prints nothing; exit status 0
// when it parses, 1 with the message on standard error when not. Used to time the parser.
#include "common/FileSystem.h"
#include "xmltools/XmlReader.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: xml-parse-only FILE\n";
        return 2;
    }
    try {
        TXMLStringReader reader(ReadFileBytes(argv[1]));
        reader.Parse();
        return 0;
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
}
