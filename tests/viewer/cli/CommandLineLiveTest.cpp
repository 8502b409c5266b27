// Against a live server, when TALLIX_TEST_MSSQL holds a connection string: the command line's
// filters and LogIDs mean on the server what they mean on SQLite, and the server's own failures
// are told apart from a missing audit table. A scratch database is dropped afterwards.

#include "common/db/Connection.h"
#include "common/db/DbErrors.h"
#include "tests/support/LiveServer.h"
#include "tests/support/TestSupport.h"
#include "viewer/cli/CommandLine.h"
#include "viewer/query/LogQuery.h"

#include <gtest/gtest.h>

using namespace tallix;
using tallix::test::LiveServer;
using tallix::test::s;
using tallix::test::ScratchDatabase;

namespace {

// The LogID of audit row n, with letters, as the server gives it back.
QString logId(int n)
{
    return QStringLiteral("{ABCDEF00-0000-0000-0000-%1}").arg(n, 12, 10, QLatin1Char('0'));
}

QStringList logIds(std::initializer_list<int> numbers)
{
    QStringList out;
    for (int n : numbers)
        out << logId(n);
    return out;
}

struct Result {
    int status;
    QString out, err;
};

} // namespace

TEST(ViewerCommandLineLive, FiltersLogIdsAndFailuresOnTheServer)
{
    const auto live = LiveServer::fromEnvironment();
    if (!live)
        GTEST_SKIP() << "TALLIX_TEST_MSSQL is not set";
    const ScratchDatabase database(*live, QStringLiteral("tlx_cli"));
    Connection db(database.connectionString());
    db.Open();
    db.Execute(s("CREATE TABLE TallixKeys (KeyID uniqueidentifier NOT NULL PRIMARY KEY, "
                 "SourceTable varchar(64) NOT NULL, KeyValues varchar(900) NOT NULL)"));
    db.Execute(s("CREATE TABLE Tallix (LogID uniqueidentifier NOT NULL PRIMARY KEY, SourceTable "
                 "varchar(64) NOT NULL, TransactionType char(1) NOT NULL, TransactionDate "
                 "datetime NOT NULL, Username varchar(64) NOT NULL, Workstation varchar(64) NOT "
                 "NULL, Application varchar(64) NOT NULL, KeyID uniqueidentifier NOT NULL, Data "
                 "text NOT NULL)"));
    db.Execute(s("CREATE TABLE Codes (Code varchar(20) NOT NULL PRIMARY KEY)"));
    // Keys that a wildcard or a bracket would match wrongly, and a key of two columns.
    const char* const keys[] = {
        "'Code=50%off'", "'Code=50Xoff'",
        "'Code=7_31'",   "'Code=7131'",
        "'Code=[ab]'",   "'Code=a'",
        "'Path=C:\\x'",  "'stor_id=7131' + CHAR(1) + 'ord_num=ORD5317'",
    };
    int n = 1;
    for (const char* key : keys) {
        const QString keyId =
            QStringLiteral("00000000-0000-0000-0000-%1").arg(n, 12, 10, QLatin1Char('0'));
        db.Execute(s("INSERT INTO TallixKeys VALUES ('%1', 'Codes', %2)").arg(keyId, s(key)));
        db.Execute(s("INSERT INTO Tallix VALUES ('%1', 'Codes', 'U', '2026-12-10T10:00:0%2', "
                     "'dave', 'W', 'A', '%3', '<AUDIT><COLUMN NAME=\"Code\" BEFORE=\"a\" "
                     "AFTER=\"b\"/></AUDIT>')")
                       .arg(logId(n))
                       .arg(n)
                       .arg(keyId));
        ++n;
    }

    const auto run = [&](const QStringList& arguments, const QString& name) {
        QString out, err;
        QTextStream o(&out), e(&err);
        const int status = cli::Run(
            arguments + QStringList{s("--server"), live->server, s("--login"), live->login,
                                    s("--password"), live->password, s("--database"), name},
            Servers(), o, e);
        o.flush();
        e.flush();
        return Result{status, out, err};
    };
    const auto ids = [&](const QStringList& filter) {
        const Result r = run(QStringList{s("--list")} + filter, database.name());
        EXPECT_EQ(r.status, 0) << qPrintable(r.err);
        QStringList found;
        for (const QString& line : r.out.split(s("\r\n"), Qt::SkipEmptyParts).mid(1))
            found << line.section(QLatin1Char(','), 0, 0);
        return found;
    };
    const std::pair<QStringList, QStringList> cases[] = {
        {{s("--key"), s("%")}, logIds({1})},
        {{s("--key"), s("50%off")}, logIds({1})},
        {{s("--key"), s("7_31")}, logIds({3})},
        {{s("--key"), s("[ab]")}, logIds({5})},
        {{s("--key"), s("C:\\x")}, logIds({7})},
        {{s("--key"), s("stor_id=7131 | ord_num=ORD5317")}, logIds({8})},
        {{s("--key"), s("7131 |")}, logIds({8})},
        // Row 3 is at 10:00:03: a time is that moment, a date the whole day.
        {{s("--to"), s("2026-12-10T10:00:03")}, logIds({2, 1})},
        {{s("--to"), s("2026-12-09")}, {}},
        {{s("--to"), s("2026-12-10"), s("--max"), s("2")}, logIds({8, 7})},
        {{s("--to"), s("9999-12-31"), s("--from"), s("2026-12-10T10:00:07")}, logIds({8, 7})},
    };
    for (const auto& [filter, expected] : cases)
        EXPECT_EQ(ids(filter), expected) << qPrintable(filter.join(QLatin1Char(' ')));

    for (const QString& id :
         {logId(4), logId(4).toLower(), logId(4).mid(1, 36).toLower(), logId(4).mid(1, 36)}) {
        const Result r = run({s("--details"), id}, database.name());
        EXPECT_EQ(r.status, 0) << qPrintable(id) << qPrintable(r.err);
        EXPECT_EQ(r.out, s("Field,Before Value,After Value,Current Value\r\nCode,a,b,\r\n"))
            << qPrintable(id);
    }

    const Result master = run({s("--list")}, s("master"));
    EXPECT_EQ(master.status, 1);
    EXPECT_EQ(
        master.err,
        s("tallixview: Tallix does not appear to be running/configured for this database.\n"));

    // A statement the server refuses for another reason is reported in its own words.
    try {
        db.Execute(s("INSERT INTO Codes VALUES ('x'); INSERT INTO Codes VALUES ('x')"));
        ADD_FAILURE() << "a duplicate key was taken";
    } catch (const Error& e) {
        EXPECT_NE(e.number(), DB_E_NOTABLE) << qPrintable(e.description());
        EXPECT_EQ(logquery::FailureText(e), s("Error: ") + e.description());
    }
    try {
        db.Execute(s("INSERT INTO Codes (Code, Missing) VALUES ('y', 1)"));
        ADD_FAILURE() << "a missing column was taken";
    } catch (const Error& e) {
        EXPECT_NE(e.number(), DB_E_NOTABLE) << qPrintable(e.description());
    }
    db.Close();
}
