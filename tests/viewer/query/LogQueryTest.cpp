#include "viewer/query/LogQuery.h"

#include "common/db/DbErrors.h"
#include "tests/common/db/AuditDatabase.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace tallix;
using namespace tallix::logquery;
using tallix::test::AuditDatabase;
using tallix::test::errorNumber;

namespace {

// The fixed head of the query, written out once by hand.
const QString kHead = QStringLiteral(
    "SELECT sl.LogID, sl.TransactionType, CONVERT(VARCHAR(32),sl.TransactionDate,21) as "
    "TransactionDate, sl.SourceTable, sl.Username, sl.Workstation, sl.Application, "
    "REPLACE(slk.KeyValues,CHAR(1),' | ') as KeyValues FROM Tallix sl, TallixKeys slk WHERE "
    "sl.KeyID = slk.KeyID");

// A SQL Server connection string: its dates are written in ISO 8601 whatever the locale.
const QString kServer = QStringLiteral(
    "Provider=SQLOLEDB.1;Persist Security Info=False;User ID=sa;Initial Catalog=pubs;"
    "Data Source=no-such-host.invalid;Application Name=TallixViewer");

QString query(const LogFilters& f)
{
    return SelectText(f, kServer);
}

QStringList column(Recordset rs, int field)
{
    QStringList out;
    for (rs.MoveFirst(); !rs.atEnd(); rs.MoveNext())
        out << rs.Field(field).toString();
    return out;
}

} // namespace

TEST(LogQueryText, WithoutFiltersHasOneBlankBeforeOrderBy)
{
    EXPECT_EQ(query({}), kHead + QStringLiteral(" ORDER BY TransactionDate DESC"));
}

TEST(LogQueryText, EachFilterAloneByteForByte)
{
    const QDateTime jan5(QDate(2001, 1, 5), QTime(9, 5, 0));
    struct Case {
        LogFilters filters;
        const char* condition;
    };
    const Case cases[] = {
        {{.table = QStringLiteral("Orders")}, "sl.SourceTable = 'Orders'"},
        {{.transactionType = QStringLiteral("Insert")}, "sl.TransactionType = 'I'"},
        {{.transactionType = QStringLiteral("Update")}, "sl.TransactionType = 'U'"},
        {{.transactionType = QStringLiteral("Delete")}, "sl.TransactionType = 'D'"},
        {{.user = QStringLiteral("O'Brien")}, "sl.Username = 'O''Brien'"},
        {{.application = QStringLiteral("Sales")}, "sl.Application = 'Sales'"},
        {{.workstation = QStringLiteral("WKS'1")}, "sl.Workstation = 'WKS''1'"},
        {{.from = jan5}, "sl.TransactionDate >= '2001-01-05T09:05:00'"},
        {{.to = jan5}, "sl.TransactionDate < '2001-01-06T09:05:00'"},
        {{.to = QDateTime(QDate(9999, 12, 30), QTime(12, 0))},
         "sl.TransactionDate < '9999-12-31T12:00:00'"},
        {{.before = jan5}, "sl.TransactionDate < '2001-01-05T09:05:00'"},
        // The key is matched literally in the text the list shows: LIKE's wildcards and its
        // bracket each go in brackets, nothing else is special.
        {{.keyContains = QStringLiteral("ID=1")},
         R"(REPLACE(slk.KeyValues,CHAR(1),' | ') like '%ID=1%')"},
        {{.keyContains = QStringLiteral("x' OR '1'='1")},
         R"(REPLACE(slk.KeyValues,CHAR(1),' | ') like '%x'' OR ''1''=''1%')"},
        {{.keyContains = QStringLiteral("50%_[a]^")},
         R"(REPLACE(slk.KeyValues,CHAR(1),' | ') like '%50[%][_][[]a]^%')"},
        {{.keyContains = QStringLiteral(R"(C:\x\%)")},
         R"(REPLACE(slk.KeyValues,CHAR(1),' | ') like '%C:\x\[%]%')"},
        {{.keyContains = QStringLiteral("stor_id=7131 | ord_num=ORD5317")},
         R"(REPLACE(slk.KeyValues,CHAR(1),' | ') like '%stor[_]id=7131 | ord[_]num=ORD5317%')"},
        {{.keyContains = QString(QStringLiteral("1")) + QChar(1) + QStringLiteral("Line")},
         R"(REPLACE(slk.KeyValues,CHAR(1),' | ') like '%1 | Line%')"},
        // Beyond ASCII a value is a Unicode literal, which the code page cannot turn into "?".
        {{.user = QStringLiteral("Ελένη")}, "sl.Username = N'Ελένη'"},
        {{.table = QStringLiteral("Bücher")}, "sl.SourceTable = N'Bücher'"},
        {{.workstation = QStringLiteral("Zoë's")}, "sl.Workstation = N'Zoë''s'"},
        {{.keyContains = QStringLiteral("κλειδί_1")},
         R"(REPLACE(slk.KeyValues,CHAR(1),' | ') like N'%κλειδί[_]1%')"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(query(c.filters), kHead + QStringLiteral(" AND ") +
                                        QString::fromUtf8(c.condition) +
                                        QStringLiteral("  ORDER BY TransactionDate DESC"))
            << c.condition;
    }
    // Any other type text filters nothing, nor a To date whose day after is past the server's
    // last date: every stored date is before it.
    EXPECT_EQ(query({.transactionType = QStringLiteral("insert")}),
              kHead + QStringLiteral(" ORDER BY TransactionDate DESC"));
    EXPECT_EQ(query({.to = QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59))}),
              kHead + QStringLiteral(" ORDER BY TransactionDate DESC"));
}

TEST(LogQueryText, AllFiltersInTheWindowsOrder)
{
    LogFilters f;
    f.table = QStringLiteral("Orders");
    f.transactionType = QStringLiteral("Update");
    f.user = QStringLiteral("O'Brien");
    f.application = QStringLiteral("Sales");
    f.workstation = QStringLiteral("WKS2");
    f.from = QDateTime(QDate(2001, 1, 5), QTime(9, 5, 0));
    f.to = QDateTime(QDate(2001, 1, 8), QTime(0, 0, 0));
    f.before = QDateTime(QDate(2001, 1, 8), QTime(18, 30, 0));
    f.keyContains = QStringLiteral("OrderID=1");
    EXPECT_EQ(
        query(f),
        QStringLiteral(
            "SELECT sl.LogID, sl.TransactionType, CONVERT(VARCHAR(32),sl.TransactionDate,21) as "
            "TransactionDate, sl.SourceTable, sl.Username, sl.Workstation, sl.Application, "
            "REPLACE(slk.KeyValues,CHAR(1),' | ') as KeyValues FROM Tallix sl, TallixKeys slk "
            "WHERE sl.KeyID = slk.KeyID AND sl.SourceTable = 'Orders' AND sl.TransactionType = "
            "'U' AND sl.Username = 'O''Brien' AND sl.Application = 'Sales' AND sl.Workstation = "
            "'WKS2' AND sl.TransactionDate >= '2001-01-05T09:05:00' AND sl.TransactionDate < "
            "'2001-01-09T00:00:00' AND sl.TransactionDate < '2001-01-08T18:30:00' AND "
            "REPLACE(slk.KeyValues,CHAR(1),' | ') like '%OrderID=1%'  ORDER BY "
            "TransactionDate DESC"));
}

TEST(LogQueryText, AddToWhereClauseJoinsOnlyNonEmptyParts)
{
    EXPECT_EQ(AddToWhereClause(QString(), QStringLiteral("a")), QStringLiteral("a"));
    EXPECT_EQ(AddToWhereClause(QStringLiteral("a"), QString()), QStringLiteral("a"));
    EXPECT_EQ(AddToWhereClause(QStringLiteral("a"), QStringLiteral("b")),
              QStringLiteral("a AND b"));
    EXPECT_EQ(AddToWhereClause(QString(), QString()), QString());
}

TEST(LogQueryText, DistinctListQueries)
{
    EXPECT_EQ(DistinctText(QStringLiteral("Username")),
              QStringLiteral("SELECT DISTINCT Username FROM Tallix ORDER BY Username"));
}

TEST(LogQueryText, ServerDateRangeAndLogIdSpellings)
{
    const std::pair<QDateTime, bool> moments[] = {
        {QDateTime(QDate(1753, 1, 1), QTime(0, 0)), true},
        {QDateTime(QDate(1752, 12, 31), QTime(23, 59, 59)), false},
        {QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59)), true},
        {QDateTime(QDate(9999, 12, 31), QTime(0, 0)).addDays(1), false},
        {QDateTime(), false},
    };
    for (const auto& [moment, inRange] : moments)
        EXPECT_EQ(InServerRange(moment), inRange) << qPrintable(moment.toString(Qt::ISODate));

    const QString id = QStringLiteral("{6F9619FF-8B86-D011-B42D-00C04FC964FF}");
    const std::pair<const char*, bool> spellings[] = {
        {"{6F9619FF-8B86-D011-B42D-00C04FC964FF}", true},
        {"6f9619ff-8b86-d011-b42d-00c04fc964ff", true},
        {"{6f9619ff-8B86-d011-B42D-00c04fc964ff}", true},
        {" 6F9619FF-8B86-D011-B42D-00C04FC964FF\n", true},
        {"{6F9619FF-8B86-D011-B42D-00C04FC964FF", false},
        {"6F9619FF-8B86-D011-B42D-00C04FC964FF}", false},
        {"6F9619FF8B86D011B42D00C04FC964FF", false},
        {"6F9619FF-8B86-D011-B42D-00C04FC964FG", false},
        {"6F9619FF-8B86-D011-B42D-00C04FC964FF0", false},
        {"' OR 1=1 --", false},
        {"", false},
    };
    for (const auto& [text, valid] : spellings) {
        const std::optional<QString> normal = LogIdText(QString::fromUtf8(text));
        EXPECT_EQ(normal.has_value(), valid) << text;
        EXPECT_EQ(normal.value_or(id), id) << text;
    }
}

TEST(LogQueryLimits, MaxRecordsTakesNumbersAndRefusesTheRest)
{
    EXPECT_EQ(MaxRecords(QStringLiteral("0")), 0);
    EXPECT_EQ(MaxRecords(QStringLiteral("5")), 5);
    EXPECT_EQ(MaxRecords(QStringLiteral("-3")), 0);
    EXPECT_EQ(errorNumber([] { MaxRecords(QString()); }), TypeMismatch);
    EXPECT_EQ(errorNumber([] { MaxRecords(QStringLiteral("5x")); }), TypeMismatch);
    EXPECT_EQ(errorNumber([] { MaxRecords(QStringLiteral("99999999999")); }), Overflow);
    EXPECT_EQ(errorNumber([] { MaxRecords(QStringLiteral("99999999999999999999999")); }), Overflow);
}

TEST(LogQueryLimits, FailureTexts)
{
    EXPECT_EQ(FailureText(dberror::noTable(QStringLiteral("no such table: Tallix"))),
              QStringLiteral("Tallix does not appear to be running/configured for this database."));
    EXPECT_EQ(FailureText(Error(TypeMismatch, QStringLiteral("Type mismatch"))),
              QStringLiteral("Error: Type mismatch"));
}

// The same texts against the SQLite audit database: the conditions select what they say.
class LogQueryRows : public ::testing::Test {
protected:
    QStringList ids(const LogFilters& f, int max = 0)
    {
        const QString cs = audit.connectionString();
        return column(FetchLog(cs, SelectText(f, cs), max), 0);
    }
    AuditDatabase audit;
};

TEST_F(LogQueryRows, FiltersNarrowTheRowsNewestFirst)
{
    EXPECT_EQ(ids({}), AuditDatabase::logIds({6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(ids({}, 2), AuditDatabase::logIds({6, 5}));
    EXPECT_EQ(ids({.table = QStringLiteral("Orders"), .user = QStringLiteral("bob")}),
              AuditDatabase::logIds({5, 2}));
    EXPECT_EQ(ids({.transactionType = QStringLiteral("Delete")}), AuditDatabase::logIds({5, 3}));
    EXPECT_EQ(ids({.application = QStringLiteral("Admin"), .workstation = QStringLiteral("WKS1")}),
              AuditDatabase::logIds({3}));
    // The From bound is the moment itself; the To bound reaches to one day after its value.
    EXPECT_EQ(ids({.from = QDateTime(QDate(2001, 1, 7), QTime(11, 30, 15, 250)),
                   .to = QDateTime(QDate(2001, 1, 8), QTime(12, 0, 1))}),
              AuditDatabase::logIds({5, 4, 3}));
    // Across the CHAR(1) between two key columns.
    EXPECT_EQ(
        ids({.keyContains = QString(QStringLiteral("1")) + QChar(1) + QStringLiteral("Line")}),
        AuditDatabase::logIds({6, 3}));
    EXPECT_EQ(ids({.from = QDateTime(QDate(2001, 1, 7), QTime(11, 30, 15, 251))}),
              AuditDatabase::logIds({6, 5, 4}));
    EXPECT_TRUE(ids({.user = QStringLiteral("O'Brien")}).isEmpty());
}

TEST_F(LogQueryRows, KeyValuesShowTheSeparatorAsABar)
{
    const QString cs = audit.connectionString();
    Recordset rs = FetchLog(
        cs,
        SelectText(QStringLiteral("sl.LogID = '") + AuditDatabase::logId(3) + QStringLiteral("'")),
        0);
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.FieldName(7), QStringLiteral("KeyValues"));
    EXPECT_EQ(rs.Field(7).toString(), QStringLiteral("OrderID=1 | LineNo=2"));
    EXPECT_EQ(rs.Field(2).toString(), QStringLiteral("2001-01-07 11:30:15.250"));
}

TEST_F(LogQueryRows, AMissingAuditTableIsNoTable)
{
    const QString cs = audit.connectionString(QStringLiteral("empty"));
    EXPECT_EQ(errorNumber([&] { FetchLog(cs, SelectText(QString()), 0); }), DB_E_NOTABLE);
    Connection c(cs);
    c.Open();
    EXPECT_EQ(errorNumber([&] { DistinctValues(c, QStringLiteral("Username")); }), DB_E_NOTABLE);
}

TEST_F(LogQueryRows, AnApostropheInAValueIsFoundAndChangesNothingElse)
{
    Connection c(audit.connectionString());
    c.Open();
    c.Execute(QStringLiteral("INSERT INTO Tallix VALUES ('%1', 'Orders', 'U', "
                             "'2001-01-11 00:00:00.000', 'O''Brien', 'WKS''9', 'Sales', '%2', "
                             "'<AUDIT></AUDIT>')")
                  .arg(AuditDatabase::logId(7), AuditDatabase::keyId(1)));
    c.Close();
    EXPECT_EQ(ids({.user = QStringLiteral("O'Brien")}), AuditDatabase::logIds({7}));
    EXPECT_EQ(ids({.workstation = QStringLiteral("WKS'9")}), AuditDatabase::logIds({7}));
    EXPECT_TRUE(ids({.user = QStringLiteral("x' OR '1'='1")}).isEmpty());
}

TEST_F(LogQueryRows, KeyContainsMatchesItsTextLiterallyAsTheListShowsIt)
{
    // Keys whose text a wildcard or a bracket would match wrongly, each with one audit row
    // numbered 10 and up.
    const char* const keys[] = {
        "Code=50%off", // 10
        "Code=50Xoff", // 11: matched by 50%off were % a wildcard
        "Code=7_31",   // 12
        "Code=7131",   // 13: matched by 7_31 were _ one
        "Code=[ab]",   // 14
        "Code=a",      // 15: matched by [ab] on SQL Server were [ a set
        "Path=C:\\x",  // 16
        "Note=a | b",  // 17: a bar of its own
    };
    Connection c(audit.connectionString());
    c.Open();
    int n = 10;
    for (const char* key : keys) {
        c.Execute(QStringLiteral("INSERT INTO TallixKeys VALUES ('%1', 'Codes', '%2')")
                      .arg(AuditDatabase::keyId(n), quoted(QString::fromUtf8(key))));
        c.Execute(QStringLiteral("INSERT INTO Tallix VALUES ('%1', 'Codes', 'U', "
                                 "'2002-01-01 00:00:%2.000', 'dave', 'W', 'A', '%3', '')")
                      .arg(AuditDatabase::logId(n))
                      .arg(n)
                      .arg(AuditDatabase::keyId(n)));
        ++n;
    }
    c.Close();
    const std::pair<const char*, QStringList> cases[] = {
        {"%", AuditDatabase::logIds({10})},
        {"50%off", AuditDatabase::logIds({10})},
        {"_", AuditDatabase::logIds({12})},
        {"7_31", AuditDatabase::logIds({12})},
        {"[ab]", AuditDatabase::logIds({14})},
        {"[", AuditDatabase::logIds({14})},
        {"\\", AuditDatabase::logIds({16})},
        {"C:\\x", AuditDatabase::logIds({16})},
        {"a | b", AuditDatabase::logIds({17})},
        // The list's form of a two-column key, as copied from it, and part of it.
        {"OrderID=1 | LineNo=2", AuditDatabase::logIds({6, 3})},
        {"1 | Line", AuditDatabase::logIds({6, 3})},
        {"OrderID=1 |", AuditDatabase::logIds({6, 3})},
        {"OrderID=1LineNo", {}},
        {"Code=", AuditDatabase::logIds({15, 14, 13, 12, 11, 10})},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ids({.keyContains = QString::fromUtf8(text)}), expected) << text;
}
