#pragma once
#include <QString>
#include <string>
#include <string_view>

inline namespace zz {

// Texts cross between the windows (QString) and the logic (UTF-8 std::string) here.
inline QString Q(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string S(const QString& text)
{
    return text.toStdString();
}

} // namespace zz
