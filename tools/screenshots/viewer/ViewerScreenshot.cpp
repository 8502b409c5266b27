// Renders the viewer on the demo data for the README, and a change's details with its restore
// text:
//
//   build/examples/demo/tallix_viewer_screenshot docs/screenshots
//
// Offscreen (no display needed), with test-mode paths and a scratch settings store in which the
// freshly built demo server is the only registered server, so the user's own servers are never
// touched. The demo's last change is the current minute, so the window's default "From" filter
// (two weeks back) shows the newest part of the audit trail, as it would for a user.
#include "common/settings/Servers.h"
#include "common/settings/SettingsStore.h"
#include "common/ui/Grid.h"
#include "examples/demo/DemoBuilder.h"
#include "viewer/ui/frmTallixViewer.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPainter>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// The window's client area under a title bar drawn by the style, since the offscreen platform
// has no window manager to draw one (the same frame as the shared dialogs' pictures).
QImage withTitleBar(QWidget& window)
{
    const QPixmap client = window.grab();
    QStyleOptionTitleBar bar;
    bar.initFrom(&window);
    bar.text = window.windowTitle();
    bar.titleBarFlags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                        Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
    bar.subControls = QStyle::SC_TitleBarLabel | QStyle::SC_TitleBarCloseButton;
    bar.state |= QStyle::State_Active;
    bar.titleBarState = Qt::WindowActive;
    const int height = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, &bar, &window);
    bar.rect = QRect(0, 0, client.width(), height);

    QImage image(client.width(), client.height() + height, QImage::Format_RGB32);
    image.fill(window.palette().color(QPalette::Window));
    QPainter painter(&image);
    window.style()->drawComplexControl(QStyle::CC_TitleBar, &bar, &painter, &window);
    painter.drawPixmap(0, height, client);
    painter.setPen(window.palette().color(QPalette::Dark));
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tallix_viewer_screenshot <folder>\n");
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(folder);
    const QDir source(QStringLiteral(TALLIX_SOURCE_DIR));

    QTemporaryDir scratch;
    if (!scratch.isValid() || !QDir::setCurrent(scratch.path()))
        return 1;
    tallix::SettingsStore store(QDir(scratch.path()).filePath(QStringLiteral("settings.ini")));
    tallix::ScopedSettingsStore useStore(store);

    // The server is a folder below the working folder, so its name reads like an instance name.
    tallix::demo::DemoOptions options;
    options.folder = QStringLiteral("SQLPROD01");
    options.projectFile = source.filePath(QStringLiteral("examples/pubs.tpx"));
    options.pubsScript = source.filePath(QStringLiteral("examples/demo/pubs.sql"));
    const QDateTime now = QDateTime::currentDateTime();
    options.end = QDateTime(now.date(), QTime(now.time().hour(), now.time().minute()));
    try {
        tallix::demo::buildDemo(options);
    } catch (const tallix::Error& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description()));
        return 1;
    }
    tallix::Servers servers;
    servers.Add(options.folder, QString(), QString(), QStringLiteral("pubs"), true, options.folder);
    servers.SaveToRegistry();

    tallix::frmTallixViewer window;
    window.resize(1180, 800);
    window.Form_Load();
    window.findChild<QPushButton*>(QStringLiteral("cmdFilter"))->click();
    QApplication::processEvents();

    const QString path = QDir(folder).filePath(QStringLiteral("viewer.png"));
    if (!withTitleBar(window).save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("%s\n", qPrintable(path));

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
    const QImage shown = withTitleBar(window);
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
    const QString detailsPath = QDir(folder).filePath(QStringLiteral("viewer-details.png"));
    if (!both.save(detailsPath)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(detailsPath));
        return 1;
    }
    std::printf("%s\n", qPrintable(detailsPath));
    return 0;
}
