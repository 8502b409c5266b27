#pragma once

#include "generator/project/Project.h"

#include <QByteArray>
#include <QString>

namespace tallix {

// Project files on disk: 8-bit text (UTF-8; a file that is not valid UTF-8 reads as
// Windows-1252), or UTF-16 when the file starts with its byte-order mark. Only a
// regular file of at most kMaxSize bytes is read: a device or pipe never ends.
// Failures raise tallix::Error with a description that says why.
class ProjectFile {
public:
    static constexpr qint64 kMaxSize = 256 * 1024 * 1024;

    // The text for Project::Load: CR LF and then the line, for every line of the
    // file, so it starts with CR LF. A missing file fails with 53 "File not found".
    static QString read(const QString& path);

    // Reads the file into `project` piece by piece, so that the file's text is
    // never held whole; the same checks and the same text as read().
    static Project::ReadResult load(const QString& path, Project& project);

    // Writes the text of Project::Save and one more CR LF, UTF-8 without a
    // byte-order mark. The file is replaced only once it is written completely: a
    // failed save leaves an existing file as it was.
    static void write(const QString& path, const QString& projectText);

    // The text that read() builds from a file's bytes. A line ends at CR LF, LF or
    // CR; a last line without its end counts as a line.
    static QString textFromBytes(const QByteArray& bytes);
};

} // namespace tallix
