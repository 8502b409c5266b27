#include "generator/driver/ScriptFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace tallix {

ScriptFile::Result ScriptFile::write(const QString& path, const QString& text)
{
    if (path.trimmed().isEmpty())
        return {false, QStringLiteral("No output file was given.")};

    const QFileInfo info(path);
    // A folder that cannot be created shows up as the open failure below.
    QDir().mkpath(info.absolutePath());

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    const QByteArray bytes = (text + QStringLiteral("\r\n")).toLocal8Bit();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, reason};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {true, {}};
}

} // namespace tallix
