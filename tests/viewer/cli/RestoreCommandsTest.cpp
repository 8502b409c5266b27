#include "tests/common/db/AuditDatabase.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"
#include "tests/viewer/details/AuditRows.h"
#include "viewer/cli/CommandLine.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

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

TEST_F(RestoreCommands, ANewerChangeThatCannotBeLookedForIsAWarningBesideTheText)
{
    const QString odd = AuditDatabase::logId(8);
    {
        Connection c(audit.connectionString());
        c.Open();
        AuditRows(c).add(odd, s("Orders"), s("U"), s("no date"), s("OrderID=1"),
                         AuditRows::data({AuditRows::column(s("Customer"), s("Old"), s("Acme"))}));
    }
    const QString statement =
        s("UPDATE Orders\r\nSET\r\n       Customer = CAST('Old' AS varchar(40))\r\n"
          "WHERE OrderID='1'\r\n");
    const QString warning = s("tallixview: warning: Error - Can't determine if there are recent "
                              "changes to this record : ");
    Result r = run({s("--restore"), odd});
    EXPECT_EQ(r.status, 0) << qPrintable(r.err);
    EXPECT_EQ(r.out, statement);
    EXPECT_TRUE(r.err.startsWith(warning)) << qPrintable(r.err);
    EXPECT_EQ(r.err.count(u'\n'), 1);

    // In a script of two such rows it is said once; the script is written.
    QTemporaryDir dir;
    const QString file = dir.filePath(s("undo.sql"));
    r = run({s("--restore-script"), file, odd, odd});
    EXPECT_EQ(r.status, 0) << qPrintable(r.err);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()).count(statement), 2);
    EXPECT_TRUE(r.err.startsWith(warning)) << qPrintable(r.err);
    EXPECT_EQ(r.err.count(u'\n'), 1);
}

TEST_F(RestoreCommands, RowsThatCannotBeRestoredExitWithTheReasonAndNoStatement)
{
    Connection c(audit.connectionString());
    c.Open();
    AuditRows rows(c);
    const QString when = s("2001-02-01 10:00:00.000");
    const QString customer = AuditRows::data({AuditRows::column(s("Customer"), s("A"), s("B"))});
    QString repeated;
    for (int i = 0; i < 10000; ++i)
        repeated += AuditRows::column(s("Customer"), s("A"), s("B"));
    // Each case's row has the LogID of its place in the table, from 100 on.
    const struct {
        const char* name;
        const char* table;
        const char* type;
        QString key;
        QString data;
        const char* reason;
    } cases[] = {
        {"empty", "Orders", "D", s("OrderID=1"), s(""),
         "The audit data of the row can not be read whole: The audit data is empty."},
        {"cut", "Orders", "D", s("OrderID=1"), s("<AUDIT><COLUMN NAME='Customer' BEFORE='A"),
         "The audit data of the row can not be read whole: Column 1 of the audit data ends "
         "inside its BEFORE value."},
        {"nameless", "Orders", "D", s("OrderID=1"),
         AuditRows::data({AuditRows::column(s(""), s("A"), s(""))}),
         "The audit data of the row can not be read whole: Column 1 of the audit data has no "
         "name."},
        {"repeated", "Orders", "U", s("OrderID=1"), s("<AUDIT>") + repeated + s("</AUDIT>"),
         "The audit data of the row can not be read whole: The audit data records the column "
         "\"Customer\" more than once."},
        {"apostrophe", "Orders", "U", s("OrderID=1"),
         AuditRows::data({AuditRows::column(s("Customer"), s("O'Brien"), s("B"))}),
         "The audit data of the row can not be read whole: Column 1 (\"Customer\") of the audit "
         "data has no AFTER attribute where character 42 stands (is an apostrophe in the BEFORE "
         "value not written as &apos;?)."},
        {"nokey", "Orders", "I", s(""), customer,
         "The key text of the audit row can not be read: The key text is empty."},
        {"bare", "Orders", "I", s("998-67-2509"), customer,
         "The key text of the audit row can not be read: Piece 1 of the key text has no \"=\" "
         "between a column name and a value."},
        {"lacks", "Orders", "U", s("OrderID=1"),
         AuditRows::data({AuditRows::column(s("b0"), s("1"), s("2"))}),
         "The audit row names the column \"b0\", which the table \"Orders\" does not have."},
        {"notable", "", "D", s("OrderID=1"), customer, "The audit row names no table."},
        {"type", "Orders", "Z", s("OrderID=1"), customer,
         "The audit row has the transaction type \"Z\"; only I, U and D can be restored."},
        {"ctltable", "Ord\r\nGO\r\ners", "I", s("OrderID=1"), customer,
         "The table name \"Ord??GO??ers\" holds a line break or another control character and "
         "can not be restored safely."},
        {"ctlkey", "Orders", "I", s("Order\nID=1"), customer,
         "The key column name \"Order?ID\" holds a line break or another control character and "
         "can not be restored safely."},
        {"ctlcolumn", "Orders", "U", s("OrderID=1"),
         AuditRows::data({AuditRows::column(s("Cust\romer"), s("A"), s("B"))}),
         "The column name \"Cust?omer\" holds a line break or another control character and "
         "can not be restored safely."},
    };
    const auto idOf = [&](const char* name) {
        for (int i = 0; i < int(std::size(cases)); ++i) {
            if (qstrcmp(cases[i].name, name) == 0)
                return AuditDatabase::logId(100 + i);
        }
        return QString();
    };
    for (const auto& k : cases)
        rows.add(idOf(k.name), s(k.table), s(k.type), when, k.key, k.data);

    QTemporaryDir dir;
    const QString file = dir.filePath(s("undo.sql"));
    for (const auto& k : cases) {
        const QString id = idOf(k.name);
        const QString expected =
            s("tallixview: Error: The audit row %1 can not be restored: %2\n").arg(id, s(k.reason));
        Result r = run({s("--restore"), id});
        EXPECT_EQ(r.status, 1) << k.name;
        EXPECT_EQ(r.out, QString()) << k.name;
        EXPECT_EQ(r.err, expected) << k.name;
        // In a script of several rows, one such row writes nothing at all.
        r = run({s("--restore-script"), file, kU1, id});
        EXPECT_EQ(r.status, 1) << k.name;
        EXPECT_EQ(r.err, expected) << k.name;
        EXPECT_FALSE(QFile::exists(file)) << k.name;
    }

    // The details show what could be read and say that it is not all.
    Result r = run({s("--details"), idOf("cut")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, s("Field,Before Value,After Value,Current Value\r\n"));
    EXPECT_EQ(r.err, s("tallixview: warning: The details are incomplete: they show only what "
                       "could be read of the audit data. Column 1 of the audit data ends inside "
                       "its BEFORE value.\n"));
    r = run({s("--details"), idOf("apostrophe")});
    EXPECT_EQ(r.out, s("Field,Before Value,After Value,Current Value\r\nCustomer,O,B,\r\n"));
    EXPECT_TRUE(r.err.startsWith(s("tallixview: warning: The details are incomplete")))
        << qPrintable(r.err);
}

namespace {

// The program itself, for what only a process shows: standard output, devices and pipes. Its
// settings live in a scratch folder.
class RestoreScriptProgram : public RestoreCommands {
protected:
    Result view(const QStringList& arguments)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(s("HOME"), home.path());
        env.insert(s("XDG_CONFIG_HOME"), home.path());
        p.setProcessEnvironment(env);
        p.start(s(TALLIX_VIEW_PATH), arguments + QStringList{s("--server"), audit.folder(),
                                                             s("--database"), s("audit")});
        if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
            return {-1, {}, s("tallixview crashed or hung")};
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }

    QTemporaryDir home;
};

const QString kScriptOfU1 = s("-- ") + QString(82, QLatin1Char('-')) + s("\r\n\r\n") + s(kWarning) +
                            s(kUpdateRestore) + s("\r\nGO\r\n\r\n\r\n");

} // namespace

TEST_F(RestoreScriptProgram, WritesByTheFileRulesOfTheGenerator)
{
    // "-" is standard output, not a file of that name.
    QTemporaryDir dir;
    Result r = view({s("--restore-script"), s("-"), kU1});
    EXPECT_EQ(r.status, 0) << qPrintable(r.err);
    EXPECT_EQ(r.out, kScriptOfU1);
    EXPECT_FALSE(QFile::exists(s("-")));

    // A full device fails with the system's reason and stays a device.
    r = view({s("--restore-script"), s("/dev/full"), kU1});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, s("tallixview: Error: The restore script could not be written to /dev/full: "
                       "No space left on device\n"));
    EXPECT_FALSE(QFileInfo(s("/dev/full")).isFile());

    // A pipe is written directly, never replaced by a file.
    const QString fifo = dir.filePath(s("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QByteArray read;
    QThread* reader = QThread::create([&] {
        QFile f(fifo);
        if (f.open(QIODevice::ReadOnly))
            read = f.readAll();
    });
    reader->start();
    r = view({s("--restore-script"), fifo, kU1});
    // A program that never opened the pipe must fail the test, not leave the reader waiting.
    if (!reader->wait(0)) {
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
    }
    reader->wait();
    delete reader;
    EXPECT_EQ(r.status, 0) << qPrintable(r.err);
    EXPECT_EQ(QString::fromUtf8(read), kScriptOfU1);
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));

    // A regular file is replaced whole.
    const QString file = dir.filePath(s("undo.sql"));
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older and much longer script than the new one will be, by far");
    old.close();
    r = view({s("--restore-script"), file, kU1});
    EXPECT_EQ(r.status, 0) << qPrintable(r.err);
    EXPECT_EQ(r.out, file + s("\n"));
    EXPECT_EQ(QString::fromUtf8(test::fileBytes(file)), kScriptOfU1);
}
