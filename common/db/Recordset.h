#pragma once

#include "common/db/DbErrors.h"
#include "common/db/RowSet.h"

#include <memory>
#include <optional>

namespace tallix {

// A result read completely from its connection and independent of it: it stays readable after
// the connection closes. Fields are addressed by 0-based position or by name (letter case
// ignored). The current row moves with MoveFirst/MoveNext/MovePrevious/MoveLast; atEnd() is the
// end-of-file test. A filter narrows the rows seen; clones share the rows but keep their own
// position and filter. A forward-only result moves only forward and can be neither filtered nor
// cloned. A default-constructed Recordset has no fields and no rows.
class Recordset {
public:
    enum class Cursor { Static, ForwardOnly };

    Recordset();
    explicit Recordset(std::shared_ptr<const RowSet> rows, Cursor cursor = Cursor::Static);

    int FieldCount() const { return m_rows->fieldCount(); }
    QString FieldName(int index) const;
    int FieldType(int index) const;
    // -1 when no field has that name.
    int FieldIndex(const QString& name) const { return m_rows->indexOf(name); }

    // The current row's value; NULL is an invalid QVariant. Without a current row this fails with
    // error 3021, an unknown field with 3265.
    QVariant Field(int index) const;
    QVariant Field(const QString& name) const;

    // Rows seen through the filter.
    int RecordCount() const;
    // A value of any row seen, by 0-based row and field, without moving (for grids).
    QVariant ValueAt(int row, int field) const;

    bool atEnd() const { return m_position >= RecordCount(); }
    bool atStart() const { return m_position < 0 || RecordCount() == 0; }
    void MoveFirst();
    void MoveNext();
    void MovePrevious();
    void MoveLast();

    // Shares the rows; starts at the first row, without a filter.
    Recordset Clone() const;

    // Sets a filter of RecordsetFilter's form (an empty text clears it) and moves to the first
    // row it lets through. Values compare as text, letter case ignored; NULL matches nothing.
    void SetFilter(const QString& filter);
    void ClearFilter() { SetFilter(QString()); }
    QString Filter() const { return m_filter; }

    Cursor cursor() const { return m_cursor; }
    static bool isNull(const QVariant& value) { return !value.isValid() || value.isNull(); }

private:
    int rowIndex(int visibleRow) const;
    int fieldIndexOrThrow(const QString& name) const;
    void requireStatic() const;

    std::shared_ptr<const RowSet> m_rows;
    Cursor m_cursor = Cursor::Static;
    std::optional<QList<int>> m_visible; // rows let through by the filter, when one is set
    QString m_filter;
    int m_position = 0;
};

// A value as text: `defaultText` for a NULL, anything else its text form.
inline QString NzString(const QVariant& value, const QString& defaultText = QString())
{
    return Recordset::isNull(value) ? defaultText : value.toString();
}

} // namespace tallix
