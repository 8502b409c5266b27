#include "viewer/restore/RestoreScriptFile.h"

#include "common/script/ScriptFile.h"

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

RestoreScriptFile::Saved RestoreScriptFile::save(const QDateTime& when) const
{
    return save(when, QDir::currentPath(), documentsFolder());
}

RestoreScriptFile::Saved RestoreScriptFile::save(const QDateTime& when, const QString& folder,
                                                 const QString& fallbackFolder) const
{
    QString error;
    Saved saved;
    saved.path = write(when, folder, fallbackFolder, &error);
    if (saved.path.isEmpty())
        saved.message = QStringLiteral("Error: ") + error;
    else if (QFileInfo(saved.path).absolutePath() != QFileInfo(folder).absoluteFilePath())
        saved.message = QStringLiteral("The current folder is not writable. The restore script "
                                       "was saved as ") +
                        QDir::toNativeSeparators(saved.path) + QLatin1Char('.');
    return saved;
}

QString RestoreScriptFile::documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

} // namespace tallix
