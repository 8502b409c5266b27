#include "generator/project/ProjectFile.h"

#include "common/base/Error.h"
#include "common/xml/FileError.h"
#include "common/xml/TextCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tallix {

QString ProjectFile::read(const QString& path)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        throw Error::fileNotFound();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw openFileError(file);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw readFileError(file);
    return textFromBytes(bytes);
}

QString ProjectFile::textFromBytes(const QByteArray& bytes)
{
    const QString text = decode8Bit(bytes);
    QString out;
    out.reserve(text.size() + text.size() / 8 + 2);
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        out += QLatin1StringView("\r\n");
        out += QStringView(text).sliced(start, end - start);
        if (end < n && text[end] == u'\r' && end + 1 < n && text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
    return out;
}

void ProjectFile::write(const QString& path, const QString& projectText)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw writeFileError(file);
    QByteArray bytes = encode8Bit(projectText);
    bytes += "\r\n";
    if (file.write(bytes) != bytes.size()) {
        const Error error = writeFileError(file);
        file.cancelWriting();
        throw error;
    }
    if (!file.commit())
        throw writeFileError(file);
}

} // namespace tallix
