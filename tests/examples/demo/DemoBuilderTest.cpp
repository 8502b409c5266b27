#include "examples/demo/DemoBuilder.h"

#include "common/audit/AuditData.h"
#include "common/settings/ConnectionString.h"
#include "common/settings/Servers.h"
#include "generator/project/Project.h"
#include "generator/project/ProjectFile.h"
#include "viewer/details/DetailsLoader.h"
#include "viewer/query/LogQuery.h"
#include "viewer/query/SchemaCache.h"
#include "viewer/restore/RestoreStatement.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tallix;

namespace {

demo::DemoOptions options(const QString& folder)
{
    demo::DemoOptions o;
    o.folder = folder;
    o.projectFile = QStringLiteral(TALLIX_SOURCE_DIR "/examples/pubs.tpx");
    o.pubsScript = QStringLiteral(TALLIX_SOURCE_DIR "/examples/demo/pubs.sql");
    o.end = QDateTime(QDate(2026, 3, 20), QTime(17, 45));
    return o;
}

QStringList texts(Recordset rs)
{
    QStringList out;
    for (rs.MoveFirst(); !rs.atEnd(); rs.MoveNext())
        out << rs.Field(0).toString();
    return out;
}

} // namespace

TEST(DemoBuilder, WritesAWeekOfRealLookingAuditRowsTheViewerReads)
{
    QTemporaryDir dir;
    const int rows = demo::buildDemo(options(dir.path()));
    EXPECT_GT(rows, 300);
    EXPECT_LT(rows, 1000);

    const QString cs = BuildConnectionString(dir.path(), QStringLiteral("pubs"), {}, {});
    Connection db(cs);
    db.Open();
    EXPECT_EQ(texts(db.OpenRecordset(QStringLiteral(
                  "SELECT DISTINCT TransactionType FROM Tallix ORDER BY TransactionType"))),
              (QStringList{QStringLiteral("D"), QStringLiteral("I"), QStringLiteral("U")}));
    EXPECT_GE(logquery::DistinctValues(db, QStringLiteral("Username")).size(), 5);
    EXPECT_GE(logquery::DistinctValues(db, QStringLiteral("Workstation")).size(), 4);
    EXPECT_GE(logquery::DistinctValues(db, QStringLiteral("Application")).size(), 3);
    // Three weeks up to the end moment, which is the newest row.
    EXPECT_EQ(texts(db.OpenRecordset(QStringLiteral("SELECT MAX(TransactionDate) FROM Tallix"))),
              QStringList{QStringLiteral("2026-03-20 17:45:00.000")});
    EXPECT_GE(texts(db.OpenRecordset(QStringLiteral("SELECT MIN(TransactionDate) FROM Tallix")))
                  .constFirst(),
              QStringLiteral("2026-02-27 17:45:00.000"));
    // Every row's data is one AUDIT element; nothing but the triggers' format.
    EXPECT_EQ(texts(db.OpenRecordset(QStringLiteral(
                  "SELECT COUNT(*) FROM Tallix WHERE Data NOT LIKE '<AUDIT>%</AUDIT>' "
                  "OR Data LIKE '%\"%'"))),
              QStringList{QStringLiteral("0")});
    // A corrected author id is an insert of the new key and a delete of the old one.
    EXPECT_EQ(texts(db.OpenRecordset(QStringLiteral(
                  "SELECT sl.TransactionType FROM Tallix sl, TallixKeys slk WHERE sl.KeyID = "
                  "slk.KeyID AND slk.KeyValues IN ('au_id=893-72-2222', 'au_id=893-72-1158') "
                  "AND (sl.Data LIKE '<AUDIT><COLUMN NAME=''au_id'' BEFORE=''NULL''%' "
                  "OR sl.Data LIKE '%AFTER=''NULL''/></AUDIT>') "
                  "ORDER BY sl.TransactionType"))),
              (QStringList{QStringLiteral("D"), QStringLiteral("I")}));
    // The newest recorded price of a title is its price in the table now.
    const QString lastPrice = texts(db.OpenRecordset(QStringLiteral(
                                        "SELECT sl.Data FROM Tallix sl, TallixKeys slk WHERE "
                                        "sl.KeyID = slk.KeyID AND slk.KeyValues = "
                                        "'title_id=BU1032' ORDER BY sl.TransactionDate DESC")))
                                  .value(0);
    const QString now = QString::number(
        db.OpenRecordset(QStringLiteral("SELECT price FROM titles WHERE title_id = 'BU1032'"))
            .Field(0)
            .toDouble(),
        'f', 4);
    EXPECT_TRUE(lastPrice.contains(QStringLiteral("<COLUMN NAME='price' BEFORE='")));
    EXPECT_TRUE(lastPrice.contains(QStringLiteral("' AFTER='") + now + QStringLiteral("'/>")))
        << qPrintable(lastPrice) << " / " << qPrintable(now);
    db.Close();

    // The viewer's own query finds the web user whose name holds an apostrophe.
    const QString sql = logquery::SelectText(
        logquery::WhereClause({.user = QStringLiteral("O'Brien")}, logquery::DateLiteralFor(cs)));
    Recordset found = logquery::FetchLog(cs, sql, 0);
    EXPECT_GT(found.RecordCount(), 0);
    EXPECT_EQ(found.Field(QStringLiteral("Application")).toString(), QStringLiteral("PubsWeb"));
}

TEST(DemoBuilder, AUnicodeProjectGetsTheUnicodeLayoutWhichTheViewerReadsAndRestores)
{
    QTemporaryDir dir;
    demo::DemoOptions o = options(dir.path());
    Project project;
    project.Load(ProjectFile::read(o.projectFile));
    project.setUnicodeAuditData(true);
    o.projectFile = dir.filePath(QStringLiteral("unicode.tpx"));
    ProjectFile::write(o.projectFile, project.Save());
    const int rows = demo::buildDemo(o);
    EXPECT_GT(rows, 300);

    const QString cs = BuildConnectionString(dir.path(), QStringLiteral("pubs"), {}, {});
    Connection db(cs);
    db.Open();
    const SchemaCache cache = SchemaCache::fromColumnsRowset(db.OpenSchema(SchemaKind::Columns));
    EXPECT_EQ(cache.auditLayout(), audit::Layout::Unicode);
    // The newest update reads whole through the Unicode query, and gives a restore.
    const QString newest = texts(db.OpenRecordset(QStringLiteral(
                                     "SELECT CONVERT(varchar(40), LogID) FROM Tallix WHERE "
                                     "TransactionType = 'U' ORDER BY TransactionDate DESC")))
                               .value(0);
    db.Close();
    Connection reader(cs);
    const DetailsResult details = DetailsLoader::load(reader, cache, newest, {false, false});
    ASSERT_TRUE(details.record) << qPrintable(details.errors.join(QLatin1Char(';')));
    EXPECT_TRUE(audit::readData(details.record->Data).complete());
    const RestoreBuild restore = BuildRestore(*details.record, cache, false);
    EXPECT_TRUE(restore.ok()) << qPrintable(restore.refusal);
    EXPECT_TRUE(restore.text.startsWith(QStringLiteral("UPDATE "))) << qPrintable(restore.text);
}

TEST(DemoBuilder, RegistersItsFolderOnlyWhenNoServerIsRegistered)
{
    QTemporaryDir dir;
    SettingsStore store(dir.filePath(QStringLiteral("settings.ini")));
    ScopedSettingsStore scope(store);
    EXPECT_TRUE(demo::registerDemoServer(dir.path()));
    Servers servers;
    servers.LoadFromRegistry();
    ASSERT_EQ(servers.Count(), 1);
    EXPECT_EQ(servers.Item(1).ServerName, dir.path());
    EXPECT_EQ(servers.Item(1).DefaultDatabase, QStringLiteral("pubs"));
    EXPECT_TRUE(servers.Item(1).IsDefault);
    EXPECT_FALSE(demo::registerDemoServer(dir.filePath(QStringLiteral("other"))));
    servers.LoadFromRegistry();
    EXPECT_EQ(servers.Count(), 1);
}
