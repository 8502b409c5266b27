#include "tests/common/db/AuditDatabase.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"
#include "tests/viewer/details/AuditRows.h"
#include "viewer/cli/CommandLine.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tallix;
using tallix::test::AuditDatabase;
using tallix::test::AuditRows;
using tallix::test::s;

namespace {

// The LogID of the update the fixture adds.
const QString kU1 = AuditDatabase::logId(7);

struct Result {
    int status;
    QString out;
    QString err;
};

// The fixture's database with an update of order 1 whose customer had an apostrophe.
class RestoreCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        Connection c(audit.connectionString());
        c.Open();
        AuditRows(c).add(
            kU1, s("Orders"), s("U"), s("2001-01-05 10:00:00.000"), s("OrderID=1"),
            AuditRows::data({AuditRows::column(s("Customer"), s("O&apos;Hara, Ltd"), s("Acme")),
                             AuditRows::column(s("Shipped"), s("1"), s("1"))}));
    }

    Result run(QStringList arguments)
    {
        arguments << s("--server") << audit.folder() << s("--database") << s("audit");
        QString out;
        QString err;
        QTextStream o(&out);
        QTextStream e(&err);
        const int status = cli::Run(arguments, Servers(), o, e);
        o.flush();
        e.flush();
        return {status, out, err};
    }

    AuditDatabase audit;
};

const char* const kUpdateRestore = "UPDATE Orders\r\n"
                                   "SET\r\n"
                                   "       Customer = CAST('O''Hara, Ltd' AS varchar(40))\r\n"
                                   "WHERE OrderID='1'\r\n";
const char* const kWarning =
    "-- WARNING !!!\r\n-- This current record is more recent than this audit record!\r\n\r\n";

} // namespace

TEST_F(RestoreCommands, DetailsPrintTheShownRowsAsCsv)
{
    Result r = run({s("--details"), kU1});
    EXPECT_EQ(r.status, 0) << qPrintable(r.err);
    EXPECT_EQ(r.out, s("Field,Before Value,After Value,Current Value\r\n"
                       "Customer,\"O'Hara, Ltd\",Acme,\r\n"));

    r = run({s("--details"), kU1, s("--all-fields"), s("--current")});
    EXPECT_EQ(r.out, s("Field,Before Value,After Value,Current Value\r\n"
                       "Customer,\"O'Hara, Ltd\",Acme,Acme\r\n"
                       "Shipped,1,1,1\r\n"));

    r = run({s("--details"), AuditDatabase::logId(9)});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err, s("tallixview: Error: No audit row has the LogID "
                       "{11111111-0000-0000-0000-000000000009}.\n"));
}

TEST_F(RestoreCommands, RestorePrintsTheRestoreTextWithTheWarningOfANewerChange)
{
    Result r = run({s("--restore"), kU1});
    EXPECT_EQ(r.status, 0) << qPrintable(r.err);
    // Order 1 was changed again on 6 January (the fixture's row 2).
    EXPECT_EQ(r.out, s(kWarning) + s(kUpdateRestore));

    r = run({s("--restore"), AuditDatabase::logId(5)});
    EXPECT_EQ(r.out, s("SET IDENTITY_INSERT Orders ON\r\nGO\r\n\r\nINSERT Orders (\r\n"
                       "       Customer\r\n       )\r\nVALUES (\r\n"
                       "       CAST('' AS varchar(40))\r\n       )\r\n"
                       "SET IDENTITY_INSERT Orders OFF\r\n"));
}

TEST_F(RestoreCommands, RestoreScriptWritesTheRowsInTheOrderGiven)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(s("undo.sql"));
    Result r = run({s("--restore-script"), file, AuditDatabase::logId(6), kU1});
    EXPECT_EQ(r.status, 0) << qPrintable(r.err);
    EXPECT_EQ(r.out, file + s("\n"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString line = s("-- ") + QString(82, QLatin1Char('-')) + s("\r\n\r\n");
    EXPECT_EQ(QString::fromUtf8(f.readAll()),
              line +
                  s("DELETE OrderLines\r\nWHERE OrderID='1' AND [LineNo]='2'\r\n\r\nGO\r\n\r\n") +
                  line + s(kWarning) + s(kUpdateRestore) + s("\r\nGO\r\n\r\n\r\n"));

    r = run({s("--restore-script"), file});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains(s("needs at least one LogID"))) << qPrintable(r.err);
    r = run({s("--restore"), kU1, s("extra")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains(s("Unexpected argument \"extra\"")));
}
