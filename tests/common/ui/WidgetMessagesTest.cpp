#include "common/ui/WidgetMessages.h"

#include "common/ui/HourglassCursor.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using tallix::IMessages;
using tallix::WidgetMessages;

TEST(WidgetMessages, TellsAMissingFileFromAMissingFolderAndKeepsAddressesAsTheyAre)
{
    using R = IMessages::LaunchResult;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString missingFile = QDir(dir.path()).filePath(QStringLiteral("absent.sql"));
    const QString missingFolder = QDir(dir.path()).filePath(QStringLiteral("no/such/a.sql"));
    WidgetMessages widgets;
    EXPECT_EQ(widgets.launch(missingFile), R::FileNotFound);
    EXPECT_EQ(widgets.launch(missingFolder), R::PathNotFound);

    const QUrl mail = WidgetMessages::urlOf(
        QStringLiteral("mailto:bugs@veltorin.example?body=A%0D%0AB&subject=Tallix Bug Report"));
    EXPECT_EQ(mail.scheme(), QStringLiteral("mailto"));
    EXPECT_TRUE(mail.toString(QUrl::FullyEncoded).contains(QStringLiteral("A%0D%0AB")));
    EXPECT_TRUE(WidgetMessages::urlOf(QStringLiteral("C:/x.sql")).isLocalFile());
    EXPECT_TRUE(WidgetMessages::urlOf(QStringLiteral("x.sql")).isLocalFile());
}

TEST(HourglassCursor, NestsAndRestoresThePointerWhenTheOutermostGuardEnds)
{
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    {
        tallix::HourglassCursor outer;
        {
            tallix::HourglassCursor inner;
            EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
