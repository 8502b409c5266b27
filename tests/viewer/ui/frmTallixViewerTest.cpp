#include "viewer/ui/frmTallixViewer.h"

#include "common/ui/Grid.h"
#include "tests/common/db/AuditDatabase.h"
#include "tests/support/TestSupport.h"
#include "tests/viewer/ui/ViewerWindowFixture.h"
#include "viewer/query/LogQuery.h"
#include "viewer/ui/DatePicker.h"
#include "viewer/ui/frmPreview.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace tallix;
using tallix::test::AuditDatabase;
using tallix::test::RecordingMessages;

namespace {

// A window over registered servers of the test's own settings store.
class ViewerWindow : public tallix::test::ViewerWindowFixture {
protected:
    frmTallixViewer& open()
    {
        window = std::make_unique<frmTallixViewer>();
        window->Form_Load();
        return *window;
    }

    QString status() { return control<QLabel>("sbMainPanel1")->text(); }

    QStringList items(const char* combo)
    {
        QStringList out;
        auto* c = control<QComboBox>(combo);
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i);
        return out;
    }

    // Chooses a database as the user does: picking it from the list.
    void chooseDatabase(const QString& name)
    {
        auto* c = control<QComboBox>("cboDatabase");
        const int index = c->findText(name);
        ASSERT_GE(index, 0) << qPrintable(name);
        c->setCurrentIndex(index);
        emit c->activated(index);
    }

    // The audit rows shown, as LogIDs from the top.
    QStringList shownIds()
    {
        auto* grid = control<Grid>("fgTransLog");
        QStringList out;
        for (int r = 1; r < grid->rows(); ++r)
            out << grid->text(r, 0);
        return out;
    }

    void refresh() { QTest::mouseClick(control<QPushButton>("cmdFilter"), Qt::LeftButton); }
};

} // namespace

TEST_F(ViewerWindow, StartUpSelectsTheDefaultServerAndConnects)
{
    registerServer(QStringLiteral("elsewhere"), QStringLiteral("pubs"), false);
    registerServer(audit.folder(), QStringLiteral("audit"), true);
    open();

    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tallix Viewer"));
    EXPECT_EQ(items("cboServer"), (QStringList{QStringLiteral("elsewhere"), audit.folder()}));
    EXPECT_EQ(control<QComboBox>("cboServer")->currentText(), audit.folder());
    EXPECT_EQ(items("cboDatabase"),
              (QStringList{QStringLiteral("audit"), QStringLiteral("empty")}));
    EXPECT_EQ(control<QComboBox>("cboDatabase")->currentText(), QStringLiteral("audit"));
    // Each list starts with an empty item.
    EXPECT_EQ(items("cboTable"),
              (QStringList{QString(), QStringLiteral("OrderLines"), QStringLiteral("Orders")}));
    EXPECT_EQ(items("cboUser"), (QStringList{QString(), QStringLiteral("alice"),
                                             QStringLiteral("bob"), QStringLiteral("carol")}));
    EXPECT_EQ(items("cboWorkstation"),
              (QStringList{QString(), QStringLiteral("WKS1"), QStringLiteral("WKS2"),
                           QStringLiteral("WKS3")}));
    EXPECT_EQ(items("cboApplication"),
              (QStringList{QString(), QStringLiteral("Admin"), QStringLiteral("Sales")}));
    EXPECT_EQ(items("cboTransactionType"),
              (QStringList{QString(), QStringLiteral("Insert"), QStringLiteral("Update"),
                           QStringLiteral("Delete")}));
    EXPECT_EQ(status(), QStringLiteral("Connected"));
    EXPECT_TRUE(control<Grid>("fgTransLog")->isVisible());
    EXPECT_EQ(control<Grid>("fgTransLog")->rows(), 1);
    EXPECT_TRUE(control<QPushButton>("cmdFilter")->isEnabled());
    EXPECT_TRUE(window->schemaCache().find(QStringLiteral("Orders"), QStringLiteral("Amount")));
    EXPECT_EQ(control<QLineEdit>("txtMaxRecords")->text(), QStringLiteral("0"));
    // From starts two weeks back at this time of day, To without a value.
    const auto from = control<DatePicker>("dtpFrom")->value();
    ASSERT_TRUE(from);
    EXPECT_LE(std::abs(from->secsTo(QDateTime::currentDateTime().addDays(-14))), 60);
    EXPECT_FALSE(control<DatePicker>("dtpTo")->value());
    // The details: a header row, four columns, the restore tab hidden.
    auto* details = control<Grid>("fgDetails");
    EXPECT_EQ(details->rows(), 1);
    EXPECT_EQ(details->cols(), 4);
    EXPECT_EQ(details->text(0, 3), QStringLiteral("Current Value"));
    EXPECT_FALSE(control<QTabWidget>("tabDetails")->isTabVisible(2));
    EXPECT_TRUE(messages.shown.empty()) << qPrintable(messages.shownTexts().join(QLatin1Char('|')));
}

TEST_F(ViewerWindow, WithSeveralDefaultsTheLastOneStays)
{
    AuditDatabase second;
    registerServer(audit.folder(), QStringLiteral("audit"), true);
    registerServer(second.folder(), QStringLiteral("empty"), true);
    open();
    EXPECT_EQ(control<QComboBox>("cboServer")->currentText(), second.folder());
    EXPECT_EQ(control<QComboBox>("cboDatabase")->currentText(), QStringLiteral("empty"));
    EXPECT_FALSE(control<QPushButton>("cmdFilter")->isEnabled());
}

TEST_F(ViewerWindow, NoRegisteredServerLeavesBothListsEmpty)
{
    open();
    EXPECT_TRUE(items("cboServer").isEmpty());
    EXPECT_TRUE(items("cboDatabase").isEmpty());
    EXPECT_TRUE(messages.shown.empty());
}

// Refresh View and Reset before any server is chosen ask for one, instead of passing on the
// driver's "unknown host"; once a server is registered, the same buttons work.
TEST_F(ViewerWindow, WithoutAServerRefreshAndResetAskForOne)
{
    open();
    const QString noServer = QStringLiteral(
        "No server chosen. Choose a server first; new servers are registered in Server "
        "Registration.");
    refresh();
    QTest::mouseClick(control<QPushButton>("cmdRefresh"), Qt::LeftButton);
    EXPECT_EQ(messages.shownTexts(), (QStringList{noServer, noServer}));
    EXPECT_EQ(messages.shown.at(0).title, QStringLiteral("Tallix Viewer"));
    EXPECT_EQ(status(), noServer);
    EXPECT_EQ(control<Grid>("fgTransLog")->rows(), 1);

    registerServer(audit.folder(), QStringLiteral("audit"), true);
    window->servers().LoadFromRegistry();
    window->LoadServerComboBox();
    control<DatePicker>("dtpFrom")->clearValue();
    refresh();
    EXPECT_EQ(shownIds().size(), 6);
    EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(ViewerWindow, ADatabaseWithoutAuditTablesShowsTheLabelUntilOneWithThemIsChosen)
{
    registerServer(audit.folder(), QStringLiteral("audit"), true);
    open();
    chooseDatabase(QStringLiteral("empty"));
    EXPECT_FALSE(control<Grid>("fgTransLog")->isVisible());
    auto* label = control<QLabel>("lblTallixNotConfigured");
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->text(),
              QStringLiteral("This database is not configured to use Tallix.  Please run the SQL "
                             "Script generated by the workbench first."));
    EXPECT_FALSE(control<QPushButton>("cmdFilter")->isEnabled());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(status(), QStringLiteral("Connected; this database has no audit tables."));

    chooseDatabase(QStringLiteral("audit"));
    EXPECT_TRUE(control<Grid>("fgTransLog")->isVisible());
    EXPECT_FALSE(label->isVisible());
    EXPECT_TRUE(control<QPushButton>("cmdFilter")->isEnabled());
    EXPECT_EQ(status(), QStringLiteral("Connected"));
}

TEST_F(ViewerWindow, FiltersNarrowTheRowsAndTheQueryIsKept)
{
    registerServer(audit.folder(), QStringLiteral("audit"), true);
    open();
    control<DatePicker>("dtpFrom")->clearValue();
    refresh();
    EXPECT_EQ(shownIds(), AuditDatabase::logIds({6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(status(), QStringLiteral("6 records"));
    auto* grid = control<Grid>("fgTransLog");
    EXPECT_EQ(grid->text(0, 1), QStringLiteral("Trx Type"));
    EXPECT_EQ(grid->text(0, 7), QStringLiteral("KeyValues"));
    EXPECT_EQ(grid->colWidth(1), 800);
    EXPECT_GE(grid->colWidth(2), 2000);
    EXPECT_EQ(grid->colAlignment(1) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(grid->currentRow(), 1);
    EXPECT_EQ(grid->text(4, 7), QStringLiteral("OrderID=1 | LineNo=2"));

    control<QComboBox>("cboUser")->setCurrentText(QStringLiteral("bob"));
    control<QComboBox>("cboTable")->setCurrentText(QStringLiteral("Orders"));
    control<QComboBox>("cboTransactionType")->setCurrentText(QStringLiteral("Delete"));
    refresh();
    EXPECT_EQ(shownIds(), AuditDatabase::logIds({5}));
    EXPECT_EQ(status(), QStringLiteral("1 records"));
    EXPECT_EQ(window->LastQuery(),
              logquery::SelectText(QStringLiteral(
                  "sl.SourceTable = 'Orders' AND sl.TransactionType = 'D' AND sl.Username = "
                  "'bob'")));
    EXPECT_EQ(window->LastConnectionString(), audit.connectionString());

    // Dates: from the moment of row 3 to the day after 8 January, noon.
    control<QComboBox>("cboUser")->setCurrentText(QString());
    control<QComboBox>("cboTable")->setCurrentText(QString());
    control<QComboBox>("cboTransactionType")->setCurrentText(QString());
    control<DatePicker>("dtpFrom")->setValue(QDateTime(QDate(2001, 1, 7), QTime(11, 30, 15, 250)));
    control<DatePicker>("dtpTo")->setValue(QDateTime(QDate(2001, 1, 8), QTime(12, 0, 1)));
    refresh();
    EXPECT_EQ(shownIds(), AuditDatabase::logIds({5, 4, 3}));

    control<DatePicker>("dtpFrom")->clearValue();
    control<DatePicker>("dtpTo")->clearValue();
    QTest::keyClicks(control<QLineEdit>("txtKey"), QStringLiteral("LineNo"));
    refresh();
    EXPECT_EQ(shownIds(), AuditDatabase::logIds({6, 3}));
    // The key as the list shows it matches; a wildcard is taken as itself.
    control<QLineEdit>("txtKey")->setText(control<Grid>("fgTransLog")->text(1, 7));
    refresh();
    EXPECT_EQ(shownIds(), AuditDatabase::logIds({6, 3}));
    control<QLineEdit>("txtKey")->setText(QStringLiteral("Order_D"));
    refresh();
    EXPECT_EQ(status(), QStringLiteral("0 records"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ViewerWindow, MaxRecordsLimitsToTheNewestAndAnEmptyResultSaysSo)
{
    registerServer(audit.folder(), QStringLiteral("audit"), true);
    open();
    control<DatePicker>("dtpFrom")->clearValue();
    auto* max = control<QLineEdit>("txtMaxRecords");
    max->clear();
    QTest::keyClicks(max, QStringLiteral("5"));
    refresh();
    EXPECT_EQ(shownIds(), AuditDatabase::logIds({6, 5, 4, 3, 2}));
    EXPECT_EQ(status(), QStringLiteral("5 records"));

    control<QComboBox>("cboUser")->setCurrentText(QStringLiteral("nobody"));
    refresh();
    EXPECT_EQ(control<Grid>("fgTransLog")->rows(), 1);
    EXPECT_EQ(control<Grid>("fgTransLog")->currentRow(), -1);
    EXPECT_EQ(status(), QStringLiteral("0 records"));
}

TEST_F(ViewerWindow, AnEmptyMaxRecordsBoxFailsAndTheListKeepsItsRows)
{
    registerServer(audit.folder(), QStringLiteral("audit"), true);
    open();
    control<DatePicker>("dtpFrom")->clearValue();
    refresh();
    ASSERT_EQ(shownIds().size(), 6);
    control<QLineEdit>("txtMaxRecords")->clear();
    refresh();
    EXPECT_EQ(messages.shownTexts(), QStringList{QStringLiteral("Error: Type mismatch")});
    EXPECT_EQ(messages.shown.at(0).title, QStringLiteral("Tallix Viewer"));
    EXPECT_EQ(shownIds().size(), 6);
    EXPECT_EQ(status(), QStringLiteral("The list was not refreshed."));
}

TEST_F(ViewerWindow, AnUnknownDatabaseIsReportedWithItsDescription)
{
    registerServer(audit.folder(), QStringLiteral("nosuch"), true);
    open();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("Error: Cannot open database")))
        << qPrintable(messages.shown[0].text);
    EXPECT_TRUE(control<Grid>("fgTransLog")->isVisible());
    EXPECT_EQ(status(), QStringLiteral("Not connected.")) << "not still \"Connecting to ...\"";
}

TEST_F(ViewerWindow, TypingIsIgnoredWhereTheWindowSaysSo)
{
    registerServer(audit.folder(), QStringLiteral("audit"), true);
    open();
    auto* max = control<QLineEdit>("txtMaxRecords");
    max->setFocus();
    max->end(false);
    QTest::keyClicks(max, QStringLiteral("1a2-"));
    QTest::keyClick(max, Qt::Key_Backspace);
    EXPECT_EQ(max->text(), QStringLiteral("012"));

    auto* server = control<QComboBox>("cboServer");
    QTest::keyClicks(server, QStringLiteral("xyz"));
    QTest::keyClick(server->lineEdit(), Qt::Key_Backspace);
    EXPECT_EQ(server->currentText(), audit.folder());
    auto* database = control<QComboBox>("cboDatabase");
    QTest::keyClicks(database->lineEdit(), QStringLiteral("xyz"));
    EXPECT_EQ(database->currentText(), QStringLiteral("audit"));
}

TEST_F(ViewerWindow, ShowRestoreShowsAndHidesItsTab)
{
    open();
    auto* tabs = control<QTabWidget>("tabDetails");
    auto* restore = control<QCheckBox>("chkShowRestore");
    QTest::mouseClick(restore, Qt::LeftButton);
    EXPECT_TRUE(tabs->isTabVisible(2));
    tabs->setCurrentIndex(2);
    QTest::mouseClick(restore, Qt::LeftButton);
    EXPECT_FALSE(tabs->isTabVisible(2));
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("XML"));
}

TEST_F(ViewerWindow, TheWindowSnapsBackToItsSmallestSize)
{
    open();
    const int dpi = window->logicalDpiX();
    window->resize(300, 200);
    QCoreApplication::processEvents();
    EXPECT_GE(window->width(), 12000 * dpi / 1440);
    EXPECT_GE(window->height(), 10500 * dpi / 1440);
}

TEST_F(ViewerWindow, MenuCommandsByTheirIds)
{
    open();
    window->findChild<QAction*>(QStringLiteral("ID_VeltorinTallix"))->trigger();
    window->findChild<QAction*>(QStringLiteral("ID_VeltorinSupport"))->trigger();
    window->findChild<QAction*>(QStringLiteral("ID_HelpContents"))->trigger();
    ASSERT_EQ(messages.launched.size(), 3);
    EXPECT_EQ(messages.launched[0], QStringLiteral("https://www.veltorin.example/Tallix_Menu.asp"));
    EXPECT_EQ(messages.launched[1],
              QStringLiteral("https://www.veltorin.example/Support_Menu.asp"));
    EXPECT_TRUE(messages.launched[2].endsWith(QStringLiteral("/What_is_Tallix.htm")));
    EXPECT_TRUE(QFileInfo::exists(messages.launched[2])) << qPrintable(messages.launched[2]);

    // A report opens in a preview window of its own; an unknown id does nothing.
    window->findChild<QAction*>(QStringLiteral("ID_ReportsAggregate"))->trigger();
    window->atbMain_Click(QStringLiteral("ID_NoSuchCommand"));
    EXPECT_EQ(window->findChildren<frmPreview*>().size(), 1);
    EXPECT_TRUE(messages.shownTexts().isEmpty());
    // A launch the desktop refuses is told with the launch routine's text.
    messages.launchResult = IMessages::LaunchResult::NoAssociation;
    window->atbMain_Click(QStringLiteral("ID_VeltorinMain"));
    EXPECT_EQ(messages.launched.last(), QStringLiteral("https://www.veltorin.example/"));
    EXPECT_EQ(messages.shownTexts().last(),
              QStringLiteral("No file association exists for 'https://www.veltorin.example/.' "
                             "Cannot launch file."));
}

TEST_F(ViewerWindow, TheListsPopupMenuOffersRestoreForOneRowAndAScriptForSeveral)
{
    registerServer(audit.folder(), QStringLiteral("audit"), true);
    open();
    control<DatePicker>("dtpFrom")->clearValue();
    refresh();
    auto* grid = control<Grid>("fgTransLog");
    auto* popup = control<QMenu>("mnuPopup");
    auto* restore = popup->findChild<QAction*>(QStringLiteral("mnuRestore"));
    auto* script = popup->findChild<QAction*>(QStringLiteral("mnuRestoreAll"));
    ASSERT_TRUE(restore && script);
    EXPECT_EQ(popup->title(), QStringLiteral("Popup"));
    EXPECT_EQ(script->text(), QStringLiteral("Generate Restore Script"));

    // Only while Show Restore is checked.
    emit grid->rightClicked(1, 1, grid->mapToGlobal(QPoint(10, 10)));
    EXPECT_FALSE(popup->isVisible());

    QTest::mouseClick(control<QCheckBox>("chkShowRestore"), Qt::LeftButton);
    grid->selectRows(2, 4);
    emit grid->rightClicked(2, 1, grid->mapToGlobal(QPoint(10, 10)));
    EXPECT_TRUE(popup->isVisible());
    EXPECT_FALSE(restore->isEnabled());
    EXPECT_TRUE(script->isEnabled());
    popup->hide();

    grid->setCurrentCell(3, 1);
    emit grid->rightClicked(3, 1, grid->mapToGlobal(QPoint(10, 10)));
    EXPECT_TRUE(restore->isEnabled());
    EXPECT_FALSE(script->isEnabled());
    popup->hide();
}
