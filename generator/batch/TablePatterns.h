#pragma once

#include <QList>
#include <QRegularExpression>
#include <QStringList>

namespace tallix {

// Which tables a command line chooses: shell-style patterns ("*", "?", "[...]") matched against
// "schema.table" without regard to letter case, as the server compares names by default. A
// pattern without a dot means the default schema, so "Orders" is dbo.Orders and "*" every table
// in dbo; "*.*" is every table. No include pattern chooses every table; an exclude pattern always
// wins.
class TablePatterns {
public:
    TablePatterns(const QStringList& includes, const QStringList& excludes);

    bool chosen(const QString& schema, const QString& table) const;

private:
    static QList<QRegularExpression> compiled(const QStringList& patterns);
    static bool anyMatches(const QList<QRegularExpression>& patterns, const QString& name);

    QList<QRegularExpression> m_includes;
    QList<QRegularExpression> m_excludes;
};

} // namespace tallix
