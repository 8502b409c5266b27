#pragma once

#include "samples/component/IPubsServer.h"
#include "samples/pubsserver/PubsSettings.h"

namespace tallix {
class Connection;
}

namespace tallix::pubs {

// The sample server component: connects to pubs as the settings say, naming the real user in
// the connection's application name, and changes one author in one transaction.
class PubsServer : public IPubsServer {
public:
    // The settings are read at every call, from `settingsFile` and the process's environment.
    explicit PubsServer(QString settingsFile);

    CallResult ChangeAuthors() override;

    // The work itself, failing with tallix::Error: a free sample author id (999-99-nnnn) is
    // inserted, its phone and contract updated, the row read back and deleted; on any failure
    // the transaction is rolled back.
    static Recordset changeAuthors(Connection& connection);

    // The application the component names itself, before the real user.
    static QString applicationName() { return QStringLiteral("pubsserver"); }

private:
    QString m_settingsFile;
};

} // namespace tallix::pubs
