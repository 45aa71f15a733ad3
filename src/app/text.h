#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace muxcc {

// The configuration keeps 8-bit text; the windows show it one character per byte.
inline QString toQString(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string toStdString(const QString& text)
{
    return text.toLatin1().toStdString();
}

} // namespace muxcc
