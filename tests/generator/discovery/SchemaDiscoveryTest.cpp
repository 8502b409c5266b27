#include "generator/discovery/SchemaDiscovery.h"

#include "common/db/Connection.h"
#include "generator/model/CTables.h"
#include "tests/common/db/AuditDatabase.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace tallix;
using tallix::test::AuditDatabase;
using tallix::test::RecordingMessages;

namespace {

// Every column type, composite keys (declared in another order than the columns), a view, the
// audit tables, keys just over and under the 900-character limit and awkward table names.
const char* const kShopSchema = R"sql(
CREATE TABLE AllTypes (
    Id int identity NOT NULL,
    Flag bit NOT NULL,
    Tiny tinyint, Small smallint, Whole int, Big bigint,
    Dec decimal(10,2), Num numeric(12, 4), Cash money, Petty smallmoney,
    Approx float, Single real,
    Stamp datetime, Minute smalldatetime,
    Fixed char(10), Var varchar(20), Long varchar(5000), Memo text, VarMax [varchar(max)],
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
    Product varchar(40) NOT NULL,
    PRIMARY KEY (LineNo, OrderID)
);
CREATE TABLE Tallix (LogID uniqueidentifier NOT NULL PRIMARY KEY, Data ntext);
CREATE TABLE TallixKeys (KeyID uniqueidentifier NOT NULL PRIMARY KEY, KeyValues varchar(900));
CREATE TABLE Codes906 (Code varchar(900) NOT NULL PRIMARY KEY, Label varchar(10));
CREATE TABLE Codes896 (Code varchar(890) NOT NULL PRIMARY KEY, Label varchar(10));
CREATE TABLE Pair899 (Code varchar(889) NOT NULL, Id int NOT NULL, PRIMARY KEY (Code, Id));
CREATE TABLE Pair900 (Code varchar(890) NOT NULL, Ab int NOT NULL, PRIMARY KEY (Code, Ab));
CREATE TABLE Pair901 (Code varchar(890) NOT NULL, Abc int NOT NULL, PRIMARY KEY (Code, Abc));
CREATE TABLE "O'Brien" ("Last'Name" varchar(30) NOT NULL PRIMARY KEY, Age int);
CREATE TABLE "Sales.2024" (Id int NOT NULL PRIMARY KEY, Amount money);
CREATE TABLE NoKey (Note varchar(10));
CREATE TABLE A2345678901234567890123456789012345678901234567890123456789012345 (Id int PRIMARY KEY);
CREATE TABLE A234567890123456789012345678901234567890123456789012345678901234 (Id int PRIMARY KEY);
CREATE VIEW OrderView AS SELECT OrderID, Product FROM order_lines;
)sql";

const QString kName65 =
    QStringLiteral("A2345678901234567890123456789012345678901234567890123456789012345");
const QString kName64 =
    QStringLiteral("A234567890123456789012345678901234567890123456789012345678901234");

// One column as name|type|size|precision|scale|nulls|key|identity|include.
QString describe(const CColumn& c)
{
    auto b = [](bool v) {
        return v ? QStringLiteral("1") : QStringLiteral("0");
    };
    return QStringList{c.ColumnName,
                       c.datatype,
                       QString::number(c.Size),
                       QString::number(c.NumericPrecision),
                       QString::number(c.NumericScale),
                       b(c.Nulls),
                       b(c.InPrimaryKey),
                       b(c.Identity),
                       b(c.Include)}
        .join(QLatin1Char('|'));
}

QStringList columnsOf(const CTable& table)
{
    QStringList out;
    for (const CColumn& c : table.Columns)
        out << describe(c);
    return out;
}

QStringList namesOf(const CTables& tables)
{
    QStringList out;
    for (const CTable& t : tables)
        out << t.TableName;
    return out;
}

class RecordingProgress : public IDiscoveryObserver {
public:
    void ShowProgress(int value) override { events << QStringLiteral("show %1").arg(value); }
    void SetProgress(int value) override { values << value; }
    void HideProgress() override { events << QStringLiteral("hide"); }
    void Warning(const QString& text) override { warnings << text; }
    QStringList events;
    QList<int> values;
    QStringList warnings;
};

class Discovery : public ::testing::Test {
protected:
    void SetUp() override
    {
        audit.createCatalog(QStringLiteral("shop"));
        Connection c(audit.connectionString(QStringLiteral("shop")));
        c.Open();
        c.Execute(QString::fromLatin1(kShopSchema));
    }

    // Loads as the window does, answering the question before a filled list is replaced with the
    // next of `answers`; a question nobody scripted fails the test.
    SchemaDiscovery::Result load(const QString& catalog = QStringLiteral("shop"))
    {
        SchemaDiscovery discovery(progress);
        discovery.setUnicodeKeys(unicodeKeys);
        const SchemaDiscovery::Result result =
            discovery.LoadTables(tables, audit.connectionString(catalog), [&](const QString& q) {
                questions << q;
                if (answers.isEmpty()) {
                    ADD_FAILURE() << "unexpected question: " << qPrintable(q);
                    return false;
                }
                return answers.takeFirst();
            });
        failure = discovery.Failure();
        return result;
    }

    AuditDatabase audit;
    RecordingMessages messages; // discovery itself shows nothing
    RecordingProgress progress;
    CTables tables;
    QList<bool> answers;
    QStringList questions;
    bool unicodeKeys = false;
    QString failure;
};

} // namespace

TEST_F(Discovery, ReadsUserTablesWithTheirColumnsAndKeys)
{
    ASSERT_EQ(load(), SchemaDiscovery::Result::Loaded);

    // Server order (name order, case ignored); no view, no audit table.
    EXPECT_EQ(namesOf(tables),
              (QStringList{kName64, kName65, QStringLiteral("AllTypes"), QStringLiteral("Codes896"),
                           QStringLiteral("Codes906"), QStringLiteral("NoKey"),
                           QStringLiteral("O'Brien"), QStringLiteral("order_lines"),
                           QStringLiteral("Pair899"), QStringLiteral("Pair900"),
                           QStringLiteral("Pair901"), QStringLiteral("Sales.2024")}));
    EXPECT_TRUE(tables.IsDirty);

    EXPECT_EQ(columnsOf(tables.Item(QStringLiteral("AllTypes"))),
              (QStringList{
                  QStringLiteral("Id|int|0|10|0|0|1|0|1"),
                  QStringLiteral("Flag|bit|0|0|0|0|0|0|1"),
                  QStringLiteral("Tiny|tinyint|0|3|0|1|0|0|1"),
                  QStringLiteral("Small|smallint|0|5|0|1|0|0|1"),
                  QStringLiteral("Whole|int|0|10|0|1|0|0|1"),
                  QStringLiteral("Big|numeric|0|19|0|1|0|0|1"),
                  QStringLiteral("Dec|decimal|0|10|2|1|0|0|1"),
                  QStringLiteral("Num|decimal|0|12|4|1|0|0|1"),
                  QStringLiteral("Cash|money|0|19|0|1|0|0|1"),
                  QStringLiteral("Petty|smallmoney|0|10|0|1|0|0|1"),
                  QStringLiteral("Approx|float|0|15|0|1|0|0|1"),
                  QStringLiteral("Single|real|0|7|0|1|0|0|1"),
                  QStringLiteral("Stamp|datetime|0|0|0|1|0|0|1"),
                  QStringLiteral("Minute|smalldatetime|0|0|0|1|0|0|1"),
                  QStringLiteral("Fixed|char|10|0|0|1|0|0|1"),
                  QStringLiteral("Var|varchar|20|0|0|1|0|0|1"),
                  QStringLiteral("Long|text|5000|0|0|1|0|0|0"),
                  QStringLiteral("Memo|text|2147483647|0|0|1|0|0|0"),
                  QStringLiteral("VarMax|text|2147483647|0|0|1|0|0|0"),
                  QStringLiteral("NFixed|nchar|5|0|0|1|0|0|1"),
                  QStringLiteral("NVar|nvarchar|4000|0|0|1|0|0|1"),
                  QStringLiteral("NMemo|ntext|1073741823|0|0|1|0|0|0"),
                  QStringLiteral("NVarMax|ntext|1073741823|0|0|1|0|0|0"),
                  QStringLiteral("Bin|binary|8|0|0|1|0|0|0"),
                  QStringLiteral("VarBin|varbinary|50|0|0|1|0|0|0"),
                  QStringLiteral("Picture|image|2147483647|0|0|1|0|0|0"),
                  QStringLiteral("VarBinMax|image|2147483647|0|0|1|0|0|0"),
                  QStringLiteral("Version|timestamp|8|0|0|0|0|0|1"),
                  QStringLiteral("Guid|uniqueidentifier|0|0|0|1|0|0|1"),
                  QStringLiteral("Other||0|0|0|1|0|0|1"),
              }));
    // Both key columns are found, whatever the key's own order.
    EXPECT_EQ(columnsOf(tables.Item(QStringLiteral("order_lines"))),
              (QStringList{QStringLiteral("OrderID|int|0|10|0|0|1|0|1"),
                           QStringLiteral("LineNo|smallint|0|5|0|0|1|0|1"),
                           QStringLiteral("Product|varchar|40|0|0|0|0|0|1")}));
    // Apostrophes in table and column names need no care.
    EXPECT_EQ(columnsOf(tables.Item(QStringLiteral("O'Brien"))),
              (QStringList{QStringLiteral("Last'Name|varchar|30|0|0|0|1|0|1"),
                           QStringLiteral("Age|int|0|10|0|1|0|0|1")}));
    EXPECT_EQ(columnsOf(tables.Item(QStringLiteral("Sales.2024"))),
              (QStringList{QStringLiteral("Id|int|0|10|0|0|1|0|1"),
                           QStringLiteral("Amount|money|0|19|0|1|0|0|1")}));
    EXPECT_FALSE(tables.Item(QStringLiteral("NoKey")).HasPrimaryKey());
    for (const CTable& t : tables)
        EXPECT_FALSE(t.Insert || t.Update || t.Delete) << qPrintable(t.TableName);
}

TEST_F(Discovery, MarksKeysOver900AndNamesOver64AsLargeKeys)
{
    ASSERT_EQ(load(), SchemaDiscovery::Result::Loaded);
    // "Code" 4 + 900 + 2 = 906; 4 + 890 + 2 = 896; an int key adds its name's length + 2 only.
    QStringList large;
    for (const CTable& t : tables)
        if (t.LargeKey)
            large << t.TableName;
    EXPECT_EQ(large, (QStringList{kName65, QStringLiteral("Codes906"), QStringLiteral("Pair901")}));
    const QString keyMessage =
        QStringLiteral("The size of the key is > 900 characters, this table can not be audited!");
    EXPECT_EQ(progress.warnings,
              (QStringList{QStringLiteral("The name of the table ") + kName65 +
                               QStringLiteral(" is longer than 64 characters, this table can "
                                              "not be audited!"),
                           keyMessage, keyMessage}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Discovery, UnicodeKeysAreMeasuredAgainst450Characters)
{
    unicodeKeys = true;
    ASSERT_EQ(load(), SchemaDiscovery::Result::Loaded);
    QStringList large;
    for (const CTable& t : tables)
        if (t.LargeKey)
            large << t.TableName;
    EXPECT_EQ(large, (QStringList{kName65, QStringLiteral("Codes896"), QStringLiteral("Codes906"),
                                  QStringLiteral("Pair899"), QStringLiteral("Pair900"),
                                  QStringLiteral("Pair901")}));
    EXPECT_EQ(progress.warnings.count(QStringLiteral(
                  "The size of the key is > 450 characters, this table can not be audited!")),
              5);
}

TEST_F(Discovery, ProgressRunsToAHundredOverEveryTableRow)
{
    ASSERT_EQ(load(), SchemaDiscovery::Result::Loaded);
    // 12 tables, a view and the two audit tables: 15 rows, each counted.
    ASSERT_EQ(progress.values.size(), 16);
    EXPECT_EQ(progress.values.first(), 7);
    EXPECT_EQ(progress.values.at(7), 53);
    EXPECT_EQ(progress.values.at(14), 100);
    EXPECT_EQ(progress.events, (QStringList{QStringLiteral("show 0"), QStringLiteral("hide")}));
}

TEST_F(Discovery, AsksBeforeDiscardingAndKeepsTheListOnNo)
{
    // An empty list is replaced without a question.
    EXPECT_EQ(load(), SchemaDiscovery::Result::Loaded);
    EXPECT_TRUE(questions.isEmpty());
    tables = CTables();
    tables.Add(QStringLiteral("Earlier"));
    tables.IsDirty = false;
    answers << false;
    EXPECT_EQ(load(), SchemaDiscovery::Result::Declined);
    EXPECT_EQ(namesOf(tables), QStringList{QStringLiteral("Earlier")});
    EXPECT_FALSE(tables.IsDirty);
    EXPECT_EQ(questions,
              QStringList{QStringLiteral("Do you want to discard the current table list?")});
    EXPECT_TRUE(failure.isEmpty());

    answers << true;
    EXPECT_EQ(load(), SchemaDiscovery::Result::Loaded);
    EXPECT_FALSE(tables.DoesKeyExist(QStringLiteral("Earlier")));
    EXPECT_EQ(tables.Count(), 12);
}

TEST_F(Discovery, AListReplacedByAnEmptyOneIsStillAChangeToSave)
{
    Connection c(audit.connectionString());
    c.Open();
    c.Execute(QStringLiteral("DROP TABLE Orders; DROP TABLE OrderLines;"));
    c.Close();
    tables.Add(QStringLiteral("Earlier"));
    answers << true;
    ASSERT_EQ(load(QStringLiteral("audit")), SchemaDiscovery::Result::Loaded);
    EXPECT_EQ(tables.Count(), 0);
    EXPECT_TRUE(tables.IsDirty);
}

TEST_F(Discovery, OnlyAuditTablesGiveAnEmptyList)
{
    // The fixture's audit database: Tallix, TallixKeys and two audited tables.
    Connection c(audit.connectionString());
    c.Open();
    c.Execute(QStringLiteral("DROP TABLE Orders; DROP TABLE OrderLines;"
                             "CREATE VIEW Recent AS SELECT * FROM Tallix;"));
    c.Close();
    ASSERT_EQ(load(QStringLiteral("audit")), SchemaDiscovery::Result::Loaded);
    EXPECT_EQ(tables.Count(), 0);
    EXPECT_FALSE(tables.IsDirty);
    EXPECT_TRUE(progress.warnings.empty());
}

TEST_F(Discovery, AFailureToConnectIsReturnedAndKeepsTheEarlierList)
{
    tables.Add(QStringLiteral("Earlier")).Insert = true;
    answers << true;
    EXPECT_EQ(load(QStringLiteral("missing")), SchemaDiscovery::Result::Failed);
    EXPECT_EQ(namesOf(tables), QStringList{QStringLiteral("Earlier")});
    EXPECT_TRUE(tables.Item(1).Insert);
    EXPECT_FALSE(tables.IsDirty);
    EXPECT_TRUE(failure.startsWith(QStringLiteral("Error (LoadTables) - "))) << qPrintable(failure);
    EXPECT_GT(failure.size(), 21) << "the description follows";
    EXPECT_TRUE(messages.shown.empty());

    // The next load that works forgets the failure.
    answers << true;
    EXPECT_EQ(load(), SchemaDiscovery::Result::Loaded);
    EXPECT_TRUE(failure.isEmpty());
}

TEST(DiscoveryFromRowsets, AFailureMidwayKeepsTheTablesReadSoFar)
{
    // Names that differ in letter case only (a case-sensitive database) cannot be two tables of
    // the list.
    const Recordset tablesRowset(schema::tables({
        {QString(), QStringLiteral("dbo"), QStringLiteral("Alpha"), QStringLiteral("TABLE")},
        {QString(), QStringLiteral("dbo"), QStringLiteral("Beta"), QStringLiteral("TABLE")},
        {QString(), QStringLiteral("sales"), QStringLiteral("Beta"), QStringLiteral("TABLE")},
        {QString(), QStringLiteral("sales"), QStringLiteral("BETA"), QStringLiteral("TABLE")},
        {QString(), QStringLiteral("dbo"), QStringLiteral("Gamma"), QStringLiteral("TABLE")},
    }));
    const Recordset columns(schema::columns({
        {QString(), QStringLiteral("dbo"), QStringLiteral("Beta"), QStringLiteral("Id"), 1,
         QVariant(), false, false, false, SqlType::parse(QStringLiteral("int"))},
        {QString(), QStringLiteral("sales"), QStringLiteral("Beta"), QStringLiteral("Region"), 1,
         QVariant(), true, false, false, SqlType::parse(QStringLiteral("varchar(8)"))},
    }));
    const Recordset keys(schema::primaryKeys({
        {QString(), QStringLiteral("dbo"), QStringLiteral("Beta"), QStringLiteral("Id"), 1,
         QVariant()},
    }));
    RecordingMessages messages;
    IDiscoveryObserver quiet;
    CTables tables;
    EXPECT_EQ(tallix::test::errorNumber(
                  [&] { SchemaDiscovery(quiet).Discover(tables, tablesRowset, columns, keys); }),
              Error::DuplicateKey);
    // The rowset is sorted by name, then schema: sales.Beta is the one that fails.
    EXPECT_EQ(namesOf(tables), (QStringList{QStringLiteral("Alpha"), QStringLiteral("BETA"),
                                            QStringLiteral("Beta")}));
    // Columns and keys belong to the table of their own schema.
    EXPECT_EQ(columnsOf(tables.Item(2)), QStringList());
    EXPECT_EQ(tables.Item(3).Schema, QString());
    EXPECT_EQ(columnsOf(tables.Item(3)), QStringList{QStringLiteral("Id|int|0|10|0|0|1|0|1")});
}

TEST(DiscoveryFromRowsets, KeyNamesInOtherLetterCaseStillMarkTheirColumns)
{
    // Some servers report key names in lower case; an exact name wins where one exists.
    const auto column = [](const char* table, const char* name, int ordinal) {
        return ColumnEntry{QString(),
                           QStringLiteral("dbo"),
                           QLatin1String(table),
                           QLatin1String(name),
                           ordinal,
                           QVariant(),
                           false,
                           false,
                           false,
                           SqlType::parse(QStringLiteral("int"))};
    };
    const Recordset tablesRowset(schema::tables({
        {QString(), QStringLiteral("dbo"), QStringLiteral("Orders"), QStringLiteral("TABLE")},
        {QString(), QStringLiteral("dbo"), QStringLiteral("Pairs"), QStringLiteral("TABLE")},
    }));
    const Recordset columns(
        schema::columns({column("Orders", "OrderID", 1), column("Orders", "Total", 2),
                         column("Pairs", "Id", 1), column("Pairs", "ID", 2)}));
    const Recordset keys(schema::primaryKeys({
        {QString(), QStringLiteral("dbo"), QStringLiteral("orders"), QStringLiteral("orderid"), 1,
         QVariant()},
        {QString(), QStringLiteral("dbo"), QStringLiteral("Pairs"), QStringLiteral("ID"), 1,
         QVariant()},
    }));
    IDiscoveryObserver quiet;
    CTables tables;
    SchemaDiscovery(quiet).Discover(tables, tablesRowset, columns, keys);
    EXPECT_EQ(columnsOf(tables.Item(QStringLiteral("Orders"))),
              (QStringList{QStringLiteral("OrderID|int|0|10|0|0|1|0|1"),
                           QStringLiteral("Total|int|0|10|0|0|0|0|1")}));
    EXPECT_EQ(columnsOf(tables.Item(QStringLiteral("Pairs"))),
              (QStringList{QStringLiteral("Id|int|0|10|0|0|0|0|1"),
                           QStringLiteral("ID|int|0|10|0|0|1|0|1")}));
}

TEST(DiscoveryFromRowsets, TablesKeepTheirSchemaAndOneNameLoadsOncePerSchema)
{
    const auto column = [](const char* schema, const char* table, const char* name) {
        return ColumnEntry{QString(),
                           QLatin1String(schema),
                           QLatin1String(table),
                           QLatin1String(name),
                           1,
                           QVariant(),
                           false,
                           false,
                           false,
                           SqlType::parse(QStringLiteral("int"))};
    };
    const QString long60(60, u'x');
    const Recordset tablesRowset(schema::tables({
        {QString(), u"dbo"_qs, u"Orders"_qs, u"TABLE"_qs},
        {QString(), u"sales"_qs, u"Orders"_qs, u"TABLE"_qs},
        {QString(), u"dbo"_qs, u"Tallix"_qs, u"TABLE"_qs},
        {QString(), u"sales"_qs, u"Tallix"_qs, u"TABLE"_qs},
        {QString(), u"sales"_qs, long60, u"TABLE"_qs},
    }));
    const Recordset columns(
        schema::columns({column("dbo", "Orders", "A"), column("sales", "Orders", "B"),
                         column("sales", "Tallix", "C")}));
    const Recordset keys(schema::primaryKeys({
        {QString(), u"sales"_qs, u"Orders"_qs, u"B"_qs, 1, QVariant()},
    }));
    RecordingProgress observer;
    CTables tables;
    SchemaDiscovery(observer).Discover(tables, tablesRowset, columns, keys);
    QStringList shown;
    for (const CTable& t : tables)
        shown << t.QualifiedName() + u' ' + columnsOf(t).join(u',') + u' ' +
                     (t.LargeKey ? u"large"_qs : u"ok"_qs);
    EXPECT_EQ(shown, (QStringList{u"Orders A|int|0|10|0|0|0|0|1 ok"_qs,
                                  u"sales.Orders B|int|0|10|0|0|1|0|1 ok"_qs,
                                  u"sales.Tallix C|int|0|10|0|0|0|0|1 ok"_qs,
                                  u"sales."_qs + long60 + u"  large"_qs}));
    EXPECT_EQ(observer.warnings,
              QStringList{u"The name of the table sales."_qs + long60 +
                          u" is longer than 64 characters, this table can not be audited!"_qs});
}
