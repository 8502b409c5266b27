#include "generator/driver/BatchRun.h"

#include "common/base/Error.h"
#include "common/base/Version.h"
#include "common/script/ScriptFile.h"
#include "generator/driver/ScriptDriver.h"
#include "generator/project/Project.h"
#include "generator/project/ProjectFile.h"

namespace tallix {

namespace {

void print(std::FILE* out, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), out);
    std::fflush(out);
}

// A message as the window's box would carry it, as one "title: text" line.
void report(std::FILE* err, const QString& title, const QString& text)
{
    print(err, title + QStringLiteral(": ") + text + QLatin1Char('\n'));
}

} // namespace

int RunBatch(const CommandLine& commandLine, std::FILE* out, std::FILE* err)
{
    const auto critical = [err](const QString& text) {
        report(err, QStringLiteral("Tallix Error"), text);
    };
    if (commandLine.help) {
        print(out, CommandLine::usage());
        return 0;
    }
    if (commandLine.version) {
        print(out, versionText() + QLatin1Char('\n'));
        return 0;
    }
    if (!commandLine.error.isEmpty()) {
        critical(commandLine.error + QLatin1Char('\n') + CommandLine::usage());
        return 2;
    }
    if (!commandLine.hasProject) {
        // With neither a project nor an output the program opens the window instead.
        critical(QStringLiteral("An output file was given without a project.\n") +
                 CommandLine::usage());
        return 2;
    }
    if (commandLine.projectPath.isEmpty()) {
        critical(QStringLiteral("You must provide a valid project path and filename."));
        return 1;
    }

    Project project;
    try {
        // A project read only in part would give a script that silently lacks
        // tables; in batch mode that is a failure, not a success.
        const Project::ReadResult read = ProjectFile::load(commandLine.projectPath, project);
        if (!read.complete) {
            critical(QStringLiteral("Load Project Failed! - ") + read.message() +
                     QStringLiteral(" No script was written."));
            return 1;
        }
    } catch (const Error& e) {
        critical(QStringLiteral("Load Project Failed! - ") + e.description());
        return 1;
    }

    QString output = commandLine.outputPath;
    if (output.isEmpty())
        output = project.OutputFile();
    if (output.isEmpty()) {
        critical(QStringLiteral(
            "Saved project doesn't have an output file specified and none was passed in."));
        return 1;
    }

    // The script goes to the file while it is built, so it is never held whole.
    IScriptObserver silent;
    ScriptDriver driver(silent);
    const ScriptFile::Result written = ScriptFile::write(output, [&](IScriptSink& sink) {
        return commandLine.remove ? driver.GenerateRemoveScript(project, sink)
                                  : driver.GenerateScript(project, sink);
    });
    if (!written) {
        for (const QString& failure : driver.Failures())
            report(err, generatorTitle(), failure);
        if (!written.reported)
            critical(QStringLiteral("The script could not be written to %1: %2")
                         .arg(ScriptFile::displayName(output), written.error));
        return 1;
    }
    return 0;
}

} // namespace tallix
