#include "common/base/Error.h"
#include "examples/demo/DemoBuilder.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

// Builds the demo server folder for the viewer and registers it as the default server when no
// server is registered yet.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Veltorin"));
    QCoreApplication::setApplicationName(QStringLiteral("Tallix 2.0"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes a SQLite server folder with an audited pubs database."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("The server folder."));
    const QCommandLineOption project(QStringLiteral("project"),
                                     QStringLiteral("The sample project (examples/pubs.tpx)."),
                                     QStringLiteral("file"), QStringLiteral("examples/pubs.tpx"));
    const QCommandLineOption script(
        QStringLiteral("pubs"), QStringLiteral("The pubs tables (examples/demo/pubs.sql)."),
        QStringLiteral("file"), QStringLiteral("examples/demo/pubs.sql"));
    const QCommandLineOption end(QStringLiteral("end"),
                                 QStringLiteral("The last change, yyyy-MM-ddTHH:mm (now)."),
                                 QStringLiteral("time"));
    const QCommandLineOption noRegister(QStringLiteral("no-register"),
                                        QStringLiteral("Leave the registered servers alone."));
    parser.addOptions({project, script, end, noRegister});
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    tallix::demo::DemoOptions options;
    options.folder = parser.positionalArguments().constFirst();
    options.projectFile = parser.value(project);
    options.pubsScript = parser.value(script);
    options.end = parser.isSet(end) ? QDateTime::fromString(parser.value(end), Qt::ISODate)
                                    : QDateTime::currentDateTime();
    if (!options.end.isValid()) {
        std::fprintf(stderr, "tallixdemo: --end is no date and time\n");
        return 2;
    }
    options.end.setTime(QTime(options.end.time().hour(), options.end.time().minute()));
    try {
        const int rows = tallix::demo::buildDemo(options);
        std::printf("tallixdemo: %s/pubs.db holds %d audit rows\n", qPrintable(options.folder),
                    rows);
        if (!parser.isSet(noRegister)) {
            if (tallix::demo::registerDemoServer(options.folder))
                std::printf("tallixdemo: registered %s as the default server\n",
                            qPrintable(options.folder));
            else
                std::printf("tallixdemo: servers are registered already; add the folder %s with "
                            "the viewer's Server button to open the demo\n",
                            qPrintable(QDir(options.folder).absolutePath()));
        }
    } catch (const tallix::Error& e) {
        std::fprintf(stderr, "tallixdemo: %s\n", qPrintable(e.description()));
        return 1;
    }
    return 0;
}
