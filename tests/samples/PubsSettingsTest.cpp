#include "samples/pubsserver/PubsSettings.h"

#include "samples/pubsserver/RealUser.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tallix;
using namespace tallix::pubs;
using tallix::test::s;

namespace {

QStringList fields(const PubsSettings& p)
{
    return {p.server, p.database, p.login, p.password, p.realUser};
}

QProcessEnvironment environment(const QList<std::pair<const char*, const char*>>& variables)
{
    QProcessEnvironment env;
    for (const auto& [name, value] : variables)
        env.insert(QString::fromLatin1(name), QString::fromUtf8(value));
    return env;
}

} // namespace

TEST(PubsSettings, TheFileOverridesTheSourceAndTheEnvironmentOverridesBoth)
{
    const QTemporaryDir dir;
    const struct {
        const char* file; // nullptr: no file
        QProcessEnvironment env;
        QStringList expected; // server, database, login, password, real user
    } cases[] = {
        {nullptr, {}, {s("(local)"), s("pubs"), {}, {}, {}}},
        {"Server=SQLPROD01\nLogin=svc_pubs\nPassword=s3cret\nRealUser=  Jane Doe  \n",
         {},
         {s("SQLPROD01"), s("pubs"), s("svc_pubs"), s("s3cret"), s("Jane Doe")}},
        // A variable set to an empty text clears the file's login: integrated security.
        {"Server=SQLPROD01\nLogin=svc_pubs\nPassword=s3cret\n",
         environment({{"PUBSSERVER_LOGIN", ""},
                      {"PUBSSERVER_PASSWORD", ""},
                      {"PUBSSERVER_DATABASE", "pubs_test"},
                      {"PUBSSERVER_REAL_USER", "CORP\\jdoe"}}),
         {s("SQLPROD01"), s("pubs_test"), {}, {}, s("CORP\\jdoe")}},
        // No quoting and no escapes: what follows "=" is the value.
        {"\xef\xbb\xbf[pubsserver]\r\n# comment\r\nserver = CORP\\SQL;1\r\n"
         "PASSWORD=\"a,b;c\"\r\nRealUser=CORP\\jdoe\r\nrealuser=CORP\\jane = doe\r\n",
         environment({{"PUBSSERVER_SERVER", "127.0.0.1,1433"}}),
         {s("127.0.0.1,1433"), s("pubs"), {}, s("\"a,b;c\""), s("CORP\\jane = doe")}},
        {"Server=CORP\\SQL;1\n;RealUser=commented\n",
         {},
         {s("CORP\\SQL;1"), s("pubs"), {}, {}, {}}},
    };
    for (const auto& c : cases) {
        const QString path = dir.filePath(s("pubsserver.ini"));
        QFile::remove(path);
        if (c.file) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.file);
        }
        EXPECT_EQ(fields(PubsSettings::load(path, c.env)), c.expected)
            << (c.file ? c.file : "(no file)");
    }
}

TEST(PubsSettings, TheShippedFileKeepsTheSourcesSettings)
{
    const QString shipped = s(TALLIX_SOURCE_DIR "/samples/pubsserver/pubsserver.ini");
    ASSERT_TRUE(QFile::exists(shipped));
    EXPECT_EQ(fields(PubsSettings::load(shipped, {})), fields(PubsSettings::builtIn()));
}

TEST(PubsSettings, ALineThatSetsNothingIsRefusedWithItsPlace)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath(s("pubsserver.ini"));
    const struct {
        const char* file;
        QString expected;
    } cases[] = {
        {"Server=SQLPROD01\nLogin svc_pubs\n", s(", line 2: a setting is written Key=value.")},
        {"; settings\nServer=SQLPROD01\nSever=SQLTEST02\n",
         s(", line 3: \"Sever\" is no setting; the settings are Server, Database, Login, "
           "Password and RealUser.")},
    };
    for (const auto& c : cases) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.file);
        f.close();
        try {
            PubsSettings::load(path, {});
            ADD_FAILURE() << "took " << c.file;
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), Error::InvalidArgument);
            EXPECT_EQ(e.description(), path + c.expected);
        }
    }
}

TEST(RealUser, TheConfiguredNameWinsOverTheLoginName)
{
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    EXPECT_EQ(realUserName(s("Jane Doe"), env), s("Jane Doe"));
    // Without one, the person running the program, whom this machine knows.
    EXPECT_FALSE(realUserName(QString(), env).isEmpty());
}
