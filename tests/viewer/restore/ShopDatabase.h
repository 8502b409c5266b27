#pragma once

#include "common/db/Connection.h"
#include "tests/common/db/AuditDatabase.h"
#include "viewer/query/SchemaCache.h"

namespace tallix::test {

// The fixture's audit database with the fixture's own audit rows and tables replaced by four
// audited tables of every kind of key and name:
//   authors          au_id varchar(11) key, au_lname varchar(40), phone char(12), contract bit
//   Orders           OrderID int identity key, Customer varchar(40), Amount money,
//                    OrderDate datetime, Note nvarchar(100), Price decimal(9,2),
//                    Stamp smalldatetime, Big bigint
//   OrderLines       OrderID int + LineNo smallint key, Product varchar(40)
//   [Order Details]  OrderID int + ProductID int key, Qty smallint, [Key] varchar(10)
// and a table Counters (Id int NOT NULL key, not an identity).
class ShopDatabase {
public:
    ShopDatabase();

    QString connectionString() const { return m_folder.connectionString(); }
    QString folder() const { return m_folder.folder(); }
    const SchemaCache& cache() const { return m_cache; }

    // Every row of every table, ordered by key, one text per row.
    QStringList snapshot();

private:
    AuditDatabase m_folder;
    SchemaCache m_cache;
};

} // namespace tallix::test
