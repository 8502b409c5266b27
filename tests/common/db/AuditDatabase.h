#pragma once

#include "common/db/Connection.h"

#include <QStringList>
#include <QTemporaryDir>
#include <initializer_list>

namespace tallix::test {

// A folder of SQLite databases in a temporary directory: "audit" holds the audit tables laid out
// as the generator's script creates them (in SQL Server type names) with six audit rows over two
// audited tables, Orders (key OrderID) and OrderLines (key OrderID, LineNo); "empty" holds no
// table at all.
class AuditDatabase {
public:
    AuditDatabase();

    QString folder() const { return m_dir.path(); }
    // The programs' connection string for one of the databases.
    QString connectionString(const QString& catalog = QStringLiteral("audit"),
                             const QString& password = QString()) const;
    // Creates an empty database file named `catalog`.db.
    void createCatalog(const QString& catalog) const;

    static QString logId(int n); // "{11111111-0000-0000-0000-00000000000n}"
    static QStringList logIds(std::initializer_list<int> numbers); // logId of each, in order
    static QString keyId(int n); // "{22222222-0000-0000-0000-00000000000n}"

private:
    QTemporaryDir m_dir;
};

} // namespace tallix::test
