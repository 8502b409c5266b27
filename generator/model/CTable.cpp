#include "generator/model/CTable.h"

#include "common/audit/TableNames.h"

#include <algorithm>

namespace tallix {

bool CTable::HasPrimaryKey() const
{
    return std::any_of(Columns.begin(), Columns.end(),
                       [](const CColumn& c) { return c.InPrimaryKey; });
}

QString CTable::QualifiedName() const
{
    return audit::recordedName(Schema, TableName);
}

} // namespace tallix
