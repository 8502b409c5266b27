#include "common/settings/Registry.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tallix;

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("Tallix 2.0.conf"));
    const QString key = tallixRegistryKey();
    const RegistryRoot user = RegistryRoot::CurrentUser;
};

} // namespace

TEST_F(SettingsStoreTest, ValuesSurviveAReopenExactly)
{
    const QString awkward = QStringLiteral("a, b; c=\"d\" \\ x \u00e9\u4e2d [z] %1 #no comment");
    {
        SettingsStore store(file);
        ASSERT_TRUE(store.writeValue(user, key, QStringLiteral("Server1"), awkward));
        ASSERT_TRUE(store.writeValue(user, key, QStringLiteral("Server2"), QString()));
        ASSERT_TRUE(store.sync());
    }
    SettingsStore reopened(file);
    EXPECT_EQ(reopened.readValue(user, key, QStringLiteral("Server1")), awkward);
    EXPECT_EQ(reopened.readValue(user, key, QStringLiteral("Server2")), QString());
    EXPECT_EQ(reopened.readValue(user, key, QStringLiteral("Server3")), QString());
}

TEST_F(SettingsStoreTest, KeyPathsMapBelowTheApplicationKey)
{
    SettingsStore store(file);
    // The key is the application's own whatever the case and separators.
    ASSERT_TRUE(store.writeValue(user, QStringLiteral("software/veltorin/TALLIX 2.0\\"),
                                 QStringLiteral("RecentFiles1"), QStringLiteral("/tmp/a.tpx")));
    EXPECT_EQ(store.readValue(user, key, QStringLiteral("RecentFiles1")),
              QStringLiteral("/tmp/a.tpx"));
    // A subkey is its own place.
    const QString sub = key + QStringLiteral("\\Options");
    ASSERT_TRUE(store.writeValue(user, sub, QStringLiteral("RecentFiles1"), QStringLiteral("x")));
    EXPECT_EQ(store.readValue(user, sub, QStringLiteral("RecentFiles1")), QStringLiteral("x"));
    EXPECT_EQ(store.readValue(user, key, QStringLiteral("RecentFiles1")),
              QStringLiteral("/tmp/a.tpx"));
    // Keys outside the application's do not exist here; nothing is stored for them.
#ifndef Q_OS_WIN
    const QString msinfo = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
    EXPECT_FALSE(store.writeValue(RegistryRoot::LocalMachine, msinfo, QStringLiteral("PATH"),
                                  QStringLiteral("x")));
    EXPECT_EQ(store.readValue(RegistryRoot::LocalMachine, msinfo, QStringLiteral("PATH")),
              QString());
    EXPECT_EQ(store.readValue(RegistryRoot::LocalMachine, key, QStringLiteral("RecentFiles1")),
              QString());
#endif
}

TEST_F(SettingsStoreTest, OnlyTextValuesAreReadAndTheyEndAtAZero)
{
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[General]\nList=a, b\nBytes=@ByteArray(xyz)\nCut=\"ab\\0cd\"\nPlain=hello\n");
    }
    SettingsStore store(file);
    EXPECT_EQ(store.readValue(user, key, QStringLiteral("Plain")), QStringLiteral("hello"));
    EXPECT_EQ(store.readValue(user, key, QStringLiteral("List")), QString());
    EXPECT_EQ(store.readValue(user, key, QStringLiteral("Bytes")), QString());
    EXPECT_EQ(store.readValue(user, key, QStringLiteral("Cut")), QStringLiteral("ab"));
}

TEST_F(SettingsStoreTest, DeletingIsQuietAndNamesCannotReachIntoSubkeys)
{
    SettingsStore store(file);
    const QString sub = key + QStringLiteral("\\Sub");
    store.writeValue(user, sub, QStringLiteral("A"), QStringLiteral("kept"));
    store.writeValue(user, key, QStringLiteral("B"), QStringLiteral("gone"));
    store.deleteValue(user, key, QStringLiteral("B"));
    store.deleteValue(user, key, QStringLiteral("NeverThere"));
    store.deleteValue(user, key + QStringLiteral("\\Missing"), QStringLiteral("X"));
    // A name with a separator or an empty name addresses nothing, so it cannot remove the subkey.
    store.deleteValue(user, key, QStringLiteral("Sub"));
    store.deleteValue(user, key, QStringLiteral("Sub/A"));
    store.deleteValue(user, key, QString());
    // A value and a subkey of the same name: deleting the value keeps the subkey.
    store.writeValue(user, key, QStringLiteral("Sub"), QStringLiteral("value"));
    store.deleteValue(user, key, QStringLiteral("Sub"));
    EXPECT_EQ(store.readValue(user, key, QStringLiteral("Sub")), QString());
    EXPECT_FALSE(store.writeValue(user, key, QStringLiteral("Sub\\A"), QStringLiteral("x")));
    EXPECT_EQ(store.readValue(user, key, QStringLiteral("B")), QString());
    EXPECT_EQ(store.readValue(user, sub, QStringLiteral("A")), QStringLiteral("kept"));
}

TEST_F(SettingsStoreTest, ModuleRoutinesUseTheInstalledStore)
{
    SettingsStore store(file);
    {
        ScopedSettingsStore scope(store);
        EXPECT_EQ(&settingsStore(), &store);
        EXPECT_TRUE(
            WriteRegistryValue(user, key, QStringLiteral("Database1"), QStringLiteral("pubs")));
        EXPECT_EQ(ReadRegistryValue(user, key, QStringLiteral("Database1")),
                  QStringLiteral("pubs"));
        DeleteRegistryValue(user, key, QStringLiteral("Database1"));
        EXPECT_EQ(ReadRegistryValue(user, key, QStringLiteral("Database1")), QString());
    }
    EXPECT_NE(&settingsStore(), &store);
}

TEST_F(SettingsStoreTest, TheProgramsOwnStoreIsTheVeltorinFileAwayFromRealSettings)
{
    // The test main enables test-mode paths, so this never reaches the user's own settings.
    const QString location = settingsStore().location();
    EXPECT_TRUE(location.endsWith(QStringLiteral("Veltorin/Tallix 2.0.conf")))
        << qPrintable(location);
    const QString realConfig = QDir::homePath() + QStringLiteral("/.config/Veltorin");
    EXPECT_FALSE(location.startsWith(realConfig)) << qPrintable(location);
}
