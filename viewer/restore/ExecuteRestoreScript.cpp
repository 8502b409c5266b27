#include "viewer/restore/ExecuteRestoreScript.h"

#include "common/db/Connection.h"
#include "viewer/query/LogQuery.h"

#include <QRegularExpression>

namespace tallix {

namespace {

bool onlyComments(const QString& batch)
{
    const QStringList lines = batch.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QString t = line.trimmed();
        if (!t.isEmpty() && !t.startsWith(QLatin1String("--")))
            return false;
    }
    return true;
}

} // namespace

QStringList SplitBatches(const QString& script)
{
    static const QRegularExpression go(QStringLiteral("^[ \\t]*GO[ \\t]*\\r?$"),
                                       QRegularExpression::CaseInsensitiveOption);
    QStringList batches;
    QString current;
    const QStringList lines = script.split(QLatin1Char('\n'));
    const auto flush = [&] {
        if (!onlyComments(current))
            batches << current;
        current.clear();
    };
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (go.match(lines[i]).hasMatch()) {
            flush();
            continue;
        }
        current += lines[i];
        if (i + 1 < lines.size())
            current += QLatin1Char('\n');
    }
    flush();
    return batches;
}

RestoreRun ExecuteRestoreScript(const QString& connectionString, const QString& script)
{
    if (connectionString.isEmpty())
        return {};
    try {
        Connection connection(connectionString);
        connection.Open();
        for (const QString& batch : SplitBatches(script))
            connection.Execute(batch);
        connection.Close();
        return {true, QString()};
    } catch (const Error& e) {
        return {false, logquery::FailureText(e)};
    }
}

} // namespace tallix
