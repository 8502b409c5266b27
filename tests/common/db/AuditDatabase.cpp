#include "tests/common/db/AuditDatabase.h"

#include "common/audit/AuditData.h"
#include "common/audit/KeyValues.h"
#include "common/audit/SqlQuoting.h"
#include "common/settings/ConnectionString.h"

#include <QFile>
#include <gtest/gtest.h>

namespace tallix::test {

namespace {

// The two audit tables, column for column, in SQLite with SQL Server type names.
const char* const kAuditSchema = R"sql(
CREATE TABLE TallixKeys
(
    KeyID       uniqueidentifier   NOT NULL CONSTRAINT DF_TallixKeys_ID_1 DEFAULT (newid()),
    SourceTable varchar(64)        NOT NULL,
    KeyValues   varchar(900)       NOT NULL,
    CONSTRAINT PK_TallixKeys PRIMARY KEY (KeyID)
);
CREATE INDEX IX_TallixKeys ON TallixKeys (KeyValues);
CREATE TABLE Tallix
(
    LogID           uniqueidentifier   NOT NULL CONSTRAINT DF_Tallix_ID_1 DEFAULT (newid()),
    SourceTable     varchar(64)        NOT NULL,
    TransactionType char(1)            NOT NULL,
    TransactionDate datetime           NOT NULL
                    CONSTRAINT DF_Tallix_TransactionDate_1 DEFAULT (getdate()),
    Username        varchar(64)        NOT NULL,
    Workstation     varchar(64)        NOT NULL,
    Application     varchar(64)        NOT NULL,
    KeyID           uniqueidentifier   NOT NULL,
    Data            text               NOT NULL,
    CONSTRAINT PK_Tallix PRIMARY KEY (LogID),
    CONSTRAINT FK_Tallix_TallixKeys FOREIGN KEY (KeyID) REFERENCES TallixKeys (KeyID)
);
CREATE TABLE Orders
(
    OrderID   int identity NOT NULL PRIMARY KEY,
    Customer  varchar(40)  NOT NULL,
    Amount    money        NULL,
    Shipped   bit          NOT NULL,
    OrderDate datetime     NULL,
    Guid      uniqueidentifier NULL
);
CREATE TABLE OrderLines
(
    OrderID int         NOT NULL,
    LineNo  smallint    NOT NULL,
    Product varchar(40) NULL,
    PRIMARY KEY (OrderID, LineNo)
);
)sql";

} // namespace

QString AuditDatabase::logId(int n)
{
    return QStringLiteral("{11111111-0000-0000-0000-%1}").arg(n, 12, 10, QLatin1Char('0'));
}

QStringList AuditDatabase::logIds(std::initializer_list<int> numbers)
{
    QStringList out;
    for (int n : numbers)
        out << logId(n);
    return out;
}

QString AuditDatabase::keyId(int n)
{
    return QStringLiteral("{22222222-0000-0000-0000-%1}").arg(n, 12, 10, QLatin1Char('0'));
}

void AuditDatabase::createCatalog(const QString& catalog) const
{
    QFile f(m_dir.filePath(catalog + QStringLiteral(".db")));
    if (!f.open(QIODevice::WriteOnly))
        ADD_FAILURE() << "cannot create " << qPrintable(f.fileName());
}

QString AuditDatabase::connectionString(const QString& catalog, const QString& password) const
{
    return BuildConnectionString(m_dir.path(), catalog,
                                 password.isEmpty() ? QString() : QStringLiteral("sa"), password);
}

AuditDatabase::AuditDatabase()
{
    createCatalog(QStringLiteral("audit"));
    createCatalog(QStringLiteral("empty"));
    Connection c(connectionString());
    c.Open();
    c.Execute(QString::fromLatin1(kAuditSchema));
    c.Execute(QStringLiteral("INSERT INTO TallixKeys VALUES ('%1', 'Orders', 'OrderID=1');"
                             "INSERT INTO TallixKeys VALUES ('%2', 'Orders', 'OrderID=2');"
                             "INSERT INTO TallixKeys VALUES ('%3', 'OrderLines', %4);")
                  .arg(keyId(1), keyId(2), keyId(3),
                       SqlQuoting::literal(audit::keyValuesText(
                           {{QStringLiteral("OrderID"), QStringLiteral("1")},
                            {QStringLiteral("LineNo"), QStringLiteral("2")}}))));
    // LogID, table, type, date, user, workstation, application, KeyID.
    const char* const rows[][8] = {
        {"1", "Orders", "I", "2001-01-05 09:05:00.000", "alice", "WKS1", "Sales", "1"},
        {"2", "Orders", "U", "2001-01-06 10:00:00.000", "bob", "WKS2", "Sales", "1"},
        {"3", "OrderLines", "D", "2001-01-07 11:30:15.250", "alice", "WKS1", "Admin", "3"},
        {"4", "Orders", "U", "2001-01-08 08:00:00.000", "carol", "WKS3", "Admin", "2"},
        {"5", "Orders", "D", "2001-01-09 12:00:00.000", "bob", "WKS2", "Sales", "2"},
        {"6", "OrderLines", "I", "2001-01-10 00:00:00.000", "alice", "WKS1", "Sales", "3"},
    };
    const QString data =
        SqlQuoting::literal(audit::dataText({audit::columnElement(u"Customer", u"", u"Acme")}));
    for (const auto& r : rows) {
        QString sql = QStringLiteral(
            "INSERT INTO Tallix VALUES ('%1', '%2', '%3', '%4', '%5', '%6', '%7', '%8', %9)");
        sql = sql.arg(logId(QByteArray(r[0]).toInt()));
        for (int i = 1; i < 7; ++i)
            sql = sql.arg(QLatin1String(r[i]));
        c.Execute(sql.arg(keyId(QByteArray(r[7]).toInt()), data));
    }
    c.Execute(QStringLiteral(
        "INSERT INTO Orders VALUES (1, 'Acme', 10.25, 1, '2001-01-05 09:05:00.000', NULL);"
        "INSERT INTO Orders VALUES (2, '', NULL, 0, NULL, "
        "'{6F9619FF-8B86-D011-B42D-00C04FC964FF}');"
        "INSERT INTO Orders VALUES (3, 'Third', 3, 0, NULL, NULL);"
        "INSERT INTO OrderLines VALUES (1, 2, 'Widget');"));
}

} // namespace tallix::test
