#include "generator/model/CTable.h"

#include "common/audit/TableNames.h"

#include <algorithm>

namespace tallix {

bool CTable::HasPrimaryKey() const
{
    return std::any_of(Columns.begin(), Columns.end(),
                       [](const CColumn& c) { return c.InPrimaryKey; });
}

qint64 CTable::KeyTextEstimate() const
{
    qint64 estimate = 0;
    for (const CColumn& column : Columns) {
        if (column.InPrimaryKey)
            estimate += column.ColumnName.size() + column.Size + 2;
    }
    return estimate;
}

QString CTable::QualifiedName() const
{
    return audit::recordedName(Schema, TableName);
}

} // namespace tallix
