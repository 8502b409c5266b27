#include "common/db/ConnectionOptions.h"

#include "common/db/DbErrors.h"

#include <QRegularExpression>

namespace tallix {

namespace {

QString normalizedKey(const QString& key)
{
    return key.simplified().toCaseFolded();
}

Error badString(const QString& why)
{
    return dberror::invalidArgument(QStringLiteral("The connection string is not valid: ") + why);
}

// Shorter passwords are masked only where they are assigned: masking every occurrence of one or
// two characters would garble the message without protecting anything.
constexpr qsizetype kMaskedLiteralLength = 3;

} // namespace

bool ConnectionOptions::isPasswordKey(const QString& key)
{
    const QString k = normalizedKey(key);
    return k == QLatin1String("password") || k == QLatin1String("pwd");
}

ConnectionOptions ConnectionOptions::parse(const QString& text)
{
    ConnectionOptions options;
    const qsizetype n = text.size();
    qsizetype i = 0;
    bool lastWasQuoted = false;
    QString lastKey;
    while (i < n) {
        // One piece: up to the next ';' outside quotes.
        const qsizetype start = i;
        const qsizetype eq = [&] {
            for (qsizetype j = i; j < n && text[j] != QLatin1Char(';'); ++j) {
                if (text[j] == QLatin1Char('='))
                    return j;
            }
            return qsizetype(-1);
        }();
        if (eq < 0) {
            qsizetype end = text.indexOf(QLatin1Char(';'), i);
            if (end < 0)
                end = n;
            const QString piece = text.mid(start, end - start);
            if (!piece.trimmed().isEmpty()) {
                if (lastKey.isEmpty() || lastWasQuoted)
                    throw badString(QStringLiteral("a part has no \"=\"."));
                options.set(lastKey, options.value(lastKey) + QLatin1Char(';') + piece.trimmed());
            }
            i = end + 1;
            continue;
        }
        const QString key = text.mid(start, eq - start).simplified();
        if (key.isEmpty())
            throw badString(QStringLiteral("a value has no key."));
        i = eq + 1;
        while (i < n && text[i].isSpace() && text[i] != QLatin1Char(';'))
            ++i;
        QString value;
        lastWasQuoted = false;
        if (i < n && (text[i] == QLatin1Char('"') || text[i] == QLatin1Char('\''))) {
            const QChar quote = text[i++];
            bool closed = false;
            while (i < n) {
                if (text[i] == quote) {
                    if (i + 1 < n && text[i + 1] == quote) {
                        value += quote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                value += text[i++];
            }
            if (!closed)
                throw badString(QStringLiteral("a quoted value is not closed (key %1).").arg(key));
            while (i < n && text[i].isSpace())
                ++i;
            if (i < n && text[i] != QLatin1Char(';'))
                throw badString(QStringLiteral("text follows a quoted value (key %1).").arg(key));
            ++i;
            lastWasQuoted = true;
        } else {
            qsizetype end = text.indexOf(QLatin1Char(';'), i);
            if (end < 0)
                end = n;
            value = text.mid(i, end - i).trimmed();
            i = end + 1;
        }
        options.set(key, value);
        lastKey = key;
    }
    return options;
}

qsizetype ConnectionOptions::indexOf(const QString& key) const
{
    const QString k = normalizedKey(key);
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (normalizedKey(m_entries[i].first) == k)
            return i;
    }
    return -1;
}

void ConnectionOptions::set(const QString& key, const QString& value)
{
    const qsizetype i = indexOf(key);
    if (i >= 0)
        m_entries[i].second = value;
    else
        m_entries.append({key, value});
}

bool ConnectionOptions::contains(const QString& key) const
{
    return indexOf(key) >= 0;
}

QString ConnectionOptions::value(const QString& key) const
{
    const qsizetype i = indexOf(key);
    return i >= 0 ? m_entries[i].second : QString();
}

QString ConnectionOptions::password() const
{
    const qsizetype i = indexOf(QStringLiteral("Password"));
    return i >= 0 ? m_entries[i].second : value(QStringLiteral("PWD"));
}

QString ConnectionOptions::scrub(const QString& text) const
{
    static const QRegularExpression assignment(
        QStringLiteral(
            "\\b(Password|PWD)(\\s*=\\s*)(\\{(?:[^}]|\\}\\})*\\}|\"[^\"]*\"|'[^']*'|[^;]*)"),
        QRegularExpression::CaseInsensitiveOption);
    QString out = text;
    out.replace(assignment, QStringLiteral("\\1\\2***"));
    for (const auto& [key, value] : m_entries) {
        if (isPasswordKey(key) && value.size() >= kMaskedLiteralLength)
            out.replace(value, QStringLiteral("***"));
    }
    return out;
}

} // namespace tallix
