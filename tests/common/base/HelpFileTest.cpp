#include "common/base/HelpFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using tallix::helpFile;

TEST(HelpFile, FoundInTheSourceTreeUnlessAHelpFolderStandsBesideTheProgram)
{
    // Run from the build folder: no help beside the program, so the source tree's page.
    const QString fromSource = helpFile();
    EXPECT_TRUE(fromSource.endsWith(QStringLiteral("/docs/help/What_is_Tallix.htm")))
        << qPrintable(fromSource);
    EXPECT_TRUE(QFileInfo::exists(fromSource)) << qPrintable(fromSource);

    // An installed copy beside the program wins over the source tree.
    QDir beside(QCoreApplication::applicationDirPath());
    ASSERT_FALSE(beside.exists(QStringLiteral("help")));
    ASSERT_TRUE(beside.mkdir(QStringLiteral("help")));
    const QString installed = beside.filePath(QStringLiteral("help/What_is_Tallix.htm"));
    QFile page(installed);
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    const QString found = helpFile();
    QDir(beside.filePath(QStringLiteral("help"))).removeRecursively();
    EXPECT_EQ(found, QFileInfo(installed).absoluteFilePath());
}
