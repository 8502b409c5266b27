#include "common/settings/Servers.h"
#include "common/ui/WidgetMessages.h"
#include "viewer/cli/CommandLine.h"
#include "viewer/ui/frmTallixViewer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    if (tallix::cli::IsCommandLine(arguments)) {
        // Command-line actions run without a window and without a display.
        QCoreApplication app(argc, argv);
        QCoreApplication::setOrganizationName(QStringLiteral("Veltorin"));
        QCoreApplication::setApplicationName(QStringLiteral("Tallix 2.0"));
        tallix::Servers servers;
        servers.LoadFromRegistry();
        QTextStream out(stdout);
        QTextStream err(stderr);
        return tallix::cli::Run(arguments, servers, out, err);
    }

    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Veltorin"));
    QCoreApplication::setApplicationName(QStringLiteral("Tallix 2.0"));
    tallix::installWidgetMessages();
    tallix::frmTallixViewer window;
    window.Form_Load();
    return app.exec();
}
