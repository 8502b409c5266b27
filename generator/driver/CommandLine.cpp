#include "generator/driver/CommandLine.h"

#include <optional>
#include <utility>

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

enum class TextOption { Refresh, Server, Database, Login, Password, Include, Exclude };

std::optional<TextOption> textOption(const QString& name)
{
    static const std::pair<QLatin1StringView, TextOption> names[] = {
        {QLatin1StringView("--refresh"), TextOption::Refresh},
        {QLatin1StringView("--server"), TextOption::Server},
        {QLatin1StringView("--database"), TextOption::Database},
        {QLatin1StringView("--login"), TextOption::Login},
        {QLatin1StringView("--password"), TextOption::Password},
        {QLatin1StringView("--include"), TextOption::Include},
        {QLatin1StringView("--exclude"), TextOption::Exclude},
    };
    for (const auto& [text, option] : names) {
        if (name == text)
            return option;
    }
    return std::nullopt;
}

// Connection values are taken as they are: a password may hold blanks or quotes.
void setText(CommandLine& cl, TextOption option, const QString& value)
{
    switch (option) {
    case TextOption::Refresh:
        cl.refresh = true;
        cl.refreshPath = cleanValue(value);
        break;
    case TextOption::Server:
        cl.server = value;
        break;
    case TextOption::Database:
        cl.database = value;
        break;
    case TextOption::Login:
        cl.login = value;
        break;
    case TextOption::Password:
        cl.password = value;
        break;
    case TextOption::Include:
        cl.includes << value;
        break;
    case TextOption::Exclude:
        cl.excludes << value;
        break;
    }
}

bool setFlag(CommandLine& cl, const QString& name)
{
    const std::pair<QLatin1StringView, bool*> flags[] = {
        {QLatin1StringView("--discover"), &cl.discover},
        {QLatin1StringView("--dry-run"), &cl.dryRun},
        {QLatin1StringView("--insert"), &cl.auditInsert},
        {QLatin1StringView("--update"), &cl.auditUpdate},
        {QLatin1StringView("--delete"), &cl.auditDelete},
        {QLatin1StringView("--mts"), &cl.mts},
        {QLatin1StringView("--unicode"), &cl.unicode},
    };
    for (const auto& [text, flag] : flags) {
        if (name == text) {
            *flag = true;
            return true;
        }
    }
    return false;
}

// The options that belong to --discover and --refresh must not be ignored elsewhere, nor the
// script options beside them.
QString projectCommandError(const CommandLine& cl)
{
    const bool connection = cl.server || cl.database || cl.login || cl.password;
    const bool selection = !cl.includes.isEmpty() || !cl.excludes.isEmpty() || cl.auditInsert ||
                           cl.auditUpdate || cl.auditDelete || cl.mts || cl.unicode;
    if (!cl.discover && !cl.refresh) {
        if (connection || selection || cl.dryRun)
            return QStringLiteral("Connection, selection and --dry-run options go with --discover "
                                  "or --refresh.");
        return QString();
    }
    if (cl.discover && cl.refresh)
        return QStringLiteral("--discover and --refresh cannot be given together.");
    if (cl.hasOutput || cl.remove)
        return QStringLiteral("--output and --remove do not go with --discover or --refresh.");
    if (!cl.others.isEmpty())
        return QStringLiteral("Unexpected argument %1.").arg(cl.others.first());
    if (cl.discover) {
        if (cl.dryRun)
            return QStringLiteral("--dry-run goes with --refresh only.");
        if (!cl.server || cl.server->trimmed().isEmpty())
            return QStringLiteral("--discover needs --server.");
        if (!cl.database || cl.database->trimmed().isEmpty())
            return QStringLiteral("--discover needs --database.");
        if (!cl.hasProject || cl.projectPath.isEmpty())
            return QStringLiteral("--discover needs --project, the project file to write.");
        return QString();
    }
    if (cl.refreshPath.isEmpty())
        return QStringLiteral("--refresh needs the project file.");
    if (cl.hasProject)
        return QStringLiteral("--refresh names its project itself; --project does not go with "
                              "it.");
    if (selection)
        return QStringLiteral(
            "--refresh keeps the project's choices; --include, --exclude, "
            "--insert, --update, --delete, --mts and --unicode go with --discover.");
    return QString();
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
            } else if (const auto text = textOption(name)) {
                QString value;
                if (eq >= 0)
                    value = arg.mid(eq + 1);
                else if (!nextValue(value)) {
                    cl.error = QStringLiteral("%1 needs a value.").arg(name);
                    continue;
                }
                setText(cl, *text, value);
            } else if (eq < 0 && setFlag(cl, name)) {
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
    if (cl.error.isEmpty())
        cl.error = projectCommandError(cl);
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
        "\n"
        "       tallixgen --discover --server S --database D [--login L --password P]\n"
        "                 [--include PATTERN]... [--exclude PATTERN]... [--insert] [--update]\n"
        "                 [--delete] [--mts] [--unicode] --project OUT\n"
        "       tallixgen --refresh PROJECT [--server S] [--database D] [--login L]\n"
        "                 [--password P] [--dry-run]\n"
        "\n"
        "  --discover                     read the database's tables into a new project OUT;\n"
        "                                 tables matched by --include (all when none is given)\n"
        "                                 and by no --exclude are audited for the chosen actions\n"
        "                                 (all three when none is given)\n"
        "  --include, --exclude PATTERN   shell-style pattern on schema.table, letter case\n"
        "                                 ignored; a pattern without a dot means dbo\n"
        "  --unicode                      record audit data as Unicode (nvarchar audit tables)\n"
        "  --refresh PROJECT              reread the project's database, keep its choices, add\n"
        "                                 new tables unselected, drop vanished ones, print each\n"
        "                                 change and rewrite the project\n"
        "  --dry-run                      only print the changes\n"
        "  --login, --password            a SQL login; without --login a registered server's\n"
        "                                 login (or the project's) is used\n"
        "  --help                         show this text\n"
        "  --version                      show the program's version\n");
}

} // namespace tallix
