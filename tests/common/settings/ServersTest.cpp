#include "common/settings/Servers.h"

#include "common/settings/PasswordScrambling.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tallix;

namespace {

class ServersTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    SettingsStore store{dir.filePath(QStringLiteral("Tallix 2.0.conf"))};

    QString value(const QString& name) const
    {
        return store.readValue(RegistryRoot::CurrentUser, tallixRegistryKey(), name);
    }
    void put(const QString& name, const QString& text)
    {
        store.writeValue(RegistryRoot::CurrentUser, tallixRegistryKey(), name, text);
    }
    void putEntry(int n, const QString& server, const QString& isDefault = QStringLiteral("False"))
    {
        const QString i = QString::number(n);
        put(QStringLiteral("Server") + i, server);
        put(QStringLiteral("Username") + i, QStringLiteral("user") + i);
        put(QStringLiteral("Password") + i, ScramblePassword(QStringLiteral("pw") + i));
        put(QStringLiteral("IsDefault") + i, isDefault);
    }
    Servers loaded()
    {
        Servers servers;
        servers.Add(QStringLiteral("stale"), {}, {}, {}, false, QStringLiteral("stale"));
        servers.LoadFromRegistry(store);
        return servers;
    }
    static QStringList names(const Servers& servers)
    {
        QStringList out;
        for (const Server& s : servers)
            out << s.ServerName;
        return out;
    }
};

} // namespace

TEST_F(ServersTest, SaveWritesNumberedValuesThatLoadReadsBack)
{
    Servers servers;
    servers.Add(QStringLiteral("PROD\\SQL1"), QStringLiteral("sa"), QStringLiteral("s3cr\u00e9t"),
                QStringLiteral("pubs"), false, QStringLiteral("PROD\\SQL1"));
    servers.Add(QStringLiteral("devbox"), {}, {}, QStringLiteral("Northwind"), true,
                QStringLiteral("devbox"));
    ScopedSettingsStore scope(store);
    servers.SaveToRegistry();

    EXPECT_EQ(value(QStringLiteral("Server1")), QStringLiteral("PROD\\SQL1"));
    EXPECT_EQ(value(QStringLiteral("Username1")), QStringLiteral("sa"));
    EXPECT_EQ(UnscramblePassword(value(QStringLiteral("Password1"))),
              QStringLiteral("s3cr\u00e9t"));
    EXPECT_NE(value(QStringLiteral("Password1")), QStringLiteral("s3cr\u00e9t"));
    EXPECT_EQ(value(QStringLiteral("Database1")), QStringLiteral("pubs"));
    EXPECT_EQ(value(QStringLiteral("IsDefault1")), QStringLiteral("False"));
    EXPECT_EQ(value(QStringLiteral("Password2")), QString()) << "an empty password stays empty";
    EXPECT_EQ(value(QStringLiteral("IsDefault2")), QStringLiteral("True"));

    Servers back;
    back.LoadFromRegistry();
    back.Remove(QStringLiteral("nothing")); // failures of Remove are ignored
    back.Remove(17);
    ASSERT_EQ(names(back), (QStringList{QStringLiteral("PROD\\SQL1"), QStringLiteral("devbox")}));
    EXPECT_EQ(back.Item(QStringLiteral("prod\\sql1")).Password, QStringLiteral("s3cr\u00e9t"));
    EXPECT_EQ(back.Item(1).DefaultDatabase, QStringLiteral("pubs"));
    EXPECT_FALSE(back.Item(1).IsDefault);
    EXPECT_TRUE(back.Item(2).IsDefault);
}

TEST_F(ServersTest, LoadingStopsAtTheFirstGapOrDuplicate)
{
    putEntry(1, QStringLiteral("one"));
    putEntry(2, QStringLiteral("two"));
    putEntry(4, QStringLiteral("four"));
    EXPECT_EQ(names(loaded()), (QStringList{QStringLiteral("one"), QStringLiteral("two")}));

    putEntry(3, QStringLiteral("ONE"));
    Servers servers = loaded();
    EXPECT_EQ(names(servers), (QStringList{QStringLiteral("one"), QStringLiteral("two")}));
    EXPECT_EQ(servers.Item(QStringLiteral("one")).UserID, QStringLiteral("user1"));
    EXPECT_EQ(servers.Item(2).Password, QStringLiteral("pw2"));

    put(QStringLiteral("Server2"), QString()); // an empty name is a gap as well
    EXPECT_EQ(names(loaded()), QStringList{QStringLiteral("one")});
}

TEST_F(ServersTest, DefaultFlagsReadAsBooleansAndNeverEndTheList)
{
    const char* flags[] = {"TRUE", "false", "-1", "0", "maybe", ""};
    for (int i = 0; i < 6; ++i)
        putEntry(i + 1, QStringLiteral("s%1").arg(i + 1), QString::fromLatin1(flags[i]));
    std::vector<bool> seen;
    for (const Server& s : loaded())
        seen.push_back(s.IsDefault);
    EXPECT_EQ(seen, (std::vector<bool>{true, false, true, false, false, false}));
}

TEST_F(ServersTest, TheLastServerMarkedAsDefaultIsTheDefault)
{
    const struct {
        const char* flags; // one letter per server: d marked as default, - not
        const char* expected;
    } cases[] = {{"", nullptr}, {"---", nullptr}, {"d--", "s1"}, {"-d-", "s2"},
                 {"d-d", "s3"}, {"dd-", "s2"},    {"ddd", "s3"}};
    for (const auto& c : cases) {
        Servers servers;
        const QString flags = QString::fromLatin1(c.flags);
        for (int i = 0; i < flags.size(); ++i)
            servers.Add(QStringLiteral("s%1").arg(i + 1), {}, {}, {}, flags[i] == u'd');
        const Server* found = servers.DefaultServer();
        if (!c.expected) {
            EXPECT_EQ(found, nullptr) << c.flags;
            continue;
        }
        ASSERT_NE(found, nullptr) << c.flags;
        EXPECT_EQ(found->ServerName, QLatin1String(c.expected)) << c.flags;
        EXPECT_EQ(found, &servers.Item(found->ServerName.mid(1).toInt())) << "the listed entry";
    }
}

TEST_F(ServersTest, ShrinkingTheListLeavesNoStaleEntriesUpTo99)
{
    Servers five;
    for (int i = 1; i <= 5; ++i)
        five.Add(QStringLiteral("srv%1").arg(i), QStringLiteral("u"), QStringLiteral("p"),
                 QStringLiteral("db"), false);
    five.SaveToRegistry(store);
    put(QStringLiteral("Server99"), QStringLiteral("ninety-nine"));
    put(QStringLiteral("Server100"), QStringLiteral("hundred"));

    Servers two;
    two.Add(QStringLiteral("x"), {}, {}, {}, true);
    two.Add(QStringLiteral("y"), {}, {}, {}, false);
    two.SaveToRegistry(store);
    for (int n = 3; n <= 5; ++n) {
        for (const char* name : {"Server", "Username", "Password", "Database", "IsDefault"}) {
            const QString full = QLatin1String(name) + QString::number(n);
            EXPECT_EQ(value(full), QString()) << qPrintable(full);
        }
    }
    EXPECT_EQ(value(QStringLiteral("Server99")), QString());
    EXPECT_EQ(value(QStringLiteral("Server100")), QStringLiteral("hundred"));
    EXPECT_EQ(names(loaded()), (QStringList{QStringLiteral("x"), QStringLiteral("y")}));
}

TEST_F(ServersTest, AStoreThatCannotBeWrittenIsReported)
{
    SettingsStore broken(QStringLiteral("/proc/tallix-no-such-dir/Tallix 2.0.conf"));
    Servers servers;
    servers.Add(QStringLiteral("a"), {}, {}, {}, false);
    try {
        servers.SaveToRegistry(broken);
        FAIL() << "saving into an unwritable place must not pass as success";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 75);
        EXPECT_TRUE(e.description().contains(QStringLiteral("could not be saved")));
    }
}
