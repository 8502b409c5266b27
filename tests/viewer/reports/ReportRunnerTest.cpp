#include "viewer/reports/ReportRunner.h"

#include <gtest/gtest.h>

using namespace tallix;
using namespace tallix::reports;

namespace {

ReportLayout listDesign()
{
    using namespace design;
    ReportLayout layout;
    layout.fonts = {{QStringLiteral("Arial"), 80, false, false}};
    layout.section(SectionKind::PageHeader) = {
        500, {label("lblTitle", QStringLiteral("Head"), QRect(0, 0, 5000, 300), 0)}};
    layout.section(SectionKind::Detail) = {
        300,
        {field("Text", QRect(0, 50, 5000, 200), 0, AlignLeft, true),
         field("Number", QRect(5000, 50, 1000, 200), 0, AlignRight)}};
    layout.section(SectionKind::GroupFooter) = {
        300,
        {summary("Sum", "Number", Control::Summary::Sum, QRect(5000, 50, 1000, 200), 0, AlignRight),
         summary("Count", "Text", Control::Summary::Count, QRect(0, 50, 1000, 200), 0, AlignLeft)}};
    layout.section(SectionKind::PageFooter) = {
        400, {label("lblPage", QString(), QRect(0, 100, 10800, 240), 0)}};
    return layout;
}

// Rows held in memory: a text that may have several lines and its 1-based number. Letter paper,
// inch margins: the body runs from 1940 (below a 500-twip header) to 14000 (above a 400-twip
// footer), room for 40 one-line detail bands of 300.
class ListReport : public Report {
public:
    explicit ListReport(QStringList rows, int failAt = -1)
        : Report(listDesign())
        , m_rows(std::move(rows))
        , m_failAt(failAt)
    {}

    QString caption() const override { return QStringLiteral("List"); }
    void SetParams(const QString&, const QString&) override {}
    void ActiveReport_Initialize() override
    {
        declareField(QStringLiteral("Text"));
        declareField(QStringLiteral("Number"));
    }
    void ActiveReport_FetchData(bool& eof) override
    {
        eof = m_next >= m_rows.size() || m_next == m_failAt;
        if (m_next == m_failAt)
            setFetchError(Error(3021, QStringLiteral("the server went away")));
        if (eof)
            return;
        setField(0, m_rows[m_next]);
        setField(1, qint64(++m_next));
    }

private:
    QStringList m_rows;
    int m_failAt;
    int m_next = 0;
};

QStringList numbered(int n)
{
    QStringList rows;
    for (int i = 1; i <= n; ++i)
        rows << QStringLiteral("row %1").arg(i);
    return rows;
}

QList<const Band*> bandsOf(const Page& page, SectionKind kind)
{
    QList<const Band*> out;
    for (const Band& b : page.bands) {
        if (b.section == kind)
            out.append(&b);
    }
    return out;
}

} // namespace

TEST(ReportRunner, BreaksPagesWhereTheBodyIsFullAndSumsAtTheEnd)
{
    struct Case {
        int rows;
        QList<int> detailsPerPage; // the group footer stands on the last page
    };
    const Case cases[] = {
        {0, {0}},      // an empty report: one page, no group footer
        {39, {39}},    // 39 rows and the footer fill 12000 of 12060
        {40, {40, 0}}, // the footer no longer fits: a page of its own
        {81, {40, 40, 1}},
    };
    for (const Case& c : cases) {
        ReportRunner runner(std::make_unique<ListReport>(numbered(c.rows)));
        runner.run();
        EXPECT_EQ(runner.state(), ReportRunner::State::Finished);
        EXPECT_EQ(runner.rowCount(), c.rows);
        const PageCollection& pages = *runner.pages();
        ASSERT_EQ(pages.count(), c.detailsPerPage.size()) << c.rows;
        int row = 0;
        for (int p = 0; p < pages.count(); ++p) {
            const Page page = pages.page(p);
            ASSERT_EQ(page.bands.first().section, SectionKind::PageHeader);
            EXPECT_EQ(page.bands.last().texts.first().text, QStringLiteral("Page %1").arg(p + 1));
            EXPECT_EQ(page.bands.last().top, 14000);
            const QList<const Band*> details = bandsOf(page, SectionKind::Detail);
            ASSERT_EQ(details.size(), c.detailsPerPage[p]) << c.rows << " page " << p + 1;
            for (const Band* d : details) {
                ++row;
                EXPECT_EQ(d->texts[0].text, QStringLiteral("row %1").arg(row));
                EXPECT_EQ(d->texts[1].flags, AlignRight | Number);
            }
            if (!details.isEmpty()) {
                EXPECT_EQ(details.first()->top, 1940);
            }
        }
        const QList<const Band*> footers =
            bandsOf(pages.page(pages.count() - 1), SectionKind::GroupFooter);
        if (c.rows == 0) {
            EXPECT_TRUE(footers.isEmpty());
            continue;
        }
        ASSERT_EQ(footers.size(), 1);
        EXPECT_EQ(footers[0]->texts[0].text, QString::number(c.rows * (c.rows + 1) / 2));
        EXPECT_EQ(footers[0]->texts[1].text, QString::number(c.rows));
    }
}

TEST(ReportRunner, ABandTallerThanAPageContinuesOnTheNextWithoutLosingALine)
{
    QStringList lines;
    for (int i = 1; i <= 100; ++i)
        lines << QStringLiteral("line %1").arg(i);
    ReportRunner runner(std::make_unique<ListReport>(
        QStringList{QStringLiteral("a"), lines.join(QLatin1Char('\n')), QStringLiteral("b")}));
    runner.run();
    const PageCollection& pages = *runner.pages();
    // Page 1: "a" (300), then 58 lines of the tall band fill the page down to 13940; page 2
    // takes the other 42 lines, then "b" and the sums.
    ASSERT_EQ(pages.count(), 2);
    QStringList seen;
    QList<int> piecesPerPage;
    for (int p = 0; p < pages.count(); ++p) {
        const QList<const Band*> details = bandsOf(pages.page(p), SectionKind::Detail);
        piecesPerPage << static_cast<int>(details.size());
        for (const Band* d : details) {
            EXPECT_LE(d->top + d->height, 14000);
            seen << d->texts[0].text.split(QLatin1Char('\n'));
        }
    }
    EXPECT_EQ(piecesPerPage, (QList<int>{2, 2}));
    EXPECT_EQ(seen, QStringList{QStringLiteral("a")} + lines + QStringList{QStringLiteral("b")});
    // The number shows with the band's first piece only.
    const Band* continued = bandsOf(pages.page(1), SectionKind::Detail).first();
    EXPECT_EQ(continued->texts.size(), 1);
    EXPECT_EQ(continued->height, 300 + 41 * 200);
}

TEST(ReportRunner, AFailedFetchOrStopEndsTheDataWithoutSums)
{
    ReportRunner failing(std::make_unique<ListReport>(numbered(10), 3));
    failing.run();
    EXPECT_EQ(failing.state(), ReportRunner::State::EndedEarly);
    EXPECT_EQ(failing.rowCount(), 3);
    ASSERT_TRUE(failing.report().fetchError());
    EXPECT_EQ(failing.report().fetchError()->description(), QStringLiteral("the server went away"));

    ReportRunner stopped(std::make_unique<ListReport>(numbered(100)));
    EXPECT_TRUE(stopped.step(5));
    EXPECT_EQ(stopped.pages()->count(), 0); // the first page is still open
    stopped.stop();
    EXPECT_EQ(stopped.state(), ReportRunner::State::Stopped);
    EXPECT_FALSE(stopped.step(5));
    EXPECT_EQ(stopped.rowCount(), 5);

    for (const ReportRunner* r : {&failing, &stopped}) {
        ASSERT_EQ(r->pages()->count(), 1);
        const Page page = r->pages()->page(0);
        EXPECT_TRUE(bandsOf(page, SectionKind::GroupFooter).isEmpty());
        EXPECT_EQ(page.bands.last().section, SectionKind::PageFooter);
    }
}

TEST(ReportRunner, StretchesTheDesignAcrossThePrintableWidth)
{
    auto report = std::make_unique<ListReport>(QStringList{QStringLiteral("x")});
    report->pageSettings().paper = QSize(11906, 16838); // A4
    report->pageSettings().setLeftMargin(0.5);
    report->pageSettings().setRightMargin(0.5);
    ReportRunner runner(std::move(report));
    runner.run();
    EXPECT_EQ(runner.pages()->paper(), QSize(11906, 16838));
    const Band* detail = bandsOf(runner.pages()->page(0), SectionKind::Detail).first();
    // 10466 printable twips for 10800 designed: x 5000 lands at 720 + 4845.
    EXPECT_EQ(detail->texts[0].rect, QRect(720, 1440 + 500 + 50, 4845, 200));
    EXPECT_EQ(detail->texts[1].rect.left(), 720 + 4845);
    EXPECT_EQ(detail->texts[1].rect.width(), 720 + 5814 - (720 + 4845));
}

TEST(PageRecord, ValuesKeepTheirLineBreaksAndShowEveryOtherControlCharacter)
{
    const struct {
        const char16_t* value;
        const char16_t* shown;
    } cases[] = {
        {u"plain é 𝄞", u"plain é 𝄞"},
        {u"a\r\nb\rc\nd\u2028e", u"a\nb\nc\nd\ne"},
        {u"tab\there\x1b[31m\x7f", u"tab\u2409here\u241b[31m\u2421"},
        {u"\u0085nel \u202eevil\u202c \u2066x\u2069", u"\ufffdnel \ufffdevil\ufffd \ufffdx\ufffd"},
        {u"x\ufffe\uffff",
         u"x\ufffd\ufffd"}, // (a leading U+FFFE would be read as a byte-order mark)
    };
    for (const auto& c : cases)
        EXPECT_EQ(pageText(QString::fromUtf16(c.value)), QString::fromUtf16(c.shown));
    // Unpaired halves of a surrogate pair.
    const QChar lone[] = {QChar(0xD834), QChar(u'x'), QChar(0xDD1E)};
    EXPECT_EQ(pageText(QString(lone, 3)), QString::fromUtf16(u"\ufffdx\ufffd"));
    const QChar nul[] = {QChar(u'a'), QChar(0), QChar(u'b')};
    EXPECT_EQ(pageText(QString(nul, 3)), QString::fromUtf16(u"a\u2400b"));
}
