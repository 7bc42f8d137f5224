#include "xmlstore/ProjectDocument.h"
#include "xmlstore/XmlEscape.h"

#include "common/AsciiText.h"
#include "common/Cp1252.h"
#include "common/Failure.h"
#include "common/FileSystem.h"

#include <algorithm>
#include <cctype>
#include <cstring>

inline namespace zz {

namespace {

// As a fragment, so that text outside the root element stays in the tree and can be refused.
constexpr unsigned kParseFlags =
    (pugi::parse_default | pugi::parse_comments | pugi::parse_pi | pugi::parse_fragment) & ~pugi::parse_declaration;

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// The encoding named by a leading XML declaration, lower case; empty when there is none.
std::string DeclaredEncoding(std::string_view bytes)
{
    if (bytes.substr(0, 5) != "<?xml") return {};
    const size_t end = bytes.find("?>");
    const std::string declaration = AsciiLower(bytes.substr(0, end));
    const size_t at = declaration.find("encoding");
    if (at == std::string::npos) return {};
    const size_t quote = declaration.find_first_of("\"'", at);
    if (quote == std::string::npos) return {};
    const size_t close = declaration.find(declaration[quote], quote + 1);
    if (close == std::string::npos) return {};
    return declaration.substr(quote + 1, close - quote - 1);
}

// True when the bytes begin with the byte-order mark of UTF-16 or UTF-32, which the parser
// reads itself.
bool HasWideMark(std::string_view bytes)
{
    return bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF" ||
           bytes.substr(0, 4) == std::string_view("\0\0\xFE\xFF", 4);
}

// Files from older installations may be in the Western code page; everything else is UTF-8
// (or UTF-16/32 with a byte-order mark, which the parser detects).
bool IsWesternSingleByte(std::string_view bytes)
{
    const std::string encoding = DeclaredEncoding(bytes);
    if (encoding == "iso-8859-1" || encoding == "latin1" || encoding == "windows-1252" || encoding == "cp1252" ||
        encoding == "iso-8859-15")
        return true;
    return encoding.empty() && !HasWideMark(bytes) && !IsValidUtf8(bytes);
}

// XML 1.0 allows no control character but tab, line feed and carriage return.
bool HasControlCharacter(const char* text)
{
    for (const char* p = text; *p; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') return true;
    }
    return false;
}

bool IsNameStart(unsigned char c)
{
    return std::isalpha(c) || c == '_' || c == ':' || c >= 0x80;
}

bool IsNameChar(unsigned char c)
{
    return IsNameStart(c) || std::isdigit(c) || c == '-' || c == '.';
}

// The next code point of UTF-8 text, the position moved past it; text the document layer
// holds is valid UTF-8.
char32_t NextCodePoint(std::string_view text, size_t& at)
{
    const auto lead = static_cast<unsigned char>(text[at++]);
    const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
    char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int i = 0; i < extra && at < text.size(); ++i)
        code = (code << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
    return code;
}

// The name characters of XML 1.0 (fifth edition), beyond ASCII.
bool IsWideNameStart(char32_t c)
{
    return (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
           (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) || c == 0x200C || c == 0x200D ||
           (c >= 0x2070 && c <= 0x218F) || (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) ||
           (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
}

// A name as XML reads it: the parser takes every byte from 0x80 on as part of a name, so that
// a stray code page byte inside a tag would pass unseen.
bool IsUnicodeXmlName(std::string_view name)
{
    if (name.empty()) return false;
    for (size_t at = 0; at < name.size();) {
        const bool first = at == 0;
        const char32_t c = NextCodePoint(name, at);
        const bool start =
            (c < 0x80 && std::isalpha(static_cast<int>(c))) || c == '_' || c == ':' || IsWideNameStart(c);
        const bool more = (c < 0x80 && std::isdigit(static_cast<int>(c))) || c == '-' || c == '.' || c == 0xB7 ||
                          (c >= 0x300 && c <= 0x36F) || c == 0x203F || c == 0x2040;
        if (!start && (first || !more)) return false;
    }
    return true;
}

bool HasElementChildren(XmlNode node)
{
    for (XmlNode child : node.children())
        if (child.type() == pugi::node_element) return true;
    return false;
}

// Comments and processing instructions are not written: an element holding only them is
// written empty, as it reads back.
bool HasWrittenContent(XmlNode node)
{
    for (XmlNode child : node.children())
        if (child.type() == pugi::node_element || child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            return true;
    return false;
}

// One element a line; an element holding text and elements keeps its content on one line, so
// that no indentation slips into its text.
void WriteElement(std::string& out, XmlNode node, int depth, bool inlineContent)
{
    if (!inlineContent) out.append(static_cast<size_t>(depth) * 2, ' ');
    out += '<';
    out += node.name();
    for (pugi::xml_attribute a : node.attributes()) {
        out += ' ';
        out += a.name();
        out += "=\"";
        AppendXmlEscaped(out, a.value(), true);
        out += '"';
    }
    if (!HasWrittenContent(node)) {
        out += inlineContent ? "/>" : "/>\r\n";
        return;
    }
    out += '>';
    const bool mixed = inlineContent || !HasElementChildren(node) ||
                       std::any_of(node.children().begin(), node.children().end(), [](XmlNode c) {
                           return c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata;
                       });
    if (mixed) {
        for (XmlNode child : node.children()) {
            if (child.type() == pugi::node_element) WriteElement(out, child, 0, true);
            else if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
                AppendXmlEscaped(out, child.value(), false);
        }
    } else {
        out += "\r\n";
        for (XmlNode child : node.children())
            if (child.type() == pugi::node_element) WriteElement(out, child, depth + 1, false);
        out.append(static_cast<size_t>(depth) * 2, ' ');
    }
    out += "</";
    out += node.name();
    out += inlineContent ? ">" : ">\r\n";
}

} // namespace

bool IsXmlName(std::string_view name)
{
    if (name.empty() || !IsNameStart(static_cast<unsigned char>(name[0]))) return false;
    return std::all_of(name.begin(), name.end(), [](char c) { return IsNameChar(static_cast<unsigned char>(c)); });
}

ProjectDocument::ProjectDocument(Discipline discipline)
    : discipline_(discipline)
{
}

void ProjectDocument::LoadFile(const std::string& path)
{
    LoadText(ReadFileBytes(path), path);
}

void ProjectDocument::LoadText(std::string_view bytes, const std::string& origin)
{
    cachedParent_ = XmlNode();
    cachedChildren_.clear();
    origin_ = origin;
    document_.reset();
    const auto refuse = [&](const std::string& why) {
        document_.reset();
        throw Failure("The file '" + origin + "' is not a well-formed XML document (" + why + ")");
    };

    // Only a byte-order mark may stand before the first "<": a file that begins with any other
    // byte from 0x80 on is not XML in any encoding, and is not read as the Western code page.
    std::string converted;
    pugi::xml_encoding encoding = pugi::encoding_auto;
    if (bytes.substr(0, 3) == kUtf8Mark) {
        bytes.remove_prefix(3);
        if (bytes.substr(0, 3) == kUtf8Mark) refuse("a second byte-order mark");
        if (!IsValidUtf8(bytes)) refuse("not UTF-8 after its UTF-8 byte-order mark");
        if (const std::string declared = DeclaredEncoding(bytes);
            declared.rfind("utf-16", 0) == 0 || declared.rfind("utf-32", 0) == 0 || declared.rfind("ucs", 0) == 0)
            refuse("labelled " + declared + " but UTF-8 by its byte-order mark");
        encoding = pugi::encoding_utf8;
    } else if (!bytes.empty() && static_cast<unsigned char>(bytes[0]) >= 0x80 && !HasWideMark(bytes)) {
        refuse("it begins with the byte " + std::to_string(static_cast<unsigned char>(bytes[0])) +
               ", which is no byte-order mark");
    } else if (IsWesternSingleByte(bytes)) {
        converted = Cp1252ToUtf8(bytes);
        bytes = converted;
        encoding = pugi::encoding_utf8;
    } else if (!HasWideMark(bytes) && bytes.substr(0, 4).find('\0') == std::string_view::npos && !IsValidUtf8(bytes)) {
        // Declared in another encoding, but not UTF-8: its bytes would be kept as they are and
        // read back differently after the next save.
        refuse("not UTF-8, though its declaration names no Western code page");
    }
    const pugi::xml_parse_result result = document_.load_buffer(bytes.data(), bytes.size(), kParseFlags, encoding);
    if (!result) refuse(std::string(result.description()) + " at byte " + std::to_string(result.offset));

    size_t elements = 0;
    for (XmlNode node : document_.children()) {
        if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata)
            refuse(elements ? "text after the root element" : "text before the root element");
        if (node.type() == pugi::node_element && ++elements > 1) refuse("a second root element");
    }
    if (!elements) {
        document_.reset();
        throw Failure("The file '" + origin + "' holds no XML element");
    }
    // What the parser lets through and XML does not allow: an attribute twice in one element,
    // and control characters (also written as character references).
    struct Checker : pugi::xml_tree_walker {
        std::string problem;
        bool for_each(pugi::xml_node& node) override
        {
            if (node.type() == pugi::node_element && !IsUnicodeXmlName(node.name())) {
                problem = "a character that is no name character in the tag \"" + std::string(node.name()) + "\"";
                return false;
            }
            if (HasControlCharacter(node.name()) || HasControlCharacter(node.value())) {
                const XmlNode element = node.type() == pugi::node_element ? node : node.parent();
                problem = "a control character in element \"" + std::string(element.name()) + "\"";
            }
            for (pugi::xml_attribute a : node.attributes()) {
                if (HasControlCharacter(a.value()) || HasControlCharacter(a.name()))
                    problem = "a control character in attribute \"" + std::string(a.name()) + "\" of element \"" +
                              node.name() + "\"";
                if (!IsUnicodeXmlName(a.name()))
                    problem = "a character that is no name character in attribute \"" + std::string(a.name()) +
                              "\" of element \"" + node.name() + "\"";
                for (pugi::xml_attribute b = a.next_attribute(); b; b = b.next_attribute())
                    if (std::strcmp(a.name(), b.name()) == 0)
                        problem =
                            "attribute \"" + std::string(a.name()) + "\" twice in element \"" + node.name() + "\"";
            }
            return problem.empty();
        }
    } checker;
    document_.traverse(checker);
    if (!checker.problem.empty()) refuse(checker.problem);
}

XmlNode ProjectDocument::Root() const
{
    return discipline_ == Discipline::Strict ? document_.first_child() : document_.document_element();
}

const std::vector<XmlNode>& ProjectDocument::ChildrenOf(XmlNode node) const
{
    if (node != cachedParent_ || cachedChildren_.empty()) {
        cachedParent_ = node;
        cachedChildren_.clear();
        for (XmlNode child : node.children()) cachedChildren_.push_back(child);
    }
    return cachedChildren_;
}

size_t ProjectDocument::ChildCount(XmlNode node) const
{
    return node ? ChildrenOf(node).size() : 0;
}

XmlNode ProjectDocument::ChildAt(XmlNode node, size_t index) const
{
    if (!node) return XmlNode();
    const std::vector<XmlNode>& children = ChildrenOf(node);
    return index < children.size() ? children[index] : XmlNode();
}

XmlNode ProjectDocument::FindChild(XmlNode node, std::string_view name) const
{
    const std::string wanted(name);
    XmlNode found = node ? node.child(wanted.c_str()) : XmlNode();
    if (!found) lastMissingChild_ = wanted;
    return found;
}

std::string ProjectDocument::Describe(XmlNode node) const
{
    std::string where = node.type() == pugi::node_element ? "element \"" + std::string(node.name()) + "\"" : "a node";
    if (XmlNode parent = node.parent(); parent && parent.type() == pugi::node_element) {
        size_t position = 1;
        for (XmlNode n = parent.first_child(); n && n != node; n = n.next_sibling()) ++position;
        where += " number " + std::to_string(position) + " under \"" + parent.name() + "\"";
    }
    return where + " of '" + origin_ + "'";
}

std::string ProjectDocument::AttributeText(XmlNode node, std::string_view name) const
{
    const std::string wanted(name);
    if (!node) throw Failure("Attribute \"" + wanted + "\" asked of a missing node in '" + origin_ + "'");
    pugi::xml_attribute attribute = node.attribute(wanted.c_str());
    if (!attribute) throw Failure("Attribute \"" + wanted + "\" not found in " + Describe(node));
    return attribute.value();
}

std::string ProjectDocument::NodeText(XmlNode node) const
{
    if (!node) throw Failure("Element \"" + lastMissingChild_ + "\" not found in '" + origin_ + "'");
    if (node.type() != pugi::node_element) return node.value();
    XmlNode first = node.first_child();
    if (!first) return {};
    const bool single =
        !first.next_sibling() && (first.type() == pugi::node_pcdata || first.type() == pugi::node_cdata);
    if (!single) throw Failure("The " + Describe(node) + " does not hold a single text");
    return first.value();
}

void ProjectDocument::Reset()
{
    document_.reset();
    cachedParent_ = XmlNode();
    cachedChildren_.clear();
}

XmlNode ProjectDocument::AddRoot(std::string_view name)
{
    if (document_.first_child()) throw Failure("The document already has a root element");
    return AddChild(document_, name);
}

XmlNode ProjectDocument::AddChild(XmlNode node, std::string_view name)
{
    if (!IsXmlName(name)) throw Failure("'" + std::string(name) + "' is not a valid XML element name");
    cachedParent_ = XmlNode();
    return node.append_child(std::string(name).c_str());
}

void ProjectDocument::SetAttribute(XmlNode node, std::string_view name, std::string_view text)
{
    if (!IsXmlName(name)) throw Failure("'" + std::string(name) + "' is not a valid XML attribute name");
    const std::string key(name);
    pugi::xml_attribute attribute = node.attribute(key.c_str());
    if (!attribute) attribute = node.append_attribute(key.c_str());
    attribute.set_value(std::string(text).c_str());
}

void ProjectDocument::SetNodeText(XmlNode node, std::string_view text)
{
    // Replaces the text of the node; child elements stay.
    for (XmlNode child = node.first_child(); child;) {
        XmlNode next = child.next_sibling();
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) node.remove_child(child);
        child = next;
    }
    if (!text.empty()) node.prepend_child(pugi::node_pcdata).set_value(std::string(text).c_str());
    cachedParent_ = XmlNode();
}

std::string ProjectDocument::Serialize() const
{
    std::string out;
    for (XmlNode node : document_.children())
        if (node.type() == pugi::node_element) WriteElement(out, node, 0, false);
    return out;
}

void ProjectDocument::SaveFile(const std::string& path) const
{
    WriteFileAtomically(path, Serialize());
}

} // namespace zz
