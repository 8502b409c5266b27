#include "TemplateFixtures.h"
#include "tests/support/TestSupport.h"

#include <QLocale>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace tallix;
using namespace tallix::test;

TEST(ScriptText, HeaderAndBannerMatchGolden)
{
    EXPECT_MATCHES_GOLDEN(ScriptHeader(goldenTime()).toUtf8(),
                          QStringLiteral("templates/script_header.sql"));
    EXPECT_MATCHES_GOLDEN(
        TriggerBanner(QStringLiteral("Order Details"), QStringLiteral("TallixUpdate"), goldenTime())
            .toUtf8(),
        QStringLiteral("templates/trigger_banner.sql"));
}

TEST(ScriptText, GenerationTimeHasOneFormWhateverTheLocale)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString text = formatGenerationTime(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
    QLocale::setDefault(previous);
    EXPECT_EQ(text, QStringLiteral("2026-01-02 03:04:05"));
    // The banner repeats the header's lines, so one run shows one time everywhere.
    const QString banner =
        TriggerBanner(QStringLiteral("T"), QStringLiteral("TallixInsert"), goldenTime());
    EXPECT_TRUE(banner.contains(ScriptHeader(goldenTime()).chopped(4)));
}

TEST(ScriptText, CreationBlockIsTheFixed126LineText)
{
    const QString block = CreationBlock();
    EXPECT_EQ(block.count(QStringLiteral("\r\n")), 126);
    EXPECT_FALSE(block.contains(QRegularExpression(QStringLiteral("[^\r]\n"))));
    EXPECT_MATCHES_GOLDEN(block.toUtf8(), QStringLiteral("templates/creation_block.sql"));
}

TEST(ScriptText, UnicodeCreationBlockCreatesNvarcharTablesAndAltersNarrowOnesInPlace)
{
    const QString block = CreationBlock(AuditText::Unicode);
    EXPECT_EQ(block.count(QStringLiteral("\r\n")), 164);
    EXPECT_MATCHES_GOLDEN(block.toUtf8(), QStringLiteral("templates/creation_block_unicode.sql"));
    // Rows are kept: nothing of the narrow layout is dropped or renamed beyond the old block's.
    EXPECT_EQ(block.count(QStringLiteral("DROP TABLE")), 0);
    EXPECT_EQ(block.count(QStringLiteral("sp_rename")),
              CreationBlock().count(QStringLiteral("sp_rename")));
}

TEST(ScriptText, TableDropsRemoveTallixFirstAndReportNothing)
{
    QString failure;
    const QString drops = GenerateTableDrops(&failure);
    EXPECT_TRUE(failure.isEmpty());
    EXPECT_LT(drops.indexOf(QStringLiteral("DROP TABLE Tallix\r\n")),
              drops.indexOf(QStringLiteral("DROP TABLE TallixKeys\r\n")));
    EXPECT_MATCHES_GOLDEN(drops.toUtf8(), QStringLiteral("templates/table_drops.sql"));
}
