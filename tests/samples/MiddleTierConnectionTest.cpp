#include "samples/pubsserver/MiddleTierConnection.h"

#include "common/db/ConnectionOptions.h"
#include "examples/demo/AuditRecorder.h"
#include "tests/samples/PubsFixture.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <utility>

using namespace tallix;
using namespace tallix::pubs;
using tallix::test::s;

namespace {

// What the triggers written with the middle-tier option record as user and application for an
// application name, as the demo's recorder writes their rows; without the marks they record the
// connection's login.
std::pair<QString, QString> triggersRead(const QString& applicationName)
{
    return demo::AuditRecorder::userAndApplication({s("(login)"), s("WS01"), applicationName},
                                                   true);
}

QString repeated(char c, int n)
{
    return QString(n, QLatin1Char(c));
}

} // namespace

TEST(ApplicationNameWithUser, EndsWithTheUserThatTheTriggersReadBackWhole)
{
    const struct {
        QString user;
        QString expected;
    } cases[] = {
        {s("jdoe"), s("pubsserver <<jdoe>>")},
        {s("CORP\\Jane O'Neil"), s("pubsserver <<CORP\\Jane O'Neil>>")},
        {s("a>b; x=\"y\""), s("pubsserver <<a>b; x=\"y\">>")},
        {s("<<early"), s("pubsserver <<<<early>>")},
        // The longest user the triggers record whole, and one shorter, whose ">>" they cut to ">".
        {repeated('u', 64), s("pubsserver <<") + repeated('u', 64) + s(">>")},
        {repeated('v', 63), s("pubsserver <<") + repeated('v', 63) + s(">>")},
    };
    for (const auto& c : cases) {
        const QString name = ApplicationNameWithUser(s("pubsserver"), c.user);
        EXPECT_EQ(name, c.expected);
        const auto [user, application] = triggersRead(name);
        EXPECT_EQ(application, s("pubsserver")) << qPrintable(c.user);
        EXPECT_EQ(user, c.user);
    }
}

TEST(ApplicationNameWithUser, RefusesANameTheTriggersWouldNotReadBackWhole)
{
    const struct {
        QString application;
        QString user;
        QString reason;
        bool triggersMisread; // whether the plain concatenation would be read wrongly
    } cases[] = {
        {s("pubsserver"), QString(), s("it is empty"), false},
        {s("pubsserver"), repeated('u', 65), s("longer than the 64 characters"), true},
        {s("pubsserver"), s("Jane>>Doe"), s("it holds \">>\""), true},
        {s("pubsserver"), s("jdoe>"), s("it ends in \">\""), true},
        {s("pubsserver"), s("jane\ndoe"), s("control character"), false},
        {s("pubs<<server"), s("jdoe"), s("it holds \"<<\""), true},
        {repeated('a', 65), s("jdoe"), s("longer than the 64 characters"), true},
        {s("pubs\tserver"), s("jdoe"), s("control character"), false},
        {repeated('a', 64), repeated('u', 62), s("128 characters"), false},
    };
    for (const auto& c : cases) {
        try {
            ApplicationNameWithUser(c.application, c.user);
            ADD_FAILURE() << "accepted " << qPrintable(c.application) << " / "
                          << qPrintable(c.user);
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), Error::InvalidArgument);
            EXPECT_TRUE(e.description().contains(c.reason)) << qPrintable(e.description());
            EXPECT_TRUE(e.description().startsWith(s("The "))) << qPrintable(e.description());
        }
        const auto read = triggersRead(c.application + s(" <<") + c.user + s(">>"));
        EXPECT_EQ(read.first != c.user || read.second != c.application, c.triggersMisread)
            << qPrintable(c.application) << " / " << qPrintable(c.user);
    }
}

TEST(MiddleTierConnectionString, IsTheProgramsStringWithTheApplicationNameReplaced)
{
    const tallix::test::ScopedVariable workstation("COMPUTERNAME", s("WS042"));
    PubsSettings withLogin{s("SQLPROD01"), s("pubs"), s("svc_pubs"), s("s3cret"), {}};
    EXPECT_EQ(MiddleTierConnectionString(withLogin, s("pubsserver <<jdoe>>")),
              s("Provider=SQLOLEDB.1;Persist Security Info=False;User ID=svc_pubs;"
                "Password=s3cret;Initial Catalog=pubs;Data Source=SQLPROD01;"
                "Use Procedure for Prepare=1;Auto Translate=True;Packet Size=4096;"
                "Workstation ID=WS042;Application Name=TallixViewer;"
                "Application Name=\"pubsserver <<jdoe>>\""));
    PubsSettings integrated{s("(local)"), s("pubs"), {}, {}, {}};
    EXPECT_EQ(MiddleTierConnectionString(integrated, s("pubsserver <<Jane \"JD\" Doe>>")),
              s("Provider=SQLOLEDB.1;Persist Security Info=False;Integrated Security=SSPI;"
                "Initial Catalog=pubs;Data Source=(local);"
                "Use Procedure for Prepare=1;Auto Translate=True;Packet Size=4096;"
                "Workstation ID=WS042;Application Name=TallixViewer;"
                "Application Name=\"pubsserver <<Jane \"\"JD\"\" Doe>>\""));
}

TEST(MiddleTierConnectionString, NoUserNameAddsOrChangesAnotherKey)
{
    const PubsSettings settings{s("SQLPROD01"), s("pubs"), s("svc_pubs"), s("s3cret"), {}};
    for (const QString& user : {s("x\";Data Source=evil;y=\""), s("a;Initial Catalog=master"),
                                s("'quoted';User ID=sa"), s("{braced}}"), s("trailing \"")}) {
        const QString name = ApplicationNameWithUser(s("pubsserver"), user);
        const auto options = ConnectionOptions::parse(MiddleTierConnectionString(settings, name));
        EXPECT_EQ(options.value(s("Application Name")), name);
        EXPECT_EQ(options.value(s("Data Source")), s("SQLPROD01"));
        EXPECT_EQ(options.value(s("Initial Catalog")), s("pubs"));
        EXPECT_EQ(options.value(s("User ID")), s("svc_pubs"));
        EXPECT_EQ(options.entries().size(), 11) << qPrintable(user);
    }
}
