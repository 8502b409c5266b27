#include "common/settings/Registry.h"

#include <QDir>
#include <QFile>
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

TEST_F(SettingsStoreTest, ValuesSurviveAReopenExactlyAndOnlyTextsAreRead)
{
    const QString awkward = QStringLiteral("a, b; c=\"d\" \\ x \u00e9\u4e2d [z] #no comment");
    {
        SettingsStore store(file);
        ASSERT_TRUE(store.writeValue(user, key, QStringLiteral("Server1"), awkward));
        ASSERT_TRUE(store.sync());
    }
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write("List=a, b\nBytes=@ByteArray(xyz)\nCut=\"ab\\0cd\"\n");
    }
    SettingsStore reopened(file);
    EXPECT_EQ(reopened.readValue(user, key, QStringLiteral("Server1")), awkward);
    EXPECT_EQ(reopened.readValue(user, key, QStringLiteral("Server2")), QString());
    EXPECT_EQ(reopened.readValue(user, key, QStringLiteral("List")), QString());
    EXPECT_EQ(reopened.readValue(user, key, QStringLiteral("Bytes")), QString());
    EXPECT_EQ(reopened.readValue(user, key, QStringLiteral("Cut")), QStringLiteral("ab"));
}

TEST_F(SettingsStoreTest, KeyPathsMapBelowTheApplicationKeyOnly)
{
    SettingsStore store(file);
    ASSERT_TRUE(store.writeValue(user, QStringLiteral("software/veltorin/TALLIX 2.0\\"),
                                 QStringLiteral("RecentFiles1"), QStringLiteral("/tmp/a.tpx")));
    EXPECT_EQ(store.readValue(user, key, QStringLiteral("RecentFiles1")),
              QStringLiteral("/tmp/a.tpx"));
    const QString sub = key + QStringLiteral("\\Options");
    ASSERT_TRUE(store.writeValue(user, sub, QStringLiteral("RecentFiles1"), QStringLiteral("x")));
    EXPECT_EQ(store.readValue(user, sub, QStringLiteral("RecentFiles1")), QStringLiteral("x"));
    EXPECT_EQ(store.readValue(user, key, QStringLiteral("RecentFiles1")),
              QStringLiteral("/tmp/a.tpx"));
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

TEST_F(SettingsStoreTest, DeletingIsQuietAndNeverRemovesASubkey)
{
    SettingsStore store(file);
    ScopedSettingsStore scope(store);
    const QString sub = key + QStringLiteral("\\Sub");
    WriteRegistryValue(user, sub, QStringLiteral("A"), QStringLiteral("kept"));
    WriteRegistryValue(user, key, QStringLiteral("Sub"), QStringLiteral("same name as the subkey"));
    WriteRegistryValue(user, key, QStringLiteral("B"), QStringLiteral("gone"));
    DeleteRegistryValue(user, key, QStringLiteral("B"));
    DeleteRegistryValue(user, key, QStringLiteral("Sub"));
    DeleteRegistryValue(user, key, QStringLiteral("NeverThere"));
    DeleteRegistryValue(user, key + QStringLiteral("\\Missing"), QStringLiteral("X"));
    DeleteRegistryValue(user, key, QStringLiteral("Sub/A"));
    DeleteRegistryValue(user, key, QString());
    EXPECT_FALSE(WriteRegistryValue(user, key, QStringLiteral("Sub\\A"), QStringLiteral("x")));
    EXPECT_EQ(ReadRegistryValue(user, key, QStringLiteral("B")), QString());
    EXPECT_EQ(ReadRegistryValue(user, key, QStringLiteral("Sub")), QString());
    EXPECT_EQ(ReadRegistryValue(user, sub, QStringLiteral("A")), QStringLiteral("kept"));
}

TEST_F(SettingsStoreTest, TheProgramsOwnStoreIsTheVeltorinFileAwayFromRealSettings)
{
    // The test main enables test-mode paths, so this never reaches the user's own settings.
    const QString location = settingsStore().location();
    EXPECT_TRUE(location.endsWith(QStringLiteral("Veltorin/Tallix 2.0.conf")))
        << qPrintable(location);
    EXPECT_FALSE(location.startsWith(QDir::homePath() + QStringLiteral("/.config/")))
        << qPrintable(location);
}
