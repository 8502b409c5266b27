#include "generator/driver/CommandLine.h"

namespace tallix {

namespace {

QString cleanValue(QString value)
{
    value.remove(QLatin1Char('"'));
    return value.trimmed();
}

// "/p:" or "/o:" in any case: returns 'p' or 'o', else 0.
char slashOption(const QString& arg)
{
    if (arg.size() < 3 || arg[0] != QLatin1Char('/') || arg[2] != QLatin1Char(':'))
        return 0;
    const QChar letter = arg[1].toLower();
    if (letter == QLatin1Char('p'))
        return 'p';
    if (letter == QLatin1Char('o'))
        return 'o';
    return 0;
}

bool isOption(const QString& arg)
{
    return slashOption(arg) != 0 || arg.startsWith(QLatin1StringView("--")) ||
           arg == QLatin1StringView("-h");
}

} // namespace

CommandLine CommandLine::parse(const QStringList& arguments)
{
    CommandLine cl;
    auto setValue = [&cl](char which, const QString& raw) {
        if (which == 'p') {
            cl.hasProject = true;
            cl.projectPath = cleanValue(raw);
        } else {
            cl.hasOutput = true;
            cl.outputPath = cleanValue(raw);
        }
    };

    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        const auto nextValue = [&](QString& into) {
            if (i + 1 < arguments.size() && !isOption(arguments[i + 1])) {
                into = arguments[++i];
                return true;
            }
            return false;
        };

        if (const char which = slashOption(arg)) {
            QString value = arg.mid(3);
            // "/p: my.tpx" arrives as two arguments.
            if (cleanValue(value).isEmpty())
                nextValue(value);
            setValue(which, value);
            continue;
        }
        if (arg.startsWith(QLatin1StringView("--"))) {
            const qsizetype eq = arg.indexOf(QLatin1Char('='));
            const QString name = eq < 0 ? arg : arg.left(eq);
            if (name == QLatin1StringView("--project") || name == QLatin1StringView("--output")) {
                QString value;
                if (eq >= 0)
                    value = arg.mid(eq + 1);
                else if (!nextValue(value)) {
                    cl.error = QStringLiteral("%1 needs a path.").arg(name);
                    continue;
                }
                setValue(name == QLatin1StringView("--project") ? 'p' : 'o', value);
            } else if (eq < 0 && name == QLatin1StringView("--remove")) {
                cl.remove = true;
            } else if (eq < 0 && name == QLatin1StringView("--help")) {
                cl.help = true;
            } else if (eq < 0 && name == QLatin1StringView("--version")) {
                cl.version = true;
            } else {
                cl.error = QStringLiteral("Unknown option %1.").arg(arg);
            }
            continue;
        }
        if (arg == QLatin1StringView("-h")) {
            cl.help = true;
            continue;
        }
        cl.others << arg;
    }
    // Beside a project every word must be an option or its value: a stray path or a
    // mistyped option must not be ignored while the script goes elsewhere.
    if (cl.hasProject && !cl.others.isEmpty() && cl.error.isEmpty())
        cl.error = QStringLiteral("Unexpected argument %1.").arg(cl.others.first());
    return cl;
}

QString CommandLine::usage()
{
    return QStringLiteral(
        "Usage: tallixgen /p:PROJECT [/o:OUTPUT]\n"
        "       tallixgen --project PROJECT [--output OUTPUT] [--remove]\n"
        "\n"
        "Writes the audit script of a saved project (.tpx) without opening a window.\n"
        "\n"
        "  /p:PROJECT, --project PROJECT  the project file to run\n"
        "  /o:OUTPUT,  --output OUTPUT    the script to write (default: the project's output "
        "file);\n"
        "                                 - writes it to standard output\n"
        "  --remove                       write the script that removes the audit triggers and "
        "tables\n"
        "  --help                         show this text\n"
        "  --version                      show the program's version\n");
}

} // namespace tallix
