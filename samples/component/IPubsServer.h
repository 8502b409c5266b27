#pragma once

#include "common/db/Recordset.h"

#include <QString>
#include <QtPlugin>
#include <memory>
#include <optional>

// The interface of the sample server component, as the client and the component both see it.
// The component is a Qt plugin whose metadata names its class id (ComponentLoader finds it by
// that id); its root object is the class object, which makes a fresh instance for every call.

// The interface id, as the plugin's IID and the class object's interface name.
#define TALLIX_PUBSSERVER_IID "{4226A950-3098-4933-95DE-E6DB4D4EB80A}"

namespace tallix::pubs {

inline constexpr char kClassId[] = "{A7A6E10F-6834-4C6C-882B-98A4D4EAAAC7}";
inline constexpr char kInterfaceId[] = TALLIX_PUBSSERVER_IID;

// What a call returns: the recordset, or why there is none. Failures travel as values, never as
// exceptions, so nothing unwinds across the plugin's boundary.
struct CallResult {
    std::optional<Recordset> recordset;
    long number = 0;
    QString description;

    bool succeeded() const { return recordset.has_value(); }
    static CallResult success(Recordset rs) { return {std::move(rs), 0, {}}; }
    static CallResult failure(long number, QString description)
    {
        return {std::nullopt, number, std::move(description)};
    }
};

// One instance of the component.
class IPubsServer {
public:
    virtual ~IPubsServer() = default;

    // The first method: one insert, one update and one delete on the authors table of the pubs
    // database, in one transaction, over a connection that names the real user in its
    // application name. Returns the changed author as read before the delete.
    virtual CallResult ChangeAuthors() = 0;
};

// The class object: the plugin's root instance, which lives as long as the plugin is loaded.
class IPubsServerClass {
public:
    virtual ~IPubsServerClass() = default;

    // A new, independent instance; nothing when one cannot be made.
    virtual std::unique_ptr<IPubsServer> CreateInstance() = 0;
};

} // namespace tallix::pubs

Q_DECLARE_INTERFACE(tallix::pubs::IPubsServerClass, TALLIX_PUBSSERVER_IID)
