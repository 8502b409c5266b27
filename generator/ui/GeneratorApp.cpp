#include "generator/ui/GeneratorApp.h"

#include "common/base/Error.h"
#include "common/base/Messages.h"
#include "common/base/Version.h"
#include "common/ui/WidgetMessages.h"
#include "generator/driver/CommandLine.h"
#include "generator/ui/frmMain.h"
#include "generator/ui/frmSplash.h"

#include <QApplication>

namespace tallix {

bool opensWindow(const CommandLine& commandLine)
{
    return !commandLine.hasProject && !commandLine.hasOutput && !commandLine.help &&
           !commandLine.version && !commandLine.discover && !commandLine.refresh &&
           commandLine.error.isEmpty();
}

void openProjectArgument(frmMain& window, const QStringList& words)
{
    if (words.isEmpty())
        return;
    QString path = words.join(QLatin1Char(' '));
    path.remove(QLatin1Char('"'));
    window.setProjectPath(path.trimmed());
    window.LoadProject(false);
}

int RunWindow(int& argc, char** argv, const QStringList& words)
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Veltorin"));
    QCoreApplication::setApplicationName(QStringLiteral("Tallix 2.0"));
    QApplication::setApplicationDisplayName(generatorTitle());
    installWidgetMessages();
    try {
        frmSplash splash;
        splash.show();
        QCoreApplication::processEvents();
        frmMain window;
        window.show();
        openProjectArgument(window, words);
        splash.close();
        return app.exec();
    } catch (const Error& e) {
        messages().showMessage(QStringLiteral("Error: ") + e.description(), generatorTitle(),
                               IMessages::Icon::Critical);
    }
    return 1;
}

} // namespace tallix
