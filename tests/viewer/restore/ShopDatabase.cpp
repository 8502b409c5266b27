#include "tests/viewer/restore/ShopDatabase.h"

#include <QStringList>

namespace tallix::test {

ShopDatabase::ShopDatabase()
{
    Connection c(connectionString());
    c.Open();
    c.Execute(QStringLiteral(
        "DELETE FROM Tallix; DELETE FROM TallixKeys; DROP TABLE Orders; DROP TABLE OrderLines;"
        "CREATE TABLE authors (au_id varchar(11) NOT NULL PRIMARY KEY, au_lname varchar(40) NOT "
        "NULL, phone char(12) NOT NULL, contract bit NOT NULL);"
        "CREATE TABLE Orders (OrderID int identity NOT NULL PRIMARY KEY, Customer varchar(40) "
        "NOT NULL, Amount money NULL, OrderDate datetime NULL, Note nvarchar(100) NULL, Price "
        "decimal(9,2) NULL, Stamp smalldatetime NULL, Big bigint NULL);"
        "CREATE TABLE OrderLines (OrderID int NOT NULL, LineNo smallint NOT NULL, Product "
        "varchar(40) NULL, PRIMARY KEY (OrderID, LineNo));"
        "CREATE TABLE [Order Details] (OrderID int NOT NULL, ProductID int NOT NULL, Qty "
        "smallint NOT NULL, [Key] varchar(10) NULL, PRIMARY KEY (OrderID, ProductID));"
        "CREATE TABLE Counters (Id int NOT NULL PRIMARY KEY, Total int NULL);"));
    m_cache = SchemaCache::fromColumnsRowset(c.OpenSchema(SchemaKind::Columns));
}

QStringList ShopDatabase::snapshot()
{
    Connection c(connectionString());
    c.Open();
    QStringList rows;
    const char* const queries[] = {
        "SELECT * FROM authors ORDER BY au_id",
        "SELECT * FROM Orders ORDER BY OrderID",
        "SELECT * FROM OrderLines ORDER BY OrderID, LineNo",
        "SELECT * FROM [Order Details] ORDER BY OrderID, ProductID",
        "SELECT * FROM Counters ORDER BY Id",
    };
    for (const char* q : queries) {
        Recordset rs = c.OpenRecordset(QString::fromLatin1(q));
        for (; !rs.atEnd(); rs.MoveNext()) {
            QStringList values;
            for (int f = 0; f < rs.FieldCount(); ++f) {
                const QVariant v = rs.Field(f);
                values << (Recordset::isNull(v)
                               ? QStringLiteral("<null>")
                               : QStringLiteral("%1:%2").arg(QString::fromLatin1(v.typeName()),
                                                             v.toString()));
            }
            rows << QString::fromLatin1(q).section(QLatin1Char(' '), 3, 3) + QLatin1Char(' ') +
                        values.join(QLatin1Char('|'));
        }
    }
    return rows;
}

} // namespace tallix::test
