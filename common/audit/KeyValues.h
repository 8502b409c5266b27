#pragma once

#include <QList>
#include <QString>
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

// The separator of the pairs.
inline constexpr char16_t kKeySeparator = 1;

// Splits a key-values text strictly: pieces between CHAR(1)s (one CHAR(1) at the very end is
// allowed), each a non-empty column name, "=" and the value (which may hold further "="). An
// empty text, an empty piece, a piece without "=" or without a name, or a column named twice
// (letter case ignored) is a fault.
KeyReading readKeyValues(QStringView text);

} // namespace tallix::audit
