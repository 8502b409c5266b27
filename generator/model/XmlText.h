#pragma once

#include <QString>

namespace tallix {

// A value inside the double quotes of an attribute: a double quote is written as
// "&quot;", a carriage return as "&#13;" and a line feed as "&#10;", so the value
// can neither end its attribute early nor be broken up when the file is read line
// by line. Every other character stands as it is. An ampersand that would read as
// one of these references, or as one behind any number of "amp;", gets one more
// "amp;", so each text reads back exactly; a text that holds no such reference is
// written, and read, as it stands.
void appendAttributeValue(QString& out, QStringView value);

// The value as written by appendAttributeValue, turned back.
QString readAttributeValue(const QString& raw);

// Pieces of the project text: every attribute is name="value" followed by one
// blank; Booleans are written as True or False.
inline void appendAttribute(QString& out, QLatin1StringView name, const QString& value)
{
    out += name;
    out += QLatin1StringView("=\"");
    appendAttributeValue(out, value);
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
