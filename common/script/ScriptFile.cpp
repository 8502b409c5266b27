#include "common/script/ScriptFile.h"

#include "common/xml/FileError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>
#include <utility>

namespace tallix {

namespace {

bool isStandardOutput(const QString& path)
{
    return path == QLatin1StringView("-");
}

} // namespace

ScriptFile::ScriptFile(QString path)
    : m_path(std::move(path))
    , m_encoder(QStringConverter::Utf8)
{}

ScriptFile::~ScriptFile()
{
    cancel();
}

QString ScriptFile::displayName(const QString& path)
{
    return isStandardOutput(path) ? QStringLiteral("standard output") : path;
}

ScriptFile::Result ScriptFile::open()
{
    if (m_path.trimmed().isEmpty())
        return {false, QStringLiteral("No output file was given.")};

    // Unbuffered, so that a failing write reports its own reason at once.
    constexpr auto mode = QIODevice::WriteOnly | QIODevice::Unbuffered;
    if (isStandardOutput(m_path)) {
        std::fflush(stdout);
        auto out = std::make_unique<QFile>();
        if (!out->open(fileno(stdout), mode, QFileDevice::DontCloseHandle))
            return {false, out->errorString()};
        m_file = std::move(out);
        return {true, {}};
    }

    const QFileInfo info(m_path);
    if (info.exists() && !info.isFile() && !info.isDir()) {
        // A device or pipe: replacing it with a regular file would be wrong.
        auto direct = std::make_unique<QFile>(m_path);
        if (!direct->open(mode))
            return {false, direct->errorString()};
        m_file = std::move(direct);
        return {true, {}};
    }

    // A folder that cannot be created shows up as the open failure below.
    QDir().mkpath(info.absolutePath());
    auto atomic = std::make_unique<QSaveFile>(m_path);
    if (!atomic->open(mode))
        return {false, atomic->errorString()};
    m_file = std::move(atomic);
    m_atomic = true;
    return {true, {}};
}

void ScriptFile::writeBytes(const QByteArray& bytes)
{
    if (!m_file)
        throw ScriptSinkError(FileErrorNumber::DeviceIO, QStringLiteral("The file is not open."));
    // A short write carries no reason; writing the rest brings out the system's.
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 n = m_file->write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            const long number = m_file->error() == QFileDevice::ResourceError
                                    ? FileErrorNumber::DiskFull
                                    : FileErrorNumber::DeviceIO;
            throw ScriptSinkError(number, m_file->errorString());
        }
        done += n;
    }
}

void ScriptFile::append(QStringView text)
{
    // Collected into writes of about 1 MiB: a write per trigger costs the batch run
    // more than generating the trigger.
    m_pending += m_encoder.encode(text);
    if (m_pending.size() >= kWriteSize)
        flushPending();
}

void ScriptFile::flushPending()
{
    if (m_pending.isEmpty())
        return;
    const QByteArray bytes = std::exchange(m_pending, QByteArray());
    writeBytes(bytes);
    m_pending.reserve(kWriteSize + kWriteSize / 4);
}

ScriptFile::Result ScriptFile::commit()
{
    try {
        append(u"\r\n");
        flushPending();
    } catch (const ScriptSinkError& e) {
        cancel();
        return {false, e.description()};
    }
    if (m_atomic) {
        auto* atomic = static_cast<QSaveFile*>(m_file.get());
        if (!atomic->commit()) {
            const QString reason = atomic->errorString();
            m_file.reset();
            return {false, reason};
        }
    } else if (!m_file->flush()) {
        const QString reason = m_file->errorString();
        m_file.reset();
        return {false, reason};
    }
    m_file.reset();
    return {true, {}};
}

void ScriptFile::cancel()
{
    m_pending.clear();
    if (m_atomic && m_file)
        static_cast<QSaveFile*>(m_file.get())->cancelWriting();
    m_file.reset();
}

ScriptFile::Result ScriptFile::write(const QString& path,
                                     const std::function<bool(IScriptSink&)>& build)
{
    ScriptFile file(path);
    if (Result opened = file.open(); !opened)
        return opened;
    try {
        if (!build(file)) {
            file.cancel();
            return {false, {}, true};
        }
    } catch (const ScriptSinkError& e) {
        file.cancel();
        return {false, e.description()};
    }
    return file.commit();
}

ScriptFile::Result ScriptFile::write(const QString& path, const QString& text)
{
    return write(path, [&text](IScriptSink& sink) {
        sink.append(text);
        return true;
    });
}

} // namespace tallix
