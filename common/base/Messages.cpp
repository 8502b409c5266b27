#include "common/base/Messages.h"

#include <QStringList>
#include <cstdio>

namespace tallix {

namespace {
IMessages* g_sink = nullptr;
}

void StderrMessages::showMessage(const QString& text, const QString& title, Icon)
{
    const QByteArray line =
        (title.isEmpty() ? text : title + QStringLiteral(": ") + text).toLocal8Bit();
    std::fprintf(stderr, "%s\n", line.constData());
    std::fflush(stderr);
}

IMessages::Answer StderrMessages::ask(const QString& text, const QString& title, Icon icon, Buttons,
                                      Answer defaultAnswer)
{
    showMessage(text, title, icon);
    return defaultAnswer;
}

void StderrMessages::beep() {}

std::optional<QString> StderrMessages::chooseOpenFile(const FileChoice&)
{
    return std::nullopt;
}

std::optional<QString> StderrMessages::chooseSaveFile(const FileChoice&)
{
    return std::nullopt;
}

IMessages::LaunchResult StderrMessages::launch(const QString&)
{
    return LaunchResult::Failed;
}

bool StderrMessages::startProgram(const QString&, const QStringList&)
{
    return false;
}

IMessages& messages()
{
    static StderrMessages fallback;
    return g_sink ? *g_sink : fallback;
}

IMessages* setMessages(IMessages* sink)
{
    IMessages* previous = g_sink;
    g_sink = sink;
    return previous;
}

bool ShellLaunch(const QString& file, const QString& title)
{
    using R = IMessages::LaunchResult;
    const R result = messages().launch(file);
    QString text;
    switch (result) {
    case R::Ok:
        return true;
    case R::OutOfResources:
        text = QStringLiteral("Cannot launch file '") + file +
               QStringLiteral(".' System is unstable or low on resources.");
        break;
    case R::NoAssociation:
        text = QStringLiteral("No file association exists for '") + file +
               QStringLiteral(".' Cannot launch file.");
        break;
    case R::FileNotFound:
        text = QStringLiteral("Cannot launch file '") + file + QStringLiteral(".' File not found.");
        break;
    case R::PathNotFound:
        text = QStringLiteral("Cannot launch file '") + file + QStringLiteral(".' Path not found.");
        break;
    case R::BadFormat:
        text =
            QStringLiteral("Cannot launch file '") + file + QStringLiteral(".' Bad File Format.");
        break;
    case R::Failed:
        return false;
    }
    messages().showMessage(text, title, IMessages::Icon::Critical);
    return false;
}

} // namespace tallix
