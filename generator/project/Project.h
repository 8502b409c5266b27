#pragma once

#include "generator/model/CTables.h"

#include <QString>

namespace tallix {

class ISourceHandler;

// Everything the user chose in the generator: the connection, the project's name
// and author, the script's output file, two generation options and the audited
// tables. Tracks whether it changed since the last load or save and turns itself
// into the project text and back.
class Project {
public:
    Project();
    ~Project();
    Project(const Project&) = delete;
    Project& operator=(const Project&) = delete;

    // Every setter stores the value and, unless Initializing is set, marks the
    // project changed, even when the value is the one already held.
    const QString& Name() const { return m_name; }
    void setName(const QString& value);
    const QString& Author() const { return m_author; }
    void setAuthor(const QString& value);
    const QString& Server() const { return m_server; }
    void setServer(const QString& value);
    const QString& DB() const { return m_db; }
    void setDB(const QString& value);
    // Empty means Windows authentication.
    const QString& UserID() const { return m_userId; }
    void setUserID(const QString& value);
    // Held in plain; scrambled only in the project text.
    const QString& Password() const { return m_password; }
    void setPassword(const QString& value);
    const QString& OutputFile() const { return m_outputFile; }
    void setOutputFile(const QString& value);
    bool SpecialMTSHandling() const { return m_mts; }
    void setSpecialMTSHandling(bool value);
    bool SpecialSQL2000Handling() const { return m_sql2000; }
    void setSpecialSQL2000Handling(bool value);
    // The audit tables and triggers hold text as Unicode (AuditText::Unicode). Stored as the
    // attribute Unicode after the ninth, and only when set, so that a project without it reads
    // and writes as it always has.
    bool UnicodeAuditData() const { return m_unicode; }
    void setUnicodeAuditData(bool value);

    // Set by the window around every programmatic fill of its controls.
    void setInitializing(bool value) { m_initializing = value; }

    // Created with the project and never replaced.
    CTables& Tables() { return m_tables; }
    const CTables& Tables() const { return m_tables; }

    // The own change flag or the table list's.
    bool IsDirty() const { return m_dirty || m_tables.IsDirty; }

    // How far a reading got. A text is read completely when it holds the PROJECT
    // element and reaches the end of the TABLES element without a failure.
    struct ReadResult {
        bool complete = true;
        QString reason; // what stopped the reading
        QString where;  // where it stopped, after or at which element
        // "The project was read only in part: " reason ", " where "."
        QString message() const;
    };

    // The project text; clears both change flags.
    QString Save();
    // Reads the text into this project and clears the own change flag. Reading
    // ends at the first failure, keeping what it read; the result says whether
    // that happened, for callers that must not go on with a partial project.
    ReadResult Load(const QString& text);
    // The same, with the text pulled piece by piece from `source`.
    ReadResult Load(ISourceHandler& source);

    // The project text, lines ended by CR LF; changes no flag.
    QString ObjectToXML() const;
    // Reads the text without touching the change flag; see Load.
    ReadResult XMLToObject(const QString& text);
    ReadResult XMLToObject(ISourceHandler& source);

private:
    class Reader;

    void changed();

    QString m_name;
    QString m_author;
    QString m_server;
    QString m_db;
    QString m_userId;
    QString m_password;
    QString m_outputFile;
    bool m_mts = false;
    bool m_sql2000 = false;
    bool m_unicode = false;
    bool m_initializing = false;
    bool m_dirty = false;
    CTables m_tables;
};

} // namespace tallix
