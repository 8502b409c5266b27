// The generator's command line from arbitrary bytes: arguments are split at NUL
// and line feed. Parsing must never crash, and a parsed line must be usable.

#include "generator/batch/TablePatterns.h"
#include "generator/driver/CommandLine.h"

#include <QRegularExpression>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QStringList arguments;
    for (const QByteArray& piece : bytes.split('\0'))
        for (const QByteArray& arg : piece.split('\n'))
            arguments << QString::fromUtf8(arg);
    const tallix::CommandLine cl = tallix::CommandLine::parse(arguments);
    if (!cl.hasProject && !cl.projectPath.isEmpty())
        __builtin_trap(); // a path without the option that gives it
    if (cl.projectPath.contains(QLatin1Char('"')) || cl.outputPath.contains(QLatin1Char('"')))
        __builtin_trap(); // quotes are always removed
    if ((cl.discover || cl.refresh) && cl.error.isEmpty() && (cl.hasOutput || cl.remove))
        __builtin_trap(); // a project command never takes the script options
    if (cl.refresh && cl.error.isEmpty() && cl.refreshPath.isEmpty())
        __builtin_trap(); // a refresh always names its project
    // Any pattern text compiles, and a pattern matches its own text unless it holds a wildcard
    // or set character.
    const tallix::TablePatterns patterns(cl.includes, cl.excludes);
    patterns.chosen(QStringLiteral("dbo"), QStringLiteral("x"));
    for (const QString& include : cl.includes) {
        static const QRegularExpression special(QStringLiteral("[*?\\[.]"));
        if (!include.contains(special) &&
            !tallix::TablePatterns({include}, {}).chosen(QString(), include))
            __builtin_trap();
    }
    return 0;
}
