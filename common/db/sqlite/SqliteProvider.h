#pragma once

#include "common/base/Error.h"
#include "common/db/Provider.h"

#include <QStringList>

struct sqlite3;
struct sqlite3_stmt;

namespace tallix {

class SqliteRowStream;

// A folder of SQLite files standing in for a server: each "*.db" file is a database, listed as a
// catalog under its name without ".db". The catalog picks the file (letter case ignored when no
// file has the exact name). An empty catalog or "master" without a master.db file opens an empty
// in-memory database, as a server's master holds none of the programs' tables; any other unknown
// catalog fails to open.
//
// Columns are declared with SQL Server type names ("varchar(20)", "decimal(10,2)",
// "uniqueidentifier"); SQLite reads no "(max)", so such a type is declared quoted,
// [varchar(max)], or with the length -1. A column is an identity column when its declared type
// says IDENTITY ("int identity", "int identity(1,1)") or it is an INTEGER PRIMARY KEY
// AUTOINCREMENT; identity and primary-key columns count as NOT NULL. Date-times are stored as
// text 'yyyy-MM-dd HH:mm:ss.zzz', GUIDs as text '{XXXXXXXX-...}'. SQL texts pass through
// TsqlRewriter and may use CONVERT, CAST, GETDATE() and NEWID() with SQL Server's meaning.
class SqliteProvider : public Provider {
public:
    SqliteProvider(QString folder, QString catalog);
    ~SqliteProvider() override;

    void open() override;
    void close() override;
    bool isOpen() const override { return m_db != nullptr; }

    std::shared_ptr<RowSet> query(const QString& sql, int maxRecords) override;
    // Steps the first statement with a result row by row; statements before it run to their
    // end, statements after it are not run.
    std::unique_ptr<RowStream> stream(const QString& sql) override;
    void execute(const QString& sql) override;
    std::shared_ptr<RowSet> schema(SchemaKind kind) override;
    QString dateLiteral(const QDateTime& value) const override;

    // The database files of a folder as catalog names, in name order.
    static QStringList catalogNames(const QString& folder);

private:
    friend class SqliteRowStream;

    // The next statement of a batch at `tail`, past blanks and comments, owned by the caller;
    // null at the batch's end.
    sqlite3_stmt* prepareNext(const char*& tail, const char* end);
    std::shared_ptr<RowSet> run(const QString& sql, int maxRecords, bool wantRows);
    std::shared_ptr<RowSet> tables();
    std::shared_ptr<RowSet> columns(bool keysOnly);
    Error errorFromSqlite(const QString& context) const;

    QString m_folder;
    QString m_catalog;
    QString m_connectionName;
    QString m_openCatalog; // the catalog actually opened (empty for the in-memory one)
    sqlite3* m_db = nullptr;
    // Streams still stepping a statement: a connection closes only once they are finalized.
    QList<SqliteRowStream*> m_streams;
};

} // namespace tallix
