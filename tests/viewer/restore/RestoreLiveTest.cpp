// Against a live server, when TALLIX_TEST_MSSQL holds a connection string (ODBC or the programs'
// form): a scratch database gets the generator's audit script for two tables, a history of
// inserts, updates (a key change, apostrophes, long texts, decimals, date-times, NULLs) and
// deletes is recorded by the generated triggers, and restoring every audit row newest first with
// the viewer's own statements brings the tables back through each earlier state. The scratch
// database is dropped afterwards.
#include "common/audit/SqlQuoting.h"
#include "common/db/Connection.h"
#include "generator/driver/ScriptDriver.h"
#include "generator/project/Project.h"
#include "tests/support/LiveServer.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"
#include "viewer/details/DetailsLoader.h"
#include "viewer/query/SchemaCache.h"
#include "viewer/restore/ExecuteRestoreScript.h"
#include "viewer/restore/RestoreText.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace tallix;
using tallix::test::LiveServer;
using tallix::test::runScript;
using tallix::test::s;
using tallix::test::ScratchDatabase;

namespace {

class RestoreLive : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto live = LiveServer::fromEnvironment();
        if (!live)
            GTEST_SKIP() << "TALLIX_TEST_MSSQL is not set";
        scratch = std::make_unique<ScratchDatabase>(*live, s("tlx_rst"));
        name = scratch->name();
    }

    void TearDown() override { scratch.reset(); }

    QString connectionString() const { return scratch->connectionString(); }

    // The audited tables and the generator's audit script for them.
    void installAudit(Connection& db)
    {
        db.Execute(s("CREATE TABLE Orders (OrderID int IDENTITY(1,1) NOT NULL PRIMARY KEY, "
                     "Customer varchar(40) NOT NULL, Note nvarchar(100) NULL, "
                     "Price decimal(9,2) NULL, Stamp datetime NULL, Memo varchar(20) NULL)"));
        db.Execute(s("CREATE TABLE OrderLines (OrderID int NOT NULL, [LineNo] smallint NOT NULL, "
                     "Product varchar(40) NULL, PRIMARY KEY (OrderID, [LineNo]))"));
        Project project;
        project.setDB(name);
        CTable& orders = project.Tables().Add(s("Orders"));
        orders.Insert = orders.Update = orders.Delete = true;
        orders.Columns.Add(s("OrderID"), s("int"), 4, 10, 0, false, true, true, true);
        orders.Columns.Add(s("Customer"), s("varchar"), 40, 0, 0, false, false, false, true);
        orders.Columns.Add(s("Note"), s("nvarchar"), 100, 0, 0, true, false, false, true);
        orders.Columns.Add(s("Price"), s("decimal"), 5, 9, 2, true, false, false, true);
        orders.Columns.Add(s("Stamp"), s("datetime"), 8, 23, 3, true, false, false, true);
        orders.Columns.Add(s("Memo"), s("varchar"), 20, 0, 0, true, false, false, true);
        CTable& lines = project.Tables().Add(s("OrderLines"));
        lines.Insert = lines.Update = lines.Delete = true;
        lines.Columns.Add(s("OrderID"), s("int"), 4, 10, 0, false, true, false, true);
        lines.Columns.Add(s("LineNo"), s("smallint"), 2, 5, 0, false, true, false, true);
        lines.Columns.Add(s("Product"), s("varchar"), 40, 0, 0, true, false, false, true);
        IScriptObserver quiet;
        const QString script = ScriptDriver(quiet).GenerateScript(project);
        ASSERT_FALSE(script.isEmpty());
        runScript(db, script);
    }

    QStringList snapshot(Connection& db)
    {
        QStringList rows;
        for (const char* q : {"SELECT OrderID, Customer, Note, CONVERT(varchar(20), Price), "
                              "CONVERT(varchar(23), Stamp, 121), Memo FROM Orders ORDER BY OrderID",
                              "SELECT OrderID, [LineNo], Product FROM OrderLines "
                              "ORDER BY OrderID, [LineNo]"}) {
            Recordset rs = db.OpenRecordset(QString::fromLatin1(q));
            for (; !rs.atEnd(); rs.MoveNext()) {
                QStringList values;
                for (int f = 0; f < rs.FieldCount(); ++f) {
                    const QVariant v = rs.Field(f);
                    values << (Recordset::isNull(v) ? s("<null>") : v.toString());
                }
                rows << values.join(QLatin1Char('|'));
            }
        }
        return rows;
    }

    int auditRows(Connection& db)
    {
        return db.OpenRecordset(s("SELECT COUNT(*) FROM Tallix")).Field(0).toInt();
    }

    std::unique_ptr<ScratchDatabase> scratch;
    QString name;
};

} // namespace

TEST_F(RestoreLive, RestoringNewestFirstReturnsThroughEveryEarlierState)
{
    {
        Connection setup(connectionString());
        setup.Open();
        installAudit(setup);
        if (HasFatalFailure())
            return;
    }
    // The application's own connection, apart from the one that ran the script.
    Connection db(connectionString());
    db.Open();

    const QString longNote = s("A note in nvarchar(100) that is a good deal longer than thirty "
                               "characters");
    const QStringList history{
        s("INSERT INTO Orders (Customer, Note, Price, Stamp, Memo) VALUES ('O''Brien', N'") +
            longNote + s("', 12.75, '2024-03-04T10:11:12.123', NULL)"),
        s("INSERT INTO Orders (Customer, Note, Price, Stamp, Memo) VALUES ('Acme', NULL, NULL, "
          "NULL, 'x')"),
        s("INSERT INTO OrderLines VALUES (1, 1, 'Widget''s part')"),
        s("INSERT INTO OrderLines VALUES (1, 2, 'Gadget')"),
        s("UPDATE Orders SET Customer = 'GOLD GO', Note = N'short', Price = 99.99, Stamp = "
          "'2025-12-31T23:59:58.997', Memo = 'it''s' WHERE OrderID = 1"),
        s("UPDATE OrderLines SET [LineNo] = 3 WHERE OrderID = 1 AND [LineNo] = 2"),
        s("UPDATE Orders SET Note = NULL, Price = NULL, Stamp = NULL WHERE OrderID = 1"),
        s("DELETE FROM Orders WHERE OrderID = 2"),
        s("DELETE FROM OrderLines WHERE OrderID = 1 AND [LineNo] = 1"),
    };
    QList<QStringList> states{snapshot(db)};
    QList<int> counts{auditRows(db)};
    for (const QString& change : history) {
        db.Execute(change);
        states << snapshot(db);
        counts << auditRows(db);
        QThread::msleep(30); // distinct transaction dates, so newest first is well defined
    }
    ASSERT_GT(counts.last(), counts.first());

    Recordset ids = db.OpenRecordset(s("SELECT CONVERT(varchar(40), LogID) FROM Tallix ORDER BY "
                                       "TransactionDate DESC, TransactionType"));
    QStringList newestFirst;
    for (; !ids.atEnd(); ids.MoveNext())
        newestFirst << ids.Field(0).toString();
    const SchemaCache cache = SchemaCache::fromColumnsRowset(db.OpenSchema(SchemaKind::Columns));
    db.Close();

    test::RecordingMessages messages;
    int restored = 0;
    for (int step = static_cast<int>(history.size()); step >= 1; --step) {
        // Every audit row that change wrote, newest first.
        for (; restored < counts.last() - counts[step - 1]; ++restored) {
            const QString logId = newestFirst[restored];
            Connection c(connectionString());
            const DetailsResult d = DetailsLoader::load(c, cache, logId, {false, false});
            ASSERT_TRUE(d.record) << qPrintable(d.errors.join(s("; ")));
            const RestoreBuild build = RestoreText(c, cache, *d.record, false);
            ASSERT_TRUE(build.ok()) << qPrintable(build.refusal);
            const QString text = build.text;
            c.Close();
            ASSERT_TRUE(ExecuteRestoreScript(connectionString(), text))
                << qPrintable(history[step - 1]) << "\n"
                << qPrintable(text) << "\n"
                << qPrintable(messages.shownTexts().join(s("\n")));
        }
        Connection check(connectionString());
        check.Open();
        std::cerr << "SNAP " << qPrintable(snapshot(check).join(s(";"))) << "\nWANT "
                  << qPrintable(states[step - 1].join(s(";"))) << "\n";
        EXPECT_EQ(snapshot(check), states[step - 1])
            << "after undoing " << qPrintable(history[step - 1]);
    }
    EXPECT_TRUE(messages.shown.empty()) << qPrintable(messages.shownTexts().join(s("\n")));
}

// SQL Server reads '2024-03-04 10:11:12.123' as 3 April when a login's language sets DATEFORMAT
// dmy; the restore statements' style 121 reads it as 4 March whatever the setting.
TEST_F(RestoreLive, Style121DatesReadTheSameUnderADayFirstDateFormat)
{
    Connection db(connectionString());
    db.Open();
    try {
        db.Execute(s("SET DATEFORMAT dmy"));
    } catch (const Error& e) {
        GTEST_SKIP() << "the server does not take SET DATEFORMAT: " << qPrintable(e.description());
    }
    Recordset rs = db.OpenRecordset(
        s("SELECT CONVERT(varchar(23), CONVERT(datetime, '2024-03-04 10:11:12.123', 121), 121)"));
    EXPECT_EQ(rs.Field(0).toString(), s("2024-03-04 10:11:12.123"));
}

namespace {

struct ViewerRun {
    int status = -1;
    QString out, err;
};

// tallixview itself, with its settings in a scratch folder.
ViewerRun runViewer(const QStringList& arguments)
{
    QTemporaryDir home;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(s("HOME"), home.path());
    env.insert(s("XDG_CONFIG_HOME"), home.path());
    p.setProcessEnvironment(env);
    p.start(s(TALLIX_VIEW_PATH), arguments);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return {-1, {}, s("tallixview crashed or hung")};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

// A value, a key value and a unicode value holding a line break and GO, recorded by the generated
// triggers, restored with the script of `tallixview --restore-script` run as a client tool runs it
// (batches split at lines holding GO): the values come back whole and nothing else runs.
TEST_F(RestoreLive, ValuesHoldingGoLinesComeBackWholeAndRunNothing)
{
    const QString attack = s("\r\nGO\r\nDROP TABLE victim\r\nGO\r\n");
    const QString key = s("k") + attack;
    const QString body = s("it's") + attack;
    // Tallix.Data is a text column: a character outside its code page (U+2028, say) is already
    // lost when the trigger records it, before any restore.
    const QString wide = s("\u00fc") + attack;
    {
        Connection db(connectionString());
        db.Open();
        db.Execute(s("CREATE TABLE victim (id int NOT NULL PRIMARY KEY)"));
        db.Execute(s("CREATE TABLE Notes (Code varchar(40) NOT NULL PRIMARY KEY, "
                     "Body varchar(200) NULL, Wide nvarchar(200) NULL)"));
        Project project;
        project.setDB(name);
        CTable& notes = project.Tables().Add(s("Notes"));
        notes.Insert = notes.Update = notes.Delete = true;
        notes.Columns.Add(s("Code"), s("varchar"), 40, 0, 0, false, true, false, true);
        notes.Columns.Add(s("Body"), s("varchar"), 200, 0, 0, true, false, false, true);
        notes.Columns.Add(s("Wide"), s("nvarchar"), 200, 0, 0, true, false, false, true);
        IScriptObserver quiet;
        runScript(db, ScriptDriver(quiet).GenerateScript(project));
    }
    const auto literal = [](const QString& text, SqlQuoting::LiteralKind kind) {
        return SqlQuoting::literal(text, kind);
    };
    Connection app(connectionString());
    app.Open();
    app.Execute(s("INSERT INTO Notes VALUES (") + literal(key, SqlQuoting::LiteralKind::Plain) +
                s(", ") + literal(body, SqlQuoting::LiteralKind::Plain) + s(", ") +
                literal(wide, SqlQuoting::LiteralKind::Unicode) + s(")"));
    QThread::msleep(30);
    app.Execute(s("UPDATE Notes SET Body = 'clean', Wide = N'clean'"));
    QThread::msleep(30);
    app.Execute(s("DELETE FROM Notes"));
    Recordset ids = app.OpenRecordset(s("SELECT CONVERT(varchar(40), LogID) FROM Tallix ORDER BY "
                                        "TransactionDate DESC"));
    QStringList newestFirst;
    for (; !ids.atEnd(); ids.MoveNext())
        newestFirst << ids.Field(0).toString();
    ASSERT_EQ(newestFirst.size(), 3);

    // Undo the delete and the update: the row as it was inserted.
    QTemporaryDir dir;
    const QString file = dir.filePath(s("undo.sql"));
    const auto live = LiveServer::fromEnvironment();
    const ViewerRun run = runViewer({s("--restore-script"), file, newestFirst[0], newestFirst[1],
                                     s("--server"), live->server, s("--login"), live->login,
                                     s("--password"), live->password, s("--database"), name});
    ASSERT_EQ(run.status, 0) << qPrintable(run.err);
    const QString script = QString::fromUtf8(test::fileBytes(file));
    for (const QString& line : script.split(s("\r\n")))
        EXPECT_NE(line, s("DROP TABLE victim")) << "a value's line stands alone in the script";
    runScript(app, script);

    Recordset rows = app.OpenRecordset(s("SELECT Code, Body, Wide FROM Notes"));
    ASSERT_EQ(rows.RecordCount(), 1);
    EXPECT_EQ(rows.Field(0).toString(), key);
    EXPECT_EQ(rows.Field(1).toString(), body);
    EXPECT_EQ(rows.Field(2).toString(), wide);
    EXPECT_EQ(app.OpenRecordset(s("SELECT COUNT(*) FROM victim")).Field(0).toInt(), 0)
        << "the victim table is still there";
}
