#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace tallix {

// A LIKE pattern with SQL Server's meaning, for the SQLite stand-in: % any run of characters,
// _ any one, [abc], [a-c] one of a set, [^a-c] one not in it, and an escape character (when the
// LIKE has one) taking the next character as itself. A [ without its ] is itself. Letter case is
// ignored, as in SQL Server's default collations.
class TsqlLike {
public:
    explicit TsqlLike(const QString& pattern, std::optional<QChar> escape = std::nullopt);

    bool matches(const QString& text) const;

private:
    struct Element {
        enum Kind { Any, One, Set } kind = One;
        bool negated = false;
        QList<std::pair<QChar, QChar>> ranges{}; // case-folded, inclusive; none for _ and %
    };

    QList<Element> m_elements;
};

} // namespace tallix
