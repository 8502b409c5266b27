#pragma once

#include <QDateTime>
#include <QString>

namespace tallix {

// The script of several audit rows' restore texts, newest row first, each after a separator line
// and followed by "GO", written as "Tallix_Restore_" + yyyyddMMhhmm + ".SQL".
class RestoreScriptFile {
public:
    // Appends one row's restore text.
    void append(const QString& restoreText);
    const QString& text() const { return m_text; }
    int count() const { return m_count; }

    // "Tallix_Restore_" + year, day, month, hour (24-hour clock), minute + ".SQL".
    static QString fileName(const QDateTime& when);

    // Writes the script, followed by one line end, into `folder`, replacing an older file of the
    // same name; where that folder is not writable, into `fallbackFolder`. Returns the path
    // written, or an empty text with `error` set when neither could be written.
    QString write(const QDateTime& when, const QString& folder, const QString& fallbackFolder,
                  QString* error = nullptr) const;

    // Writes the script, followed by one line end, as the file `path` by the rules of ScriptFile
    // ("-" is standard output; a device or pipe is written directly, never replaced). False with
    // `error` set to the system's reason when it cannot be written whole.
    bool writeTo(const QString& path, QString* error = nullptr) const;

    // Where save() put the script, and what the user is told about it.
    struct Saved {
        QString path; // the file written; empty when neither folder could take it
        // "Error: " and the reason when nothing was written; where the script went when that is
        // not the current folder; else empty.
        QString message;
        bool failed() const { return path.isEmpty(); }
    };

    // Writes into the program's current folder, else into the documents folder.
    Saved save(const QDateTime& when) const;
    // The same with the two folders given.
    Saved save(const QDateTime& when, const QString& folder, const QString& fallbackFolder) const;

    // The user's documents folder, where the script goes when the current folder is read-only.
    static QString documentsFolder();

private:
    QString m_text;
    int m_count = 0;
};

} // namespace tallix
