#include "common/ui/Grid.h"
#include "tests/common/db/AuditDatabase.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"
#include "tests/viewer/details/AuditRows.h"
#include "tests/viewer/ui/ViewerWindowFixture.h"
#include "viewer/ui/DatePicker.h"
#include "viewer/ui/frmTallixViewer.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tallix;
using tallix::test::AuditDatabase;
using tallix::test::AuditRows;
using tallix::test::RecordingMessages;
using tallix::test::s;

namespace {

constexpr quint32 kCyan = 0xFFFF00;
constexpr quint32 kYellow = 0x00FFFF;
constexpr quint32 kWhite = 0xFFFFFF;

// The window connected to the fixture's audit database, with two more audit rows of Orders: an
// update of order 1 (the newest row) and the delete of an order that is gone.
class DetailsPane : public tallix::test::ViewerWindowFixture {
protected:
    void SetUp() override
    {
        ViewerWindowFixture::SetUp();
        registerServer(audit.folder(), s("audit"), true);

        Connection c(audit.connectionString());
        c.Open();
        AuditRows rows(c);
        rows.add(s("{44444444-0000-0000-0000-000000000001}"), s("Orders"), s("U"),
                 s("2001-02-01 10:00:00.000"), s("OrderID=1"),
                 AuditRows::data(
                     {AuditRows::column(s("OrderID"), s("1"), s("1")),
                      AuditRows::column(s("Customer"), s("O&apos;Hara"), s("Acme")),
                      AuditRows::column(s("Amount"), s("9.5000"), s("10.2500")),
                      AuditRows::column(s("Shipped"), s("0"), s("0")),
                      AuditRows::column(s("OrderDate"), s("NULL"), s("2001-01-04 09:05:00.000")),
                      AuditRows::column(s("Guid"), s("NULL"), s("NULL"))}));
        rows.add(s("{44444444-0000-0000-0000-000000000002}"), s("Orders"), s("D"),
                 s("2001-01-31 10:00:00.000"), s("OrderID=7"),
                 AuditRows::data({AuditRows::column(s("OrderID"), s("7"), s("")),
                                  AuditRows::column(s("Customer"), s("Gone"), s(""))}));

        window = std::make_unique<frmTallixViewer>();
        window->resize(1200, 900);
        window->Form_Load();
        control<DatePicker>("dtpFrom")->clearValue();
        QTest::mouseClick(control<QPushButton>("cmdFilter"), Qt::LeftButton);
        ASSERT_EQ(log()->rows(), 9);
        ASSERT_EQ(log()->text(1, 0), s("{44444444-0000-0000-0000-000000000001}"));
    }

    Grid* log() { return control<Grid>("fgTransLog"); }
    Grid* details() { return control<Grid>("fgDetails"); }
    void click(const char* checkBox)
    {
        QTest::mouseClick(control<QCheckBox>(checkBox), Qt::LeftButton);
    }

    // Each shown row as "field|before|after|current".
    QStringList shown()
    {
        QStringList out;
        for (int r = 1; r < details()->rows(); ++r) {
            QStringList cells;
            for (int c = 0; c < 4; ++c)
                cells << details()->text(r, c);
            out << cells.join(QLatin1Char('|'));
        }
        return out;
    }

    // The background colours of a row's four cells, white where none was set.
    std::vector<quint32> colours(int row)
    {
        std::vector<quint32> out;
        for (int c = 0; c < 4; ++c)
            out.push_back(details()->cellBackColor(row, c).value_or(kWhite));
        return out;
    }

    std::vector<int> widths()
    {
        std::vector<int> out;
        for (int c = 0; c < 4; ++c)
            out.push_back(details()->colWidth(c));
        return out;
    }

    // Right-clicks a row of the audit list and reports which pop-up items are enabled.
    QString popUpAfterRightClick(int row)
    {
        auto* menu = control<QMenu>("mnuPopup");
        const QRect cell = log()->visualRect(log()->gridModel()->index(row, 1));
        QTest::mouseClick(log()->viewport(), Qt::RightButton, {}, cell.center());
        const bool shownNow = menu->isVisible();
        menu->hide();
        if (!shownNow)
            return s("no menu");
        return s("Restore %1, Generate Restore Script %2")
            .arg(menu->findChild<QAction*>(s("mnuRestore"))->isEnabled() ? s("on") : s("off"),
                 menu->findChild<QAction*>(s("mnuRestoreAll"))->isEnabled() ? s("on") : s("off"));
    }
};

} // namespace

TEST_F(DetailsPane, TheCurrentRowsChangesAreShownWithTheirColoursAndData)
{
    // The first row is current after the query; its changed columns are shown, cyan.
    EXPECT_EQ(shown(), (QStringList{s("Customer|O'Hara|Acme|"), s("Amount|9.5000|10.2500|"),
                                    s("OrderDate|NULL|2001-01-04 09:05:00.000|")}));
    EXPECT_EQ(colours(1), (std::vector<quint32>{kCyan, kCyan, kCyan, kYellow}));
    EXPECT_EQ(control<QPlainTextEdit>("txtXML")->toPlainText(),
              s("<AUDIT>\n<COLUMN NAME='OrderID' BEFORE='1' AFTER='1'/>\n"
                "<COLUMN NAME='Customer' BEFORE='O&apos;Hara' AFTER='Acme'/>\n"
                "<COLUMN NAME='Amount' BEFORE='9.5000' AFTER='10.2500'/>\n"
                "<COLUMN NAME='Shipped' BEFORE='0' AFTER='0'/>\n"
                "<COLUMN NAME='OrderDate' BEFORE='NULL' AFTER='2001-01-04 09:05:00.000'/>\n"
                "<COLUMN NAME='Guid' BEFORE='NULL' AFTER='NULL'/>\n</AUDIT>"));
    // Without "Show Current" its column takes no room: Before and After share what Field leaves
    // of the grid's inside (its width less frame and scroll bar, 300 twips at most here).
    const int width = details()->widthTwips();
    std::vector<int> w = widths();
    EXPECT_EQ(w[0], 1500);
    EXPECT_EQ(w[1], w[2]);
    EXPECT_EQ(w[3], 0);
    EXPECT_LE(1500 + w[1] + w[2], width);
    EXPECT_GE(1500 + w[1] + w[2], width - 300);

    // "Show All Fields" adds the unchanged columns, without colour.
    click("chkShowAllFields");
    EXPECT_EQ(shown().size(), 6);
    EXPECT_EQ(shown()[0], s("OrderID|1|1|"));
    EXPECT_EQ(details()->cellBackColor(1, 0), std::nullopt);

    // "Show Current" reads the order as it is now, in each type's format; the current value is
    // yellow where it differs from the after value.
    click("chkShowCurrent");
    EXPECT_EQ(shown(),
              (QStringList{s("OrderID|1|1|1"), s("Customer|O'Hara|Acme|Acme"),
                           s("Amount|9.5000|10.2500|10.25"), s("Shipped|0|0|1"),
                           s("OrderDate|NULL|2001-01-04 09:05:00.000|2001-01-05 09:05:00.000"),
                           s("Guid|NULL|NULL|NULL")}));
    EXPECT_EQ(colours(2), (std::vector<quint32>{kCyan, kCyan, kCyan, kWhite}));
    EXPECT_EQ(colours(3), (std::vector<quint32>{kCyan, kCyan, kCyan, kWhite}));
    EXPECT_EQ(colours(4), (std::vector<quint32>{kWhite, kWhite, kWhite, kYellow}));
    EXPECT_EQ(colours(5), (std::vector<quint32>{kCyan, kCyan, kCyan, kYellow}));
    w = widths();
    EXPECT_EQ(w[0], 1500);
    EXPECT_EQ(w[1], w[2]);
    EXPECT_EQ(w[2], w[3]);
    EXPECT_LE(1500 + 3 * w[1], width);
    EXPECT_GE(1500 + 3 * w[1], width - 300);

    click("chkShowAllFields");
    EXPECT_EQ(shown().size(), 3);
    EXPECT_TRUE(messages.shown.empty()) << qPrintable(messages.shownTexts().join(s("|")));
}

TEST_F(DetailsPane, ADeletedRowShowsItsColumnsWithoutCurrentValues)
{
    click("chkShowCurrent");
    log()->setCurrentRow(2);
    EXPECT_EQ(shown(), (QStringList{s("OrderID|7||"), s("Customer|Gone||")}));
    EXPECT_EQ(colours(2), (std::vector<quint32>{kCyan, kCyan, kCyan, kWhite}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DetailsPane, ShowRestoreWritesTheRestoreTextThatTheRestoreButtonRunsAfterAsking)
{
    click("chkShowRestore");
    auto* tabs = control<QTabWidget>("tabDetails");
    EXPECT_TRUE(tabs->isTabVisible(2));
    EXPECT_EQ(control<QPlainTextEdit>("txtRestore")->toPlainText(),
              s("UPDATE Orders\n"
                "SET\n"
                "       Customer = CAST('O''Hara' AS varchar(40)),\n"
                "       Amount = CAST('9.5000' AS money),\n"
                "       OrderDate = NULL\n"
                "WHERE OrderID='1'\n"));

    // No and Cancel leave the order alone.
    messages.answer(IMessages::Answer::No);
    QTest::mouseClick(control<QPushButton>("cmdRestore"), Qt::LeftButton);
    messages.answer(IMessages::Answer::Cancel);
    QTest::mouseClick(control<QPushButton>("cmdRestore"), Qt::LeftButton);
    ASSERT_EQ(messages.asked.size(), 2u);
    EXPECT_EQ(messages.asked[0].text, s("Are you sure you want to restore this data?"));
    EXPECT_EQ(messages.asked[0].title, s("Restore Data"));
    EXPECT_EQ(messages.asked[0].buttons, IMessages::Buttons::YesNoCancel);
    click("chkShowCurrent");
    EXPECT_EQ(shown()[0], s("Customer|O'Hara|Acme|Acme"));

    messages.answer(IMessages::Answer::Yes);
    QTest::mouseClick(control<QPushButton>("cmdRestore"), Qt::LeftButton);
    EXPECT_TRUE(messages.shown.empty()) << qPrintable(messages.shownTexts().join(s("|")));
    click("chkShowAllFields");
    click("chkShowAllFields");
    EXPECT_EQ(shown(),
              (QStringList{s("Customer|O'Hara|Acme|O'Hara"), s("Amount|9.5000|10.2500|9.50"),
                           s("OrderDate|NULL|2001-01-04 "
                             "09:05:00.000|NULL")}));

    // Unchecked, the tab goes and the pop-up menu no longer opens.
    click("chkShowRestore");
    EXPECT_FALSE(tabs->isTabVisible(2));
    EXPECT_EQ(popUpAfterRightClick(1), s("no menu"));
}

TEST_F(DetailsPane, AUnicodeValueFromTheNarrowLayoutIsNotedAndTheRestoreButtonWarnsFirst)
{
    {
        Connection c(audit.connectionString());
        c.Open();
        c.Execute(s("CREATE TABLE People (Id int NOT NULL PRIMARY KEY, Name nvarchar(40) NULL)"));
        c.Execute(s("INSERT INTO People (Id, Name) VALUES (5, N'Zoe')"));
        AuditRows(c).add(s("{44444444-0000-0000-0000-000000000003}"), s("People"), s("U"),
                         s("2001-03-01 10:00:00.000"), s("Id=5"),
                         AuditRows::data({AuditRows::column(s("Name"), s("Zo? ?e"), s("Zoe"))}));
    }
    // Connecting again reads the new table into the schema cache.
    window = std::make_unique<frmTallixViewer>();
    window->Form_Load();
    control<DatePicker>("dtpFrom")->clearValue();
    QTest::mouseClick(control<QPushButton>("cmdFilter"), Qt::LeftButton);
    ASSERT_EQ(log()->text(1, 0), s("{44444444-0000-0000-0000-000000000003}"));
    click("chkShowRestore");
    EXPECT_EQ(control<QPlainTextEdit>("txtRestore")->toPlainText(),
              s("-- NOTE: Name: characters outside the code page were recorded as \"?\"; check "
                "the value before restoring it.\n"
                "UPDATE People\n"
                "SET\n"
                "       Name = CAST(N'Zo? ?e' AS nvarchar(40))\n"
                "WHERE Id='5'\n"));

    messages.answer(IMessages::Answer::No);
    QTest::mouseClick(control<QPushButton>("cmdRestore"), Qt::LeftButton);
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0].text,
              s("The audit tables held this row's text in the database's code page: characters "
                "outside it were recorded as \"?\" in Name, and restoring writes \"?\" in their "
                "place.\n\nAre you sure you want to restore this data?"));
    EXPECT_EQ(messages.asked[0].icon, IMessages::Icon::Warning);
    EXPECT_EQ(messages.asked[0].buttons, IMessages::Buttons::YesNoCancel);
    Connection check(audit.connectionString());
    check.Open();
    EXPECT_EQ(check.OpenRecordset(s("SELECT Name FROM People")).ValueAt(0, 0).toString(), s("Zoe"))
        << "No leaves the row alone";

    // Yes runs the text the tab shows, note and all.
    messages.answer(IMessages::Answer::Yes);
    QTest::mouseClick(control<QPushButton>("cmdRestore"), Qt::LeftButton);
    EXPECT_TRUE(messages.shown.empty()) << qPrintable(messages.shownTexts().join(s("|")));
    EXPECT_EQ(check.OpenRecordset(s("SELECT Name FROM People")).ValueAt(0, 0).toString(),
              s("Zo? ?e"));
}

TEST_F(DetailsPane, ThePopUpOffersRestoreForOneRowAndTheScriptForSeveral)
{
    click("chkShowRestore");
    EXPECT_EQ(popUpAfterRightClick(1), s("Restore on, Generate Restore Script off"));
    log()->selectRows(1, 2);
    EXPECT_EQ(popUpAfterRightClick(1), s("Restore off, Generate Restore Script on"));

    // The script of both rows, newest first, written into the current folder and opened.
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    control<QMenu>("mnuPopup")->findChild<QAction*>(s("mnuRestoreAll"))->trigger();
    QDir::setCurrent(previous);

    ASSERT_EQ(messages.launched.size(), 1);
    const QString path = messages.launched[0];
    EXPECT_TRUE(QFileInfo(path).fileName().startsWith(s("Tallix_Restore_")));
    EXPECT_EQ(QFileInfo(path).absolutePath(), QFileInfo(folder.path()).absoluteFilePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString line = s("-- ") + QString(82, QLatin1Char('-')) + s("\r\n\r\n");
    const QString written = QString::fromUtf8(file.readAll());
    EXPECT_EQ(written, line +
                           s("UPDATE Orders\r\n"
                             "SET\r\n"
                             "       Customer = CAST('O''Hara' AS varchar(40)),\r\n"
                             "       Amount = CAST('9.5000' AS money),\r\n"
                             "       OrderDate = NULL\r\n"
                             "WHERE OrderID='1'\r\n"
                             "\r\nGO\r\n\r\n") +
                           line +
                           s("SET IDENTITY_INSERT Orders ON\r\n"
                             "GO\r\n"
                             "\r\n"
                             "INSERT Orders (\r\n"
                             "       OrderID,\r\n"
                             "       Customer\r\n"
                             "       )\r\n"
                             "VALUES (\r\n"
                             "       CAST('7' AS int),\r\n"
                             "       CAST('Gone' AS varchar(40))\r\n"
                             "       )\r\n"
                             "SET IDENTITY_INSERT Orders OFF\r\n"
                             "\r\nGO\r\n\r\n\r\n"));
    EXPECT_EQ(log()->selectedRowRange(), (std::pair<int, int>{1, 2}));
    EXPECT_TRUE(messages.shown.empty()) << qPrintable(messages.shownTexts().join(s("|")));
}

TEST_F(DetailsPane, RowsThatCannotBeRestoredAreRefusedWithTheirReasonsAndLeftOutOfScripts)
{
    {
        Connection c(audit.connectionString());
        c.Open();
        AuditRows rows(c);
        // A text value with an apostrophe the trigger did not escape, and a hostile table name.
        rows.add(s("{44444444-0000-0000-0000-000000000003}"), s("Orders"), s("U"),
                 s("2001-02-03 10:00:00.000"), s("OrderID=2"),
                 s("<AUDIT><COLUMN NAME='Customer' BEFORE='O'Brien' AFTER='Acme'/></AUDIT>"));
        rows.add(s("{44444444-0000-0000-0000-000000000004}"), s("Orders\r\nGO"), s("D"),
                 s("2001-02-02 10:00:00.000"), s("OrderID=9"),
                 AuditRows::data({AuditRows::column(s("OrderID"), s("9"), s(""))}));
    }
    QTest::mouseClick(control<QPushButton>("cmdFilter"), Qt::LeftButton);
    ASSERT_EQ(log()->rows(), 11);
    const QString unreadable =
        s("The audit data of the row can not be read whole: Column 1 (\"Customer\") of the audit "
          "data has no AFTER attribute where character 42 stands (is an apostrophe in the BEFORE "
          "value not written as &apos;?).");
    const QString hostile = s("The table name \"Orders??GO\" holds a line break or another "
                              "control character and can not be restored safely.");

    // The details show what could be read, marked as incomplete; the Restore tab says why.
    click("chkShowRestore");
    const auto select = [&](int row) {
        const QRect cell = log()->visualRect(log()->gridModel()->index(row, 1));
        QTest::mouseClick(log()->viewport(), Qt::LeftButton, {}, cell.center());
    };
    select(1);
    EXPECT_EQ(shown(), QStringList{s("Customer|O|Acme|")});
    auto* incomplete = control<QLabel>("lblDetailsIncomplete");
    EXPECT_TRUE(incomplete->isVisible());
    EXPECT_EQ(incomplete->text(), s("The details are incomplete: they show only what could be "
                                    "read of the audit data. Column 1 (\"Customer\") of the audit "
                                    "data has no AFTER attribute where character 42 stands (is an "
                                    "apostrophe in the BEFORE value not written as &apos;?)."));
    EXPECT_EQ(control<QPlainTextEdit>("txtRestore")->toPlainText(),
              s("-- This audit row can not be restored.\n-- ") + unreadable + s("\n"));

    // The Restore button refuses without asking; nothing runs.
    QTest::mouseClick(control<QPushButton>("cmdRestore"), Qt::LeftButton);
    EXPECT_TRUE(messages.asked.empty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, s("This audit row can not be restored: ") + unreadable);
    {
        Connection c(audit.connectionString());
        c.Open();
        EXPECT_EQ(c.OpenRecordset(s("SELECT Customer FROM Orders WHERE OrderID = 2")).Field(0),
                  QVariant(s("")));
    }

    select(3);
    EXPECT_FALSE(incomplete->isVisible());

    // A script of the three newest rows holds only the one that can be restored.
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    log()->selectRows(1, 3);
    EXPECT_EQ(popUpAfterRightClick(1), s("Restore off, Generate Restore Script on"));
    control<QMenu>("mnuPopup")->findChild<QAction*>(s("mnuRestoreAll"))->trigger();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text,
              s("These audit rows can not be restored and were left out of the restore script:\n"
                "{44444444-0000-0000-0000-000000000003}: ") +
                  unreadable + s("\n{44444444-0000-0000-0000-000000000004}: ") + hostile);
    ASSERT_EQ(messages.launched.size(), 1);
    QFile file(messages.launched[0]);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()),
              s("-- ") + QString(82, QLatin1Char('-')) +
                  s("\r\n\r\n"
                    "UPDATE Orders\r\n"
                    "SET\r\n"
                    "       Customer = CAST('O''Hara' AS varchar(40)),\r\n"
                    "       Amount = CAST('9.5000' AS money),\r\n"
                    "       OrderDate = NULL\r\n"
                    "WHERE OrderID='1'\r\n"
                    "\r\nGO\r\n\r\n\r\n"));

    // Only rows that cannot be restored: no script at all.
    log()->selectRows(1, 2);
    EXPECT_EQ(popUpAfterRightClick(1), s("Restore off, Generate Restore Script on"));
    control<QMenu>("mnuPopup")->findChild<QAction*>(s("mnuRestoreAll"))->trigger();
    QDir::setCurrent(previous);
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[2].text,
              s("None of the audit rows can be restored; no restore script was written:\n"
                "{44444444-0000-0000-0000-000000000003}: ") +
                  unreadable + s("\n{44444444-0000-0000-0000-000000000004}: ") + hostile);
    EXPECT_EQ(messages.launched.size(), 1);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 1);
}

TEST_F(DetailsPane, ANewerChangeThatCannotBeLookedForIsToldAndTheTextComesWithoutItsWarning)
{
    {
        Connection c(audit.connectionString());
        c.Open();
        AuditRows(c).add(s("{44444444-0000-0000-0000-000000000005}"), s("Orders"), s("U"),
                         s("9999-12-31 23:59:59.999 and more"), s("OrderID=1"),
                         AuditRows::data({AuditRows::column(s("Customer"), s("Old"), s("Acme"))}));
    }
    QTest::mouseClick(control<QPushButton>("cmdFilter"), Qt::LeftButton);
    ASSERT_EQ(log()->text(1, 0), s("{44444444-0000-0000-0000-000000000005}"));
    const QString cannotTell = s("Error - Can't determine if there are recent changes to this "
                                 "record : ");

    // Showing its restore text says so once and writes the statement alone.
    click("chkShowRestore");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(cannotTell))
        << qPrintable(messages.shown[0].text);
    EXPECT_EQ(messages.shown[0].title, s("Tallix Viewer"));
    EXPECT_EQ(messages.shown[0].icon, IMessages::Icon::Warning);
    EXPECT_EQ(control<QPlainTextEdit>("txtRestore")->toPlainText(),
              s("UPDATE Orders\nSET\n       Customer = CAST('Old' AS varchar(40))\n"
                "WHERE OrderID='1'\n"));

    // A script of it and the row after it: the script is written, and the same is told once.
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    log()->selectRows(1, 2);
    control<QMenu>("mnuPopup")->findChild<QAction*>(s("mnuRestoreAll"))->trigger();
    QDir::setCurrent(previous);
    ASSERT_EQ(messages.shown.size(), 2u) << qPrintable(messages.shownTexts().join(s("|")));
    EXPECT_EQ(messages.shown[1].text, messages.shown[0].text);
    ASSERT_EQ(messages.launched.size(), 1);
    QFile file(messages.launched[0]);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString written = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(written.contains(s("       Customer = CAST('Old' AS varchar(40))\r\n")));
    // The older update of order 1 has been changed again since.
    EXPECT_TRUE(written.contains(s("-- WARNING !!!\r\n")));
    EXPECT_EQ(log()->selectedRowRange(), (std::pair<int, int>{1, 2}));
    EXPECT_EQ(control<QLabel>("sbMainPanel1")->text(), QString());
}
