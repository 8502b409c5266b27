#pragma once

#include "common/db/Recordset.h"
#include "generator/discovery/IDiscoveryObserver.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace tallix {

class CTables;
class Connection;

// Reads a database's user tables and their columns from the tables, columns and primary-key
// schema rowsets into a table list, and estimates for each table how long its key-values text
// can become. The columns and keys are indexed by table once, so a load takes time in proportion
// to the size of the schema, and names are never put into filter texts.
class SchemaDiscovery {
public:
    enum class Result { Loaded, Declined, Failed };

    // Answers the question asked before a filled table list is replaced; true goes on.
    using Confirm = std::function<bool(const QString& question)>;

    explicit SchemaDiscovery(IDiscoveryObserver& observer);

    // Whether the keys are measured against the Unicode layout's KeyValues column
    // (audit::keyValuesLength); off by default.
    void setUnicodeKeys(bool unicode) { m_unicodeKeys = unicode; }

    // The load-tables command: asks `confirm` before a filled list is replaced, connects with
    // the connection string and reads the tables into a new list, which replaces `tables` once it
    // has been read. A failure to connect or to read stops the load (Failure() says why);
    // `tables` is then left as it was.
    Result LoadTables(CTables& tables, const QString& connectionString, const Confirm& confirm);

    // The question before a filled list is replaced.
    static QString DiscardQuestion();
    // True for an empty list, else what `confirm` answers to DiscardQuestion(); the list itself
    // is not touched.
    static bool MayReplaceTables(const CTables& tables, const Confirm& confirm);

    // The load without the question, on a connection (opened when it is not): `tables` is
    // replaced only by a list read whole. `changes`, when given, receives what the new list
    // changes against the old one (TableChanges).
    Result ReplaceTables(CTables& tables, Connection& connection, QStringList* changes = nullptr);

    // The tables of the connection added to `tables`; after a failure, the tables read so far
    // stay in it.
    Result LoadTables(CTables& tables, Connection& connection);

    // The same from rowsets already read: tables, columns and primary keys.
    void Discover(CTables& tables, const Recordset& tablesRowset, const Recordset& columnsRowset,
                  const Recordset& keysRowset);

    // Why the last load failed, as the user is told: "Error (LoadTables) - " and the
    // description; empty after a load that did not fail.
    const QString& Failure() const { return m_failure; }

private:
    IDiscoveryObserver& m_observer;
    QString m_failure;
    bool m_unicodeKeys = false;
};

} // namespace tallix
