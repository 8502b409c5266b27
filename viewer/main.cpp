#include "common/settings/Servers.h"
#include "common/ui/WidgetMessages.h"
#include "viewer/cli/CommandLine.h"
#include "viewer/cli/ReportCommand.h"
#include "viewer/ui/frmTallixViewer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    if (tallix::cli::IsCommandLine(arguments)) {
        // Command-line actions run without a window and without a display. Reports draw their
        // pages with fonts, which takes a GUI application; the offscreen platform needs no
        // display.
        std::unique_ptr<QCoreApplication> app;
        if (tallix::cli::NeedsFonts(arguments)) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            app = std::make_unique<QGuiApplication>(argc, argv);
        } else {
            app = std::make_unique<QCoreApplication>(argc, argv);
        }
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
