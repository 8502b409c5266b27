#include "samples/pubsserver/PubsServer.h"

#include "common/base/Error.h"
#include "common/db/Connection.h"
#include "common/db/ConnectionOptions.h"
#include "common/db/DbErrors.h"
#include "samples/pubsserver/MiddleTierConnection.h"
#include "samples/pubsserver/RealUser.h"

#include <QSet>

namespace tallix::pubs {

namespace {

// Rolls the changes back unless they were committed. The SQL is the same on SQL Server and on
// the SQLite stand-in.
class Transaction {
public:
    explicit Transaction(Connection& connection)
        : m_connection(connection)
    {
        m_connection.Execute(QStringLiteral("BEGIN TRANSACTION"));
    }
    ~Transaction()
    {
        if (m_committed)
            return;
        try {
            m_connection.Execute(QStringLiteral("ROLLBACK TRANSACTION"));
        } catch (const Error&) {
            // The server may have ended the transaction itself; closing the connection ends it
            // in any case.
        }
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit()
    {
        m_connection.Execute(QStringLiteral("COMMIT TRANSACTION"));
        m_committed = true;
    }

private:
    Connection& m_connection;
    bool m_committed = false;
};

QString freeAuthorId(Connection& connection)
{
    const Recordset used = connection.OpenRecordset(
        QStringLiteral("SELECT au_id FROM authors WHERE au_id LIKE '999-99-%'"));
    QSet<QString> taken;
    for (int row = 0; row < used.RecordCount(); ++row)
        taken.insert(used.ValueAt(row, 0).toString().trimmed());
    for (int n = 0; n <= 9999; ++n) {
        const QString id = QStringLiteral("999-99-%1").arg(n, 4, 10, QLatin1Char('0'));
        if (!taken.contains(id))
            return id;
    }
    throw dberror::command(QStringLiteral("Every sample author id from 999-99-0000 to 999-99-9999 "
                                          "is in use."));
}

} // namespace

PubsServer::PubsServer(QString settingsFile)
    : m_settingsFile(std::move(settingsFile))
{}

Recordset PubsServer::changeAuthors(Connection& connection)
{
    Transaction transaction(connection);
    const QString id = freeAuthorId(connection);
    const QString where = QStringLiteral(" WHERE au_id = '") + id + QLatin1Char('\'');
    connection.Execute(QStringLiteral("INSERT INTO authors (au_id, au_lname, au_fname, phone, "
                                      "address, city, state, zip, contract) VALUES ('") +
                       id +
                       QStringLiteral("', 'Sample', 'Middle Tier', '415 555-0100', "
                                      "'1 Audit Lane', 'Oakland', 'CA', '94609', 0)"));
    connection.Execute(QStringLiteral("UPDATE authors SET phone = '415 555-0199', contract = 1") +
                       where);
    Recordset changed = connection.OpenRecordset(
        QStringLiteral("SELECT au_id, au_lname, au_fname, phone, address, city, state, zip, "
                       "contract FROM authors") +
        where);
    connection.Execute(QStringLiteral("DELETE FROM authors") + where);
    transaction.commit();
    return changed;
}

CallResult PubsServer::ChangeAuthors()
{
    try {
        const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        const PubsSettings settings = PubsSettings::load(m_settingsFile, environment);
        const QString user = realUserName(settings.realUser, environment);
        if (user.isEmpty()) {
            return CallResult::failure(
                Error::InvalidArgument,
                QStringLiteral("No real user is known: the system gives no login name. Set "
                               "RealUser in %1 or PUBSSERVER_REAL_USER.")
                    .arg(QLatin1String(kSettingsFileName)));
        }
        const QString application = ApplicationNameWithUser(applicationName(), user);
        const QString connectionString = MiddleTierConnectionString(settings, application);
        Connection connection(connectionString);
        try {
            connection.Open();
        } catch (const Error& e) {
            return CallResult::failure(
                e.number(),
                QStringLiteral("Cannot connect to the server \"%1\" (database \"%2\"): %3")
                    .arg(settings.server, settings.database, e.description()));
        }
        // A server or driver may keep less of the name than was sent (some keep 63 characters);
        // the triggers would then record the component's login instead of the user.
        if (Connection::kindOf(ConnectionOptions::parse(connectionString)) ==
            Connection::Kind::SqlServer) {
            const QString kept =
                connection.OpenRecordset(QStringLiteral("SELECT APP_NAME()")).Field(0).toString();
            if (kept != application) {
                return CallResult::failure(
                    Error::InvalidArgument,
                    QStringLiteral("The server \"%1\" keeps the application name \"%2\" as "
                                   "\"%3\", so the audit triggers would not find the real user "
                                   "in it. Nothing was changed; a shorter real user name may fit.")
                        .arg(settings.server, application, kept));
            }
        }
        try {
            return CallResult::success(changeAuthors(connection));
        } catch (const Error& e) {
            return CallResult::failure(
                e.number(),
                QStringLiteral("The changes to authors were rolled back: %1").arg(e.description()));
        }
    } catch (const Error& e) {
        return CallResult::failure(e.number(), e.description());
    } catch (const std::exception& e) {
        return CallResult::failure(DB_E_FAIL, QString::fromLocal8Bit(e.what()));
    }
}

} // namespace tallix::pubs
