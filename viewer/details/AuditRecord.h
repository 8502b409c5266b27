#pragma once

#include <QString>
#include <optional>

namespace tallix {

class Connection;

// One audit row as the details and the restore statement need it.
struct AuditRecord {
    QString TransactionType; // "I", "U" or "D"
    QString SourceTable;
    QString KeyValues;
    QString Data;
    QString KeyID;
    QString TransactionDate; // style 21 text

    // The query that reads the audit row with this LogID. With Unicode audit tables Data is read
    // as ntext: an nvarchar(max) value of more than a few hundred characters comes back as NULL
    // through Qt's ODBC driver over FreeTDS, an ntext one whole.
    static QString query(const QString& logId, bool unicodeData = false);
    // The audit row, or nothing when no row has that LogID. Database errors are thrown.
    static std::optional<AuditRecord> read(Connection& connection, const QString& logId,
                                           bool unicodeData = false);
};

} // namespace tallix
