#include "tools/screenshots/demo/DemoServer.h"

#include "common/settings/Servers.h"
#include "examples/demo/DemoBuilder.h"
#include "viewer/ui/frmTallixViewer.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <cstdio>

namespace tallix::screenshots {

bool registerDemoServer()
{
    const QDir source(QStringLiteral(TALLIX_SOURCE_DIR));
    // The server is a folder below the working folder; the builder opens it by its path.
    demo::DemoOptions options;
    options.folder = QStringLiteral("./SQLPROD01");
    options.projectFile = source.filePath(QStringLiteral("examples/pubs.tpx"));
    options.pubsScript = source.filePath(QStringLiteral("examples/demo/pubs.sql"));
    const QDateTime now = QDateTime::currentDateTime();
    options.end = QDateTime(now.date(), QTime(now.time().hour(), now.time().minute()));
    try {
        demo::buildDemo(options);
    } catch (const Error& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description()));
        return false;
    }
    // Registered as a SQLite folder by name, since a bare name is a SQL Server's.
    const QString server = QStringLiteral("sqlite:SQLPROD01");
    Servers servers;
    servers.Add(server, QString(), QString(), QStringLiteral("pubs"), true, server);
    servers.SaveToRegistry();
    return true;
}

void openViewer(frmTallixViewer& window)
{
    window.resize(1180, 800);
    window.Form_Load();
    window.findChild<QPushButton*>(QStringLiteral("cmdFilter"))->click();
    QApplication::processEvents();
}

} // namespace tallix::screenshots
