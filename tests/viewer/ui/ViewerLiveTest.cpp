// Against a live server, when TALLIX_TEST_MSSQL holds a connection string (ODBC or the programs'
// form): a scratch database gets the generator's audit script for a small project, rows are
// changed through a middle tier that names its user in the application name, and the window sees
// those rows with their user, type and keys. The scratch database is dropped afterwards.
#include "common/db/Connection.h"
#include "common/settings/Servers.h"
#include "common/ui/Grid.h"
#include "generator/driver/ScriptDriver.h"
#include "generator/project/Project.h"
#include "tests/support/LiveServer.h"
#include "tests/support/TestSupport.h"
#include "viewer/ui/frmTallixViewer.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tallix;
using tallix::test::LiveServer;
using tallix::test::runScript;
using tallix::test::ScratchDatabase;

namespace {

QStringList comboItems(QComboBox* c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

} // namespace

TEST(ViewerLive, SeesTheRowsTheGeneratedTriggersWrite)
{
    const auto live = LiveServer::fromEnvironment();
    if (!live)
        GTEST_SKIP() << "TALLIX_TEST_MSSQL is not set";
    const ScratchDatabase database(*live, QStringLiteral("tallix_live"));
    const QString& name = database.name();

    {
        Connection db(live->connectionString(name));
        db.Open();
        db.Execute(QStringLiteral("CREATE TABLE Orders (OrderID int NOT NULL PRIMARY KEY, "
                                  "Customer varchar(40) NOT NULL, Note varchar(20) NULL)"));
        Project project;
        project.setDB(name);
        project.setSpecialMTSHandling(true);
        CTable& orders = project.Tables().Add(QStringLiteral("Orders"));
        orders.Insert = orders.Update = orders.Delete = true;
        orders.Columns.Add(QStringLiteral("OrderID"), QStringLiteral("int"), 4, 10, 0, false, true,
                           false, true);
        orders.Columns.Add(QStringLiteral("Customer"), QStringLiteral("varchar"), 40, 0, 0, false,
                           false, false, true);
        orders.Columns.Add(QStringLiteral("Note"), QStringLiteral("varchar"), 20, 0, 0, true, false,
                           false, true);
        IScriptObserver quiet;
        const QString script = ScriptDriver(quiet).GenerateScript(project);
        ASSERT_FALSE(script.isEmpty());
        runScript(db, script);
        db.Close();
    }
    {
        // The middle tier connects under its own login and names the user it works for.
        QString middleTier = live->connectionString(name);
        middleTier.replace(QStringLiteral("Application Name=TallixViewer"),
                           QStringLiteral("Application Name=OrderDesk <<mtuser>>"));
        Connection desk(middleTier);
        desk.Open();
        desk.Execute(QStringLiteral("INSERT INTO Orders VALUES (1, 'O''Brien', NULL)"));
        desk.Execute(QStringLiteral("UPDATE Orders SET Note = 'late' WHERE OrderID = 1"));
        Connection direct(live->connectionString(name));
        direct.Open();
        direct.Execute(QStringLiteral("INSERT INTO Orders VALUES (2, 'Acme', 'x')"));
        desk.Execute(QStringLiteral("DELETE FROM Orders WHERE OrderID = 2"));
        // The update's data, as the trigger format has it.
        EXPECT_EQ(direct
                      .OpenRecordset(
                          QStringLiteral("SELECT Data FROM Tallix WHERE TransactionType = 'U'"))
                      .Field(0)
                      .toString(),
                  QStringLiteral("<AUDIT><COLUMN NAME='OrderID' BEFORE='1' AFTER='1'/>"
                                 "<COLUMN NAME='Customer' BEFORE='O&apos;Brien' "
                                 "AFTER='O&apos;Brien'/><COLUMN NAME='Note' BEFORE='NULL' "
                                 "AFTER='late'/></AUDIT>"));
    }

    QTemporaryDir scratch;
    SettingsStore store(scratch.filePath(QStringLiteral("settings.ini")));
    ScopedSettingsStore scope(store);
    Servers servers;
    servers.Add(live->server, live->login, live->password, name, true, live->server);
    servers.SaveToRegistry();
    test::RecordingMessages messages;
    {
        frmTallixViewer window;
        window.Form_Load();
        EXPECT_TRUE(messages.shown.empty()) << qPrintable(messages.shownTexts().join(u'|'));
        const auto combo = [&](const char* n) {
            return window.findChild<QComboBox*>(QLatin1String(n));
        };
        EXPECT_TRUE(comboItems(combo("cboDatabase")).contains(name));
        EXPECT_EQ(comboItems(combo("cboTable")),
                  (QStringList{QString(), QStringLiteral("Orders")}));
        const QStringList users = comboItems(combo("cboUser"));
        EXPECT_TRUE(users.contains(QStringLiteral("mtuser"))) << qPrintable(users.join(u','));
        EXPECT_TRUE(users.contains(live->login, Qt::CaseInsensitive))
            << qPrintable(users.join(u','));
        EXPECT_TRUE(comboItems(combo("cboApplication")).contains(QStringLiteral("OrderDesk")));
        EXPECT_TRUE(window.schemaCache().find(QStringLiteral("Orders"), QStringLiteral("Note")));

        // The From bound (two weeks back) goes to the server as its own date literal.
        combo("cboUser")->setCurrentText(QStringLiteral("mtuser"));
        window.findChild<QPushButton*>(QStringLiteral("cmdFilter"))->click();
        auto* grid = window.findChild<Grid*>(QStringLiteral("fgTransLog"));
        ASSERT_EQ(grid->rows(), 4) << qPrintable(messages.shownTexts().join(u'|'));
        QStringList seen;
        for (int r = 1; r < grid->rows(); ++r)
            seen << grid->text(r, 1) + QLatin1Char(' ') + grid->text(r, 7);
        seen.sort();
        EXPECT_EQ(seen, (QStringList{QStringLiteral("D OrderID=2"), QStringLiteral("I OrderID=1"),
                                     QStringLiteral("U OrderID=1")}));
        EXPECT_EQ(grid->text(1, 6), QStringLiteral("OrderDesk"));

        // master has no audit tables.
        const int index = combo("cboDatabase")->findText(QStringLiteral("master"));
        ASSERT_GE(index, 0);
        combo("cboDatabase")->setCurrentIndex(index);
        emit combo("cboDatabase")->activated(index);
        EXPECT_TRUE(
            window.findChild<QLabel*>(QStringLiteral("lblTallixNotConfigured"))->isVisible());
        EXPECT_FALSE(window.findChild<QPushButton*>(QStringLiteral("cmdFilter"))->isEnabled());
        EXPECT_TRUE(messages.shown.empty()) << qPrintable(messages.shownTexts().join(u'|'));
    }
}
