#pragma once

#include "tests/support/TestSupport.h"
#include "viewer/reports/Exports.h"
#include "viewer/reports/Report.h"
#include "viewer/reports/ReportRunner.h"

#include <QTemporaryDir>
#include <memory>

namespace tallix::test {

// The moment and locale every test report is printed with: "1/12/01 2:30:05 PM".
inline QDateTime printedAt()
{
    return QDateTime(QDate(2001, 1, 12), QTime(14, 30, 5));
}

// Runs a report to its end as the viewer makes it: margins of half an inch left and right, the
// server and database the user chose, a fixed clock and the US English locale.
inline std::shared_ptr<reports::PageCollection>
runReport(std::unique_ptr<reports::Report> report, const QString& query,
          const QString& connectionString, reports::ReportRunner::State* state = nullptr,
          QString* fetchError = nullptr)
{
    report->pageSettings().setLeftMargin(0.5);
    report->pageSettings().setRightMargin(0.5);
    report->setSource(QStringLiteral("SQLPROD01"), QStringLiteral("audit"));
    report->setClock(printedAt);
    report->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    report->SetParams(query, connectionString);
    reports::ReportRunner runner(std::move(report));
    runner.run();
    if (state)
        *state = runner.state();
    if (fetchError && runner.report().fetchError())
        *fetchError = runner.report().fetchError()->description();
    return runner.pages();
}

// The bytes of the text export of `pages`.
inline QByteArray textExport(const reports::PageCollection& pages,
                             reports::TextExportOptions options)
{
    QTemporaryDir dir;
    options.fileName = dir.filePath(QStringLiteral("export.txt"));
    reports::exportText(pages, options);
    return fileBytes(options.fileName);
}

// Every text of the pages, in page and band order.
inline QStringList allTexts(const reports::PageCollection& pages)
{
    QStringList out;
    for (int p = 0; p < pages.count(); ++p)
        for (const reports::Band& b : pages.page(p).bands)
            for (const reports::TextBox& t : b.texts)
                out << t.text;
    return out;
}

} // namespace tallix::test
