#include "common/db/SqliteStandIn.h"

#include "common/db/Connection.h"
#include "common/db/DatabaseList.h"
#include "common/db/DbErrors.h"
#include "common/settings/ConnectionString.h"
#include "tests/common/db/AuditDatabase.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tallix;
using tallix::test::AuditDatabase;
using tallix::test::s;

namespace {

Connection::Kind kindOf(const QString& server)
{
    return Connection::kindOf(
        ConnectionOptions::parse(BuildConnectionString(server, s("pubs"), {}, {})));
}

// Runs in `folder` as the current folder, and goes back whatever happens.
class InFolder {
public:
    explicit InFolder(const QString& folder)
        : m_previous(QDir::currentPath())
    {
        QDir::setCurrent(folder);
    }
    ~InFolder() { QDir::setCurrent(m_previous); }

private:
    QString m_previous;
};

} // namespace

TEST(SqliteStandIn, OnlyANameThatSaysSoIsAFolder)
{
    const struct {
        const char* server;
        const char* folder; // nullptr: a SQL Server's name
    } cases[] = {
        {"sqlite:demo", "demo"},
        {"SQLite:/srv/tallix", "/srv/tallix"},
        {"sqlite:HOST\\INSTANCE", "HOST\\INSTANCE"},
        {"/srv/tallix/demo-server", "/srv/tallix/demo-server"},
        {"build/demo-server", "build/demo-server"},
        {"./demo", "./demo"},
        {"demo", nullptr},
        {"PROD\\SQL1", nullptr},
        {"(local)", nullptr},
        {".", nullptr},
        {"db.example.com, 1433", nullptr},
        {"tcp:db.example.com,1433", nullptr},
        {"sqlitedemo", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        const QString server = s(c.server);
        const std::optional<QString> folder = SqliteFolderOf(server);
        EXPECT_EQ(folder.has_value(), c.folder != nullptr) << c.server;
        if (folder && c.folder) {
            EXPECT_EQ(*folder, s(c.folder)) << c.server;
        }
        EXPECT_EQ(kindOf(server), c.folder ? Connection::Kind::SQLite : Connection::Kind::SqlServer)
            << c.server;
    }
}

TEST(SqliteStandIn, AFolderThatHappensToExistIsNoServerUnlessNamedAsOne)
{
    AuditDatabase audit;
    QTemporaryDir work;
    ASSERT_TRUE(QDir(work.path()).mkdir(s("demo")));
    ASSERT_TRUE(QFile::copy(QDir(audit.folder()).filePath(s("audit.db")),
                            QDir(work.path()).filePath(s("demo/audit.db"))));
    const InFolder here(work.path());
    const QDateTime when(QDate(2001, 1, 5), QTime(13, 5, 7, 123));

    // The plain name stays a SQL Server's: its dates are written the server's way.
    EXPECT_EQ(kindOf(s("demo")), Connection::Kind::SqlServer);
    EXPECT_EQ(Connection(BuildConnectionString(s("demo"), s("audit"), {}, {})).dateLiteral(when),
              s("2001-01-05T13:05:07"));

    // Named as a folder, relative to where the program runs, it is the stand-in.
    for (const char* server : {"sqlite:demo", "./demo"}) {
        EXPECT_EQ(ListDatabases(BuildConnectionString(s(server), s("master"), {}, {})),
                  QStringList{s("audit")})
            << server;
        Connection c(BuildConnectionString(s(server), s("audit"), {}, {}));
        c.Open();
        EXPECT_EQ(c.OpenRecordset(s("SELECT Count(*) FROM Tallix")).Field(0).toInt(), 6) << server;
    }
}

TEST(SqliteStandIn, AMissingFolderFailsInsteadOfOpeningAnEmptyServer)
{
    QTemporaryDir work;
    const QString gone = QDir(work.path()).filePath(s("gone"));
    for (const QString& server : {gone, s("sqlite:") + gone}) {
        for (const char* catalog : {"master", "", "audit"}) {
            Connection c(BuildConnectionString(server, s(catalog), {}, {}));
            try {
                c.Open();
                ADD_FAILURE() << qPrintable(server) << " " << catalog;
            } catch (const Error& e) {
                EXPECT_EQ(e.number(), DB_E_FAIL);
                EXPECT_EQ(e.description(), s("The server folder \"%1\" does not exist.")
                                               .arg(QDir::toNativeSeparators(gone)));
            }
            EXPECT_FALSE(c.IsOpen());
        }
        EXPECT_EQ(test::errorNumber(
                      [&] { ListDatabases(BuildConnectionString(server, s("master"), {}, {})); }),
                  DB_E_FAIL);
    }
    EXPECT_FALSE(QFileInfo::exists(gone)) << "nothing is created";
}

TEST(DatabaseList, TheFoldersDatabasesInNameOrder)
{
    AuditDatabase audit;
    audit.createCatalog(s("Zeta"));
    EXPECT_EQ(ListDatabases(audit.connectionString(s("master"))),
              (QStringList{s("audit"), s("empty"), s("Zeta")}));
    // Whichever database the string names, the server's list is the same.
    EXPECT_EQ(ListDatabases(audit.connectionString(s("audit"))),
              ListDatabases(audit.connectionString(s("master"))));
    EXPECT_EQ(test::errorNumber([] { ListDatabases(QString()); }), DB_E_FAIL);
}
