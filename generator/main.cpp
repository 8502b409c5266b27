#include "common/base/Error.h"
#include "common/base/Messages.h"
#include "common/base/Version.h"
#include "generator/driver/BatchRun.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Veltorin"));
    QCoreApplication::setApplicationName(QStringLiteral("Tallix 2.0"));

    try {
        QStringList arguments = QCoreApplication::arguments();
        arguments.removeFirst();
        return tallix::RunBatch(tallix::CommandLine::parse(arguments));
    } catch (const tallix::Error& e) {
        tallix::messages().showMessage(QStringLiteral("Error: ") + e.description(),
                                       tallix::generatorTitle(), tallix::IMessages::Icon::Critical);
    } catch (const std::exception& e) {
        tallix::messages().showMessage(QStringLiteral("Error: ") + QString::fromLocal8Bit(e.what()),
                                       tallix::generatorTitle(), tallix::IMessages::Icon::Critical);
    }
    return 1;
}
