#pragma once

#include "common/base/Error.h"

#include <QList>
#include <QString>
#include <utility>

namespace tallix {

// The key=value; list of a connection string. Keys ignore letter case and surrounding blanks;
// a later key replaces an earlier one. A value may be put in double or single quotes (a doubled
// quote stands for one). A piece without "=" continues the value before it, so that a server name
// holding a semicolon, which the connection string carries unescaped, arrives whole.
class ConnectionOptions {
public:
    ConnectionOptions() = default;

    // Fails with error 3001 for a text that is not such a list; the message names no value.
    static ConnectionOptions parse(const QString& text);

    bool contains(const QString& key) const;
    // The value, or an empty text when the key is absent.
    QString value(const QString& key) const;
    // The keys as first written, with their values, in order.
    const QList<std::pair<QString, QString>>& entries() const { return m_entries; }

    // The password under either of its key names.
    QString password() const;

    // `text` with every password this list holds, and every Password=/PWD= assignment, masked:
    // for messages that may quote a connection string or a driver's words.
    QString scrub(const QString& text) const;

    static bool isPasswordKey(const QString& key);

private:
    void set(const QString& key, const QString& value);
    qsizetype indexOf(const QString& key) const;

    QList<std::pair<QString, QString>> m_entries;
};

} // namespace tallix
