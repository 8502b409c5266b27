#include "common/db/Connection.h"
#include "common/db/DbErrors.h"
#include "common/db/sqlite/SqliteFunctions.h"
#include "common/settings/ConnectionString.h"
#include "tests/common/db/AuditDatabase.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <functional>
#include <gtest/gtest.h>

using namespace tallix;
using tallix::test::AuditDatabase;

namespace {

const char* const kTypesSchema = R"sql(
CREATE TABLE AllTypes (
    Id int identity NOT NULL,
    Flag bit NOT NULL,
    Tiny tinyint, Small smallint, Whole int, Big bigint,
    Dec decimal(10,2), Num numeric(12, 4), Cash money, Petty smallmoney,
    Approx float, Single real,
    Stamp datetime, Minute smalldatetime,
    Fixed char(10), Var varchar(20), Memo text, VarMax [varchar(max)],
    NFixed nchar(5), NVar nvarchar(4000), NMemo ntext, NVarMax "nvarchar(max)",
    Bin binary(8), VarBin varbinary(50), Picture image, VarBinMax varbinary(-1),
    Version timestamp NOT NULL,
    Guid uniqueidentifier,
    Other sql_variant,
    CONSTRAINT PK_AllTypes PRIMARY KEY (Id)
);
CREATE TABLE order_lines (
    OrderID int NOT NULL,
    LineNo smallint NOT NULL,
    Product varchar(40) NOT NULL DEFAULT ('none'),
    PRIMARY KEY (LineNo, OrderID)
);
CREATE TABLE Counter (Id INTEGER PRIMARY KEY AUTOINCREMENT, Label nvarchar(10));
CREATE TABLE Computed (a int NOT NULL, b int GENERATED ALWAYS AS (a * 2));
CREATE VIEW OrderView AS SELECT OrderID, Product FROM order_lines;
INSERT INTO Counter (Label) VALUES ('one');
)sql";

struct ColumnRow {
    const char* table;
    const char* column;
    int dataType;
    int flags;
    QVariant length, precision, scale, datetimePrecision;
    bool nullable;
};

const QVariant null;

QVariant field(const Recordset& rs, const char* name)
{
    return rs.Field(QString::fromLatin1(name));
}

// Every row as its named fields joined by '|'.
QStringList rowsOf(Recordset rs, std::initializer_list<const char*> names)
{
    QStringList out;
    for (rs.MoveFirst(); !rs.atEnd(); rs.MoveNext()) {
        QStringList cells;
        for (const char* n : names)
            cells << field(rs, n).toString();
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

class SqliteSchema : public ::testing::Test {
protected:
    void SetUp() override
    {
        audit.createCatalog(QStringLiteral("types"));
        db.Open(audit.connectionString(QStringLiteral("types")));
        db.Execute(QString::fromLatin1(kTypesSchema));
    }

    AuditDatabase audit;
    Connection db;
};

} // namespace

TEST_F(SqliteSchema, ColumnsReportTheServersNumbersForEveryType)
{
    // Hand-written from the SQL Server provider's numbers: flags are 16 fixed, 128 long,
    // 512 row version, 96 nullable, 8 writable.
    const ColumnRow expected[] = {
        {"AllTypes", "Id", 3, 16, null, 10, null, null, false},
        {"AllTypes", "Flag", 11, 24, null, null, null, null, false},
        {"AllTypes", "Tiny", 17, 120, null, 3, null, null, true},
        {"AllTypes", "Small", 2, 120, null, 5, null, null, true},
        {"AllTypes", "Whole", 3, 120, null, 10, null, null, true},
        {"AllTypes", "Big", 20, 120, null, 19, null, null, true},
        {"AllTypes", "Dec", 131, 120, null, 10, 2, null, true},
        {"AllTypes", "Num", 131, 120, null, 12, 4, null, true},
        {"AllTypes", "Cash", 6, 120, null, 19, null, null, true},
        {"AllTypes", "Petty", 6, 120, null, 10, null, null, true},
        {"AllTypes", "Approx", 5, 120, null, 15, null, null, true},
        {"AllTypes", "Single", 4, 120, null, 7, null, null, true},
        {"AllTypes", "Stamp", 135, 120, null, null, null, 3, true},
        {"AllTypes", "Minute", 135, 120, null, null, null, 0, true},
        {"AllTypes", "Fixed", 129, 120, 10, null, null, null, true},
        {"AllTypes", "Var", 129, 104, 20, null, null, null, true},
        {"AllTypes", "Memo", 129, 232, 2147483647, null, null, null, true},
        {"AllTypes", "VarMax", 129, 232, 2147483647, null, null, null, true},
        {"AllTypes", "NFixed", 130, 120, 5, null, null, null, true},
        {"AllTypes", "NVar", 130, 104, 4000, null, null, null, true},
        {"AllTypes", "NMemo", 130, 232, 1073741823, null, null, null, true},
        {"AllTypes", "NVarMax", 130, 232, 1073741823, null, null, null, true},
        {"AllTypes", "Bin", 128, 120, 8, null, null, null, true},
        {"AllTypes", "VarBin", 128, 104, 50, null, null, null, true},
        {"AllTypes", "Picture", 128, 232, 2147483647, null, null, null, true},
        {"AllTypes", "VarBinMax", 128, 232, 2147483647, null, null, null, true},
        {"AllTypes", "Version", 128, 528, 8, null, null, null, false},
        {"AllTypes", "Guid", 72, 120, null, null, null, null, true},
        {"AllTypes", "Other", 12, 104, null, null, null, null, true},
        {"Computed", "a", 3, 24, null, 10, null, null, false},
        {"Computed", "b", 3, 112, null, 10, null, null, true},
        {"Counter", "Id", 3, 16, null, 10, null, null, false},
        {"Counter", "Label", 130, 104, 10, null, null, null, true},
        {"order_lines", "OrderID", 3, 24, null, 10, null, null, false},
        {"order_lines", "LineNo", 2, 24, null, 5, null, null, false},
        {"order_lines", "Product", 129, 8, 40, null, null, null, false},
        {"OrderView", "OrderID", 3, 120, null, 10, null, null, true},
        {"OrderView", "Product", 129, 104, 40, null, null, null, true},
    };
    Recordset rs = db.OpenSchema(SchemaKind::Columns);
    ASSERT_EQ(rs.RecordCount(), static_cast<int>(std::size(expected)));
    int ordinal = 0;
    QString lastTable;
    for (const ColumnRow& e : expected) {
        SCOPED_TRACE(std::string(e.table) + "." + e.column);
        ordinal = lastTable == QLatin1String(e.table) ? ordinal + 1 : 1;
        lastTable = QLatin1String(e.table);
        EXPECT_EQ(field(rs, "TABLE_NAME").toString(), QLatin1String(e.table));
        EXPECT_EQ(field(rs, "COLUMN_NAME").toString(), QLatin1String(e.column));
        EXPECT_EQ(field(rs, "ORDINAL_POSITION").toInt(), ordinal);
        EXPECT_EQ(field(rs, "DATA_TYPE").toInt(), e.dataType);
        EXPECT_EQ(field(rs, "COLUMN_FLAGS").toInt(), e.flags);
        EXPECT_EQ(field(rs, "IS_NULLABLE").toBool(), e.nullable);
        EXPECT_EQ(field(rs, "CHARACTER_MAXIMUM_LENGTH"), e.length);
        EXPECT_EQ(field(rs, "NUMERIC_PRECISION"), e.precision);
        EXPECT_EQ(field(rs, "NUMERIC_SCALE"), e.scale);
        EXPECT_EQ(field(rs, "DATETIME_PRECISION"), e.datetimePrecision);
        rs.MoveNext();
    }
    // The column filter the generator uses, and the default of a column.
    rs.SetFilter(QStringLiteral("TABLE_NAME = 'order_lines' AND COLUMN_NAME = 'Product'"));
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_TRUE(field(rs, "COLUMN_HASDEFAULT").toBool());
    EXPECT_EQ(field(rs, "COLUMN_DEFAULT").toString(), QStringLiteral("'none'"));
    rs.SetFilter(QStringLiteral("TABLE_NAME = 'AllTypes' AND COLUMN_NAME = 'Id'"));
    EXPECT_FALSE(field(rs, "COLUMN_HASDEFAULT").toBool());
    EXPECT_FALSE(field(rs, "COLUMN_DEFAULT").isValid());
}

TEST_F(SqliteSchema, TablesAndKeysComeInNameAndKeyOrder)
{
    EXPECT_EQ(rowsOf(db.OpenSchema(SchemaKind::Tables), {"TABLE_NAME", "TABLE_TYPE"}),
              (QStringList{QStringLiteral("AllTypes|TABLE"), QStringLiteral("Computed|TABLE"),
                           QStringLiteral("Counter|TABLE"), QStringLiteral("order_lines|TABLE"),
                           QStringLiteral("OrderView|VIEW"),
                           QStringLiteral("sqlite_sequence|SYSTEM TABLE")}));
    Recordset keys = db.OpenSchema(SchemaKind::PrimaryKeys);
    EXPECT_EQ(rowsOf(keys, {"TABLE_NAME", "COLUMN_NAME", "ORDINAL"}),
              (QStringList{QStringLiteral("AllTypes|Id|1"), QStringLiteral("Counter|Id|1"),
                           QStringLiteral("order_lines|LineNo|1"),
                           QStringLiteral("order_lines|OrderID|2")}));
    Recordset copy = keys.Clone(); // the generator's test on a copy of the rowset
    copy.SetFilter(QStringLiteral("TABLE_NAME = 'order_lines'"));
    EXPECT_EQ(copy.RecordCount(), 2);
}

TEST_F(SqliteSchema, CatalogsAreTheFolderDatabasesAndUnknownOnesFail)
{
    audit.createCatalog(QStringLiteral("Zeta"));
    audit.createCatalog(QStringLiteral("beta"));
    QFile note(QDir(audit.folder()).filePath(QStringLiteral("readme.txt")));
    ASSERT_TRUE(note.open(QIODevice::WriteOnly));
    Connection master(audit.connectionString(QStringLiteral("master")));
    master.Open();
    EXPECT_EQ(rowsOf(master.OpenSchema(SchemaKind::Catalogs), {"CATALOG_NAME"}),
              (QStringList{QStringLiteral("audit"), QStringLiteral("beta"), QStringLiteral("empty"),
                           QStringLiteral("types"), QStringLiteral("Zeta")}));
    EXPECT_EQ(master.OpenSchema(SchemaKind::Tables).RecordCount(), 0) << "master holds no table";

    Connection upper(audit.connectionString(QStringLiteral("TYPES")));
    upper.Open();
    EXPECT_EQ(upper.OpenSchema(SchemaKind::Tables).RecordCount(), 6);

    Connection missing(
        audit.connectionString(QStringLiteral("nowhere"), QStringLiteral("TopSecret123")));
    try {
        missing.Open();
        FAIL() << "an unknown database must not open";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), DB_E_FAIL);
        EXPECT_TRUE(e.description().contains(QStringLiteral("nowhere")));
        EXPECT_FALSE(e.description().contains(QStringLiteral("TopSecret123")));
    }
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_FALSE(QFile::exists(QDir(audit.folder()).filePath(QStringLiteral("nowhere.db"))));
}

TEST(SqliteConnection, ProviderFollowsTheDataSourceAndClosedConnectionsFail)
{
    AuditDatabase audit;
    const QDateTime when(QDate(2001, 1, 5), QTime(13, 5, 7, 123));
    EXPECT_EQ(Connection(audit.connectionString()).dateLiteral(when),
              QStringLiteral("2001-01-05 13:05:07.123"));
    EXPECT_EQ(Connection(BuildConnectionString(QStringLiteral("PROD\\SQL1"), QStringLiteral("pubs"),
                                               {}, {}))
                  .dateLiteral(when),
              QStringLiteral("2001-01-05T13:05:07"));

    Connection closed(audit.connectionString());
    for (auto call : std::initializer_list<std::function<void()>>{
             [&] { closed.OpenRecordset(QStringLiteral("SELECT 1")); },
             [&] { closed.Execute(QStringLiteral("SELECT 1")); },
             [&] {
                 closed.OpenSchema(SchemaKind::Tables);
             }}) {
        try {
            call();
            ADD_FAILURE() << "a closed connection answered";
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), AdErrObjectClosed);
        }
    }
    EXPECT_THROW(Connection().Open(), Error);
    try {
        Connection(QStringLiteral("this is no connection string")).Open();
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), AdErrInvalidArgument);
    }
}

TEST(SqliteConnection, AnUnreachableServerNamesNoPassword)
{
    // Port 1 on this machine refuses at once; the ODBC driver's words come back scrubbed.
    Connection c(BuildConnectionString(QStringLiteral("127.0.0.1,1"), QStringLiteral("pubs"),
                                       QStringLiteral("sa"), QStringLiteral("TopSecret123")));
    try {
        c.Open();
        FAIL() << "nothing listens there";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), DB_E_FAIL);
        EXPECT_FALSE(e.description().isEmpty());
        EXPECT_FALSE(e.description().contains(QStringLiteral("TopSecret123")))
            << qPrintable(e.description());
    }
}

TEST(SqliteFunctions, RegisteredOnQtsOwnConnectionAndCallableThroughIt)
{
    {
        QSqlDatabase qt =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("functions-check"));
        qt.setDatabaseName(QStringLiteral(":memory:"));
        ASSERT_TRUE(qt.open());
        const QVariant handle = qt.driver()->handle();
        ASSERT_STREQ(handle.typeName(), "sqlite3*");
        ASSERT_TRUE(registerTsqlFunctions(*static_cast<sqlite3* const*>(handle.constData())));
        QSqlQuery q(qt);
        ASSERT_TRUE(q.exec(QStringLiteral(
            "SELECT CONVERT('int', ' 42 '), CONVERT('varchar(32)', '2001-01-05 09:05', 21)")));
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toLongLong(), 42);
        EXPECT_EQ(q.value(1).toString(), QStringLiteral("2001-01-05 09:05:00.000"));
        for (const char* bad :
             {"SELECT CONVERT('int', 'abc')", "SELECT CONVERT(1, 2)", "SELECT CONVERT('int')"})
            EXPECT_FALSE(q.exec(QString::fromLatin1(bad))) << bad;
    }
    QSqlDatabase::removeDatabase(QStringLiteral("functions-check"));
    EXPECT_FALSE(registerTsqlFunctions(nullptr));
}
