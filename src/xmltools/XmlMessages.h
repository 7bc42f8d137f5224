#pragma once
#include <string>

inline namespace zz {

// The messages of the XML text parser, letter for letter.
namespace xmlmsg {
inline constexpr const char* kEndOfData = "Unexpected end of data";
inline constexpr const char* kMissingElement = "Missing element";
inline constexpr const char* kDeclaration = "XML declaration not terminated with \"?>\"";
inline constexpr const char* kDocumentType = "DocTypeDecl parsing not yet implemented";
inline constexpr const char* kCommentEnd = "Comments cannot end in \"--->\"";
inline constexpr const char* kInstructionName = "Processing instruction does not contain valid name";
inline constexpr const char* kReservedName = "Processing instruction cannot have the reserved name \"xml\"";
inline constexpr const char* kUnterminatedInstruction = "Unterminated processing instruction";
inline constexpr const char* kTag = "Tag not terminated properly";
inline constexpr const char* kEqualsSign = "Equals sign missing in attribute";
inline constexpr const char* kInvalidCharacter = "Invalid character \"<\" in attribute value";
inline constexpr const char* kCharacterData = "Character data cannot contain \"]]>\"";
inline constexpr const char* kUnrecognizedReference = "Unrecognized reference";

inline std::string MissingValue(const std::string& name)
{
    return "Attribute \"" + name + "\" missing value";
}
inline std::string InvalidInteger(const std::string& t)
{
    return "Invalid integer in reference &" + t + ";";
}
inline std::string NoEndingTag(const std::string& name)
{
    return "No ending tag for " + name;
}
inline std::string EndTagName(const std::string& endName, const std::string& name)
{
    return "End tag name \"" + endName + "\" does not match start tag name \"" + name + "\"";
}
inline constexpr const char* kEndTagMissing = "End tag missing \">\"";

// The parser is recursive; deeper nesting than this is refused so that a crafted file cannot
// exhaust the stack. Far beyond any document this tool reads or writes.
inline constexpr int kMaxNesting = 1000;
inline constexpr const char* kTooDeep = "Elements nested more than 1000 levels deep";
} // namespace xmlmsg

} // namespace zz
