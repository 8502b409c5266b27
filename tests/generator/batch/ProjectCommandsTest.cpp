#include "common/db/Connection.h"
#include "generator/project/Project.h"
#include "generator/project/ProjectFile.h"
#include "tests/common/db/AuditDatabase.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

using namespace tallix;
using tallix::test::AuditDatabase;
using tallix::test::fileBytes;

namespace {

struct GenRun {
    int exitCode = -1;
    QString out, err;
};

// The real program in the folder of the SQLite databases, so that "sqlite:." names them.
GenRun runGenerator(const QString& folder, const QStringList& args)
{
    QProcess p;
    p.setWorkingDirectory(folder);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY")); // no window may be needed
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TALLIX_GEN_PATH), args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return {-1, {}, QStringLiteral("generator crashed or hung")};
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

class ProjectCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.createCatalog(QStringLiteral("shop"));
        execute("CREATE TABLE Orders (Id int NOT NULL PRIMARY KEY, Name varchar(20));"
                "CREATE TABLE Items (Code char(3) NOT NULL PRIMARY KEY);"
                "CREATE TABLE TempOrders (Id int NOT NULL PRIMARY KEY);"
                "CREATE TABLE Big (Code varchar(900) NOT NULL PRIMARY KEY);");
        project = db.folder() + QStringLiteral("/shop.tpx");
    }

    void execute(const char* sql)
    {
        Connection c(db.connectionString(QStringLiteral("shop")));
        c.Open();
        c.Execute(QString::fromUtf8(sql));
    }

    GenRun run(QStringList args) { return runGenerator(db.folder(), args); }

    GenRun discover()
    {
        return run({u"--discover"_qs, u"--server"_qs, u"sqlite:."_qs, u"--database"_qs, u"shop"_qs,
                    u"--include"_qs, u"*"_qs, u"--exclude"_qs, u"temp*"_qs, u"--insert"_qs,
                    u"--update"_qs, u"--project"_qs, project});
    }

    AuditDatabase db;
    QString project;
};

} // namespace

TEST_F(ProjectCommands, DiscoverWritesTheChosenProjectAndReportsWhatCannotBeAudited)
{
    const GenRun r = discover();
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    EXPECT_MATCHES_GOLDEN(fileBytes(project), QStringLiteral("project/discovered.tpx"));
    EXPECT_EQ(r.err, u"warning: Big cannot be audited: the text of its key can be longer than "
                     "the 900 characters that TallixKeys.KeyValues holds.\n"_qs);
    EXPECT_TRUE(r.out.isEmpty());
}

TEST_F(ProjectCommands, DiscoverNotesLargeObjectColumnsOfChosenTablesAndPatternsThatMatchNothing)
{
    execute("CREATE TABLE Notes (Id int NOT NULL PRIMARY KEY, Body text)");
    GenRun r = run({u"--discover"_qs, u"--server=sqlite:."_qs, u"--database=shop"_qs,
                    u"--include=Notes"_qs, u"--project"_qs, project});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    EXPECT_EQ(r.err, u"warning: Big cannot be audited: the text of its key can be longer than "
                     "the 900 characters that TallixKeys.KeyValues holds.\n"
                     "note: Notes: Body is not recorded: the triggers cannot read large-object "
                     "values (text, ntext, image, and the (max) types).\n"_qs);
    Project p;
    ASSERT_TRUE(ProjectFile::load(project, p).complete);
    const CTable* notes = p.Tables().GetTable(u"Notes"_qs);
    ASSERT_NE(notes, nullptr);
    EXPECT_TRUE(notes->Insert && notes->Update && notes->Delete) << "no action means all three";

    r = run({u"--discover"_qs, u"--server=sqlite:."_qs, u"--database=shop"_qs,
             u"--include=sales.*"_qs, u"--project"_qs, project});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains(u"no table matches the patterns"_qs)) << qPrintable(r.err);
}

TEST_F(ProjectCommands, RefreshReportsAndKeepsChoicesDryRunChangesNothing)
{
    ASSERT_EQ(discover().exitCode, 0);
    execute("ALTER TABLE Orders ADD Note varchar(10);"
            "DROP TABLE Items;"
            "CREATE TABLE Customers (Id int NOT NULL PRIMARY KEY);");
    const QByteArray before = fileBytes(project);
    // In the database's order (the tables rowset is sorted by name), removals last.
    const QString changes = u"table added: Customers\n"
                            "column added: Orders.Note varchar(10)\n"
                            "table removed: Items\n"_qs;

    GenRun r = run({u"--refresh"_qs, project, u"--dry-run"_qs});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    EXPECT_EQ(r.out, changes);
    EXPECT_EQ(fileBytes(project), before);

    r = run({u"--refresh"_qs, project});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    EXPECT_EQ(r.out, changes);
    Project p;
    ASSERT_TRUE(ProjectFile::load(project, p).complete);
    QStringList names;
    for (const CTable& t : p.Tables())
        names << t.QualifiedName() + (t.Insert ? u" I"_qs : u""_qs) +
                     (t.Update ? u" U"_qs : u""_qs);
    EXPECT_EQ(names, (QStringList{u"Big"_qs, u"Customers"_qs, u"Orders I U"_qs, u"TempOrders"_qs}));
    EXPECT_EQ(p.Tables().GetTable(u"Orders"_qs)->Columns.Count(), 3);

    // The regenerated script records the new column.
    const QString script = db.folder() + u"/shop.sql"_qs;
    r = run({u"--project"_qs, project, u"--output"_qs, script});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    EXPECT_TRUE(fileBytes(script).contains("'<COLUMN NAME=''Note'' BEFORE="));

    r = run({u"--refresh"_qs, project});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.isEmpty()) << qPrintable(r.out);
}

// Unicode audit data halves the key text TallixKeys.KeyValues holds: a key of 20 + 4 + 2 + 500
// + 2 = 528 characters fits the narrow column's 900 but not the Unicode column's 450, in the
// project --discover writes and in the one --refresh rewrites.
TEST_F(ProjectCommands, UnicodeProjectsMeasureKeysAgainstTheUnicodeKeyColumn)
{
    execute("CREATE TABLE Mid (Id int NOT NULL, Code varchar(500) NOT NULL, "
            "PRIMARY KEY (Id, Code))");
    const QString midWarning = u"warning: Mid cannot be audited: the text of its key can be longer "
                               "than the 450 characters that TallixKeys.KeyValues holds.\n"_qs;
    const QString bigWarning = u"warning: Big cannot be audited: the text of its key can be longer "
                               "than the 900 characters that TallixKeys.KeyValues holds.\n"_qs;
    for (const bool unicode : {false, true}) {
        QStringList args{u"--discover"_qs, u"--server=sqlite:."_qs, u"--database=shop"_qs,
                         u"--project"_qs, project};
        if (unicode)
            args << u"--unicode"_qs;
        GenRun r = run(args);
        ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
        EXPECT_EQ(r.err, unicode ? bigWarning + midWarning : bigWarning);
        Project p;
        ASSERT_TRUE(ProjectFile::load(project, p).complete);
        EXPECT_EQ(p.UnicodeAuditData(), unicode);
        ASSERT_NE(p.Tables().GetTable(u"Mid"_qs), nullptr);
        EXPECT_EQ(p.Tables().GetTable(u"Mid"_qs)->LargeKey, unicode);
        EXPECT_EQ(p.Tables().GetTable(u"Mid"_qs)->Insert, !unicode);

        r = run({u"--refresh"_qs, project});
        ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
        EXPECT_TRUE(r.out.isEmpty()) << qPrintable(r.out);
        Project refreshed;
        ASSERT_TRUE(ProjectFile::load(project, refreshed).complete);
        EXPECT_EQ(refreshed.UnicodeAuditData(), unicode);
        EXPECT_EQ(refreshed.Tables().GetTable(u"Mid"_qs)->LargeKey, unicode);
    }
}

TEST_F(ProjectCommands, UsageErrorsExitTwoRunTimeErrorsOneAndNothingIsWritten)
{
    QFile partial(db.folder() + u"/partial.tpx"_qs);
    ASSERT_TRUE(partial.open(QIODevice::WriteOnly));
    partial.write("<PROJECT Name=\"\" Author=\"\" Server=\"sqlite:.\" DB=\"shop\" UserID=\"\" "
                  "Password=\"\" OutputFile=\"\" MTS=\"0\" SQL2000=\"0\"/><TABLES>");
    partial.close();
    const QByteArray partialBytes = fileBytes(partial.fileName());
    const struct {
        QStringList args;
        int exitCode;
        const char* message;
    } cases[] = {
        {{u"--discover"_qs, u"--database"_qs, u"shop"_qs, u"--project"_qs, u"x.tpx"_qs},
         2,
         "--discover needs --server."},
        {{u"--discover"_qs, u"--server"_qs, u"sqlite:."_qs, u"--database"_qs, u"shop"_qs},
         2,
         "--discover needs --project"},
        {{u"--discover"_qs, u"--refresh"_qs, u"a.tpx"_qs}, 2, "cannot be given together"},
        {{u"--refresh"_qs}, 2, "--refresh needs a value."},
        {{u"--refresh"_qs, u"a.tpx"_qs, u"--insert"_qs}, 2, "go with --discover"},
        {{u"--refresh"_qs, u"a.tpx"_qs, u"--unicode"_qs}, 2, "go with --discover"},
        {{u"--refresh"_qs, u"a.tpx"_qs, u"--output"_qs, u"b.sql"_qs}, 2, "do not go with"},
        {{u"--server"_qs, u"sqlite:."_qs, u"/p:a.tpx"_qs}, 2, "go with --discover or --refresh"},
        {{u"--discover"_qs, u"--server"_qs, u"sqlite:."_qs, u"--database"_qs, u"shop"_qs,
          u"--dry-run"_qs, u"--project"_qs, u"x.tpx"_qs},
         2,
         "--dry-run goes with --refresh only."},
        {{u"--refresh"_qs, u"missing.tpx"_qs}, 1, "Load Project Failed! - "},
        {{u"--refresh"_qs, u"partial.tpx"_qs}, 1, "The project was not refreshed."},
        {{u"--discover"_qs, u"--server"_qs, u"sqlite:./none"_qs, u"--database"_qs, u"shop"_qs,
          u"--project"_qs, u"x.tpx"_qs},
         1,
         "Error (LoadTables) - "},
        {{u"--discover"_qs, u"--server"_qs, u"sqlite:."_qs, u"--database"_qs, u"shop"_qs,
          u"--project"_qs, u"no/such/folder/x.tpx"_qs},
         1,
         "The project could not be written to no/such/folder/x.tpx"},
    };
    for (const auto& c : cases) {
        const GenRun r = run(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << qPrintable(c.args.join(u' '));
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message)))
            << qPrintable(c.args.join(u' ')) << ": " << qPrintable(r.err);
        EXPECT_TRUE(r.out.isEmpty()) << qPrintable(c.args.join(u' '));
    }
    EXPECT_FALSE(QFile::exists(db.folder() + u"/x.tpx"_qs));
    EXPECT_EQ(fileBytes(partial.fileName()), partialBytes);
}
