#include "generator/recent/MRU.h"

#include "common/settings/SettingsStore.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tallix;

namespace {

class RecentProjects : public ::testing::Test {
protected:
    QString stored(int i) const
    {
        return store.readValue(RegistryRoot::CurrentUser, tallixRegistryKey(),
                               QStringLiteral("RecentFiles%1").arg(i));
    }
    void put(int i, const QString& path)
    {
        store.writeValue(RegistryRoot::CurrentUser, tallixRegistryKey(),
                         QStringLiteral("RecentFiles%1").arg(i), path);
    }
    QStringList storedValues() const
    {
        QStringList out;
        for (int i = 1; i <= 9; ++i)
            out << stored(i);
        while (!out.isEmpty() && out.last().isEmpty())
            out.removeLast();
        return out;
    }
    static QStringList items(const MRU& mru)
    {
        QStringList out;
        for (int i = 1; i <= mru.Count(); ++i)
            out << mru.Item(i);
        return out;
    }

    QTemporaryDir dir;
    SettingsStore store{dir.filePath(QStringLiteral("settings.ini"))};
    ScopedSettingsStore scoped{store};
};

} // namespace

TEST_F(RecentProjects, NewestFirstOnePerPathInAnyCase)
{
    MRU mru;
    mru.Add(QStringLiteral("/p/a.tpx"));
    mru.Add(QStringLiteral("/p/b.tpx"));
    mru.Add(QStringLiteral("/P/A.TPX"));
    EXPECT_EQ(items(mru), (QStringList{QStringLiteral("/P/A.TPX"), QStringLiteral("/p/b.tpx")}));
    mru.Remove(QStringLiteral("/p/B.tpx"));
    mru.Remove(QStringLiteral("/p/none.tpx"));
    EXPECT_EQ(items(mru), QStringList{QStringLiteral("/P/A.TPX")});
}

TEST_F(RecentProjects, ASixthProjectDropsTheOldestAndFiveValuesAreStored)
{
    MRU mru;
    for (int i = 1; i <= 6; ++i)
        mru.Add(QStringLiteral("/p/%1.tpx").arg(i));
    mru.Save();
    EXPECT_EQ(storedValues(), (QStringList{QStringLiteral("/p/6.tpx"), QStringLiteral("/p/5.tpx"),
                                           QStringLiteral("/p/4.tpx"), QStringLiteral("/p/3.tpx"),
                                           QStringLiteral("/p/2.tpx")}));

    MRU again;
    again.Load();
    EXPECT_EQ(items(again), items(mru));
}

TEST_F(RecentProjects, GapsCloseUpAndAreSavedBackInOrder)
{
    put(1, QStringLiteral("/p/one.tpx"));
    put(3, QStringLiteral("/p/three.tpx"));
    put(4, QStringLiteral("/P/ONE.TPX")); // never written by the program: taken once
    MRU mru;
    mru.Load();
    EXPECT_EQ(items(mru),
              (QStringList{QStringLiteral("/p/one.tpx"), QStringLiteral("/p/three.tpx")}));
    mru.Save();
    EXPECT_EQ(storedValues(),
              (QStringList{QStringLiteral("/p/one.tpx"), QStringLiteral("/p/three.tpx")}));
}

TEST_F(RecentProjects, AnEmptyListRemovesEveryStoredValue)
{
    put(2, QStringLiteral("/p/old.tpx"));
    MRU mru;
    mru.Save();
    EXPECT_TRUE(storedValues().isEmpty());
    mru.Load();
    EXPECT_EQ(mru.Count(), 0);
}
