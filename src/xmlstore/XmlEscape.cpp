#include "xmlstore/XmlEscape.h"

inline namespace zz {

void AppendXmlEscaped(std::string& out, std::string_view text, bool attribute)
{
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += attribute ? "&quot;" : "\""; break;
        case '\r': out += "&#13;"; break;
        case '\n': out += attribute ? "&#10;" : "\n"; break;
        case '\t': out += attribute ? "&#9;" : "\t"; break;
        default:
            if (c >= 0x20) out += ch; // other control characters cannot stand in XML 1.0
        }
    }
}

} // namespace zz
