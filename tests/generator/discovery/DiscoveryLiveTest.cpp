#include "common/db/Connection.h"
#include "generator/discovery/SchemaDiscovery.h"
#include "generator/driver/ScriptDriver.h"
#include "generator/project/Project.h"
#include "tests/support/TestSupport.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace tallix;
using tallix::test::RecordingMessages;

namespace {

// Against a real server, when TALLIX_TEST_MSSQL holds an ODBC connection string: a scratch
// database with tables of every type, a composite key, a view and the audit tables.
const char* const kScratch = "tallix_discovery_live";

const char* const kTables = R"sql(
CREATE TABLE AllTypes (
    Id int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    Flag bit NOT NULL, Tiny tinyint NULL, Small smallint NULL, Whole int NULL, Big bigint NULL,
    Dec decimal(10,2) NULL, Num numeric(12,4) NULL, Cash money NULL, Petty smallmoney NULL,
    Approx float NULL, Single real NULL, Stamp datetime NULL, Minute smalldatetime NULL,
    Fixed char(10) NULL, Var varchar(20) NULL, Memo text NULL, VarMax varchar(max) NULL,
    NFixed nchar(5) NULL, NVar nvarchar(40) NULL, NMemo ntext NULL, NVarMax nvarchar(max) NULL,
    Bin binary(8) NULL, VarBin varbinary(50) NULL, Picture image NULL, VarBinMax varbinary(max) NULL,
    Guid uniqueidentifier NULL)
CREATE TABLE OrderLines (OrderID int NOT NULL, LineNum smallint NOT NULL, Qty int NULL,
    CONSTRAINT PK_OrderLines PRIMARY KEY (OrderID, LineNum))
CREATE TABLE Tallix (LogID uniqueidentifier NOT NULL PRIMARY KEY, Data ntext NULL)
CREATE TABLE TallixKeys (KeyID uniqueidentifier NOT NULL PRIMARY KEY, KeyValues varchar(900) NULL)
)sql";

QString withDatabase(QString connectionString, const QString& database)
{
    static const QRegularExpression db(QStringLiteral("(DATABASE|Initial Catalog)=[^;]*"),
                                       QRegularExpression::CaseInsensitiveOption);
    if (connectionString.contains(db))
        return connectionString.replace(db, QStringLiteral("DATABASE=") + database);
    return connectionString + QStringLiteral(";DATABASE=") + database;
}

class DiscoveryLive : public ::testing::Test {
protected:
    // One database per test, so that tests running side by side never share one.
    static QString scratchName()
    {
        return QLatin1String(kScratch) + QLatin1Char('_') +
               QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name())
                   .toLower()
                   .left(8);
    }
    void SetUp() override
    {
        server = qEnvironmentVariable("TALLIX_TEST_MSSQL");
        if (server.isEmpty())
            GTEST_SKIP() << "TALLIX_TEST_MSSQL is not set";
        dropScratch();
        Connection master(server);
        master.Open();
        master.Execute(QStringLiteral("CREATE DATABASE %1").arg(scratchName()));
        scratch = withDatabase(server, scratchName());
        Connection db(scratch);
        db.Open();
        db.Execute(QString::fromLatin1(kTables));
        db.Execute(
            QStringLiteral("CREATE VIEW BigLines AS SELECT * FROM OrderLines WHERE Qty > 10"));
    }
    void TearDown() override
    {
        if (!server.isEmpty())
            dropScratch();
    }
    void dropScratch()
    {
        Connection master(server);
        master.Open();
        master.Execute(
            QStringLiteral("IF DB_ID('%1') IS NOT NULL DROP DATABASE %1").arg(scratchName()));
    }
    // Runs a script batch by batch, as a query tool does at each GO line.
    static void runScript(Connection& db, const QString& script)
    {
        QString batch;
        for (const QString& line : script.split(QStringLiteral("\r\n"))) {
            if (line.trimmed().compare(QLatin1String("GO"), Qt::CaseInsensitive) == 0) {
                if (!batch.trimmed().isEmpty())
                    db.Execute(batch);
                batch.clear();
            } else {
                batch += line + QLatin1Char('\n');
            }
        }
        if (!batch.trimmed().isEmpty())
            db.Execute(batch);
    }

    QString server, scratch;
    RecordingMessages messages;
    IDiscoveryObserver quiet;
};

bool alwaysReplace(const QString&)
{
    return true;
}

QString describe(const CColumn& c)
{
    return QStringLiteral("%1|%2|%3|%4")
        .arg(c.ColumnName, c.datatype)
        .arg(c.InPrimaryKey)
        .arg(c.Include);
}

} // namespace

TEST_F(DiscoveryLive, ReadsTablesTypesAndKeysButNoViewOrAuditTable)
{
    CTables tables;
    SchemaDiscovery discovery(quiet);
    ASSERT_EQ(discovery.LoadTables(tables, scratch, alwaysReplace), SchemaDiscovery::Result::Loaded)
        << qPrintable(discovery.Failure());
    QStringList names;
    for (const CTable& t : tables)
        names << t.TableName;
    EXPECT_EQ(names, (QStringList{QStringLiteral("AllTypes"), QStringLiteral("OrderLines")}));

    QStringList columns;
    for (const CColumn& c : tables.Item(QStringLiteral("AllTypes")).Columns)
        columns << describe(c);
    EXPECT_EQ(columns, (QStringList{
                           QStringLiteral("Id|int|1|1"),
                           QStringLiteral("Flag|bit|0|1"),
                           QStringLiteral("Tiny|tinyint|0|1"),
                           QStringLiteral("Small|smallint|0|1"),
                           QStringLiteral("Whole|int|0|1"),
                           QStringLiteral("Big|numeric|0|1"),
                           QStringLiteral("Dec|decimal|0|1"),
                           QStringLiteral("Num|decimal|0|1"),
                           QStringLiteral("Cash|money|0|1"),
                           QStringLiteral("Petty|smallmoney|0|1"),
                           QStringLiteral("Approx|float|0|1"),
                           QStringLiteral("Single|real|0|1"),
                           QStringLiteral("Stamp|datetime|0|1"),
                           QStringLiteral("Minute|smalldatetime|0|1"),
                           QStringLiteral("Fixed|char|0|1"),
                           QStringLiteral("Var|varchar|0|1"),
                           QStringLiteral("Memo|text|0|0"),
                           QStringLiteral("VarMax|text|0|0"),
                           QStringLiteral("NFixed|nchar|0|1"),
                           QStringLiteral("NVar|nvarchar|0|1"),
                           QStringLiteral("NMemo|ntext|0|0"),
                           QStringLiteral("NVarMax|ntext|0|0"),
                           QStringLiteral("Bin|binary|0|0"),
                           QStringLiteral("VarBin|varbinary|0|0"),
                           QStringLiteral("Picture|image|0|0"),
                           QStringLiteral("VarBinMax|image|0|0"),
                           QStringLiteral("Guid|uniqueidentifier|0|1"),
                       }));
    const CTable& lines = tables.Item(QStringLiteral("OrderLines"));
    EXPECT_TRUE(lines.Columns.Item(1).InPrimaryKey);
    EXPECT_TRUE(lines.Columns.Item(2).InPrimaryKey);
    EXPECT_FALSE(lines.Columns.Item(3).InPrimaryKey);
}

TEST_F(DiscoveryLive, ScriptForAwkwardTableNamesRunsAndRecordsChanges)
{
    Connection db(scratch);
    db.Open();
    db.Execute(QStringLiteral("CREATE TABLE [O'Brien] (Id int NOT NULL PRIMARY KEY, "
                              "Name varchar(30) NULL)\n"
                              "CREATE TABLE [Sales.2024] (Id int NOT NULL PRIMARY KEY, "
                              "Amount money NULL)"));
    // The plain audit tables of the fixture are replaced by the script's own.
    db.Execute(QStringLiteral("DROP TABLE Tallix\nDROP TABLE TallixKeys"));

    Project project;
    project.setDB(scratchName());
    ASSERT_EQ(SchemaDiscovery(quiet).LoadTables(project.Tables(), scratch, alwaysReplace),
              SchemaDiscovery::Result::Loaded);
    for (const char* name : {"O'Brien", "Sales.2024"}) {
        CTable& t = project.Tables().Item(QLatin1String(name));
        t.Insert = t.Update = t.Delete = true;
    }
    IScriptObserver silent;
    ScriptDriver driver(silent);
    const QString script = driver.GenerateScript(project);
    ASSERT_FALSE(script.isEmpty()) << qPrintable(driver.Failures().join(u'\n'));
    runScript(db, script);

    db.Execute(QStringLiteral("INSERT INTO [O'Brien] (Id, Name) VALUES (1, 'Pat')\n"
                              "UPDATE [O'Brien] SET Name = 'Kim' WHERE Id = 1\n"
                              "DELETE FROM [O'Brien] WHERE Id = 1\n"
                              "INSERT INTO [Sales.2024] (Id, Amount) VALUES (7, 12.5)"));
    Recordset rows = db.OpenRecordset(QStringLiteral(
        "SELECT SourceTable, TransactionType FROM Tallix ORDER BY SourceTable, TransactionType"));
    QStringList recorded;
    for (rows.MoveFirst(); !rows.atEnd(); rows.MoveNext())
        recorded << rows.Field(0).toString() + QLatin1Char('|') + rows.Field(1).toString();
    EXPECT_EQ(recorded, (QStringList{QStringLiteral("O'Brien|D"), QStringLiteral("O'Brien|I"),
                                     QStringLiteral("O'Brien|U"), QStringLiteral("Sales.2024|I")}));
}
