#include "common/base/Error.h"
#include "common/base/Messages.h"
#include "common/base/Version.h"
#include "common/settings/Servers.h"
#include "generator/batch/ProjectCommands.h"
#include "generator/driver/BatchRun.h"
#include "generator/ui/GeneratorApp.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    // Without a project to run the window opens; batch mode creates no QApplication, so it runs
    // without a display.
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    const tallix::CommandLine commandLine = tallix::CommandLine::parse(words);
    if (tallix::opensWindow(commandLine))
        return tallix::RunWindow(argc, argv, commandLine.others);

    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Veltorin"));
    QCoreApplication::setApplicationName(QStringLiteral("Tallix 2.0"));

    try {
        if (tallix::isProjectCommand(commandLine)) {
            tallix::Servers servers;
            servers.LoadFromRegistry();
            return tallix::RunProjectCommand(commandLine, servers);
        }
        return tallix::RunBatch(commandLine);
    } catch (const tallix::Error& e) {
        tallix::messages().showMessage(QStringLiteral("Error: ") + e.description(),
                                       tallix::generatorTitle(), tallix::IMessages::Icon::Critical);
    } catch (const std::exception& e) {
        tallix::messages().showMessage(QStringLiteral("Error: ") + QString::fromLocal8Bit(e.what()),
                                       tallix::generatorTitle(), tallix::IMessages::Icon::Critical);
    }
    return 1;
}
