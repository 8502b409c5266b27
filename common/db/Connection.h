#pragma once

#include "common/db/ConnectionOptions.h"
#include "common/db/DbErrors.h"
#include "common/db/Provider.h"
#include "common/db/RowSink.h"

#include <memory>

namespace tallix {

// A database connection opened from the programs' connection string. The provider follows from
// the string: a Data Source that asks for a folder of SQLite databases (SqliteFolderOf) is the
// SQLite stand-in; anything else is a SQL Server reached through ODBC (SqlServerProvider).
// Every result is read completely and stays readable after Close.
class Connection {
public:
    enum class Kind { SqlServer, SQLite };

    Connection();
    explicit Connection(const QString& connectionString);
    // A connection over a provider of the caller's (tests, or a stand-in that fails on purpose).
    explicit Connection(std::unique_ptr<Provider> provider);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Setting the text closes an open connection first.
    void SetConnectionString(const QString& connectionString);
    const QString& ConnectionString() const { return m_connectionString; }

    // Fails with error 3001 for a text that is no key=value list, and with the provider's error
    // when the database cannot be opened.
    void Open();
    void Open(const QString& connectionString);
    void Close();
    bool IsOpen() const;

    // A static result of `sql`, at most `maxRecords` rows when that is above 0.
    Recordset OpenRecordset(const QString& sql, int maxRecords = 0);
    // The rows of `sql`, at most `maxRecords` when that is above 0, handed to `sink` as they are
    // read: memory stays flat however many rows the result has. Statements of the batch after the
    // first result do not run (as with OpenStream).
    void Stream(const QString& sql, int maxRecords, RowSink& sink);
    // A forward-only, read-only result of `sql` (reports).
    Recordset OpenForwardOnly(const QString& sql);
    // The rows of `sql` one at a time while the statement runs (reports over large results). The
    // stream must go before this connection closes; closing it ends the stream.
    std::unique_ptr<RowStream> OpenStream(const QString& sql);
    // Runs a batch; its results, if any, are dropped.
    void Execute(const QString& sql);
    // A schema rowset, without restrictions.
    Recordset OpenSchema(SchemaKind kind);

    // The text of a date-time as it goes between apostrophes in this connection's SQL:
    // 'yyyy-MM-ddTHH:mm:ss' on SQL Server, 'yyyy-MM-dd HH:mm:ss.zzz' on SQLite. Needs the
    // connection string, not an open connection.
    QString dateLiteral(const QDateTime& value) const;

    static Kind kindOf(const ConnectionOptions& options);

private:
    Provider& openProvider() const;
    std::unique_ptr<Provider> makeProvider() const;

    QString m_connectionString;
    std::unique_ptr<Provider> m_provider;
    bool m_injected = false;
};

} // namespace tallix
