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
    void putEntry(int n, const QString& server, const QString& user = {},
                  const QString& password = {}, const QString& database = {},
                  const QString& isDefault = QStringLiteral("False"))
    {
        const QString i = QString::number(n);
        put(QStringLiteral("Server") + i, server);
        put(QStringLiteral("Username") + i, user);
        put(QStringLiteral("Password") + i, ScramblePassword(password));
        put(QStringLiteral("Database") + i, database);
        put(QStringLiteral("IsDefault") + i, isDefault);
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

TEST_F(ServersTest, CollectionKeysIgnoreCaseAndRemoveSwallowsEveryFailure)
{
    Servers servers;
    servers.Add(QStringLiteral("ALPHA"), {}, {}, {}, false, QStringLiteral("ALPHA"));
    servers.Add(QStringLiteral("beta"), QStringLiteral("sa"), QStringLiteral("pw"),
                QStringLiteral("pubs"), true, QStringLiteral("beta"));
    servers.Add(QStringLiteral("unkeyed"), {}, {}, {}, false);
    EXPECT_EQ(servers.Item(QStringLiteral("Beta")).UserID, QStringLiteral("sa"));
    EXPECT_TRUE(servers.Item(2).IsDefault);
    EXPECT_THROW(servers.Add(QStringLiteral("x"), {}, {}, {}, false, QStringLiteral("alpha")),
                 Error);
    EXPECT_EQ(servers.Count(), 3);

    servers.Remove(QStringLiteral("nothing"));
    servers.Remove(0);
    servers.Remove(17);
    EXPECT_EQ(servers.Count(), 3);
    servers.Remove(QStringLiteral("alpha"));
    servers.Remove(1);
    EXPECT_EQ(names(servers), QStringList{QStringLiteral("unkeyed")});
}

TEST_F(ServersTest, SaveWritesNumberedValuesAndLoadReadsThemBack)
{
    Servers servers;
    servers.Add(QStringLiteral("PROD\\SQL1"), QStringLiteral("sa"), QStringLiteral("s3cr\u00e9t"),
                QStringLiteral("pubs"), false, QStringLiteral("PROD\\SQL1"));
    servers.Add(QStringLiteral("devbox"), {}, {}, QStringLiteral("Northwind"), true,
                QStringLiteral("devbox"));
    servers.SaveToRegistry(store);

    EXPECT_EQ(value(QStringLiteral("Server1")), QStringLiteral("PROD\\SQL1"));
    EXPECT_EQ(value(QStringLiteral("Username1")), QStringLiteral("sa"));
    EXPECT_NE(value(QStringLiteral("Password1")), QStringLiteral("s3cr\u00e9t"));
    EXPECT_EQ(UnscramblePassword(value(QStringLiteral("Password1"))),
              QStringLiteral("s3cr\u00e9t"));
    EXPECT_EQ(value(QStringLiteral("Database1")), QStringLiteral("pubs"));
    EXPECT_EQ(value(QStringLiteral("IsDefault1")), QStringLiteral("False"));
    EXPECT_EQ(value(QStringLiteral("Server2")), QStringLiteral("devbox"));
    EXPECT_EQ(value(QStringLiteral("Password2")), QString()) << "an empty password stays empty";
    EXPECT_EQ(value(QStringLiteral("IsDefault2")), QStringLiteral("True"));

    Servers loaded;
    loaded.Add(QStringLiteral("stale"), {}, {}, {}, false, QStringLiteral("stale"));
    loaded.LoadFromRegistry(store);
    ASSERT_EQ(loaded.Count(), 2);
    const Server& first = loaded.Item(QStringLiteral("prod\\sql1"));
    EXPECT_EQ(first.UserID, QStringLiteral("sa"));
    EXPECT_EQ(first.Password, QStringLiteral("s3cr\u00e9t"));
    EXPECT_EQ(first.DefaultDatabase, QStringLiteral("pubs"));
    EXPECT_FALSE(first.IsDefault);
    EXPECT_TRUE(loaded.Item(2).IsDefault);
    EXPECT_EQ(loaded.Item(2).Password, QString());
}

TEST_F(ServersTest, LoadingStopsAtTheFirstGap)
{
    putEntry(1, QStringLiteral("one"));
    putEntry(2, QStringLiteral("two"));
    putEntry(4, QStringLiteral("four"));
    Servers servers;
    servers.LoadFromRegistry(store);
    EXPECT_EQ(names(servers), (QStringList{QStringLiteral("one"), QStringLiteral("two")}));

    // An empty name is a gap as well.
    put(QStringLiteral("Server2"), QString());
    servers.LoadFromRegistry(store);
    EXPECT_EQ(names(servers), QStringList{QStringLiteral("one")});

    // Nothing stored: an empty list.
    QTemporaryDir other;
    SettingsStore empty(other.filePath(QStringLiteral("none.conf")));
    servers.LoadFromRegistry(empty);
    EXPECT_EQ(servers.Count(), 0);
}

TEST_F(ServersTest, ADuplicateNameEndsLoadingAndKeepsWhatWasRead)
{
    putEntry(1, QStringLiteral("alpha"), QStringLiteral("u1"));
    putEntry(2, QStringLiteral("beta"));
    putEntry(3, QStringLiteral("ALPHA"), QStringLiteral("u3"));
    putEntry(4, QStringLiteral("gamma"));
    Servers servers;
    servers.LoadFromRegistry(store);
    EXPECT_EQ(names(servers), (QStringList{QStringLiteral("alpha"), QStringLiteral("beta")}));
    EXPECT_EQ(servers.Item(QStringLiteral("alpha")).UserID, QStringLiteral("u1"));
}

TEST_F(ServersTest, DefaultFlagsReadAsBooleans)
{
    putEntry(1, QStringLiteral("a"), {}, {}, {}, QStringLiteral("TRUE"));
    putEntry(2, QStringLiteral("b"), {}, {}, {}, QStringLiteral("false"));
    putEntry(3, QStringLiteral("c"), {}, {}, {}, QStringLiteral("-1"));
    putEntry(4, QStringLiteral("d"), {}, {}, {}, QStringLiteral("0"));
    putEntry(5, QStringLiteral("e"), {}, {}, {}, QStringLiteral("maybe"));
    putEntry(6, QStringLiteral("f"));
    store.deleteValue(RegistryRoot::CurrentUser, tallixRegistryKey(), QStringLiteral("IsDefault6"));
    Servers servers;
    servers.LoadFromRegistry(store);
    ASSERT_EQ(servers.Count(), 6) << "an unreadable flag must not drop the following servers";
    std::vector<bool> flags;
    for (const Server& s : servers)
        flags.push_back(s.IsDefault);
    EXPECT_EQ(flags, (std::vector<bool>{true, false, true, false, false, false}));
}

TEST_F(ServersTest, ShrinkingTheListLeavesNoStaleEntries)
{
    Servers five;
    for (int i = 1; i <= 5; ++i) {
        const QString name = QStringLiteral("srv%1").arg(i);
        five.Add(name, QStringLiteral("u"), QStringLiteral("p"), QStringLiteral("db"), false, name);
    }
    five.SaveToRegistry(store);
    ASSERT_EQ(value(QStringLiteral("Server5")), QStringLiteral("srv5"));

    Servers two;
    two.Add(QStringLiteral("x"), {}, {}, {}, true, QStringLiteral("x"));
    two.Add(QStringLiteral("y"), {}, {}, {}, false, QStringLiteral("y"));
    two.SaveToRegistry(store);
    for (int n = 3; n <= 5; ++n) {
        for (const char* name : {"Server", "Username", "Password", "Database", "IsDefault"}) {
            const QString full = QLatin1String(name) + QString::number(n);
            EXPECT_EQ(value(full), QString()) << qPrintable(full);
        }
    }
    Servers loaded;
    loaded.LoadFromRegistry(store);
    EXPECT_EQ(names(loaded), (QStringList{QStringLiteral("x"), QStringLiteral("y")}));
}

TEST_F(ServersTest, ClearingStopsAtNinetyNine)
{
    put(QStringLiteral("Server99"), QStringLiteral("ninety-nine"));
    put(QStringLiteral("Server100"), QStringLiteral("hundred"));
    Servers none;
    none.SaveToRegistry(store);
    EXPECT_EQ(value(QStringLiteral("Server99")), QString());
    EXPECT_EQ(value(QStringLiteral("Server100")), QStringLiteral("hundred"));
}

TEST_F(ServersTest, AStoreThatCannotBeWrittenIsReported)
{
    SettingsStore broken(QStringLiteral("/proc/tallix-no-such-dir/Tallix 2.0.conf"));
    Servers servers;
    servers.Add(QStringLiteral("a"), {}, {}, {}, false, QStringLiteral("a"));
    try {
        servers.SaveToRegistry(broken);
        FAIL() << "saving into an unwritable place must not pass as success";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 75);
        EXPECT_TRUE(e.description().contains(QStringLiteral("could not be saved")));
    }
}

TEST_F(ServersTest, ConvenienceOverloadsUseTheInstalledStore)
{
    ScopedSettingsStore scope(store);
    Servers servers;
    servers.Add(QStringLiteral("only"), {}, {}, {}, true, QStringLiteral("only"));
    servers.SaveToRegistry();
    EXPECT_EQ(value(QStringLiteral("Server1")), QStringLiteral("only"));
    Servers loaded;
    loaded.LoadFromRegistry();
    EXPECT_EQ(names(loaded), QStringList{QStringLiteral("only")});
}
