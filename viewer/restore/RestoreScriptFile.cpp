#include "viewer/restore/RestoreScriptFile.h"

#include "common/base/Messages.h"
#include "common/script/ScriptFile.h"
#include "viewer/restore/RestoreMessages.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tallix {

void RestoreScriptFile::append(const QString& restoreText)
{
    m_text += QStringLiteral("-- ") + QString(82, QLatin1Char('-')) + QStringLiteral("\r\n\r\n") +
              restoreText + QStringLiteral("\r\nGO\r\n\r\n");
    ++m_count;
}

QString RestoreScriptFile::fileName(const QDateTime& when)
{
    return QStringLiteral("Tallix_Restore_") + when.toString(QStringLiteral("yyyyddMMHHmm")) +
           QStringLiteral(".SQL");
}

bool RestoreScriptFile::writeTo(const QString& path, QString* error) const
{
    // The generator's file rules: a regular file is replaced atomically, a device or pipe is
    // written directly, "-" is standard output, and every write error has its reason.
    const ScriptFile::Result written = ScriptFile::write(path, m_text);
    if (!written && error)
        *error = written.error;
    return written.ok;
}

QString RestoreScriptFile::write(const QDateTime& when, const QString& folder,
                                 const QString& fallbackFolder, QString* error) const
{
    const QString name = fileName(when);
    const QString first = QDir(folder).filePath(name);
    if (writeTo(first, error))
        return first;
    if (fallbackFolder.isEmpty())
        return QString();
    QDir().mkpath(fallbackFolder);
    const QString second = QDir(fallbackFolder).filePath(name);
    if (writeTo(second, error))
        return second;
    return QString();
}

QString RestoreScriptFile::save(const QDateTime& when) const
{
    return save(when, QDir::currentPath(), documentsFolder());
}

QString RestoreScriptFile::save(const QDateTime& when, const QString& folder,
                                const QString& fallbackFolder) const
{
    QString error;
    const QString path = write(when, folder, fallbackFolder, &error);
    if (path.isEmpty()) {
        messages().showMessage(QStringLiteral("Error: ") + error, restoreMessageTitle(),
                               IMessages::Icon::Critical);
    } else if (QFileInfo(path).absolutePath() != QFileInfo(folder).absoluteFilePath()) {
        messages().showMessage(QStringLiteral("The current folder is not writable. The restore "
                                              "script was saved as ") +
                                   QDir::toNativeSeparators(path) + QLatin1Char('.'),
                               restoreMessageTitle(), IMessages::Icon::Information);
    }
    return path;
}

QString RestoreScriptFile::documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

} // namespace tallix
