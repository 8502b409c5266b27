#include "viewer/reports/ReportDocument.h"

#include "tests/common/db/AuditDatabase.h"
#include "tests/viewer/reports/ReportTestSupport.h"
#include "viewer/query/LogQuery.h"
#include "viewer/reports/TransactionList.h"

#include <QBuffer>
#include <gtest/gtest.h>

using namespace tallix;
using namespace tallix::reports;
using namespace tallix::test;

namespace {

std::shared_ptr<PageCollection> transactionList()
{
    AuditDatabase audit;
    const QString cs = audit.connectionString();
    return runReport(std::make_unique<TransactionList>(), logquery::SelectText(LogFilters{}, cs),
                     cs);
}

// The message of reading `bytes` as the document `name`, or an empty text when it loads.
QString loadMessage(const QString& name, QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    try {
        reportdocument::read(buffer, name);
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), reportdocument::kInvalidFileFormat);
        return e.description();
    }
    return {};
}

} // namespace

TEST(ReportDocument, ReopensWithTheSamePagesRecordForRecord)
{
    const auto pages = transactionList();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.rdf"));
    reportdocument::save(*pages, path);
    const auto reopened = reportdocument::load(path);
    EXPECT_EQ(reopened->title(), pages->title());
    EXPECT_EQ(reopened->paper(), pages->paper());
    EXPECT_EQ(reopened->fonts(), pages->fonts());
    ASSERT_EQ(reopened->count(), pages->count());
    for (int p = 0; p < pages->count(); ++p) {
        EXPECT_EQ(reopened->encoded(p), pages->encoded(p));
        EXPECT_EQ(reopened->page(p), pages->page(p));
    }
    EXPECT_EQ(allTexts(*reopened), allTexts(*pages));
    EXPECT_GT(allTexts(*pages).size(), 50);
}

TEST(ReportDocument, RefusesWhatIsNotOneOrIsCutShortWithAMessage)
{
    const auto pages = transactionList();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("doc.rdf"));
    reportdocument::save(*pages, path);
    const QByteArray whole = fileBytes(path);
    const QString broken = QStringLiteral("broken.rdf");
    const QString notOne = QStringLiteral("\"%1\" is not a report document.").arg(broken);
    const QString cutShort = QStringLiteral("The report document \"%1\" is cut short.").arg(broken);
    const QString damaged = QStringLiteral("The report document \"%1\" is damaged.").arg(broken);

    const qsizetype signature = 14;
    QByteArray newer = whole;
    newer[signature + 1] = 2;
    QByteArray flipped = whole;
    flipped[whole.size() - 40] = static_cast<char>(flipped[whole.size() - 40] ^ 0x55);
    const struct {
        QByteArray bytes;
        QString message;
    } cases[] = {
        {QByteArray(), notOne},
        {QByteArrayLiteral("SELECT 1\r\n"), notOne},
        {QByteArrayLiteral("\x89PNG\r\n\x1a\n") + QByteArray(64, 'x'), notOne},
        {whole.left(signature - 1), notOne},
        {newer,
         QStringLiteral("The report document \"%1\" has format 2; this program reads format 1.")
             .arg(broken)},
        {flipped, damaged},
        {whole + "x", damaged},
    };
    for (const auto& c : cases)
        EXPECT_EQ(loadMessage(broken, c.bytes), c.message);
    // Cut anywhere after the signature.
    for (qsizetype n = signature; n < whole.size(); ++n)
        ASSERT_EQ(loadMessage(broken, whole.left(n)), cutShort) << n;
    EXPECT_EQ(errorNumber([&] { reportdocument::load(dir.filePath(QStringLiteral("none.rdf"))); }),
              75);
}

// The fuzz seeds are documents: two written by the program, one with a page stored uncompressed.
TEST(ReportDocument, TheFuzzSeedsAreDocuments)
{
    for (const char* seed : {"aggregate.rdf", "stores.rdf", "plain-page.rdf"}) {
        const auto pages = reportdocument::load(
            testDataPath(QStringLiteral("fuzz/report_document/") + QLatin1String(seed)));
        EXPECT_EQ(pages->count(), 1) << seed;
    }
    const auto plain =
        reportdocument::load(testDataPath(QStringLiteral("fuzz/report_document/plain-page.rdf")));
    EXPECT_EQ(allTexts(*plain),
              (QStringList{QStringLiteral("42"), QStringLiteral("a\nb <x> & }{\\")}));
    EXPECT_EQ(plain->page(0).bands[0].rules[0].line, QLine(720, 1890, 11520, 1890));
}
