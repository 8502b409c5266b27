#include "generator/batch/TablePatterns.h"

#include "common/audit/TableNames.h"

namespace tallix {

TablePatterns::TablePatterns(const QStringList& includes, const QStringList& excludes)
    : m_includes(compiled(includes))
    , m_excludes(compiled(excludes))
{}

namespace {

// The pattern as an anchored expression. Qt's own conversion treats "/" as a path separator that
// "*" does not cross; a table name is no path.
QString regularExpression(const QString& pattern)
{
    QString out = QStringLiteral("\\A(?:");
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'*') {
            out += QLatin1StringView(".*");
        } else if (c == u'?') {
            out += QLatin1Char('.');
        } else if (c == u'[') {
            // A set up to its "]" ("]" first counts as a member); "!" or "^" first negates it.
            qsizetype end = i + 1;
            if (end < pattern.size() && (pattern[end] == u'!' || pattern[end] == u'^'))
                ++end;
            if (end < pattern.size() && pattern[end] == u']')
                ++end;
            while (end < pattern.size() && pattern[end] != u']')
                ++end;
            if (end >= pattern.size()) {
                out += QLatin1StringView("\\[");
                continue;
            }
            QStringView set = QStringView(pattern).sliced(i + 1, end - i - 1);
            out += QLatin1Char('[');
            if (set.startsWith(u'!') || set.startsWith(u'^')) {
                out += QLatin1Char('^');
                set = set.sliced(1);
            }
            for (const QChar m : set) {
                if (m == u'-')
                    out += m;
                else
                    out += QRegularExpression::escape(QString(m));
            }
            out += QLatin1Char(']');
            i = end;
        } else {
            out += QRegularExpression::escape(QString(c));
        }
    }
    out += QLatin1StringView(")\\z");
    return out;
}

} // namespace

QList<QRegularExpression> TablePatterns::compiled(const QStringList& patterns)
{
    QList<QRegularExpression> out;
    for (QString pattern : patterns) {
        if (!pattern.contains(QLatin1Char('.')))
            pattern = QString(audit::kDefaultSchema) + QLatin1Char('.') + pattern;
        out << QRegularExpression(regularExpression(pattern),
                                  QRegularExpression::CaseInsensitiveOption);
    }
    return out;
}

bool TablePatterns::anyMatches(const QList<QRegularExpression>& patterns, const QString& name)
{
    for (const QRegularExpression& pattern : patterns) {
        if (pattern.match(name).hasMatch())
            return true;
    }
    return false;
}

bool TablePatterns::chosen(const QString& schema, const QString& table) const
{
    const QString name = audit::schemaOrDefault(schema) + QLatin1Char('.') + table;
    if (!m_includes.isEmpty() && !anyMatches(m_includes, name))
        return false;
    return !anyMatches(m_excludes, name);
}

} // namespace tallix
