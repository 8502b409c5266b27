#include "generator/project/ProjectFile.h"

#include "common/base/Error.h"
#include "common/xml/FileError.h"
#include "common/xml/ISourceHandler.h"
#include "common/xml/TextCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <memory>
#include <optional>

namespace tallix {

namespace {

// The UTF-16 form a file's byte-order mark announces, if it has one.
std::optional<QStringConverter::Encoding> utf16Encoding(QByteArrayView start)
{
    if (start.startsWith("\xFF\xFE"))
        return QStringConverter::Utf16LE;
    if (start.startsWith("\xFE\xFF"))
        return QStringConverter::Utf16BE;
    return std::nullopt;
}

// Opens a project file for reading after making sure that reading it ends.
std::unique_ptr<QFile> openProjectFile(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        throw Error::fileNotFound();
    if (!info.isFile())
        throw Error(FileErrorNumber::PathFileAccess,
                    QStringLiteral("%1 is not a regular file.").arg(path));
    if (info.size() > ProjectFile::kMaxSize)
        throw Error(FileErrorNumber::PathFileAccess,
                    QStringLiteral("%1 is larger than %2 MB, too large for a project file.")
                        .arg(path)
                        .arg(ProjectFile::kMaxSize / (1024 * 1024)));
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        throw openFileError(*file);
    return file;
}

// Puts CR LF before every line and drops the end of the last one, whatever the
// line ends were; fed piece by piece, a CR LF split between two pieces stays one.
class LineJoiner {
public:
    void add(QStringView text, QString& out)
    {
        qsizetype i = 0;
        const qsizetype n = text.size();
        if (m_afterCr && i < n && text[i] == u'\n')
            ++i;
        m_afterCr = false;
        if (i < n && !m_started) {
            out += QLatin1StringView("\r\n");
            m_started = true;
        }
        while (i < n) {
            qsizetype end = i;
            while (end < n && text[end] != u'\r' && text[end] != u'\n')
                ++end;
            if (end > i) {
                if (m_lineEnded)
                    out += QLatin1StringView("\r\n");
                m_lineEnded = false;
                out += text.sliced(i, end - i);
            }
            if (end == n)
                break;
            // A line end is written once something follows it.
            if (m_lineEnded)
                out += QLatin1StringView("\r\n");
            m_lineEnded = true;
            i = end + 1;
            if (text[end] == u'\r') {
                if (i == n)
                    m_afterCr = true;
                else if (text[i] == u'\n')
                    ++i;
            }
        }
    }

private:
    bool m_started = false;
    bool m_lineEnded = false; // written once something follows it
    bool m_afterCr = false;
};

// Hands the file's text to the parser in pieces of about 64 KiB.
class FileSource : public ISourceHandler {
public:
    explicit FileSource(std::unique_ptr<QFile> file)
        : m_file(std::move(file))
    {
        QByteArray start(2, Qt::Uninitialized);
        const qint64 n = m_file->peek(start.data(), start.size());
        if (const auto utf16 = utf16Encoding(QByteArrayView(start.constData(), qMax<qint64>(n, 0))))
            m_utf16 = std::make_unique<QStringDecoder>(*utf16);
        else
            m_utf8 = std::make_unique<ChunkDecoder>(isUtf8());
    }

    QString GetText() override
    {
        QByteArray block(64 * 1024, Qt::Uninitialized);
        QString out;
        while (out.isEmpty()) {
            const qint64 n = m_file->read(block.data(), block.size());
            if (n < 0)
                throw readFileError(*m_file);
            if (n == 0)
                break;
            const QByteArrayView bytes(block.constData(), n);
            m_joiner.add(m_utf16 ? QString(m_utf16->decode(bytes)) : m_utf8->decode(bytes), out);
        }
        return out;
    }

private:
    // The whole file is checked before its first piece is read, so that a file that
    // is not valid UTF-8 reads as Windows-1252 from its first byte.
    bool isUtf8()
    {
        Utf8Validator validator;
        QByteArray block(64 * 1024, Qt::Uninitialized);
        for (;;) {
            const qint64 n = m_file->read(block.data(), block.size());
            if (n < 0)
                throw readFileError(*m_file);
            if (n == 0)
                break;
            validator.feed(QByteArrayView(block.constData(), n));
        }
        if (!m_file->seek(0))
            throw readFileError(*m_file);
        return validator.isValid();
    }

    std::unique_ptr<QFile> m_file;
    std::unique_ptr<QStringDecoder> m_utf16;
    std::unique_ptr<ChunkDecoder> m_utf8;
    LineJoiner m_joiner;
};

} // namespace

QString ProjectFile::read(const QString& path)
{
    const auto file = openProjectFile(path);
    // Never more than the limit, should the file grow after it was checked.
    const QByteArray bytes = file->read(qMin(file->size(), kMaxSize));
    if (file->error() != QFileDevice::NoError)
        throw readFileError(*file);
    return textFromBytes(bytes);
}

Project::ReadResult ProjectFile::load(const QString& path, Project& project)
{
    FileSource source(openProjectFile(path));
    return project.Load(source);
}

QString ProjectFile::textFromBytes(const QByteArray& bytes)
{
    QString text;
    if (const auto utf16 = utf16Encoding(bytes))
        text = QStringDecoder(*utf16).decode(bytes);
    else
        text = decode8Bit(bytes);
    QString out;
    out.reserve(text.size() + text.size() / 8 + 2);
    LineJoiner().add(text, out);
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
