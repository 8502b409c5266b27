#include "generator/model/CTable.h"

#include <algorithm>

namespace tallix {

bool CTable::HasPrimaryKey() const
{
    return std::any_of(Columns.begin(), Columns.end(),
                       [](const CColumn& c) { return c.InPrimaryKey; });
}

} // namespace tallix
