// Against a live server, when TALLIX_TEST_MSSQL holds a connection string: a scratch pubs gets
// the generator's audit script for authors with the middle-tier option; "Do It", pressed twice
// in the window, changes authors through the component under the test's login, and the audit
// rows name the configured real user instead. The scratch database is dropped afterwards.
#include "common/db/Connection.h"
#include "generator/discovery/SchemaDiscovery.h"
#include "generator/driver/ScriptDriver.h"
#include "generator/project/Project.h"
#include "samples/component/ComponentLoader.h"
#include "samples/component/IPubsServer.h"
#include "samples/pubsclient/ui/Form1.h"
#include "tests/samples/PubsFixture.h"
#include "tests/support/LiveServer.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace tallix;
using namespace tallix::pubs;
using tallix::test::ComponentSettings;
using tallix::test::LiveServer;
using tallix::test::RecordingMessages;
using tallix::test::runScript;
using tallix::test::s;
using tallix::test::ScratchDatabase;

namespace {

// The audit rows of authors by user and type, as "user type" texts in order.
QStringList auditRows(Connection& db)
{
    QStringList rows;
    const Recordset rs =
        db.OpenRecordset(s("SELECT Username, TransactionType, Application FROM Tallix "
                           "WHERE SourceTable = 'authors' ORDER BY Username, TransactionType"));
    for (int r = 0; r < rs.RecordCount(); ++r) {
        rows << rs.ValueAt(r, 0).toString() + QLatin1Char(' ') + rs.ValueAt(r, 1).toString() +
                    QLatin1Char(' ') + rs.ValueAt(r, 2).toString();
    }
    return rows;
}

} // namespace

TEST(PubsClientLive, RecordsTheRealUserNotTheComponentsLogin)
{
    const auto live = LiveServer::fromEnvironment();
    if (!live)
        GTEST_SKIP() << "TALLIX_TEST_MSSQL is not set";
    const ScratchDatabase pubs(*live, s("pubs"));
    Connection db(pubs.connectionString());
    db.Open();
    db.Execute(s("CREATE TABLE authors (au_id varchar(11) NOT NULL PRIMARY KEY, "
                 "au_lname varchar(40) NOT NULL, au_fname varchar(20) NOT NULL, "
                 "phone char(12) NOT NULL DEFAULT ('UNKNOWN'), address varchar(40) NULL, "
                 "city varchar(20) NULL, state char(2) NULL, zip char(5) NULL, "
                 "contract bit NOT NULL)"));
    db.Execute(s("INSERT INTO authors (au_id, au_lname, au_fname, phone, contract) "
                 "VALUES ('172-32-1176', 'White', 'Johnson', '408 496-7223', 1)"));
    {
        Project project;
        project.setDB(pubs.name());
        project.setSpecialMTSHandling(true);
        IDiscoveryObserver quietDiscovery;
        ASSERT_EQ(SchemaDiscovery(quietDiscovery).LoadTables(project.Tables(), db),
                  SchemaDiscovery::Result::Loaded);
        db.Open(); // discovery closes the connection it read through
        CTable& authors = project.Tables().Item(s("authors"));
        authors.Insert = authors.Update = authors.Delete = true;
        IScriptObserver quietScript;
        const QString script = ScriptDriver(quietScript).GenerateScript(project);
        ASSERT_FALSE(script.isEmpty());
        runScript(db, script);
    }

    const QString realUser = s("Jane Realuser");
    {
        const ComponentSettings settings(live->server, pubs.name(), live->login, live->password,
                                         realUser);
        RecordingMessages messages;
        Form1 form({QStringLiteral(TALLIX_COMPONENTS_DIR)}, QLatin1String(kClassId));
        form.show();
        auto* button = form.findChild<QPushButton*>(s("cmdDoit"));
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(messages.shownTexts(), QStringList());
    }
    const QString row = QLatin1Char(' ') + s("pubsserver");
    EXPECT_EQ(auditRows(db), (QStringList{realUser + s(" D") + row, realUser + s(" D") + row,
                                          realUser + s(" I") + row, realUser + s(" I") + row,
                                          realUser + s(" U") + row, realUser + s(" U") + row}));
    EXPECT_EQ(db.OpenRecordset(s("SELECT COUNT(*) FROM Tallix WHERE Username = '") +
                               QString(live->login).replace(s("'"), s("''")) + s("'"))
                  .Field(0)
                  .toInt(),
              0);
    EXPECT_EQ(db.OpenRecordset(s("SELECT au_id FROM authors")).RecordCount(), 1);

    // The longest user the triggers record whole arrives whole where the server keeps the whole
    // application name, as SQL Server keeps 128 characters. The local engine keeps 63 (longer
    // names are cut and given a hash); the component then refuses and changes nothing, rather
    // than let the triggers record its login.
    const QString longest = s("CORP\\") + QString(59, QLatin1Char('j'));
    ASSERT_EQ(longest.size(), 64);
    const QString application = s("pubsserver <<") + longest + s(">>");
    const bool keepsWholeName = [&] {
        QString sent = live->connectionString(pubs.name());
        sent.replace(s("Application Name=TallixViewer"), s("Application Name=") + application);
        Connection probe(sent);
        probe.Open();
        return probe.OpenRecordset(s("SELECT APP_NAME()")).Field(0).toString() == application;
    }();
    db.Execute(s("DELETE FROM Tallix"));
    CallResult result;
    {
        const ComponentSettings settings(live->server, pubs.name(), live->login, live->password,
                                         longest);
        QObject* root = ComponentLoader({QStringLiteral(TALLIX_COMPONENTS_DIR)})
                            .classObject(QLatin1String(kClassId), QLatin1String(kInterfaceId));
        auto* serverClass = qobject_cast<IPubsServerClass*>(root);
        ASSERT_NE(serverClass, nullptr);
        result = serverClass->CreateInstance()->ChangeAuthors();
    }
    if (keepsWholeName) {
        ASSERT_TRUE(result.succeeded()) << qPrintable(result.description);
        EXPECT_EQ(auditRows(db), (QStringList{longest + s(" D") + row, longest + s(" I") + row,
                                              longest + s(" U") + row}));
    } else {
        EXPECT_FALSE(result.succeeded());
        EXPECT_TRUE(result.description.contains(s("keeps the application name \"") + application +
                                                s("\" as")))
            << qPrintable(result.description);
        EXPECT_EQ(auditRows(db), QStringList());
    }
}
