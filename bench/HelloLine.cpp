// The reference for the command line's start: a C++ program that prints one line, built as the
// command line is. bench/compare-cli-start.sh times it beside "zuzududada-cli --help".
#include <iostream>

int main()
{
    std::cout << "hello\n";
    return 0;
}
