#include "common/ui/Grid.h"
#include "tests/viewer/reports/ReportTestSupport.h"
#include "tests/viewer/ui/ViewerWindowFixture.h"
#include "viewer/query/LogQuery.h"
#include "viewer/reports/Aggregate.h"
#include "viewer/reports/ReportDocument.h"
#include "viewer/reports/TransactionList.h"
#include "viewer/ui/DatePicker.h"
#include "viewer/ui/PageView.h"
#include "viewer/ui/ReportViewer.h"
#include "viewer/ui/SharedPrinter.h"
#include "viewer/ui/frmPreview.h"
#include "viewer/ui/frmTextExportOptions.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tallix;
using namespace tallix::reports;
using namespace tallix::test;

namespace {

// Rows without end, laid out like the transaction list: a report that runs until stopped.
class EndlessReport : public Report {
public:
    EndlessReport()
        : Report(TransactionList::design())
    {}
    QString caption() const override { return QStringLiteral("Endless"); }
    void SetParams(const QString&, const QString&) override {}
    void ActiveReport_Initialize() override
    {
        for (const char* f : {"TransactionType", "TransactionDate", "KeyValues"})
            declareField(QString::fromLatin1(f));
    }
    void ActiveReport_FetchData(bool& eof) override
    {
        eof = false;
        setField(0, QStringLiteral("U"));
        setField(1, QString::number(++m_row));
        setField(2, QStringLiteral("id=1\r\nline=2"));
    }

private:
    qint64 m_row = 0;
};

// Answers the print and page-setup dialogs: prints to a PDF file, or declines.
class ScriptedPrinterDialogs : public PrinterDialogs {
public:
    ScriptedPrinterDialogs()
        : m_previous(setPrinterDialogs(this))
    {}
    ~ScriptedPrinterDialogs() override { setPrinterDialogs(m_previous); }

    bool print(QPrinter& printer, int pageCount, QWidget*) override
    {
        asked << pageCount;
        if (pdf.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setFromTo(0, 0);
        return true;
    }
    bool pageSetup(QPrinter& printer, QWidget*) override
    {
        setUp << &printer;
        return true;
    }

    QString pdf; // empty: the print dialog is cancelled
    QList<int> asked;
    QList<QPrinter*> setUp;

private:
    PrinterDialogs* m_previous;
};

class Preview : public ViewerWindowFixture {
protected:
    frmPreview& preview(std::unique_ptr<Report> report = nullptr, const QString& query = {},
                        QString connectionString = {})
    {
        if (connectionString.isEmpty())
            connectionString = audit.connectionString();
        auto* p = new frmPreview;
        m_previews.emplace_back(p);
        p->setAttribute(Qt::WA_DeleteOnClose, false);
        if (report) {
            report->setSource(QStringLiteral("SQLPROD01"), QStringLiteral("audit"));
            report->setClock(printedAt);
            report->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
            report->pageSettings().setLeftMargin(0.5);
            report->pageSettings().setRightMargin(0.5);
            report->SetParams(query, connectionString);
            p->RunReport(std::move(report));
        }
        p->show();
        return *p;
    }

    static void waitForTheEnd(frmPreview& p)
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !p.viewer()->isRunning(); }, 20000));
    }

    static void trigger(QWidget& w, const char* action)
    {
        auto* a = w.findChild<QAction*>(QLatin1String(action));
        ASSERT_TRUE(a) << action;
        a->trigger();
    }

    QString listQuery() const
    {
        return logquery::SelectText(LogFilters{}, audit.connectionString());
    }

    QString path(const char* name) const { return scratch.filePath(QString::fromLatin1(name)); }

    std::vector<std::unique_ptr<frmPreview>> m_previews;
};

int detailBands(const PageCollection& pages)
{
    int n = 0;
    for (int p = 0; p < pages.count(); ++p)
        for (const Band& b : pages.page(p).bands)
            n += b.section == SectionKind::Detail;
    return n;
}

} // namespace

TEST_F(Preview, TheFileMenuAndARunReport)
{
    frmPreview& p = preview();
    EXPECT_EQ(p.windowTitle(), QStringLiteral("Report Preview"));
    QStringList items;
    for (QAction* a : p.menuBar()->actions().first()->menu()->actions())
        items << (a->isSeparator() ? QStringLiteral("-")
                                   : a->objectName() + QLatin1Char(' ') + a->text());
    EXPECT_EQ(items,
              (QStringList{QStringLiteral("miFopen &Open..."), QStringLiteral("miFSave &Save..."),
                           QStringLiteral("-"), QStringLiteral("miFTextExport &Text Export"),
                           QStringLiteral("miFHTMLExport &HTML Export"),
                           QStringLiteral("miFRTFExport &RTF Export"),
                           QStringLiteral("miFExcelExport &Excel Export"),
                           QStringLiteral("miFPDFExport &PDF Export"), QStringLiteral("-"),
                           QStringLiteral("miFPrint &Print"),
                           QStringLiteral("miFPrinterSetup Printer &Setup..."), QStringLiteral("-"),
                           QStringLiteral("miFExit E&xit")}));

    // Before any report there are no pages: the document saved holds none, and opens again.
    messages.chooseFile(path("none.rdf"));
    trigger(p, "miFSave");
    EXPECT_EQ(reportdocument::load(path("none.rdf"))->count(), 0);

    frmPreview& list = preview(std::make_unique<TransactionList>(), listQuery());
    EXPECT_EQ(list.windowTitle(), QStringLiteral("Transaction List"));
    EXPECT_EQ(list.viewer()->zoom(), 75);
    waitForTheEnd(list);
    EXPECT_EQ(list.statusText(), QStringLiteral("Done."));
    EXPECT_EQ(list.viewer()->view()->pages()->count(), 1);

    // A database without the audit tables: the status line says the report ended early, and why.
    frmPreview& failed =
        preview(std::make_unique<Aggregate>(), {}, audit.connectionString(QStringLiteral("empty")));
    waitForTheEnd(failed);
    EXPECT_EQ(failed.statusText(),
              QStringLiteral("The report ended early after 0 rows. Tallix does not appear to be "
                             "running/configured for this database."));
    EXPECT_TRUE(messages.shown.empty());
}

// Every file the menu writes: the dialog's title, preset name and filter, the file written
// for a chosen name, and nothing at all for a cancelled dialog.
TEST_F(Preview, SavesAndExportsThePagesToTheChosenFiles)
{
    frmPreview& p = preview(std::make_unique<TransactionList>(), listQuery());
    waitForTheEnd(p);
    const struct {
        const char* action;
        const char* title;
        const char* preset;
        const char* filter;
        const char* chosen;
        const char* written;
        const char* starts; // the file's first bytes
    } cases[] = {
        {"miFSave", "Save Report", "*.RDF", "Report Document Format (*.RDF *.rdf)", "saved",
         "saved.rdf", "\x89TallixRDF"},
        {"miFHTMLExport", "Export to HTML", "*.HTM", "Hyper Text Mark-Up Language (*.HTM *.htm)",
         "list.HTM", "list.HTM", "<!DOCTYPE html>"},
        {"miFRTFExport", "Export to RTF", "*.RTF", "Rich Text Format (*.RTF *.rtf)", "list.rtf",
         "list.rtf", "{\\rtf1"},
        {"miFExcelExport", "Export to Excel", "*.xlsx", "Excel Format (*.xlsx *.XLSX)", "list",
         "list.xlsx", "PK"},
        {"miFPDFExport", "Export to PDF", "*.PDF", "Portable Document Format (*.PDF *.pdf)",
         "list.pdf", "list.pdf", "%PDF-"},
    };
    for (const auto& c : cases) {
        const QStringList before = QDir(scratch.path()).entryList(QDir::Files | QDir::Hidden);
        messages.chooseFile(std::nullopt);
        trigger(p, c.action);
        EXPECT_EQ(QDir(scratch.path()).entryList(QDir::Files | QDir::Hidden), before);
        messages.chooseFile(path(c.chosen));
        trigger(p, c.action);
        ASSERT_EQ(messages.filesAsked.size(), 2u) << c.action;
        for (const auto& asked : messages.filesAsked) {
            EXPECT_TRUE(asked.save);
            EXPECT_EQ(asked.choice.title, QString::fromLatin1(c.title));
            EXPECT_EQ(asked.choice.fileName, QString::fromLatin1(c.preset));
            EXPECT_EQ(asked.choice.filter, QString::fromLatin1(c.filter));
        }
        messages.filesAsked.clear();
        const QByteArray written = fileBytes(path(c.written));
        EXPECT_TRUE(written.startsWith(c.starts)) << c.action;
    }
    EXPECT_TRUE(messages.shown.empty())
        << qPrintable(messages.shownTexts().join(QLatin1Char('\n')));
    EXPECT_EQ(reportdocument::load(path("saved.rdf"))->count(), 1);
}

TEST_F(Preview, TheTextExportAsksItsOptionsAndACancelWritesNothing)
{
    frmPreview& p = preview(std::make_unique<TransactionList>(), listQuery());
    waitForTheEnd(p);
    const auto answer = [&](bool ok) {
        QTimer::singleShot(0, [&, ok] {
            auto* options = qobject_cast<frmTextExportOptions*>(QApplication::activeModalWidget());
            ASSERT_TRUE(options);
            EXPECT_EQ(options->windowTitle(), QStringLiteral("Text Export Options"));
            messages.chooseFile(path("list.txt"));
            options->findChild<QPushButton*>(QStringLiteral("btnOpen"))->click();
            options->findChild<QLineEdit*>(QStringLiteral("txtFieldDelimiter"))
                ->setText(QStringLiteral("\t"));
            options->findChild<QPushButton*>(QLatin1String(ok ? "btnOK" : "btnCancel"))->click();
        });
        trigger(p, "miFTextExport");
    };
    answer(false);
    EXPECT_FALSE(QFileInfo::exists(path("list.txt")));
    answer(true);
    ASSERT_EQ(messages.filesAsked.size(), 2u);
    EXPECT_EQ(messages.filesAsked[0].choice.title, QStringLiteral("Export to Text"));
    EXPECT_EQ(messages.filesAsked[0].choice.fileName, QStringLiteral("*.txt"));
    EXPECT_EQ(messages.filesAsked[0].choice.filter,
              QStringLiteral("Text Files (*.txt *.TXT);;All Files (*)"));
    EXPECT_MATCHES_GOLDEN(fileBytes(path("list.txt")), QStringLiteral("reports/transactions.txt"));
}

TEST_F(Preview, OpeningADocumentReplacesTheReportAndABrokenOneChangesNothing)
{
    frmPreview& saved = preview(std::make_unique<TransactionList>(), listQuery());
    waitForTheEnd(saved);
    messages.chooseFile(path("list.rdf"));
    trigger(saved, "miFSave");

    frmPreview& p = preview(std::make_unique<EndlessReport>());
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.viewer()->view()->pages()->count() >= 2; }));
    const auto running = p.viewer()->view()->pages();

    QFile broken(path("broken.rdf"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(fileBytes(path("list.rdf")).left(100));
    broken.close();
    messages.chooseFile(path("broken.rdf"));
    trigger(p, "miFopen");
    EXPECT_EQ(messages.shownTexts(),
              QStringList{QStringLiteral("Error: The report document \"%1\" is cut short.")
                              .arg(path("broken.rdf"))});
    EXPECT_EQ(messages.shown.back().title, QStringLiteral("Tallix Viewer"));
    EXPECT_EQ(p.viewer()->view()->pages(), running);
    EXPECT_TRUE(p.viewer()->isRunning());

    messages.chooseFile(path("list.rdf"));
    trigger(p, "miFopen");
    EXPECT_EQ(messages.filesAsked.back().choice.title, QStringLiteral("Open Report Document File"));
    EXPECT_EQ(messages.filesAsked.back().choice.filter,
              QStringLiteral("Report Document File (*.rdf *.RDF)"));
    EXPECT_FALSE(p.viewer()->reportSource());
    const auto opened = p.viewer()->pagesToUse();
    const auto original = saved.viewer()->pagesToUse();
    ASSERT_EQ(opened->count(), original->count());
    EXPECT_EQ(opened->page(0), original->page(0));
    EXPECT_EQ(p.statusText(), path("list.rdf"));
}

TEST_F(Preview, StopEndsARunningReportAndExportsTakeThePagesSoFar)
{
    frmPreview& p = preview(std::make_unique<EndlessReport>());
    ReportViewer& arv = *p.viewer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return arv.view()->pages()->count() >= 3; }));
    EXPECT_TRUE(p.statusText().startsWith(QStringLiteral("Running the report... ")));
    auto* stop = arv.findChild<QAction*>(QStringLiteral("arvStop"));
    EXPECT_EQ(stop->text(), QStringLiteral("Stop"));
    EXPECT_TRUE(stop->isEnabled());

    // An export while the report runs writes the pages made so far.
    messages.chooseFile(path("sofar.rdf"));
    trigger(p, "miFSave");
    const int sofar = reportdocument::load(path("sofar.rdf"))->count();
    EXPECT_GE(sofar, 3);
    EXPECT_TRUE(arv.isRunning());

    stop->trigger();
    EXPECT_FALSE(arv.isRunning());
    EXPECT_FALSE(stop->isEnabled());
    EXPECT_EQ(messages.shownTexts(), QStringList{QStringLiteral("Report Stopped")});
    EXPECT_EQ(p.statusText(), QStringLiteral("Report Stopped"));
    const int pages = arv.pagesToUse()->count();
    EXPECT_GE(pages, sofar);
    QCoreApplication::processEvents();
    EXPECT_EQ(arv.pagesToUse()->count(), pages);

    // Zoom and page moves.
    arv.setZoom(150);
    EXPECT_EQ(arv.view()->zoom(), 150);
    trigger(p, "arvLastPage");
    EXPECT_EQ(arv.view()->currentPage(), pages - 1);
    trigger(p, "arvPreviousPage");
    EXPECT_EQ(arv.view()->currentPage(), pages - 2);
    trigger(p, "arvFirstPage");
    EXPECT_EQ(arv.view()->currentPage(), 0);
}

TEST_F(Preview, PrintsOnTheSharedPrinterWhichPrinterSetupEdits)
{
    ScriptedPrinterDialogs dialogs;
    frmPreview& p = preview(std::make_unique<TransactionList>(), listQuery());
    trigger(p, "miFPrint"); // cancelled: nothing printed
    EXPECT_EQ(dialogs.asked, QList<int>{1});
    dialogs.pdf = path("printed.pdf");
    trigger(p, "miFPrint");
    const QString pdf = QString::fromLatin1(fileBytes(dialogs.pdf));
    EXPECT_TRUE(pdf.startsWith(QStringLiteral("%PDF-")));
    EXPECT_EQ(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"))), 1);
    trigger(p, "miFPrinterSetup");
    preview().miFPrinterSetup_Click();
    EXPECT_EQ(dialogs.setUp, (QList<QPrinter*>{&sharedPrinter(), &sharedPrinter()}));
}

// The viewer's Reports menu: each command a preview of its own; the transaction list takes the
// last query without its row limit, and before any query lists nothing.
TEST_F(Preview, TheViewersReportCommandsOpenPreviewsOfTheLastQuery)
{
    registerServer(audit.folder(), QStringLiteral("audit"), true);
    window = std::make_unique<frmTallixViewer>();
    window->Form_Load();
    const auto previews = [&] {
        return window->findChildren<frmPreview*>();
    };
    trigger(*window, "ID_ReportsTransactionList");
    ASSERT_EQ(previews().size(), 1);
    waitForTheEnd(*previews()[0]);
    EXPECT_EQ(detailBands(*previews()[0]->viewer()->pagesToUse()), 0);

    control<DatePicker>("dtpFrom")->clearValue();
    control<QLineEdit>("txtMaxRecords")->setText(QStringLiteral("2"));
    control<QPushButton>("cmdFilter")->click();
    ASSERT_EQ(control<Grid>("fgTransLog")->rows(), 3);
    trigger(*window, "ID_ReportsTransactionList");
    trigger(*window, "ID_ReportsAggregate");
    ASSERT_EQ(previews().size(), 3);
    for (frmPreview* p : previews())
        waitForTheEnd(*p);
    const auto list = previews()[1]->viewer()->pagesToUse();
    EXPECT_EQ(previews()[1]->windowTitle(), QStringLiteral("Transaction List"));
    EXPECT_EQ(detailBands(*list), 6);
    const QStringList texts = allTexts(*list);
    EXPECT_TRUE(texts.contains(window->LastQuery()));
    EXPECT_TRUE(texts.contains(QStringLiteral("Server - ") + audit.folder()));
    EXPECT_TRUE(texts.contains(QStringLiteral("Database - audit")));
    EXPECT_EQ(previews()[2]->windowTitle(), QStringLiteral("Aggregate"));
    EXPECT_EQ(detailBands(*previews()[2]->viewer()->pagesToUse()), 2);
    EXPECT_TRUE(messages.shown.empty());
}
