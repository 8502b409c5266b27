// Renders the report preview on the demo data for the README: the first page of the transaction
// list (of the viewer's default query: the last two weeks) and of the aggregate.
//
//   build/tools/screenshots/reports/screenshot_reports docs/screenshots
//
// Offscreen (no display needed), with test-mode paths and a scratch settings store in which the
// freshly built demo server is the only registered server. The reports run from the viewer's
// Reports menu, as a user runs them; the pages are shown at 100 % so that they read as printed.
#include "tools/screenshots/Screenshot.h"
#include "tools/screenshots/demo/DemoServer.h"
#include "viewer/ui/PageView.h"
#include "viewer/ui/ReportViewer.h"
#include "viewer/ui/frmPreview.h"
#include "viewer/ui/frmTallixViewer.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <cstdio>

namespace {

// Runs a report command of the viewer and draws its preview once the report has ended.
bool shoot(tallix::frmTallixViewer& viewer, const char* command, const QString& path)
{
    const int before = static_cast<int>(viewer.findChildren<tallix::frmPreview*>().size());
    viewer.findChild<QAction*>(QLatin1String(command))->trigger();
    const QList<tallix::frmPreview*> previews = viewer.findChildren<tallix::frmPreview*>();
    if (previews.size() != before + 1)
        return false;
    tallix::frmPreview& preview = *previews.last();
    preview.resize(900, 860);
    QElapsedTimer clock;
    clock.start();
    while (preview.viewer()->isRunning()) {
        if (clock.elapsed() > 60000)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    preview.viewer()->setZoom(100);
    preview.viewer()->view()->setFocus();
    QApplication::processEvents();
    using tallix::screenshots::TitleBar;
    return tallix::screenshots::save(
        tallix::screenshots::withTitleBar(preview, TitleBar::MainWindow), path);
}

} // namespace

int main(int argc, char** argv)
{
    tallix::screenshots::useOffscreenPlatform();
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshot_reports <folder>\n");
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(folder);
    const tallix::screenshots::ScratchSettings scratch;
    if (!scratch.isValid() || !QDir::setCurrent(scratch.path()) ||
        !tallix::screenshots::registerDemoServer())
        return 1;

    tallix::frmTallixViewer window;
    tallix::screenshots::openViewer(window);

    const bool ok = shoot(window, "ID_ReportsTransactionList",
                          QDir(folder).filePath(QStringLiteral("report-transactions.png"))) &&
                    shoot(window, "ID_ReportsAggregate",
                          QDir(folder).filePath(QStringLiteral("report-aggregate.png")));
    return ok ? 0 : 1;
}
