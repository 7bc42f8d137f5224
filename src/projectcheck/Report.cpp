#include "projectcheck/Report.h"

inline namespace zz {

std::string WithoutTrailingBlank(std::string text)
{
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

} // namespace zz
