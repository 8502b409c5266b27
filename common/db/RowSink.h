#pragma once

#include "common/db/RowSet.h"

namespace tallix {

// Takes the rows of a result one at a time as a provider reads them, so a result of any size
// passes through without being held (Connection::Stream). A NULL is an invalid QVariant.
class RowSink {
public:
    virtual ~RowSink() = default;

    // The result's fields, once, before its first row. A field whose type the provider learns
    // only from the values (an expression over SQLite) has type 0.
    virtual void begin(const QList<FieldInfo>& fields) = 0;
    virtual void row(const QList<QVariant>& values) = 0;
};

} // namespace tallix
