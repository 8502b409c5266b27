#include "common/db/Recordset.h"

#include "common/db/DbErrors.h"
#include "common/db/RecordsetFilter.h"

namespace tallix {

Recordset::Recordset()
    : m_rows(std::make_shared<RowSet>(QList<FieldInfo>{}))
{}

Recordset::Recordset(std::shared_ptr<const RowSet> rows, Cursor cursor)
    : m_rows(rows ? std::move(rows) : std::make_shared<RowSet>(QList<FieldInfo>{}))
    , m_cursor(cursor)
{}

QString Recordset::FieldName(int index) const
{
    if (index < 0 || index >= FieldCount())
        throw dberror::itemNotFound(QString::number(index));
    return m_rows->field(index).name;
}

int Recordset::FieldType(int index) const
{
    if (index < 0 || index >= FieldCount())
        throw dberror::itemNotFound(QString::number(index));
    return m_rows->field(index).type;
}

int Recordset::fieldIndexOrThrow(const QString& name) const
{
    const int index = m_rows->indexOf(name);
    if (index < 0)
        throw dberror::itemNotFound(name);
    return index;
}

int Recordset::RecordCount() const
{
    return m_visible ? static_cast<int>(m_visible->size()) : m_rows->rowCount();
}

int Recordset::rowIndex(int visibleRow) const
{
    return m_visible ? m_visible->at(visibleRow) : visibleRow;
}

QVariant Recordset::Field(int index) const
{
    if (index < 0 || index >= FieldCount())
        throw dberror::itemNotFound(QString::number(index));
    if (m_position < 0 || atEnd())
        throw dberror::noCurrentRecord();
    return m_rows->value(rowIndex(m_position), index);
}

QVariant Recordset::Field(const QString& name) const
{
    return Field(fieldIndexOrThrow(name));
}

QVariant Recordset::ValueAt(int row, int field) const
{
    if (field < 0 || field >= FieldCount())
        throw dberror::itemNotFound(QString::number(field));
    if (row < 0 || row >= RecordCount())
        throw dberror::noCurrentRecord();
    return m_rows->value(rowIndex(row), field);
}

void Recordset::requireStatic() const
{
    if (m_cursor == Cursor::ForwardOnly)
        throw dberror::notAllowed();
}

void Recordset::MoveFirst()
{
    // A forward-only result cannot go back to a row it has left.
    if (m_cursor == Cursor::ForwardOnly && m_position > 0)
        throw dberror::notAllowed();
    m_position = 0;
}

void Recordset::MoveNext()
{
    if (atEnd())
        throw dberror::noCurrentRecord();
    ++m_position;
}

void Recordset::MovePrevious()
{
    requireStatic();
    if (m_position < 0)
        throw dberror::noCurrentRecord();
    --m_position;
}

void Recordset::MoveLast()
{
    requireStatic();
    m_position = RecordCount() > 0 ? RecordCount() - 1 : 0;
}

Recordset Recordset::Clone() const
{
    requireStatic();
    return Recordset(m_rows, Cursor::Static);
}

void Recordset::SetFilter(const QString& filter)
{
    requireStatic();
    if (filter.trimmed().isEmpty()) {
        m_visible.reset();
        m_filter.clear();
        m_position = 0;
        return;
    }
    const QList<RecordsetFilter::Term> terms = RecordsetFilter::parse(filter);
    QList<std::pair<int, QString>> tests;
    for (const RecordsetFilter::Term& t : terms) {
        const int index = m_rows->indexOf(t.field);
        if (index < 0)
            throw dberror::invalidArgument(
                QStringLiteral("The filter names no field of this result."));
        tests.append({index, t.value});
    }
    QList<int> visible;
    for (int row = 0; row < m_rows->rowCount(); ++row) {
        bool match = true;
        for (const auto& [field, value] : tests) {
            const QVariant& v = m_rows->value(row, field);
            if (isNull(v) || v.toString().compare(value, Qt::CaseInsensitive) != 0) {
                match = false;
                break;
            }
        }
        if (match)
            visible.append(row);
    }
    m_visible = std::move(visible);
    m_filter = filter;
    m_position = 0;
}

} // namespace tallix
