#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"
#include "tests/viewer/details/AuditRows.h"
#include "tests/viewer/restore/ShopDatabase.h"
#include "viewer/restore/ExecuteRestoreScript.h"
#include "viewer/restore/IsMoreRecentChange.h"
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

TEST(ExecuteRestoreScript, RunsBatchByBatchAndReportsTheFirstFailure)
{
    ShopDatabase shop;
    RecordingMessages messages;
    // A value holding "GO" in capitals would cut the statement if GO split anywhere.
    EXPECT_TRUE(ExecuteRestoreScript(
        shop.connectionString(),
        s("INSERT authors (au_id, au_lname, phone, contract) VALUES ('1', 'GOLDEN GO', '', 1)\r\n"
          "GO\r\n"
          "INSERT authors (au_id, au_lname, phone, contract) VALUES ('2', 'B', '', 0)\r\n")));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(authors(shop),
              (QStringList{s("authors QString:1|QString:GOLDEN GO|QString:|bool:true"),
                           s("authors QString:2|QString:B|QString:|bool:false")}));

    // The batch before the failing one stays executed.
    EXPECT_FALSE(ExecuteRestoreScript(shop.connectionString(),
                                      s("DELETE authors\r\nWHERE au_id='1'\r\nGO\r\n"
                                        "UPDATE authors SET Missing = 1\r\nGO\r\n"
                                        "DELETE authors\r\nWHERE au_id='2'\r\n")));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(s("Error: ")))
        << qPrintable(messages.shown[0].text);
    EXPECT_EQ(messages.shown[0].title, s("Tallix Viewer"));
    EXPECT_EQ(authors(shop).size(), 1);

    EXPECT_FALSE(
        ExecuteRestoreScript(shop.connectionString(), s("DELETE Gone\r\nWHERE a='1'\r\n")));
    EXPECT_EQ(messages.shownTexts().last(),
              s("Tallix does not appear to be running/configured for this database."));

    EXPECT_FALSE(ExecuteRestoreScript(QString(), s("DELETE authors\r\nWHERE au_id='2'\r\n")));
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(authors(shop).size(), 1);
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
    EXPECT_TRUE(IsMoreRecentChange(c, key1, s("2001-01-05 09:05:00.000")));
    EXPECT_FALSE(IsMoreRecentChange(c, key1, s("2001-01-06 10:00:00.000")));
    EXPECT_FALSE(
        IsMoreRecentChange(c, test::AuditDatabase::keyId(3), s("2001-01-10 00:00:00.000")));
    EXPECT_TRUE(messages.shown.empty());

    Connection empty(folder.connectionString(s("empty")));
    empty.Open();
    EXPECT_FALSE(IsMoreRecentChange(empty, key1, s("2001-01-05 09:05:00.000")));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(
        s("Error - Can't determine if there are recent changes to this record : ")));
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

    RecordingMessages messages;
    RestoreScriptFile script;
    script.append(s("DELETE authors\r\nWHERE au_id='2'\r\n"));
    const QDateTime when(QDate(2024, 3, 4), QTime(13, 7));
    const QString path = script.save(when, notAFolder, documents);

    EXPECT_EQ(path, QDir(documents).filePath(s("Tallix_Restore_202404031307.SQL")));
    EXPECT_TRUE(QFile::exists(path));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              s("The current folder is not writable. The restore script was saved as ") +
                  QDir::toNativeSeparators(path) + s("."));

    // Neither folder writable: the failure is told and nothing is returned.
    EXPECT_EQ(script.save(when, notAFolder, notAFolder), QString());
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(messages.shown[1].text.startsWith(s("Error: ")));

    // A writable folder: no message.
    EXPECT_EQ(script.save(when, documents, notAFolder), path);
    EXPECT_EQ(messages.shown.size(), 2u);
}
