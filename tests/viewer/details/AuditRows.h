#pragma once

#include "common/db/Connection.h"

#include <QString>
#include <QStringList>

namespace tallix::test {

// Writes audit rows into a database that holds the audit tables, as the triggers write them: the
// key row of TallixKeys when the key is new, then the Tallix row with its data text.
class AuditRows {
public:
    explicit AuditRows(Connection& connection)
        : m_connection(connection)
    {}

    // One COLUMN element; the texts go in as given (the caller writes "&apos;" where the
    // trigger's conversion of that column does).
    static QString column(const QString& name, const QString& before, const QString& after);
    // The data text: "<AUDIT>", the elements, "</AUDIT>".
    static QString data(const QStringList& columns);

    // Key values joined by CHAR(1), as the key expression builds them.
    static QString keyValues(const QStringList& pairs);

    // Adds one audit row with the LogID `logId` and returns it; the date is style 21 text.
    QString add(const QString& logId, const QString& table, const QString& type,
                const QString& date, const QString& keyValues, const QString& data);

private:
    QString keyIdFor(const QString& table, const QString& keyValues);

    Connection& m_connection;
    int m_keys = 0;
};

} // namespace tallix::test
