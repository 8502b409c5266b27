#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <vector>

namespace tallix {

// One field of a result: its name and its OLE DB type number (DBTYPE_*).
struct FieldInfo {
    QString name;
    int type = 0;
};

// The rows of one result, read completely and kept apart from any connection. A NULL is an
// invalid QVariant; an empty text is a valid, empty QString. Recordsets share one RowSet.
class RowSet {
public:
    explicit RowSet(QList<FieldInfo> fields);

    int fieldCount() const { return static_cast<int>(m_fields.size()); }
    const FieldInfo& field(int index) const { return m_fields.at(index); }
    // Position of the field with that name, letter case ignored; -1 when there is none.
    int indexOf(const QString& name) const;

    // Sets a field's type while the rows are being built.
    void setFieldType(int index, int type) { m_fields[index].type = type; }

    // Appends a row; missing values are NULL, surplus ones are dropped.
    void appendRow(QList<QVariant> values);
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    const QVariant& value(int row, int field) const
    {
        return m_rows[static_cast<std::size_t>(row)][field];
    }

private:
    QList<FieldInfo> m_fields;
    QHash<QString, int> m_byName;
    std::vector<QList<QVariant>> m_rows;
};

} // namespace tallix
