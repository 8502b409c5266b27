#pragma once

#include "samples/component/IPubsServer.h"

#include <QObject>

namespace tallix::pubs {

// The plugin's root object: the class object of the sample server component. Each instance it
// makes reads pubsserver.ini beside this plugin's file (and the PUBSSERVER_* variables) at every
// call.
class PubsServerClass : public QObject, public IPubsServerClass {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TALLIX_PUBSSERVER_IID FILE "pubsserver.json")
    Q_INTERFACES(tallix::pubs::IPubsServerClass)
public:
    std::unique_ptr<IPubsServer> CreateInstance() override;

    // The folder this plugin's file lies in; empty when the system does not say.
    static QString moduleFolder();
};

} // namespace tallix::pubs
