#pragma once

#include "common/script/IScriptSink.h"

#include <QByteArray>
#include <QString>
#include <QStringEncoder>
#include <functional>
#include <memory>

class QFileDevice;

namespace tallix {

// Writes a generated script: the text and one CR LF, in the system's 8-bit
// encoding (UTF-8), creating the missing folders of the path first. A regular
// file is replaced atomically, so a failed write leaves any earlier file as it
// was. An existing target that is no regular file (a device, a pipe) is written
// directly and never replaced; the path "-" is standard output. Every write error
// fails the write with the system's reason.
class ScriptFile : public IScriptSink {
public:
    struct Result {
        bool ok = false;
        QString error;         // why the write failed; empty on success
        bool reported = false; // the build failed and has said why itself
        explicit operator bool() const { return ok; }
    };

    explicit ScriptFile(QString path);
    ~ScriptFile() override; // an uncommitted file is thrown away
    ScriptFile(const ScriptFile&) = delete;
    ScriptFile& operator=(const ScriptFile&) = delete;

    // What messages call the target: the path, or "standard output".
    QString displayName() const { return displayName(m_path); }
    static QString displayName(const QString& path);

    Result open();
    // Encodes one piece and writes what has gathered once it reaches about 1 MiB;
    // throws ScriptSinkError with the system's reason.
    void append(QStringView text) override;
    // Adds the final CR LF and puts the file in place.
    Result commit();
    // Drops what was written, where that is possible (not on a device or pipe).
    void cancel();

    // Opens the file, lets `build` append the script piece by piece and commits it. When
    // `build` returns false (it has reported why) or a write fails, what was written is
    // dropped where possible and the result fails, marked as reported after a failed build.
    static Result write(const QString& path, const std::function<bool(IScriptSink&)>& build);
    // The whole script in one go.
    static Result write(const QString& path, const QString& text);

private:
    static constexpr qsizetype kWriteSize = 1024 * 1024;

    void writeBytes(const QByteArray& bytes);
    void flushPending();

    QString m_path;
    std::unique_ptr<QFileDevice> m_file;
    bool m_atomic = false;
    QStringEncoder m_encoder;
    QByteArray m_pending; // encoded, not yet written
};

} // namespace tallix
