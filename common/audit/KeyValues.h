#pragma once

#include <QLatin1StringView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The key-values text that the triggers write into TallixKeys.KeyValues: the primary-key
// columns of a row as name=value pairs in column order, joined by CHAR(1). Neither names nor
// values are escaped.
namespace tallix::audit {

struct KeyPair {
    QString name;
    QString value;

    bool operator==(const KeyPair&) const = default;
};

struct KeyReading {
    QList<KeyPair> pairs; // the pairs read before any fault
    QString error;        // why the text is no list of pairs; empty when it is

    bool complete() const { return error.isEmpty(); }
};

// The separator of the pairs, and what stands between a pair's name and value.
inline constexpr char16_t kKeySeparator = 1;
inline constexpr char16_t kKeyAssignment = u'=';

// How lists show the separator: "OrderID=1 | LineNo=2".
inline constexpr QLatin1StringView kShownKeySeparator(" | ");

// The key-values text of pairs, as the key expression of the triggers builds it.
QString keyValuesText(const QList<KeyPair>& pairs);

// The separator as T-SQL writes it: "CHAR(1)".
QString keySeparatorExpression();

// The pieces of a key-values text between its separators, one separator at the very end dropped.
// Empty pieces are kept; the strict reader refuses them, a lenient one skips them.
QList<QStringView> keyPieces(QStringView text);

// A key-values text as lists show it: every separator written " | ".
QString shownKeyValues(QStringView text);

// The T-SQL expression that shows the key-values column `column` that way.
QString shownKeyValuesExpression(QStringView column);

// The pieces of a key text as lists show it.
QStringList splitShownKeyValues(QStringView shown);

// Splits a key-values text strictly: pieces between CHAR(1)s (one CHAR(1) at the very end is
// allowed), each a non-empty column name, "=" and the value (which may hold further "="). An
// empty text, an empty piece, a piece without "=" or without a name, or a column named twice
// (letter case ignored) is a fault.
KeyReading readKeyValues(QStringView text);

} // namespace tallix::audit
