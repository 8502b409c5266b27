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

    // The query that reads the audit row with this LogID.
    static QString query(const QString& logId);
    // The audit row, or nothing when no row has that LogID. Database errors are thrown.
    static std::optional<AuditRecord> read(Connection& connection, const QString& logId);
};

} // namespace tallix
