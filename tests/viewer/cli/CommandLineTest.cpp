#include "viewer/cli/CommandLine.h"

#include "common/settings/ConnectionString.h"
#include "tests/common/db/AuditDatabase.h"
#include "viewer/cli/Csv.h"
#include "viewer/query/LogQuery.h"

#include <gtest/gtest.h>

using namespace tallix;
using namespace tallix::cli;
using tallix::test::AuditDatabase;

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
    r = list({QStringLiteral("--database"), QStringLiteral("audit"), QStringLiteral("--max"),
              QStringLiteral("many")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, QStringLiteral("tallixview: Error: Type mismatch\n"));
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
