#include "viewer/cli/ReportCommand.h"

#include "common/db/ConnectionOptions.h"
#include "viewer/query/LogQuery.h"
#include "viewer/reports/Aggregate.h"
#include "viewer/reports/Exports.h"
#include "viewer/reports/ReportDocument.h"
#include "viewer/reports/ReportRunner.h"
#include "viewer/reports/TransactionList.h"

#include <QFileInfo>
#include <QLocale>
#include <cstdio>
#include <unistd.h>

namespace tallix::cli {

namespace {

using Writer = std::function<void(const reports::PageCollection&, const QString&)>;

// The export of a file name's extension; nothing for an extension no export writes.
Writer writerFor(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("txt")) {
        return [](const reports::PageCollection& pages, const QString& file) {
            // Tab-separated UTF-8 without the page's blank lines: easy for other programs.
            reports::exportText(pages, {file, QString(), QStringLiteral("\t"), false, true});
        };
    }
    if (suffix == QLatin1String("htm") || suffix == QLatin1String("html")) {
        return [](const reports::PageCollection& pages, const QString& file) {
            const QFileInfo info(file);
            reports::exportHtml(pages, info.path(), info.fileName());
        };
    }
    if (suffix == QLatin1String("rtf"))
        return reports::exportRtf;
    if (suffix == QLatin1String("xlsx"))
        return reports::exportXlsx;
    if (suffix == QLatin1String("pdf"))
        return reports::exportPdf;
    if (suffix == QLatin1String("rdf"))
        return reports::reportdocument::save;
    return {};
}

const char* const kFilterOptions[] = {"table",       "type", "user", "workstation",
                                      "application", "from", "to",   "key"};

QString plural(qint64 n, const char* one, const char* many)
{
    return QString::number(n) + QLatin1Char(' ') + QLatin1String(n == 1 ? one : many);
}

} // namespace

QList<QCommandLineOption> reportOptions()
{
    return {QCommandLineOption(
        QStringLiteral("export"),
        QStringLiteral("The file --report writes: .txt, .htm, .html, .rtf, .xlsx, .pdf or .rdf."),
        QStringLiteral("file"))};
}

bool NeedsFonts(const QStringList& arguments)
{
    for (const QString& a : arguments) {
        if (a.startsWith(QLatin1String("--report")))
            return true;
    }
    return false;
}

int runReport(const Invocation& call)
{
    const QCommandLineParser& parser = call.parser();
    const QString name = parser.value(QStringLiteral("report"));
    const bool transactions = name.compare(QLatin1String("transactions"), Qt::CaseInsensitive) == 0;
    if (!transactions && name.compare(QLatin1String("aggregate"), Qt::CaseInsensitive) != 0)
        throw UsageError{
            QStringLiteral("--report: \"%1\" is none of transactions, aggregate.").arg(name)};
    if (!parser.isSet(QStringLiteral("export")))
        throw UsageError{QStringLiteral("--report needs --export and the file to write.")};
    const QString path = parser.value(QStringLiteral("export"));
    const Writer write = writerFor(path);
    if (!write)
        throw UsageError{QStringLiteral("--export: \"%1\" ends in none of .txt, .htm, .html, "
                                        ".rtf, .xlsx, .pdf, .rdf.")
                             .arg(path)};
    if (parser.isSet(QStringLiteral("max")))
        throw UsageError{QStringLiteral("--max does not apply to --report: a report lists every "
                                        "row.")};
    if (!transactions) {
        for (const char* option : kFilterOptions) {
            if (parser.isSet(QString::fromLatin1(option)))
                throw UsageError{QStringLiteral("--%1 does not apply to --report aggregate: it "
                                                "counts the whole audit table.")
                                     .arg(QLatin1String(option))};
        }
    }

    const QString cs = call.connectionString();
    std::unique_ptr<reports::Report> report;
    QString query;
    if (transactions) {
        query = logquery::SelectText(call.filters(), cs);
        report = std::make_unique<reports::TransactionList>();
    } else {
        report = std::make_unique<reports::Aggregate>();
    }
    const ConnectionOptions options = ConnectionOptions::parse(cs);
    report->setSource(options.value(QStringLiteral("Data Source")),
                      options.value(QStringLiteral("Initial Catalog")));
    // The paper of the user's part of the world, with the viewer's side margins.
    reports::PageSettings& page = report->pageSettings();
    if (QLocale().measurementSystem() != QLocale::ImperialUSSystem)
        page.paper = QSize(11906, 16838); // A4
    page.setLeftMargin(0.5);
    page.setRightMargin(0.5);
    report->SetParams(query, cs);

    reports::ReportRunner runner(std::move(report));
    // Long reports show their progress on a terminal.
    const bool terminal = isatty(fileno(stderr)) != 0;
    while (runner.step(2000)) {
        if (terminal)
            call.err() << "\rtallixview: " << plural(runner.pages()->count(), "page", "pages")
                       << ", " << plural(runner.rowCount(), "row", "rows") << Qt::flush;
    }
    if (terminal)
        call.err() << "\r\x1b[K" << Qt::flush;
    if (runner.state() == reports::ReportRunner::State::EndedEarly)
        throw *runner.report().fetchError();
    write(*runner.pages(), path);
    call.out() << "Wrote " << path << " (" << plural(runner.pages()->count(), "page", "pages")
               << ", " << plural(runner.rowCount(), "row", "rows") << ").\n";
    return 0;
}

} // namespace tallix::cli
