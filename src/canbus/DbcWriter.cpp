#include "canbus/DbcWriter.h"

#include "common/Failure.h"

inline namespace zz {

namespace {

constexpr const char* kEnd = "\r\n";

constexpr const char* kNameSpace[] = {"NS_DESC_",     "CM_",
                                      "BA_DEF_",      "BA_",
                                      "VAL_",         "CAT_DEF_",
                                      "CAT_",         "FILTER",
                                      "BA_DEF_DEF_",  "EV_DATA_",
                                      "ENVVAR_DATA_", "SGTYPE_",
                                      "SGTYPE_VAL_",  "BA_DEF_SGTYPE_",
                                      "BA_SGTYPE_",   "SIG_TYPE_REF_",
                                      "VAL_TABLE_",   "SIG_GROUP_",
                                      "SIG_VALTYPE_", "SIGTYPE_VALTYPE_",
                                      "BO_TX_BU_",    "BA_DEF_REL_",
                                      "BA_REL_",      "BA_DEF_DEF_REL_",
                                      "BU_SG_REL_",   "BU_EV_REL_",
                                      "BU_BO_REL_",   "SG_MUL_VAL_"};

const std::string& Name(const std::string& name)
{
    if (!IsDbcName(name)) throw Failure("'" + name + "' cannot be a name in a DBC file");
    return name;
}

std::string Quoted(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c < 0x20 || c > 0x7E) throw Failure("a DBC text holds a character outside printable ASCII");
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + '"';
}

// The attribute value as its definition types it: strings quoted, numbers as they are.
std::string Value(const DbcDatabase& database, const std::string& object, const std::string& name,
                  const std::string& value)
{
    for (const DbcAttributeDefinition& definition : database.Definitions)
        if (definition.Object == object && definition.Name == name)
            return definition.Type.rfind("STRING", 0) == 0 ? Quoted(value) : value;
    throw Failure("the DBC attribute '" + name + "' has no definition");
}

std::string Limits(const DbcSignal& signal)
{
    const int bits = signal.Length > 63 ? 63 : signal.Length;
    if (signal.Signed) {
        const long long half = 1LL << (bits - 1);
        return "[" + std::to_string(-half) + "|" + std::to_string(half - 1) + "]";
    }
    return "[0|" + std::to_string((1ULL << bits) - 1) + "]";
}

std::string Receivers(const DbcSignal& signal)
{
    if (signal.Receivers.empty()) throw Failure("the DBC signal '" + signal.Name + "' has no receiver");
    std::string out;
    for (const std::string& receiver : signal.Receivers) out += (out.empty() ? "" : ",") + Name(receiver);
    return out;
}

} // namespace

bool IsDbcName(const std::string& name)
{
    if (name.empty() || name.size() > 32) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
        if (!letter && (i == 0 || c < '0' || c > '9')) return false;
    }
    return true;
}

std::string WriteDbc(const DbcDatabase& database)
{
    std::string out;
    out += "VERSION \"\"";
    out += kEnd;
    out += kEnd;
    out += kEnd;
    out += "NS_ :";
    out += kEnd;
    for (const char* word : kNameSpace) out += std::string("\t") + word + kEnd;
    out += kEnd;
    out += "BS_:";
    out += kEnd;
    out += kEnd;
    out += "BU_:";
    for (const std::string& node : database.Nodes) out += " " + Name(node);
    out += kEnd;
    out += kEnd;
    for (const DbcMessage& message : database.Messages) {
        out += kEnd;
        out += "BO_ " + std::to_string(message.RawId()) + " " + Name(message.Name) + ": " +
               std::to_string(message.Dlc) + " " + Name(message.Transmitter) + kEnd;
        for (const DbcSignal& signal : message.Signals) {
            out += " SG_ " + Name(signal.Name) + (signal.Multiplex.empty() ? "" : " " + Name(signal.Multiplex)) +
                   " : " + std::to_string(signal.StartBit) + "|" + std::to_string(signal.Length) + "@" +
                   (signal.Intel ? "1" : "0") + (signal.Signed ? "-" : "+") + " (1,0) " + Limits(signal) + " \"\" " +
                   Receivers(signal) + kEnd;
        }
    }
    out += kEnd;
    out += kEnd;
    for (const DbcMessage& message : database.Messages) {
        if (!message.Comment.empty())
            out += "CM_ BO_ " + std::to_string(message.RawId()) + " " + Quoted(message.Comment) + ";" + kEnd;
        for (const DbcSignal& signal : message.Signals)
            if (!signal.Comment.empty())
                out += "CM_ SG_ " + std::to_string(message.RawId()) + " " + signal.Name + " " + Quoted(signal.Comment) +
                       ";" + kEnd;
    }
    for (const DbcAttributeDefinition& definition : database.Definitions)
        out += "BA_DEF_ " + (definition.Object.empty() ? "" : definition.Object + " ") + Quoted(Name(definition.Name)) +
               " " + definition.Type + ";" + kEnd;
    for (const DbcAttributeDefinition& definition : database.Definitions)
        out += "BA_DEF_DEF_ " + Quoted(definition.Name) + " " + definition.Default + ";" + kEnd;
    for (const auto& [name, value] : database.GlobalAttributes)
        out += "BA_ " + Quoted(name) + " " + Value(database, "", name, value) + ";" + kEnd;
    for (const auto& [node, attributes] : database.NodeAttributes)
        for (const auto& [name, value] : attributes)
            out +=
                "BA_ " + Quoted(name) + " BU_ " + Name(node) + " " + Value(database, "BU_", name, value) + ";" + kEnd;
    for (const DbcMessage& message : database.Messages)
        for (const auto& [name, value] : message.Attributes)
            out += "BA_ " + Quoted(name) + " BO_ " + std::to_string(message.RawId()) + " " +
                   Value(database, "BO_", name, value) + ";" + kEnd;
    for (const DbcMessage& message : database.Messages)
        for (const DbcSignal& signal : message.Signals)
            for (const auto& [name, value] : signal.Attributes)
                out += "BA_ " + Quoted(name) + " SG_ " + std::to_string(message.RawId()) + " " + signal.Name + " " +
                       Value(database, "SG_", name, value) + ";" + kEnd;
    out += kEnd;
    return out;
}

} // namespace zz
