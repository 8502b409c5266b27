// Renders the viewer on the demo data for the README, and a change's details with its restore
// text:
//
//   build/tools/screenshots/viewer/screenshot_viewer docs/screenshots
//
// Offscreen (no display needed), with test-mode paths and a scratch settings store in which the
// freshly built demo server is the only registered server, so the user's own servers are never
// touched. The demo's last change is the current minute, so the window's default "From" filter
// (two weeks back) shows the newest part of the audit trail, as it would for a user.
#include "common/ui/Grid.h"
#include "tools/screenshots/Screenshot.h"
#include "tools/screenshots/demo/DemoServer.h"
#include "viewer/ui/frmTallixViewer.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPainter>
#include <QTabWidget>
#include <cstdio>

int main(int argc, char** argv)
{
    tallix::screenshots::useOffscreenPlatform();
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshot_viewer <folder>\n");
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

    using tallix::screenshots::TitleBar;
    if (!tallix::screenshots::save(tallix::screenshots::withTitleBar(window, TitleBar::MainWindow),
                                   QDir(folder).filePath(QStringLiteral("viewer.png"))))
        return 1;

    // The details of an update with its current values, and below the window the
    // Restore tab with the statement that undoes it.
    // The newest update of a title, all its columns with their current values.
    auto* log = window.findChild<tallix::Grid*>(QStringLiteral("fgTransLog"));
    int chosen = 1;
    for (int row = log->rows() - 1; row >= 1; --row) {
        if (log->text(row, 1) == QLatin1String("U") && log->text(row, 3) == QLatin1String("titles"))
            chosen = row;
    }
    log->setCurrentRow(chosen);
    window.findChild<QCheckBox*>(QStringLiteral("chkShowAllFields"))->click();
    window.findChild<QCheckBox*>(QStringLiteral("chkShowCurrent"))->click();
    window.findChild<QCheckBox*>(QStringLiteral("chkShowRestore"))->click();
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("tabDetails"));
    tabs->setCurrentIndex(0);
    QApplication::processEvents();
    const QImage shown = tallix::screenshots::withTitleBar(window, TitleBar::MainWindow);
    tabs->setCurrentIndex(2);
    QApplication::processEvents();
    const QPixmap restore = window.findChild<QWidget*>(QStringLiteral("Pane C"))->grab();

    constexpr int gap = 12;
    QImage both(shown.width(), shown.height() + gap + restore.height(), QImage::Format_RGB32);
    both.fill(window.palette().color(QPalette::Window));
    QPainter painter(&both);
    painter.drawImage(0, 0, shown);
    const int left = shown.width() - restore.width();
    painter.drawPixmap(left, shown.height() + gap, restore);
    painter.setPen(window.palette().color(QPalette::Dark));
    painter.drawRect(QRect(left, shown.height() + gap, restore.width(), restore.height())
                         .adjusted(0, 0, -1, -1));
    painter.end();
    return tallix::screenshots::save(both,
                                     QDir(folder).filePath(QStringLiteral("viewer-details.png")))
               ? 0
               : 1;
}
