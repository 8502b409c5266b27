#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"
#include "tests/viewer/details/AuditRows.h"
#include "tests/viewer/restore/ShopDatabase.h"
#include "viewer/restore/ExecuteRestoreScript.h"
#include "viewer/restore/IsMoreRecentChange.h"
#include "viewer/restore/RestoreScriptBuilder.h"
#include "viewer/restore/RestoreScriptFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tallix;
using tallix::test::AuditRows;
using tallix::test::RecordingMessages;
using tallix::test::s;
using tallix::test::ShopDatabase;

namespace {

QStringList authors(ShopDatabase& shop)
{
    QStringList rows = shop.snapshot().filter(s("authors "));
    return rows;
}

} // namespace

TEST(SplitBatches, SplitsOnlyAtLinesHoldingGo)
{
    EXPECT_EQ(SplitBatches(s("SET IDENTITY_INSERT Orders ON\r\nGO\r\n\r\nINSERT Orders (\r\n"
                             "       Customer\r\n       )\r\nVALUES (\r\n       CAST('GOLD' AS "
                             "varchar(40))\r\n       )\r\n")),
              (QStringList{s("SET IDENTITY_INSERT Orders ON\r\n"),
                           s("\r\nINSERT Orders (\r\n       Customer\r\n       )\r\nVALUES (\r\n"
                             "       CAST('GOLD' AS varchar(40))\r\n       )\r\n")}));
    EXPECT_EQ(SplitBatches(s("-- ---\r\n\r\n-- No Change in Data\r\n\r\n\r\n go \r\n\r\n")),
              QStringList());
    EXPECT_EQ(SplitBatches(s("A\nGo\nB")), (QStringList{s("A\n"), s("B")}));
    EXPECT_EQ(SplitBatches(s("GOTO x\nSELECT 'GO'")), QStringList{s("GOTO x\nSELECT 'GO'")});
}

TEST(ExecuteRestoreScript, RunsBatchByBatchAndReturnsTheFirstFailure)
{
    ShopDatabase shop;
    RecordingMessages messages;
    // A value holding "GO" in capitals would cut the statement if GO split anywhere.
    RestoreRun run = ExecuteRestoreScript(
        shop.connectionString(),
        s("INSERT authors (au_id, au_lname, phone, contract) VALUES ('1', 'GOLDEN GO', '', 1)\r\n"
          "GO\r\n"
          "INSERT authors (au_id, au_lname, phone, contract) VALUES ('2', 'B', '', 0)\r\n"));
    EXPECT_TRUE(run);
    EXPECT_TRUE(run.failure.isEmpty());
    EXPECT_EQ(authors(shop),
              (QStringList{s("authors QString:1|QString:GOLDEN GO|QString:|bool:true"),
                           s("authors QString:2|QString:B|QString:|bool:false")}));

    // The batch before the failing one stays executed.
    run = ExecuteRestoreScript(shop.connectionString(),
                               s("DELETE authors\r\nWHERE au_id='1'\r\nGO\r\n"
                                 "UPDATE authors SET Missing = 1\r\nGO\r\n"
                                 "DELETE authors\r\nWHERE au_id='2'\r\n"));
    EXPECT_FALSE(run);
    EXPECT_TRUE(run.failure.startsWith(s("Error: "))) << qPrintable(run.failure);
    EXPECT_EQ(authors(shop).size(), 1);

    run = ExecuteRestoreScript(shop.connectionString(), s("DELETE Gone\r\nWHERE a='1'\r\n"));
    EXPECT_FALSE(run);
    EXPECT_EQ(run.failure, s("Tallix does not appear to be running/configured for this database."));

    // Without a connection string nothing runs and there is nothing to tell.
    run = ExecuteRestoreScript(QString(), s("DELETE authors\r\nWHERE au_id='2'\r\n"));
    EXPECT_FALSE(run);
    EXPECT_TRUE(run.failure.isEmpty());
    EXPECT_EQ(authors(shop).size(), 1);
    EXPECT_TRUE(messages.shown.empty()) << "the restore code shows nothing itself";
}

TEST(IsMoreRecentChange, CountsLaterAuditRowsOfTheSameKey)
{
    EXPECT_EQ(MoreRecentChangeQuery(s("{22222222-0000-0000-0000-000000000001}"),
                                    s("2001-01-05 09:05:00.000")),
              s("SELECT Count(*) FROM Tallix  WHERE KeyID = '{22222222-0000-0000-0000-"
                "000000000001}' and TransactionDate > CONVERT(datetime, '2001-01-05 "
                "09:05:00.000', 121)"));

    test::AuditDatabase folder; // rows 1 and 2 share KeyID 1, six and three days apart
    RecordingMessages messages;
    Connection c(folder.connectionString());
    c.Open();
    const QString key1 = test::AuditDatabase::keyId(1);
    QString failure;
    EXPECT_TRUE(IsMoreRecentChange(c, key1, s("2001-01-05 09:05:00.000"), &failure));
    EXPECT_FALSE(IsMoreRecentChange(c, key1, s("2001-01-06 10:00:00.000"), &failure));
    EXPECT_FALSE(IsMoreRecentChange(c, test::AuditDatabase::keyId(3), s("2001-01-10 00:00:00.000"),
                                    &failure));
    EXPECT_TRUE(failure.isEmpty());

    Connection empty(folder.connectionString(s("empty")));
    empty.Open();
    EXPECT_FALSE(IsMoreRecentChange(empty, key1, s("2001-01-05 09:05:00.000"), &failure));
    EXPECT_TRUE(failure.startsWith(
        s("Error - Can't determine if there are recent changes to this record : ")))
        << qPrintable(failure);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(MoreRecentChangeWarning(),
              s("-- WARNING !!!\r\n-- This current record is more recent than this audit "
                "record!\r\n\r\n"));
}

TEST(RestoreScriptFile, SeparatesTheRowsAndWritesTheNamedFile)
{
    RestoreScriptFile script;
    script.append(s("DELETE authors\r\nWHERE au_id='2'\r\n"));
    script.append(s("-- No Change in Data\r\n\r\n"));
    const QString line = s("-- ----------------------------------------------------------------"
                           "------------------\r\n");
    EXPECT_EQ(script.text(), line + s("\r\nDELETE authors\r\nWHERE au_id='2'\r\n\r\nGO\r\n\r\n") +
                                 line + s("\r\n-- No Change in Data\r\n\r\n\r\nGO\r\n\r\n"));
    EXPECT_EQ(line.size(), 87);
    EXPECT_EQ(script.count(), 2);

    // Year, day, month, hour, minute.
    const QDateTime when(QDate(2024, 3, 4), QTime(13, 7, 59));
    EXPECT_EQ(RestoreScriptFile::fileName(when), s("Tallix_Restore_202404031307.SQL"));

    QTemporaryDir dir;
    const QString path = script.write(when, dir.path(), QString());
    EXPECT_EQ(path, dir.filePath(s("Tallix_Restore_202404031307.SQL")));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), (script.text() + s("\r\n")).toUtf8());
}

TEST(RestoreScriptFile, GoesToTheFallbackFolderWhenTheCurrentOneIsNotWritable)
{
    QTemporaryDir dir;
    // A file where the folder should be: nobody can write into it, not even root.
    const QString notAFolder = dir.filePath(s("file"));
    QFile(notAFolder).open(QIODevice::WriteOnly);
    const QString documents = dir.filePath(s("Documents"));

    RestoreScriptFile script;
    script.append(s("DELETE authors\r\nWHERE au_id='2'\r\n"));
    const QDateTime when(QDate(2024, 3, 4), QTime(13, 7));
    const RestoreScriptFile::Saved fallback = script.save(when, notAFolder, documents);

    const QString path = QDir(documents).filePath(s("Tallix_Restore_202404031307.SQL"));
    EXPECT_EQ(fallback.path, path);
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(fallback.message,
              s("The current folder is not writable. The restore script was saved as ") +
                  QDir::toNativeSeparators(path) + s("."));

    // Neither folder writable: the failure is told and no path is given.
    const RestoreScriptFile::Saved none = script.save(when, notAFolder, notAFolder);
    EXPECT_TRUE(none.failed());
    EXPECT_EQ(none.path, QString());
    EXPECT_TRUE(none.message.startsWith(s("Error: "))) << qPrintable(none.message);
    EXPECT_GT(none.message.size(), 7) << "the reason follows";

    // A writable folder: nothing to tell.
    const RestoreScriptFile::Saved plain = script.save(when, documents, notAFolder);
    EXPECT_EQ(plain.path, path);
    EXPECT_FALSE(plain.failed());
    EXPECT_TRUE(plain.message.isEmpty());
}

TEST(BuildRestoreScript, KeepsTheOrderGivenAndLeavesOutWhatCannotBeRestoredWithWhy)
{
    ShopDatabase shop;
    {
        Connection c(shop.connectionString());
        c.Open();
        c.Execute(s("INSERT INTO Counters VALUES (1, 11)"));
        AuditRows rows(c);
        const auto counter = [](const char* before, const char* after) {
            return AuditRows::data({AuditRows::column(s("Id"), s("1"), s("1")),
                                    AuditRows::column(s("Total"), s(before), s(after))});
        };
        rows.add(s("old"), s("Counters"), s("U"), s("2024-03-04 10:00:00.000"), s("Id=1"),
                 counter("9", "10"));
        rows.add(s("new"), s("Counters"), s("U"), s("2024-03-04 11:00:00.000"), s("Id=1"),
                 counter("10", "11"));
        // An apostrophe the trigger did not write as &apos;: the data cannot be read whole.
        rows.add(s("cut"), s("Counters"), s("U"), s("2024-03-04 12:00:00.000"), s("Id=1"),
                 s("<AUDIT><COLUMN NAME='Total' BEFORE='O'Brien' AFTER='1'/></AUDIT>"));
        // A date the newer-change check cannot read: the text comes without its warning.
        rows.add(s("odd"), s("Counters"), s("U"), s("not a date"), s("Id=1"), counter("1", "2"));
        rows.add(s("odd2"), s("Counters"), s("U"), s("no date either"), s("Id=1"),
                 counter("2", "3"));
    }
    RecordingMessages messages;
    Connection c(shop.connectionString());
    QList<std::pair<int, int>> progress;
    const RestoreScriptBuild build = BuildRestoreScript(
        c, shop.cache(), {s("old"), s("cut"), s("gone"), s("new"), s("odd"), s("odd2")}, false,
        [&](int row, int count) {
            progress.append({row, count});
        });

    EXPECT_EQ(progress,
              (QList<std::pair<int, int>>{{1, 6}, {2, 6}, {3, 6}, {4, 6}, {5, 6}, {6, 6}}));
    // The older change is marked as changed again since; the newest is not.
    const QString warning = s(
        "-- WARNING !!!\r\n-- This current record is more recent than this audit record!\r\n\r\n");
    RestoreScriptFile expected;
    expected.append(warning + s("UPDATE Counters\r\nSET\r\n       Total = CAST('9' AS int)\r\n"
                                "WHERE Id='1'\r\n"));
    expected.append(warning + s("UPDATE Counters\r\nSET\r\n       Total = CAST('10' AS int)\r\n"
                                "WHERE Id='1'\r\n"));
    expected.append(s("UPDATE Counters\r\nSET\r\n       Total = CAST('1' AS int)\r\n"
                      "WHERE Id='1'\r\n"));
    expected.append(s("UPDATE Counters\r\nSET\r\n       Total = CAST('2' AS int)\r\n"
                      "WHERE Id='1'\r\n"));
    EXPECT_EQ(build.script.text(), expected.text());

    ASSERT_EQ(build.refused.size(), 2);
    EXPECT_EQ(build.refused[0].logId, s("cut"));
    EXPECT_TRUE(build.refused[0].wasRead());
    EXPECT_TRUE(build.refused[0].build.refusal.startsWith(
        s("The audit data of the row can not be read whole: ")))
        << qPrintable(build.refused[0].build.refusal);
    EXPECT_EQ(build.refused[1].logId, s("gone"));
    EXPECT_EQ(build.refused[1].readError, s("No audit row has the LogID gone."));
    const QList<RefusedRow> shown = build.refusedRows();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0].refusal, build.refused[0].build.refusal);
    EXPECT_EQ(shown[1].refusal,
              s("The audit row could not be read: No audit row has the LogID gone."));

    // Both odd dates fail the check alike; the user is told once.
    ASSERT_EQ(build.warnings.size(), 1) << qPrintable(build.warnings.join(s("\n")));
    EXPECT_TRUE(build.warnings[0].startsWith(
        s("Error - Can't determine if there are recent changes to this record : ")));
    EXPECT_TRUE(messages.shown.empty());
}
