// Renders the pictures of the shared dialogs that the README shows:
//
//   build/scripts/screenshots/tallix_screenshots docs/screenshots
//
// It runs on the offscreen platform (no display needed), with test-mode paths and a scratch
// settings store, so it never touches the user's own registered servers. The registered servers
// are folders of empty SQLite databases in a scratch folder, so the server dialog lists real
// database names without a network.
#include "common/base/Messages.h"
#include "common/base/ProgramInfo.h"
#include "common/settings/Servers.h"
#include "common/settings/SettingsStore.h"
#include "common/ui/frmAbout.h"
#include "common/ui/frmServer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// The window's client area under a title bar drawn by the style, since the offscreen platform
// has no window manager to draw one.
QImage withTitleBar(QWidget& window)
{
    const QPixmap client = window.grab();
    QStyleOptionTitleBar bar;
    bar.initFrom(&window);
    bar.text = window.windowTitle();
    bar.titleBarFlags =
        Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
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

bool save(QWidget& window, const QString& folder, const QString& name)
{
    window.show();
    QApplication::processEvents();
    const QString path = QDir(folder).filePath(name);
    if (!withTitleBar(window).save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

void makeServerFolder(const QString& name, const QStringList& databases)
{
    QDir().mkpath(name);
    for (const QString& db : databases) {
        QFile file(QDir(name).filePath(db + QStringLiteral(".db")));
        if (!file.open(QIODevice::WriteOnly))
            std::fprintf(stderr, "cannot create %s\n", qPrintable(file.fileName()));
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tallix_screenshots <folder>\n");
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(folder);

    QTemporaryDir scratch;
    if (!scratch.isValid() || !QDir::setCurrent(scratch.path()))
        return 1;
    tallix::SettingsStore store(QDir(scratch.path()).filePath(QStringLiteral("settings.ini")));
    tallix::ScopedSettingsStore useStore(store);

    // Server names are folders below the working folder, so they read like instance names.
    makeServerFolder(QStringLiteral("SQLPROD01"),
                     {QStringLiteral("master"), QStringLiteral("model"),
                      QStringLiteral("Northwind"), QStringLiteral("pubs"),
                      QStringLiteral("Sales")});
    makeServerFolder(QStringLiteral("SQLTEST02"),
                     {QStringLiteral("master"), QStringLiteral("pubs")});
    tallix::Servers servers;
    servers.Add(QStringLiteral("SQLPROD01"), QStringLiteral("auditor"), QStringLiteral("secret"),
                QStringLiteral("pubs"), true, QStringLiteral("SQLPROD01"));
    servers.Add(QStringLiteral("SQLTEST02"), QString(), QString(), QStringLiteral("pubs"), false,
                QStringLiteral("SQLTEST02"));

    bool ok = true;
    {
        tallix::frmServer dialog(servers, QStringLiteral("Tallix"));
        dialog.setCurrentServerName(QStringLiteral("SQLPROD01"));
        dialog.show();
        dialog.findChild<QPushButton*>(QStringLiteral("cmdEdit"))->click();
        ok = save(dialog, folder, QStringLiteral("server-dialog.png")) && ok;
    }
    {
        tallix::frmAbout about(tallix::ProgramInfo::current(QStringLiteral("Tallix")));
        ok = save(about, folder, QStringLiteral("about.png")) && ok;
    }
    return ok ? 0 : 1;
}
