#include "viewer/cli/CommandLine.h"

#include "common/settings/ConnectionString.h"
#include "tests/common/db/AuditDatabase.h"
#include "tests/support/TestSupport.h"
#include "tests/viewer/details/AuditRows.h"
#include "viewer/cli/Csv.h"
#include "viewer/query/LogQuery.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace tallix;
using namespace tallix::cli;
using tallix::test::AuditDatabase;
using tallix::test::AuditRows;
using tallix::test::s;

namespace {

struct Result {
    int status;
    QString out;
    QString err;
};

Result run(const QStringList& arguments, const Servers& servers = Servers())
{
    QString out;
    QString err;
    QTextStream o(&out);
    QTextStream e(&err);
    const int status = Run(arguments, servers, o, e);
    o.flush();
    e.flush();
    return {status, out, err};
}

// What a command-line mistake prints on standard error.
QString usage(const QString& text)
{
    return s("tallixview: ") + text + s("\nTry 'tallixview --help'.\n");
}

// The header of --list.
const char* const kHeader =
    "LogID,TransactionType,TransactionDate,SourceTable,Username,Workstation,Application,"
    "KeyValues\r\n";

} // namespace

TEST(ViewerCsv, QuotesOnlyWhatRfc4180Requires)
{
    EXPECT_EQ(csvField(QStringLiteral("plain text")), QStringLiteral("plain text"));
    EXPECT_EQ(csvField(QStringLiteral("a,b")), QStringLiteral("\"a,b\""));
    EXPECT_EQ(csvField(QStringLiteral("say \"hi\"")), QStringLiteral("\"say \"\"hi\"\"\""));
    EXPECT_EQ(csvField(QStringLiteral("two\nlines")), QStringLiteral("\"two\nlines\""));
    EXPECT_EQ(csvField(QStringLiteral("O'Brien")), QStringLiteral("O'Brien"));
    EXPECT_EQ(csvRecord({QStringLiteral("x"), QString(), QStringLiteral("y,z")}),
              QStringLiteral("x,,\"y,z\"\r\n"));
}

TEST(ViewerCommandLine, OptionsAskForTheCommandLineOtherArgumentsDoNot)
{
    EXPECT_TRUE(IsCommandLine({QStringLiteral("--list")}));
    EXPECT_TRUE(IsCommandLine({QStringLiteral("-h")}));
    EXPECT_FALSE(IsCommandLine({}));
    EXPECT_FALSE(IsCommandLine({QStringLiteral("file.txt")}));
    EXPECT_FALSE(IsCommandLine({QStringLiteral("-platform"), QStringLiteral("offscreen")}));
    EXPECT_TRUE(
        IsCommandLine({QStringLiteral("-style"), QStringLiteral("x"), QStringLiteral("--typo")}));
}

TEST(ViewerCommandLine, ListPrintsTheFilteredRowsAsCsv)
{
    AuditDatabase audit;
    const Result r = run({QStringLiteral("--list"), QStringLiteral("--server"), audit.folder(),
                          QStringLiteral("--database"), QStringLiteral("audit"),
                          QStringLiteral("--table"), QStringLiteral("OrderLines")});
    EXPECT_EQ(r.status, 0) << qPrintable(r.err);
    EXPECT_EQ(r.out, QStringLiteral("LogID,TransactionType,TransactionDate,SourceTable,Username,"
                                    "Workstation,Application,KeyValues\r\n") +
                         AuditDatabase::logId(6) +
                         QStringLiteral(",I,2001-01-10 00:00:00.000,OrderLines,alice,WKS1,Sales,"
                                        "OrderID=1 | LineNo=2\r\n") +
                         AuditDatabase::logId(3) +
                         QStringLiteral(",D,2001-01-07 11:30:15.250,OrderLines,alice,WKS1,Admin,"
                                        "OrderID=1 | LineNo=2\r\n"));
    EXPECT_TRUE(r.err.isEmpty());

    const Result limited =
        run({QStringLiteral("--list"), QStringLiteral("--server"), audit.folder(),
             QStringLiteral("--database"), QStringLiteral("audit"), QStringLiteral("--type"),
             QStringLiteral("update"), QStringLiteral("--max"), QStringLiteral("1")});
    EXPECT_EQ(limited.status, 0);
    EXPECT_EQ(limited.out.count(QStringLiteral("\r\n")), 2);
    EXPECT_TRUE(limited.out.contains(AuditDatabase::logId(4)));
}

TEST(ViewerCommandLine, ARegisteredServerSuppliesItsDatabaseAndLogin)
{
    AuditDatabase audit;
    Servers servers;
    servers.Add(QStringLiteral("other"), QString(), QString(), QStringLiteral("x"), true);
    servers.Add(audit.folder(), QStringLiteral("sa"), QStringLiteral("secret"),
                QStringLiteral("audit"), true, audit.folder());
    const Result r =
        run({QStringLiteral("--list"), QStringLiteral("--user"), QStringLiteral("carol")}, servers);
    EXPECT_EQ(r.status, 0) << qPrintable(r.err);
    EXPECT_TRUE(r.out.contains(AuditDatabase::logId(4)));
    EXPECT_EQ(r.out.count(QStringLiteral("\r\n")), 2);

    QCommandLineParser parser;
    for (const char* name : {"server", "database", "login", "password"})
        parser.addOption(
            QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("v")));
    QString sink;
    QTextStream s(&sink);
    ASSERT_TRUE(
        parser.parse({QStringLiteral("x"), QStringLiteral("--server"), QStringLiteral("other")}));
    EXPECT_EQ(Invocation(parser, servers, s, s).connectionString(),
              BuildConnectionString(QStringLiteral("other"), QStringLiteral("x"), {}, {}));
    ASSERT_TRUE(parser.parse({QStringLiteral("x")}));
    EXPECT_EQ(Invocation(parser, servers, s, s).connectionString(),
              BuildConnectionString(audit.folder(), QStringLiteral("audit"), QStringLiteral("sa"),
                                    QStringLiteral("secret")));
    ASSERT_TRUE(parser.parse({QStringLiteral("x"), QStringLiteral("--login"), QStringLiteral("bob"),
                              QStringLiteral("--database"), QStringLiteral("empty")}));
    EXPECT_EQ(Invocation(parser, servers, s, s).connectionString(),
              BuildConnectionString(audit.folder(), QStringLiteral("empty"), QStringLiteral("bob"),
                                    QString()));
}

TEST(ViewerCommandLine, PrintQueryShowsTheFiltersAsConditions)
{
    // No server need exist to print the query; SQL Server's dates are ISO 8601.
    const QString head =
        s("sl.Username = 'O''Brien' AND sl.TransactionDate >= '2001-01-05T09:05:00'");
    const std::pair<QStringList, QString> cases[] = {
        // A date alone reaches through that day, a time is that moment.
        {{s("--to"), s("2001-01-08")}, s(" AND sl.TransactionDate < '2001-01-09T00:00:00'")},
        {{s("--to"), s("2026-12-10T10:00")}, s(" AND sl.TransactionDate < '2026-12-10T10:00:00'")},
        {{s("--to"), s("2026-12-10 10:00:30")},
         s(" AND sl.TransactionDate < '2026-12-10T10:00:30'")},
        {{s("--to"), s("9999-12-31")}, QString()},
        {{s("--to"), s("9999-12-31T23:59:59")},
         s(" AND sl.TransactionDate < '9999-12-31T23:59:59'")},
    };
    for (const auto& [more, condition] : cases) {
        const Result r = run(QStringList{s("--print-query"), s("--user"), s("O'Brien"), s("--from"),
                                         s("2001-01-05T09:05")} +
                             more);
        EXPECT_EQ(r.status, 0) << qPrintable(r.err);
        EXPECT_EQ(
            r.out,
            s("SELECT sl.LogID, sl.TransactionType, CONVERT(VARCHAR(32),sl.TransactionDate,21) "
              "as TransactionDate, sl.SourceTable, sl.Username, sl.Workstation, "
              "sl.Application, REPLACE(slk.KeyValues,CHAR(1),' | ') as KeyValues FROM "
              "Tallix sl, TallixKeys slk WHERE sl.KeyID = slk.KeyID AND ") +
                head + condition + s("  ORDER BY TransactionDate DESC\n"))
            << qPrintable(more.join(QLatin1Char(' ')));
    }
}

TEST(ViewerCommandLine, PrintQueryShowsTheWindowsQuery)
{
    const Result r = run(
        {QStringLiteral("--print-query"), QStringLiteral("--server"), QStringLiteral("db.example"),
         QStringLiteral("--user"), QStringLiteral("O'Brien"), QStringLiteral("--from"),
         QStringLiteral("2001-01-05T09:05"), QStringLiteral("--to"), QStringLiteral("2001-01-08")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, logquery::SelectText(QStringLiteral(
                         "sl.Username = 'O''Brien' AND sl.TransactionDate >= "
                         "'2001-01-05T09:05:00' AND sl.TransactionDate < '2001-01-09T00:00:00'")) +
                         QLatin1Char('\n'));
}

TEST(ViewerCommandLine, ErrorsGoToStandardErrorWithANonZeroStatus)
{
    AuditDatabase audit;
    const auto list = [&](QStringList more) {
        return run(
            QStringList{QStringLiteral("--list"), QStringLiteral("--server"), audit.folder()} +
            more);
    };
    Result r = list({QStringLiteral("--database"), QStringLiteral("empty")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err, QStringLiteral("tallixview: Tallix does not appear to be running/configured "
                                    "for this database.\n"));
    r = list({QStringLiteral("--type"), QStringLiteral("Rename")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("--type")));
    r = list({QStringLiteral("--from"), QStringLiteral("05/01/2001")});
    EXPECT_EQ(r.status, 2);
    r = run({QStringLiteral("--list"), QStringLiteral("--print-query")});
    EXPECT_EQ(r.status, 2);
    r = run({QStringLiteral("--nonsense")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("--help")));
    r = run({QStringLiteral("--server"), QStringLiteral("x")});
    EXPECT_EQ(r.status, 2);

    r = run({QStringLiteral("--version")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, QStringLiteral("tallixview 2.0.9\n"));
    r = run({QStringLiteral("--help")});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.contains(QStringLiteral("--print-query")));
}

TEST(ViewerCommandLine, MistakesAreUsageErrorsThatNameWhatIsWrong)
{
    AuditDatabase audit;
    const QStringList list{s("--list"), s("--server"), audit.folder(), s("--database"), s("audit")};
    const QStringList at{s("--server"), audit.folder(), s("--database"), s("audit")};
    Servers none;
    Servers withoutDatabase;
    withoutDatabase.Add(audit.folder(), QString(), QString(), QString(), true);
    const QString noLogId =
        s("is no LogID (a GUID such as {6F9619FF-8B86-D011-B42D-00C04FC964FF}).");
    const QString noDate = s("is no date (yyyy-MM-dd[THH:mm[:ss]]).");
    const QString script = audit.folder() + s("/undo.sql");
    struct Case {
        QStringList arguments;
        QString text;
        const Servers* servers = nullptr;
    };
    const Case cases[] = {
        {list + QStringList{s("--max"), s("-1")},
         s("--max: \"-1\" is not a whole number of 0 or more.")},
        {list + QStringList{s("--max"), s("many")},
         s("--max: \"many\" is not a whole number of 0 or more.")},
        {list + QStringList{s("--max"), s("+5")},
         s("--max: \"+5\" is not a whole number of 0 or more.")},
        {list + QStringList{s("--max"), s("")},
         s("--max: \"\" is not a whole number of 0 or more.")},
        {list + QStringList{s("--max"), s("2147483648")},
         s("--max: \"2147483648\" is too large (at most 2147483647).")},
        {list + QStringList{s("--from"), s("-2026-01-01")}, s("--from: \"-2026-01-01\" ") + noDate},
        {list + QStringList{s("--to"), s("+2026-01-01")}, s("--to: \"+2026-01-01\" ") + noDate},
        {list + QStringList{s("--to"), s("10000-01-01")}, s("--to: \"10000-01-01\" ") + noDate},
        {list + QStringList{s("--to"), s("2026-02-30")}, s("--to: \"2026-02-30\" ") + noDate},
        {list + QStringList{s("--to"), s("2026-12-10T24:00")},
         s("--to: \"2026-12-10T24:00\" ") + noDate},
        {list + QStringList{s("--from"), s("05/01/2001")}, s("--from: \"05/01/2001\" ") + noDate},
        {list + QStringList{s("--from"), s("1752-12-31T23:59")},
         s("--from: \"1752-12-31T23:59\" is outside the server's dates (1753-01-01 to "
           "9999-12-31).")},
        {list + QStringList{s("--type"), s("Rename")},
         s("--type: \"Rename\" is none of Insert, Update, Delete.")},
        {{s("--list")}, s("--server is required: no default server is registered."), &none},
        {{s("--list"), s("--server"), audit.folder()}, s("--database is required.")},
        {{s("--list"), s("--server"), audit.folder(), s("--database"), QString()},
         s("--database is required.")},
        {{s("--list")}, s("--database is required."), &withoutDatabase},
        {QStringList{s("--details"), s("nope")} + at, s("--details: \"nope\" ") + noLogId},
        {QStringList{s("--restore"), s("{11111111-0000-0000-0000-00000000001}")} + at,
         s("--restore: \"{11111111-0000-0000-0000-00000000001}\" ") + noLogId},
        {QStringList{s("--restore-script"), script, AuditDatabase::logId(1), s("1; DROP")} + at,
         s("--restore-script: \"1; DROP\" ") + noLogId},
    };
    for (const Case& c : cases) {
        const Result r = run(c.arguments, *(c.servers ? c.servers : &none));
        EXPECT_EQ(r.status, 2) << qPrintable(c.text);
        EXPECT_EQ(r.err, usage(c.text));
        EXPECT_TRUE(r.out.isEmpty()) << qPrintable(r.out);
    }
    EXPECT_FALSE(QFileInfo::exists(script));
}

TEST(ViewerCommandLine, FailuresWhileRunningSayWhatFailed)
{
    AuditDatabase audit;
    const QString file = audit.folder() + s("/audit.db");
    const std::pair<QStringList, QString> cases[] = {
        {{s("--server"), s("/no/such/folder"), s("--database"), s("audit")},
         s("Error: no such server folder: /no/such/folder")},
        {{s("--server"), s("no/such/folder"), s("--database"), s("audit")},
         s("Error: no such server folder: no/such/folder")},
        {{s("--server"), file, s("--database"), s("audit")},
         s("Error: no such server folder: ") + file},
        {{s("--server"), s("sqlite:") + audit.folder() + s("/gone"), s("--database"), s("audit")},
         s("Error: no such server folder: sqlite:") + audit.folder() + s("/gone")},
        {{s("--server"), audit.folder(), s("--database"), s("empty")},
         s("Tallix does not appear to be running/configured for this database.")},
    };
    for (const auto& [arguments, text] : cases) {
        const Result r = run(QStringList{s("--list")} + arguments);
        EXPECT_EQ(r.status, 1) << qPrintable(text);
        EXPECT_EQ(r.err, s("tallixview: ") + text + s("\n"));
        EXPECT_TRUE(r.out.isEmpty()) << qPrintable(r.out);
    }
}

TEST(ViewerCommandLine, FiltersListWhatTheySay)
{
    AuditDatabase audit;
    const auto ids = [&](const QStringList& more) {
        const Result r = run(
            QStringList{s("--list"), s("--server"), audit.folder(), s("--database"), s("audit")} +
            more);
        EXPECT_EQ(r.status, 0) << qPrintable(r.err);
        QStringList found;
        for (const QString& line : r.out.split(s("\r\n"), Qt::SkipEmptyParts).mid(1))
            found << line.section(QLatin1Char(','), 0, 0);
        return found;
    };
    const std::pair<QStringList, QStringList> cases[] = {
        {{s("--max"), s("0")}, AuditDatabase::logIds({6, 5, 4, 3, 2, 1})},
        {{s("--max"), s("007")}, AuditDatabase::logIds({6, 5, 4, 3, 2, 1})},
        {{s("--max"), s("2")}, AuditDatabase::logIds({6, 5})},
        {{s("--to"), s("9999-12-31")}, AuditDatabase::logIds({6, 5, 4, 3, 2, 1})},
        {{s("--from"), s("1753-01-01")}, AuditDatabase::logIds({6, 5, 4, 3, 2, 1})},
        // Row 4 is at 08:00 on the 8th: through the day, but not before that moment.
        {{s("--to"), s("2001-01-08")}, AuditDatabase::logIds({4, 3, 2, 1})},
        {{s("--to"), s("2001-01-08T08:00")}, AuditDatabase::logIds({3, 2, 1})},
        {{s("--to"), s("2001-01-08T08:00:01")}, AuditDatabase::logIds({4, 3, 2, 1})},
        {{s("--key"), s("OrderID=1 | LineNo=2")}, AuditDatabase::logIds({6, 3})},
        {{s("--key"), s("%")}, {}},
        {{s("--key"), s("_")}, {}},
    };
    for (const auto& [more, expected] : cases)
        EXPECT_EQ(ids(more), expected) << qPrintable(more.join(QLatin1Char(' ')));
}

TEST(ViewerCommandLine, LogIdsAreGuidsInAnySpelling)
{
    AuditDatabase audit;
    Connection c(audit.connectionString());
    c.Open();
    AuditRows(c).add(s("{ABCDEF01-2345-6789-ABCD-EF0123456789}"), s("Orders"), s("U"),
                     s("2001-01-05 10:00:00.000"), s("OrderID=1"),
                     AuditRows::data({AuditRows::column(s("Customer"), s("Old"), s("Acme"))}));
    c.Close();
    for (const char* id :
         {"{ABCDEF01-2345-6789-ABCD-EF0123456789}", "abcdef01-2345-6789-abcd-ef0123456789",
          "{abcdef01-2345-6789-ABCD-ef0123456789}"}) {
        const Result r = run(
            {s("--details"), s(id), s("--server"), audit.folder(), s("--database"), s("audit")});
        EXPECT_EQ(r.status, 0) << id << qPrintable(r.err);
        EXPECT_EQ(r.out,
                  s("Field,Before Value,After Value,Current Value\r\nCustomer,Old,Acme,\r\n"))
            << id;
    }
}

TEST(ViewerCommandLine, TheStreamedListIsTheCsvOfTheDetachedRows)
{
    AuditDatabase audit;
    Connection c(audit.connectionString());
    c.Open();
    // Texts that need quoting, and one that holds a line break.
    c.Execute(s("INSERT INTO Tallix VALUES ('%1', 'Orders', 'U', '2001-02-01 00:00:00.000', "
                "'Smith, \"J\"', 'WKS' || CHAR(13) || CHAR(10) || '9', 'A,B', '%2', '')")
                  .arg(AuditDatabase::logId(7), AuditDatabase::keyId(3)));
    c.Close();
    const QString cs = audit.connectionString();
    Recordset rows = logquery::FetchLog(cs, logquery::SelectText(QString()), 0);
    QString expected = s(kHeader);
    for (rows.MoveFirst(); !rows.atEnd(); rows.MoveNext()) {
        QStringList values;
        for (int f = 0; f < rows.FieldCount(); ++f)
            values << rows.Field(f).toString();
        expected += csvRecord(values);
    }
    const Result r = run({s("--list"), s("--server"), audit.folder(), s("--database"), s("audit")});
    EXPECT_EQ(r.status, 0) << qPrintable(r.err);
    EXPECT_EQ(r.out, expected);
    EXPECT_TRUE(r.out.startsWith(
        s(kHeader) + AuditDatabase::logId(7) +
        s(",U,2001-02-01 00:00:00.000,Orders,\"Smith, \"\"J\"\"\",\"WKS\r\n9\",\"A,B\","
          "OrderID=1 | LineNo=2\r\n")));
}
