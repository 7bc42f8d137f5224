#pragma once
#include <string>
#include <vector>

inline namespace zz {

// zuzududada-cli xml-tree FILE: parses FILE and prints its tree as the XML window shows it
// on standard output (exit status 0), or the parser's message as the last line on standard
// error (exit status 1).
int RunXmlTreeCommand(const std::vector<std::string>& arguments);

} // namespace zz
