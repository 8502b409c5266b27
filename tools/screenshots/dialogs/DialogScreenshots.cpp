// Renders the pictures of the shared dialogs that the README shows:
//
//   build/tools/screenshots/dialogs/screenshot_dialogs docs/screenshots
//
// It runs on the offscreen platform (no display needed), with test-mode paths and a scratch
// settings store, so it never touches the user's own registered servers. The registered servers
// are folders of empty SQLite databases in a scratch folder, so the server dialog lists real
// database names without a network.
#include "common/base/Messages.h"
#include "common/base/ProgramInfo.h"
#include "common/settings/Servers.h"
#include "common/ui/frmAbout.h"
#include "common/ui/frmServer.h"
#include "tools/screenshots/Screenshot.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <cstdio>

namespace {

bool save(QWidget& window, const QString& folder, const QString& name)
{
    window.show();
    QApplication::processEvents();
    return tallix::screenshots::save(
        tallix::screenshots::withTitleBar(window, tallix::screenshots::TitleBar::Dialog),
        QDir(folder).filePath(name));
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
    tallix::screenshots::useOffscreenPlatform();
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshot_dialogs <folder>\n");
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(folder);

    const tallix::screenshots::ScratchSettings scratch;
    if (!scratch.isValid() || !QDir::setCurrent(scratch.path()))
        return 1;

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
