#pragma once

#include "common/db/Connection.h"
#include "generator/model/CTable.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QVariant>

namespace tallix::demo {

// One row of an audited table: column name -> value as the SQLite provider holds it (text,
// whole number, double; NULL invalid).
using Row = QHash<QString, QVariant>;

// Who runs a statement: the connection's login, host and application name.
struct Session {
    QString login;       // SYSTEM_USER
    QString workstation; // HOST_NAME()
    QString appName;     // APP_NAME(); may carry "<<user>>" for a middle tier
};

// Writes the rows that the generated triggers write into Tallix and TallixKeys, for changes made
// to a SQLite copy of an audited database, in exactly the triggers' text format: the key-values
// text of the key terms and the <AUDIT> data of the value expressions, both converted as the
// server converts each type class.
class AuditRecorder {
public:
    AuditRecorder(Connection& db, bool middleTier);

    // The rows one INSERT, UPDATE or DELETE statement changed, at one moment (getdate() is taken
    // once per statement). Update rows pair by position; a changed key is recorded as an insert of
    // the new key and a delete of the old one, the missing side as NULL.
    void inserted(const CTable& table, const QList<Row>& rows, const Session& who,
                  const QDateTime& when);
    void deleted(const CTable& table, const QList<Row>& rows, const Session& who,
                 const QDateTime& when);
    void updated(const CTable& table, const QList<Row>& before, const QList<Row>& after,
                 const Session& who, const QDateTime& when);

    int rowsWritten() const { return m_rows; }

    // The text of a value as the key term converts it (NULL stays NULL).
    static QVariant keyTerm(const CColumn& column, const QVariant& value);
    // The text of a value as the value expression records it: "NULL" for NULL, apostrophes of
    // guid and character columns as &apos;.
    static QString valueText(const CColumn& column, const QVariant& value);
    // The key-values text: name=value of every key column, joined by CHAR(1).
    static QString keyValues(const CTable& table, const Row& row);
    // The <AUDIT> text of one row. A missing side is the empty text, or NULL with `absentIsNull`.
    static QString auditData(const CTable& table, const Row* before, const Row* after,
                             bool absentIsNull);
    // The user and application the trigger's user section takes from a session.
    static std::pair<QString, QString> userAndApplication(const Session& who, bool middleTier);

private:
    void write(const CTable& table, QChar type, const Row& keyRow, const QString& data,
               const Session& who, const QDateTime& when);
    QString keyIdOf(const QString& table, const QString& keyValues);

    Connection& m_db;
    bool m_middleTier;
    QHash<QString, QString> m_keyIds; // table + CHAR(2) + key values -> KeyID
    int m_rows = 0;
};

// A text as a T-SQL literal (SqlQuoting::literal).
QString sqlText(const QString& text);

} // namespace tallix::demo
