#pragma once

#include "viewer/reports/PageCollection.h"
#include "viewer/reports/Report.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class QLabel;

namespace tallix {

class ReportViewer;

// "Report Preview": a running or finished report, or an opened page document, in the viewer
// control `arv`; its File menu opens and saves page documents, exports the pages (text, HTML,
// RTF, Excel, PDF), prints them and sets the printer up. Each report command of the viewer
// window opens a preview of its own, so several can be open at once.
class frmPreview : public QMainWindow {
    Q_OBJECT
public:
    explicit frmPreview(QWidget* parent = nullptr);
    ~frmPreview() override;

    // Runs the report in the viewer control at 75 %, with its caption as the window's.
    void RunReport(std::unique_ptr<reports::Report> report);

    ReportViewer* viewer() const { return m_arv; }
    // What the status line says about the report.
    QString statusText() const;

    void miFopen_Click();
    void miFSave_Click();
    void miFTextExport_Click();
    void miFHTMLExport_Click();
    void miFRTFExport_Click();
    void miFExcelExport_Click();
    void miFPDFExport_Click();
    void miFPrint_Click();
    void miFPrinterSetup_Click();

private:
    void createMenu();
    void showState();
    void stop();
    // Asks for a file and writes the pages to it with `write`; reports a failure.
    void
    exportPages(const QString& title, const QString& filter, const QString& defaultName,
                const std::function<void(const reports::PageCollection&, const QString&)>& write);
    void error(const QString& description);
    // The pages to save or export: those of pagesToUse(), or none.
    std::shared_ptr<const reports::PageCollection> pagesToWrite() const;

    ReportViewer* m_arv = nullptr;
    QLabel* m_state = nullptr;
    QString m_documentName;
};

} // namespace tallix
