#pragma once

#include "common/base/Error.h"
#include "common/db/ConnectionOptions.h"
#include "common/db/Provider.h"

class QSqlError;

namespace tallix {

class SqlServerRowStream;

// SQL Server through Qt's ODBC driver, unixODBC and FreeTDS. The connection string is translated
// by OdbcConnectionString; the schema rowsets come from the server's catalogue (SqlServerCatalog).
// GUID values arrive as "{...}" text, bit values as booleans.
class SqlServerProvider : public Provider {
public:
    explicit SqlServerProvider(ConnectionOptions options);
    ~SqlServerProvider() override;

    void open() override;
    void close() override;
    bool isOpen() const override { return !m_connectionName.isEmpty(); }

    std::shared_ptr<RowSet> query(const QString& sql, int maxRecords) override;
    // The first result set of `sql`, fetched row by row from the server.
    std::unique_ptr<RowStream> stream(const QString& sql) override;
    void execute(const QString& sql) override;
    std::shared_ptr<RowSet> schema(SchemaKind kind) override;
    QString dateLiteral(const QDateTime& value) const override;

    static QString isoDateLiteral(const QDateTime& value);

private:
    friend class SqlServerRowStream;

    Error statementError(const QSqlError& error) const;

    ConnectionOptions m_options;
    QString m_connectionName;
    // Streams still reading a result: their queries go before the connection closes.
    QList<SqlServerRowStream*> m_streams;
};

} // namespace tallix
