#include "common/base/Messages.h"

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

} // namespace tallix
