#pragma once

#include "common/db/RowSet.h"

#include <memory>

namespace tallix {

// The rows of one result, read one at a time while the statement runs, for results too large to
// hold whole (a report over the whole audit trail). Forward only; the current row's values are
// replaced by each next(). A stream must not outlive its Connection; closing the connection ends
// it, and a later next() fails with error 3704.
class RowStream {
public:
    explicit RowStream(QList<FieldInfo> fields);
    virtual ~RowStream();
    RowStream(const RowStream&) = delete;
    RowStream& operator=(const RowStream&) = delete;

    int FieldCount() const { return m_header.fieldCount(); }
    QString FieldName(int index) const { return m_header.field(index).name; }
    int FieldType(int index) const { return m_header.field(index).type; }
    // -1 when no field has that name (letter case ignored).
    int FieldIndex(const QString& name) const { return m_header.indexOf(name); }

    // Moves to the next row; false after the last one. Fails with the provider's error.
    virtual bool next() = 0;
    // The current row's value (NULL is an invalid QVariant); fails with error 3021 before the
    // first row and after the last, with 3265 for a field that does not exist.
    const QVariant& value(int index) const;
    const QVariant& value(const QString& name) const;

protected:
    // The values of the row just read, in field order.
    QList<QVariant>& row() { return m_values; }
    void setAtRow(bool atRow) { m_atRow = atRow; }

private:
    RowSet m_header; // the fields only, for lookups by name
    QList<QVariant> m_values;
    bool m_atRow = false;
};

// A stream over rows already read (providers without a streaming statement of their own).
class RowSetStream : public RowStream {
public:
    explicit RowSetStream(std::shared_ptr<const RowSet> rows);
    bool next() override;

private:
    std::shared_ptr<const RowSet> m_rows;
    int m_next = 0;
};

} // namespace tallix
