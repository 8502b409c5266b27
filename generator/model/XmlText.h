#pragma once

#include <QString>

namespace tallix {

// Pieces of the project text: every attribute is name="value" followed by one
// blank; values are written as held, unescaped; Booleans as True or False.
inline void appendAttribute(QString& out, QLatin1StringView name, const QString& value)
{
    out += name;
    out += QLatin1StringView("=\"");
    out += value;
    out += QLatin1StringView("\" ");
}

inline void appendAttribute(QString& out, QLatin1StringView name, bool value)
{
    appendAttribute(out, name, value ? QStringLiteral("True") : QStringLiteral("False"));
}

inline void appendAttribute(QString& out, QLatin1StringView name, long long value)
{
    appendAttribute(out, name, QString::number(value));
}

inline constexpr QLatin1StringView kCrLf("\r\n");

} // namespace tallix
