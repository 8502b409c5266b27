#pragma once

#include <QString>
#include <cstdint>

namespace tallix {

// One column of an audited table with the catalogue facts the trigger templates need.
struct CColumn {
    QString ColumnName;
    QString datatype; // lower-case SQL Server type name; empty for an unknown type
    std::int32_t Size = 0;
    std::int16_t NumericPrecision = 0;
    std::int16_t NumericScale = 0;
    bool Nulls = false;
    bool InPrimaryKey = false;
    bool Identity = false;
    bool Include = false;
};

} // namespace tallix
