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
    // Encoded first and the line end added to the bytes, so a large script is not
    // copied once more as text.
    QByteArray bytes = text.toLocal8Bit();
    bytes += "\r\n";
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
