#pragma once

#include "common/db/Connection.h"
#include "common/settings/ConnectionString.h"
#include "examples/demo/DemoBuilder.h"

#include <QByteArray>
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace tallix::test {

// An environment variable set (or removed, for std::nullopt) while this lives.
class ScopedVariable {
public:
    ScopedVariable(const char* name, std::optional<QString> value)
        : m_name(name)
    {
        if (qEnvironmentVariableIsSet(name))
            m_saved = qgetenv(name);
        if (value)
            qputenv(name, value->toUtf8());
        else
            qunsetenv(name);
    }
    ~ScopedVariable() { m_saved ? qputenv(m_name, *m_saved) : qunsetenv(m_name); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* m_name;
    std::optional<QByteArray> m_saved;
};

// The component's settings through its environment variables, every one of them set, so that
// no pubsserver.ini beside the built plugin can change what a test sees.
class ComponentSettings {
public:
    ComponentSettings(const QString& server, const QString& database, const QString& login,
                      const QString& password, const QString& realUser)
        : m_server("PUBSSERVER_SERVER", server)
        , m_database("PUBSSERVER_DATABASE", database)
        , m_login("PUBSSERVER_LOGIN", login)
        , m_password("PUBSSERVER_PASSWORD", password)
        , m_realUser("PUBSSERVER_REAL_USER", realUser)
    {}

private:
    ScopedVariable m_server, m_database, m_login, m_password, m_realUser;
};

// A SQLite server folder holding the demo's pubs database, whose authors table logs every
// change in authors_log ("INSERT id", "UPDATE id phone contract", "DELETE id").
class PubsFolder {
public:
    PubsFolder()
    {
        demo::DemoOptions options;
        options.folder = m_dir.path();
        options.projectFile = QStringLiteral(TALLIX_SOURCE_DIR "/examples/pubs.tpx");
        options.pubsScript = QStringLiteral(TALLIX_SOURCE_DIR "/examples/demo/pubs.sql");
        options.end = QDateTime(QDate(2026, 3, 20), QTime(17, 45));
        options.statements = 1;
        demo::buildDemo(options);
        Connection db(connectionString());
        db.Open();
        db.Execute(QStringLiteral(
            "CREATE TABLE authors_log (n INTEGER PRIMARY KEY AUTOINCREMENT, change TEXT);"
            "CREATE TRIGGER authors_i AFTER INSERT ON authors BEGIN "
            "INSERT INTO authors_log (change) VALUES ('INSERT ' || new.au_id); END;"
            "CREATE TRIGGER authors_u AFTER UPDATE ON authors BEGIN "
            "INSERT INTO authors_log (change) VALUES ('UPDATE ' || old.au_id || ' ' || "
            "new.phone || ' ' || new.contract); END;"
            "CREATE TRIGGER authors_d AFTER DELETE ON authors BEGIN "
            "INSERT INTO authors_log (change) VALUES ('DELETE ' || old.au_id); END;"));
    }

    QString path() const { return m_dir.path(); }
    QString connectionString() const
    {
        return BuildConnectionString(m_dir.path(), QStringLiteral("pubs"), {}, {});
    }

    // The logged changes in order.
    static QStringList log(Connection& db)
    {
        return column(db, QStringLiteral("SELECT change FROM authors_log ORDER BY n"));
    }
    // Every author id, in order.
    static QStringList authorIds(Connection& db)
    {
        return column(db, QStringLiteral("SELECT au_id FROM authors ORDER BY au_id"));
    }

private:
    static QStringList column(Connection& db, const QString& sql)
    {
        QStringList out;
        const Recordset rs = db.OpenRecordset(sql);
        for (int row = 0; row < rs.RecordCount(); ++row)
            out << rs.ValueAt(row, 0).toString();
        return out;
    }

    QTemporaryDir m_dir;
};

// The three changes of one call on the sample author `id`, as authors_log records them.
inline QStringList oneCallsChanges(const QString& id)
{
    return {QStringLiteral("INSERT ") + id,
            QStringLiteral("UPDATE ") + id + QStringLiteral(" 415 555-0199 1"),
            QStringLiteral("DELETE ") + id};
}

} // namespace tallix::test
