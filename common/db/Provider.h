#pragma once

#include "common/db/Recordset.h"
#include "common/db/RowStream.h"
#include "common/db/SchemaRowsets.h"

#include <QDateTime>

namespace tallix {

// One kind of database behind a Connection. A provider is opened once and then serves
// statements until it is closed. Failures are tallix::Error with the layer's numbers
// (DbErrors.h); a missing table is DB_E_NOTABLE. No message carries a password.
class Provider {
public:
    virtual ~Provider() = default;

    virtual void open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // All rows of the first result of `sql`, at most `maxRecords` of them when that is above 0.
    virtual std::shared_ptr<RowSet> query(const QString& sql, int maxRecords) = 0;
    // The rows of the first result of `sql` one at a time, for results too large to hold whole.
    // This one reads them all first; providers that can do better stream them.
    virtual std::unique_ptr<RowStream> stream(const QString& sql);
    // Runs every statement of the batch; results are discarded.
    virtual void execute(const QString& sql) = 0;
    virtual std::shared_ptr<RowSet> schema(SchemaKind kind) = 0;

    // The text of a date-time value as it goes between apostrophes in this provider's SQL.
    virtual QString dateLiteral(const QDateTime& value) const = 0;

protected:
    // Closes and unregisters the named Qt connection, then clears the name; does
    // nothing when the name is empty.
    static void releaseQtConnection(QString& connectionName);
};

} // namespace tallix
