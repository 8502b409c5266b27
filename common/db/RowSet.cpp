#include "common/db/RowSet.h"

namespace tallix {

RowSet::RowSet(QList<FieldInfo> fields)
    : m_fields(std::move(fields))
{
    for (int i = 0; i < fieldCount(); ++i) {
        const QString key = m_fields[i].name.toCaseFolded();
        if (!m_byName.contains(key))
            m_byName.insert(key, i); // the first of two equal names answers, as in ADO
    }
}

int RowSet::indexOf(const QString& name) const
{
    return m_byName.value(name.toCaseFolded(), -1);
}

void RowSet::appendRow(QList<QVariant> values)
{
    values.resize(m_fields.size());
    m_rows.push_back(std::move(values));
}

} // namespace tallix
