#include "viewer/ui/frmPreview.h"

#include "common/base/Messages.h"
#include "common/ui/HourglassCursor.h"
#include "viewer/query/LogQuery.h"
#include "viewer/reports/Exports.h"
#include "viewer/reports/PagePainter.h"
#include "viewer/reports/ReportDocument.h"
#include "viewer/ui/PageView.h"
#include "viewer/ui/ReportViewer.h"
#include "viewer/ui/SharedPrinter.h"
#include "viewer/ui/frmTallixViewer.h"
#include "viewer/ui/frmTextExportOptions.h"
#include "viewer/ui/modCommonDlg.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QStatusBar>

namespace tallix {

frmPreview::frmPreview(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("Report Preview"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_arv = new ReportViewer(this);
    m_arv->setObjectName(QStringLiteral("arv"));
    setCentralWidget(m_arv);
    m_state = new QLabel(statusBar());
    m_state->setObjectName(QStringLiteral("sbPreviewState"));
    statusBar()->addWidget(m_state, 1);
    createMenu();
    connect(m_arv, &ReportViewer::progress, this, &frmPreview::showState);
    connect(m_arv, &ReportViewer::stopClicked, this, &frmPreview::stop);
    resize(900, 700);
}

frmPreview::~frmPreview() = default;

void frmPreview::createMenu()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    const auto item = [this, file](const char* name, const char* caption, auto slot) {
        QAction* a = file->addAction(QString::fromLatin1(caption));
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, slot);
    };
    item("miFopen", "&Open...", &frmPreview::miFopen_Click);
    item("miFSave", "&Save...", &frmPreview::miFSave_Click);
    file->addSeparator();
    item("miFTextExport", "&Text Export", &frmPreview::miFTextExport_Click);
    item("miFHTMLExport", "&HTML Export", &frmPreview::miFHTMLExport_Click);
    item("miFRTFExport", "&RTF Export", &frmPreview::miFRTFExport_Click);
    item("miFExcelExport", "&Excel Export", &frmPreview::miFExcelExport_Click);
    item("miFPDFExport", "&PDF Export", &frmPreview::miFPDFExport_Click);
    file->addSeparator();
    item("miFPrint", "&Print", &frmPreview::miFPrint_Click);
    item("miFPrinterSetup", "Printer &Setup...", &frmPreview::miFPrinterSetup_Click);
    file->addSeparator();
    item("miFExit", "E&xit", [this] { close(); });
}

void frmPreview::RunReport(std::unique_ptr<reports::Report> report)
{
    setWindowTitle(report->caption());
    m_documentName.clear();
    m_arv->setReportSource(std::make_unique<reports::ReportRunner>(std::move(report)));
    m_arv->setZoom(75);
    showState();
}

QString frmPreview::statusText() const
{
    return m_state->text();
}

void frmPreview::showState()
{
    using State = reports::ReportRunner::State;
    const reports::ReportRunner* source = m_arv->reportSource();
    const auto pages = m_arv->pagesToUse();
    const int count = pages ? pages->count() : 0;
    QString text;
    if (!source) {
        text = m_documentName.isEmpty() ? QString() : m_documentName;
    } else {
        switch (source->state()) {
        case State::NotStarted:
        case State::Running:
            text = QStringLiteral("Running the report... %1 pages").arg(count);
            break;
        case State::Finished:
            text = QStringLiteral("Done.");
            break;
        case State::Stopped:
            text = QStringLiteral("Report Stopped");
            break;
        case State::EndedEarly:
            // Rows are missing: say so, and why.
            text =
                QStringLiteral("The report ended early after %1 rows. ").arg(source->rowCount()) +
                logquery::FailureText(*source->report().fetchError());
            break;
        }
    }
    m_state->setText(text);
}

void frmPreview::stop()
{
    if (m_arv->stopReport())
        messages().showMessage(QStringLiteral("Report Stopped"), windowTitle(),
                               IMessages::Icon::Information);
}

void frmPreview::error(const QString& description)
{
    messages().showMessage(QStringLiteral("Error: ") + description, frmTallixViewer::title(),
                           IMessages::Icon::None);
}

void frmPreview::miFopen_Click()
{
    const QString path = modCommonDlg::OpenFileName(
        QStringLiteral("Open Report Document File"),
        QStringLiteral("Report Document File (*.rdf)| *.rdf"), QStringLiteral("*.rdf"));
    if (path.isEmpty())
        return;
    try {
        // Read whole first: a file that is no document leaves the preview as it was.
        std::shared_ptr<reports::PageCollection> pages;
        {
            HourglassCursor hourglass;
            pages = reports::reportdocument::load(path);
        }
        m_documentName = path;
        m_arv->loadDocument(std::move(pages));
        showState();
    } catch (const Error& e) {
        error(e.description());
    }
}

void frmPreview::exportPages(
    const QString& title, const QString& filter, const QString& defaultName,
    const std::function<void(const reports::PageCollection&, const QString&)>& write)
{
    const QString path = modCommonDlg::SaveFileName(title, filter, defaultName);
    if (path.isEmpty())
        return;
    try {
        HourglassCursor hourglass;
        write(*pagesToWrite(), path);
    } catch (const Error& e) {
        error(e.description());
    }
}

std::shared_ptr<const reports::PageCollection> frmPreview::pagesToWrite() const
{
    if (auto pages = m_arv->pagesToUse())
        return pages;
    // A report whose first page is not finished yet: its (empty) collection, else none at all.
    if (auto shown = m_arv->view()->pages())
        return shown;
    return std::make_shared<reports::PageCollection>(windowTitle(), reports::PageSettings().paper,
                                                     QList<reports::ReportFont>{});
}

void frmPreview::miFSave_Click()
{
    exportPages(QStringLiteral("Save Report"),
                QStringLiteral("Report Document Format (*.RDF)| *.RDF"), QStringLiteral("*.RDF"),
                reports::reportdocument::save);
}

void frmPreview::miFTextExport_Click()
{
    frmTextExportOptions options(this);
    options.exec();
    if (options.cancelled())
        return;
    try {
        HourglassCursor hourglass;
        reports::exportText(*pagesToWrite(), options.options());
    } catch (const Error& e) {
        error(e.description());
    }
}

void frmPreview::miFHTMLExport_Click()
{
    // The folder of the chosen path and its file title name the files the export writes.
    exportPages(
        QStringLiteral("Export to HTML"),
        QStringLiteral("Hyper Text Mark-Up Language (*.HTM)| *.HTM"), QStringLiteral("*.HTM"),
        [](const reports::PageCollection& pages, const QString& path) {
            reports::exportHtml(pages, modCommonDlg::FolderOf(path), modCommonDlg::FileTitle(path));
        });
}

void frmPreview::miFRTFExport_Click()
{
    exportPages(QStringLiteral("Export to RTF"), QStringLiteral("Rich Text Format (*.RTF)| *.RTF"),
                QStringLiteral("*.RTF"), reports::exportRtf);
}

void frmPreview::miFExcelExport_Click()
{
    exportPages(QStringLiteral("Export to Excel"), QStringLiteral("Excel Format (*.xlsx)| *.xlsx"),
                QStringLiteral("*.xlsx"), reports::exportXlsx);
}

void frmPreview::miFPDFExport_Click()
{
    exportPages(QStringLiteral("Export to PDF"),
                QStringLiteral("Portable Document Format (*.PDF)| *.PDF"), QStringLiteral("*.PDF"),
                reports::exportPdf);
}

void frmPreview::miFPrint_Click()
{
    // A report still running is printed whole.
    m_arv->finishReport();
    const auto pages = m_arv->pagesToUse();
    if (!pages)
        return;
    QPrinter& printer = sharedPrinter();
    printer.setDocName(pages->title());
    printer.setFromTo(0, 0);
    if (!printerDialogs().print(printer, pages->count(), this))
        return;
    const int first = printer.fromPage() > 0 ? printer.fromPage() - 1 : 0;
    const int last = printer.toPage() > 0 ? printer.toPage() - 1 : pages->count() - 1;
    HourglassCursor hourglass;
    if (!reports::pagepainter::print(printer, *pages, first, last))
        error(QStringLiteral("The printer could not be started."));
}

void frmPreview::miFPrinterSetup_Click()
{
    printerDialogs().pageSetup(sharedPrinter(), this);
}

} // namespace tallix
