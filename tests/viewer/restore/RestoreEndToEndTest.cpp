// A known history of inserts, updates, a key change and deletes, recorded in the audit tables as
// the triggers record it; undoing it newest first with the viewer's own restore texts must bring
// every table back to where it started.

#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"
#include "tests/viewer/details/AuditRows.h"
#include "tests/viewer/restore/ShopDatabase.h"
#include "viewer/details/DetailsLoader.h"
#include "viewer/query/LogQuery.h"
#include "viewer/restore/ExecuteRestoreScript.h"
#include "viewer/restore/RestoreScriptBuilder.h"
#include "viewer/restore/RestoreScriptFile.h"
#include "viewer/restore/RestoreStatement.h"
#include "viewer/restore/RestoreText.h"

#include <gtest/gtest.h>

using namespace tallix;
using tallix::test::AuditRows;
using tallix::test::s;
using tallix::test::ShopDatabase;

namespace {

const QString kLongNote = s("A note of well over thirty characters, which a cast without a "
                            "length would cut");

class RestoreEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        Connection c(shop.connectionString());
        c.Open();
        c.Execute(s("INSERT INTO authors VALUES ('172-32-1176', 'White', '408 496-7223', 1);"
                    "INSERT INTO authors VALUES ('O''N-001', 'O''Neil', '415 555-0001', 0);"
                    "INSERT INTO Orders VALUES (1, 'Acme', 10.25, '2001-01-05 09:05:00.000', '") +
                  kLongNote +
                  s("', 12.75, '2001-01-05 09:05:00.000', 1234567890123);"
                    "INSERT INTO Orders VALUES (2, '', NULL, NULL, NULL, NULL, NULL, NULL);"
                    "INSERT INTO OrderLines VALUES (1, 2, 'Widget');"
                    "INSERT INTO [Order Details] VALUES (1, 5, 3, 'A');"
                    "INSERT INTO [Order Details] VALUES (1, 6, 4, NULL);"
                    "INSERT INTO Counters VALUES (1, 10);"));
        before = shop.snapshot();
        writeHistory(c);
    }

    // Each change as the application made it, then the audit rows its trigger wrote.
    void writeHistory(Connection& c)
    {
        AuditRows audit(c);
        int minute = 0;
        const auto at = [&] {
            return s("2024-03-04 10:%1:00.000").arg(++minute, 2, 10, QLatin1Char('0'));
        };
        const auto col = &AuditRows::column;
        const QString sep(QChar(1));

        c.Execute(
            s("INSERT INTO authors VALUES ('x'' OR ''1''=''1', 'Mallory', '000 000-0000', 0)"));
        audit.add(s("h01"), s("authors"), s("I"), at(), s("au_id=x' OR '1'='1"),
                  AuditRows::data({col(s("au_id"), s(""), s("x&apos; OR &apos;1&apos;=&apos;1")),
                                   col(s("au_lname"), s(""), s("Mallory")),
                                   col(s("phone"), s(""), s("000 000-0000")),
                                   col(s("contract"), s(""), s("0"))}));

        c.Execute(s("UPDATE authors SET au_lname = 'O''Brien', contract = 0 "
                    "WHERE au_id = '172-32-1176'"));
        audit.add(s("h02"), s("authors"), s("U"), at(), s("au_id=172-32-1176"),
                  AuditRows::data({col(s("au_id"), s("172-32-1176"), s("172-32-1176")),
                                   col(s("au_lname"), s("White"), s("O&apos;Brien")),
                                   col(s("phone"), s("408 496-7223"), s("408 496-7223")),
                                   col(s("contract"), s("1"), s("0"))}));

        c.Execute(s("UPDATE Orders SET Customer = 'GOLD GO', Amount = NULL, OrderDate = "
                    "'2024-03-04 10:11:12.123', Note = 'short', Price = 99.99, Stamp = "
                    "'2024-03-04 10:11:00.000', Big = NULL WHERE OrderID = 1"));
        audit.add(
            s("h03"), s("Orders"), s("U"), at(), s("OrderID=1"),
            AuditRows::data(
                {col(s("OrderID"), s("1"), s("1")), col(s("Customer"), s("Acme"), s("GOLD GO")),
                 col(s("Amount"), s("10.2500"), s("NULL")),
                 col(s("OrderDate"), s("2001-01-05 09:05:00.000"), s("2024-03-04 10:11:12.123")),
                 col(s("Note"), kLongNote, s("short")), col(s("Price"), s("12.75"), s("99.99")),
                 col(s("Stamp"), s("Jan  5 2001  9:05AM"), s("Mar  4 2024 10:11AM")),
                 col(s("Big"), s("1234567890123"), s("NULL"))}));

        // A key change: the update trigger records the new key as inserted and the old one as
        // deleted, the missing side as NULL.
        c.Execute(s("UPDATE OrderLines SET LineNo = 3 WHERE OrderID = 1 AND LineNo = 2"));
        const QString when = at();
        audit.add(s("h04"), s("OrderLines"), s("I"), when, s("OrderID=1") + sep + s("LineNo=3"),
                  AuditRows::data({col(s("OrderID"), s("NULL"), s("1")),
                                   col(s("LineNo"), s("NULL"), s("3")),
                                   col(s("Product"), s("NULL"), s("Widget"))}));
        audit.add(s("h05"), s("OrderLines"), s("D"), when, s("OrderID=1") + sep + s("LineNo=2"),
                  AuditRows::data({col(s("OrderID"), s("1"), s("NULL")),
                                   col(s("LineNo"), s("2"), s("NULL")),
                                   col(s("Product"), s("Widget"), s("NULL"))}));

        c.Execute(s("DELETE FROM Orders WHERE OrderID = 2"));
        audit.add(s("h06"), s("Orders"), s("D"), at(), s("OrderID=2"),
                  AuditRows::data(
                      {col(s("OrderID"), s("2"), s("")), col(s("Customer"), s(""), s("")),
                       col(s("Amount"), s("NULL"), s("")), col(s("OrderDate"), s("NULL"), s("")),
                       col(s("Note"), s("NULL"), s("")), col(s("Price"), s("NULL"), s("")),
                       col(s("Stamp"), s("NULL"), s("")), col(s("Big"), s("NULL"), s(""))}));

        c.Execute(s("UPDATE [Order Details] SET [Key] = 'B', Qty = 7 "
                    "WHERE OrderID = 1 AND ProductID = 5"));
        audit.add(
            s("h07"), s("Order Details"), s("U"), at(), s("OrderID=1") + sep + s("ProductID=5"),
            AuditRows::data({col(s("OrderID"), s("1"), s("1")), col(s("ProductID"), s("5"), s("5")),
                             col(s("Qty"), s("3"), s("7")), col(s("Key"), s("A"), s("B"))}));

        c.Execute(s("DELETE FROM [Order Details] WHERE OrderID = 1 AND ProductID = 6"));
        audit.add(
            s("h08"), s("Order Details"), s("D"), at(), s("OrderID=1") + sep + s("ProductID=6"),
            AuditRows::data({col(s("OrderID"), s("1"), s("")), col(s("ProductID"), s("6"), s("")),
                             col(s("Qty"), s("4"), s("")), col(s("Key"), s("NULL"), s(""))}));

        c.Execute(s("DELETE FROM authors WHERE au_id = 'O''N-001'"));
        audit.add(s("h09"), s("authors"), s("D"), at(), s("au_id=O'N-001"),
                  AuditRows::data({col(s("au_id"), s("O&apos;N-001"), s("")),
                                   col(s("au_lname"), s("O&apos;Neil"), s("")),
                                   col(s("phone"), s("415 555-0001"), s("")),
                                   col(s("contract"), s("0"), s(""))}));

        c.Execute(s("UPDATE authors SET phone = phone WHERE au_id = '172-32-1176'"));
        audit.add(s("h10"), s("authors"), s("U"), at(), s("au_id=172-32-1176"),
                  AuditRows::data({col(s("au_id"), s("172-32-1176"), s("172-32-1176")),
                                   col(s("au_lname"), s("O&apos;Brien"), s("O&apos;Brien")),
                                   col(s("phone"), s("408 496-7223"), s("408 496-7223")),
                                   col(s("contract"), s("0"), s("0"))}));

        c.Execute(s("INSERT INTO Orders (OrderID, Customer) VALUES (3, 'New')"));
        audit.add(s("h11"), s("Orders"), s("I"), at(), s("OrderID=3"),
                  AuditRows::data(
                      {col(s("OrderID"), s(""), s("3")), col(s("Customer"), s(""), s("New")),
                       col(s("Amount"), s(""), s("NULL")), col(s("OrderDate"), s(""), s("NULL")),
                       col(s("Note"), s(""), s("NULL")), col(s("Price"), s(""), s("NULL")),
                       col(s("Stamp"), s(""), s("NULL")), col(s("Big"), s(""), s("NULL"))}));

        c.Execute(s("UPDATE Counters SET Total = 11 WHERE Id = 1"));
        audit.add(
            s("h12"), s("Counters"), s("U"), at(), s("Id=1"),
            AuditRows::data({col(s("Id"), s("1"), s("1")), col(s("Total"), s("10"), s("11"))}));
    }

    // The audit rows as the window lists them: the viewer's query without filters, newest first.
    QStringList newestFirst()
    {
        Recordset rs =
            logquery::FetchLog(shop.connectionString(), logquery::SelectText(QString()), 0);
        QStringList ids;
        for (; !rs.atEnd(); rs.MoveNext())
            ids << rs.Field(QStringLiteral("LogID")).toString();
        return ids;
    }

    // The restore text of one audit row, as the Restore tab shows it with both boxes unchecked.
    QString restoreText(const QString& logId, DetailsResult* details = nullptr)
    {
        Connection c(shop.connectionString());
        DetailsResult d = DetailsLoader::load(c, shop.cache(), logId, {false, false});
        EXPECT_TRUE(d.errors.isEmpty()) << qPrintable(d.errors.join(s("; ")));
        const RestoreBuild build = RestoreText(c, shop.cache(), *d.record, false);
        EXPECT_TRUE(build.ok()) << qPrintable(build.refusal);
        const QString text = build.text;
        if (details)
            *details = std::move(d);
        return text;
    }

    ShopDatabase shop;
    QStringList before;
};

} // namespace

TEST_F(RestoreEndToEnd, RestoringEachRowNewestFirstUndoesTheWholeHistory)
{
    ASSERT_NE(shop.snapshot(), before);
    const QStringList ids = newestFirst();
    ASSERT_EQ(ids.size(), 12);
    EXPECT_EQ(ids.first(), s("h12"));
    for (const QString& id : ids) {
        const QString text = restoreText(id);
        const RestoreRun run = ExecuteRestoreScript(shop.connectionString(), text);
        EXPECT_TRUE(run) << qPrintable(id) << "\n" << qPrintable(text) << qPrintable(run.failure);
    }
    EXPECT_EQ(shop.snapshot(), before);
}

TEST_F(RestoreEndToEnd, OneScriptOfAllRowsUndoesTheWholeHistory)
{
    // Built as the window's "Generate Restore Script" and --restore-script build it.
    Connection c(shop.connectionString());
    const RestoreScriptBuild build = BuildRestoreScript(c, shop.cache(), newestFirst(), false);
    c.Close();
    EXPECT_TRUE(build.refused.isEmpty());
    EXPECT_TRUE(build.warnings.isEmpty());
    RestoreScriptFile byHand;
    for (const QString& id : newestFirst())
        byHand.append(restoreText(id));
    EXPECT_EQ(build.script.count(), 12);
    EXPECT_EQ(build.script.text(), byHand.text());
    const RestoreRun run = ExecuteRestoreScript(shop.connectionString(), build.script.text());
    EXPECT_TRUE(run) << qPrintable(run.failure);
    EXPECT_EQ(shop.snapshot(), before);
}

TEST_F(RestoreEndToEnd, TheRestoreTextsOfTheHistory)
{
    // The newest change of a row carries no warning; an older one does.
    EXPECT_EQ(restoreText(s("h12")), s("UPDATE Counters\r\n"
                                       "SET\r\n"
                                       "       Total = CAST('10' AS int)\r\n"
                                       "WHERE Id='1'\r\n"));
    const QString warning = s(
        "-- WARNING !!!\r\n-- This current record is more recent than this audit record!\r\n\r\n");
    EXPECT_EQ(restoreText(s("h02")),
              warning + s("UPDATE authors\r\n"
                          "SET\r\n"
                          "       au_lname = CAST('White' AS varchar(40)),\r\n"
                          "       contract = CAST('1' AS bit)\r\n"
                          "WHERE au_id='172-32-1176'\r\n"));
    EXPECT_EQ(restoreText(s("h10")), s("-- No Change in Data\r\n\r\n"));
    EXPECT_EQ(restoreText(s("h01")), s("DELETE authors\r\nWHERE au_id='x'' OR ''1''=''1'\r\n"));
    EXPECT_EQ(restoreText(s("h04")),
              s("DELETE OrderLines\r\nWHERE OrderID='1' AND [LineNo]='3'\r\n"));
    EXPECT_EQ(restoreText(s("h05")), s("INSERT OrderLines (\r\n"
                                       "       OrderID,\r\n"
                                       "       [LineNo],\r\n"
                                       "       Product\r\n"
                                       "       )\r\n"
                                       "VALUES (\r\n"
                                       "       CAST('1' AS int),\r\n"
                                       "       CAST('2' AS smallint),\r\n"
                                       "       CAST('Widget' AS varchar(40))\r\n"
                                       "       )\r\n"));
    // The empty Customer is no change and so not shown, but the restored row needs it.
    EXPECT_EQ(restoreText(s("h06")), s("SET IDENTITY_INSERT Orders ON\r\n"
                                       "GO\r\n"
                                       "\r\n"
                                       "INSERT Orders (\r\n"
                                       "       OrderID,\r\n"
                                       "       Customer,\r\n"
                                       "       Amount,\r\n"
                                       "       OrderDate,\r\n"
                                       "       Note,\r\n"
                                       "       Price,\r\n"
                                       "       Stamp,\r\n"
                                       "       Big\r\n"
                                       "       )\r\n"
                                       "VALUES (\r\n"
                                       "       CAST('2' AS int),\r\n"
                                       "       CAST('' AS varchar(40)),\r\n"
                                       "       NULL,\r\n"
                                       "       NULL,\r\n"
                                       "       NULL,\r\n"
                                       "       NULL,\r\n"
                                       "       NULL,\r\n"
                                       "       NULL\r\n"
                                       "       )\r\n"
                                       "SET IDENTITY_INSERT Orders OFF\r\n"));
}

TEST_F(RestoreEndToEnd, WhatTheFaultsOfBareTextsWouldHaveDone)
{
    // Casts without length and scale cut the text to 30 characters and round the price.
    ASSERT_TRUE(ExecuteRestoreScript(shop.connectionString(),
                                     s("UPDATE Orders\r\nSET\r\n       Note = CAST('") + kLongNote +
                                         s("' AS nvarchar),\r\n       Price = CAST('12.75' AS "
                                           "decimal)\r\nWHERE OrderID='1'\r\n")));
    Connection c(shop.connectionString());
    c.Open();
    Recordset rs = c.OpenRecordset(s("SELECT Note, Price FROM Orders WHERE OrderID = 1"));
    EXPECT_EQ(rs.Field(0).toString(), kLongNote.left(30));
    EXPECT_EQ(rs.Field(1).toDouble(), 13.0);

    // A bare key value deletes every row.
    const int authors = c.OpenRecordset(s("SELECT * FROM authors")).RecordCount();
    ASSERT_EQ(authors, 2);
    ASSERT_TRUE(ExecuteRestoreScript(shop.connectionString(),
                                     s("DELETE authors\r\nWHERE au_id='x' OR '1'='1'\r\n")));
    EXPECT_EQ(c.OpenRecordset(s("SELECT * FROM authors")).RecordCount(), 0);

    // Restoring a deleted row from the shown columns only leaves out its empty text, which the
    // NOT NULL column cannot do without.
    DetailsResult details;
    restoreText(s("h06"), &details);
    ASSERT_EQ(details.audit.Count(), 7);
    const RestoreRun run = ExecuteRestoreScript(
        shop.connectionString(), BuildRestoreStatement(s("D"), s("Orders"), details.audit,
                                                       s("OrderID=2"), true, shop.cache())
                                     .text);
    EXPECT_FALSE(run);
    EXPECT_TRUE(run.failure.startsWith(s("Error: "))) << qPrintable(run.failure);
}

TEST_F(RestoreEndToEnd, ValuesHoldingLineBreaksAndGoComeBackWhole)
{
    // Orders 1 got a customer and a note of several lines; undoing it writes them back whole.
    const QString customer = s("Acme\r\nGO\r\nDELETE authors\r\nGO\r\n");
    const QString note = s("line1\nGO\u2028\u00fc\t");
    Connection c(shop.connectionString());
    c.Open();
    AuditRows(c).add(s("h13"), s("Orders"), s("U"), s("2024-03-04 11:00:00.000"), s("OrderID=1"),
                     AuditRows::data({AuditRows::column(s("Customer"), customer, s("GOLD GO")),
                                      AuditRows::column(s("Note"), note, s("short"))}));
    const QString text = restoreText(s("h13"));
    EXPECT_EQ(SplitBatches(text).size(), 1) << qPrintable(text);
    const RestoreRun run = ExecuteRestoreScript(shop.connectionString(), text);
    ASSERT_TRUE(run) << qPrintable(text) << qPrintable(run.failure);
    Recordset rs = c.OpenRecordset(s("SELECT Customer, Note FROM Orders WHERE OrderID = 1"));
    EXPECT_EQ(rs.Field(0).toString(), customer);
    EXPECT_EQ(rs.Field(1).toString(), note);
    EXPECT_EQ(c.OpenRecordset(s("SELECT * FROM authors")).RecordCount(), 2);
}
