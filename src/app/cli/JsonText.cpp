#include "app/cli/JsonText.h"

inline namespace zz {

namespace {

using Json = nlohmann::ordered_json;

std::string Scalar(const Json& value)
{
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

void Write(std::string& out, const Json& value, int level, int openLevels, int indent)
{
    if (!value.is_structured()) {
        out += Scalar(value);
        return;
    }
    const bool object = value.is_object();
    out += object ? '{' : '[';
    if (value.empty()) {
        out += object ? '}' : ']';
        return;
    }
    const bool open = level < openLevels;
    const std::string inner = open ? std::string(static_cast<size_t>(indent * (level + 1)), ' ') : "";
    bool first = true;
    for (auto member = value.begin(); member != value.end(); ++member) {
        if (!first) out += open ? "," : ", ";
        first = false;
        if (open) out += '\n' + inner;
        if (object) out += Scalar(Json(member.key())) + ": ";
        Write(out, member.value(), level + 1, openLevels, indent);
    }
    if (open) out += '\n' + std::string(static_cast<size_t>(indent * level), ' ');
    out += object ? '}' : ']';
}

} // namespace

std::string JsonText(const nlohmann::ordered_json& document, int openLevels, int indent)
{
    std::string out;
    Write(out, document, 0, openLevels, indent);
    return out;
}

} // namespace zz
