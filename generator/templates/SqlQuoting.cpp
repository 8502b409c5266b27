#include "generator/templates/SqlQuoting.h"

#include <algorithm>

namespace tallix::SqlQuoting {

bool isControl(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029;
}

bool hasControl(QStringView name)
{
    return std::any_of(name.begin(), name.end(), isControl);
}

void appendLiteral(QString& out, QStringView name)
{
    for (const QChar c : name) {
        if (c == QLatin1Char('\'')) {
            out += QLatin1StringView("''");
        } else if (isControl(c)) {
            out += c.unicode() < 0x80 ? QLatin1StringView("' + CHAR(")
                                      : QLatin1StringView("' + NCHAR(");
            out += QString::number(c.unicode());
            out += QLatin1StringView(") + '");
        } else {
            out += c;
        }
    }
}

void appendBracketed(QString& out, QStringView name)
{
    for (const QChar c : name) {
        out += c;
        if (c == QLatin1Char(']'))
            out += c;
    }
}

void appendComment(QString& out, QStringView name)
{
    for (const QChar c : name)
        out += isControl(c) ? QLatin1Char('?') : c;
}

void appendAuditName(QString& out, QStringView name)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name[i] != QLatin1Char('\''))
            continue;
        appendLiteral(out, name.sliced(start, i - start));
        out += QLatin1StringView("&apos;");
        start = i + 1;
    }
    appendLiteral(out, name.sliced(start));
}

bool isRegularIdentifier(QStringView name)
{
    if (name.isEmpty() || !(name.front().isLetter() || name.front() == QLatin1Char('_')))
        return false;
    return std::all_of(name.begin() + 1, name.end(), [](QChar c) {
        return c.isLetter() || c.isDigit() || c == QLatin1Char('_') || c == QLatin1Char('@') ||
               c == QLatin1Char('$') || c == QLatin1Char('#');
    });
}

void appendObjectName(QString& out, QStringView name)
{
    if (isRegularIdentifier(name)) {
        out += name;
        return;
    }
    out += QLatin1Char('[');
    appendBracketed(out, name);
    out += QLatin1Char(']');
}

} // namespace tallix::SqlQuoting
