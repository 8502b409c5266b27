#include "common/db/RowStream.h"

#include "common/db/DbErrors.h"

namespace tallix {

namespace {

QList<FieldInfo> fieldsOf(const RowSet& rows)
{
    QList<FieldInfo> fields;
    for (int i = 0; i < rows.fieldCount(); ++i)
        fields.append(rows.field(i));
    return fields;
}

} // namespace

RowStream::RowStream(QList<FieldInfo> fields)
    : m_header(std::move(fields))
{}

RowStream::~RowStream() = default;

const QVariant& RowStream::value(int index) const
{
    if (!m_atRow)
        throw dberror::noCurrentRecord();
    if (index < 0 || index >= m_values.size())
        throw dberror::itemNotFound(QString::number(index));
    return m_values[index];
}

const QVariant& RowStream::value(const QString& name) const
{
    const int index = FieldIndex(name);
    if (index < 0)
        throw dberror::itemNotFound(name);
    return value(index);
}

RowSetStream::RowSetStream(std::shared_ptr<const RowSet> rows)
    : RowStream(fieldsOf(*rows))
    , m_rows(std::move(rows))
{}

bool RowSetStream::next()
{
    if (m_next >= m_rows->rowCount()) {
        setAtRow(false);
        return false;
    }
    QList<QVariant>& values = row();
    values.clear();
    for (int f = 0; f < m_rows->fieldCount(); ++f)
        values.append(m_rows->value(m_next, f));
    ++m_next;
    setAtRow(true);
    return true;
}

} // namespace tallix
