#include "viewer/ui/modCommonDlg.h"

#include "common/base/Messages.h"

#include <QFileInfo>
#include <QStringList>

namespace tallix::modCommonDlg {

namespace {

// Both spellings of a pattern's letters, for file systems that tell them apart.
QString patterns(const QString& pattern)
{
    QStringList out;
    for (QString p : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        p = p.trimmed();
        if (p == QLatin1String("*.*")) {
            out << QStringLiteral("*");
            continue;
        }
        for (const QString& spelling : {p, p.toLower(), p.toUpper()}) {
            if (!out.contains(spelling))
                out << spelling;
        }
    }
    return out.join(QLatin1Char(' '));
}

} // namespace

QString dialogFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open > 0 && description.endsWith(QLatin1Char(')')))
            description = description.left(open).trimmed();
        entries << QStringLiteral("%1 (%2)").arg(description, patterns(parts[i + 1]));
    }
    return entries.join(QStringLiteral(";;"));
}

QString OpenFileName(const QString& title, const QString& filter, const QString& defaultName)
{
    return messages()
        .chooseOpenFile({title, defaultName, dialogFilter(filter)})
        .value_or(QString());
}

QString SaveFileName(const QString& title, const QString& filter, const QString& defaultName)
{
    QString path =
        messages().chooseSaveFile({title, defaultName, dialogFilter(filter)}).value_or(QString());
    const QString extension = QFileInfo(defaultName).suffix().toLower();
    if (!path.isEmpty() && QFileInfo(FileTitle(path)).suffix().isEmpty() && !extension.isEmpty() &&
        !extension.contains(QLatin1Char('*')))
        path += QLatin1Char('.') + extension;
    return path;
}

QString FolderOf(const QString& path)
{
    const qsizetype cut =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.left(cut + 1);
}

QString FileTitle(const QString& path)
{
    return path.mid(FolderOf(path).size());
}

} // namespace tallix::modCommonDlg
