#pragma once

#include "generator/model/CColumns.h"

namespace tallix {

// One table of the project with its audit flags and its columns.
class CTable {
public:
    CColumns Columns;
    QString TableName;
    bool Insert = false;
    bool Update = false;
    bool Delete = false;
    // The key text could exceed the 900 characters of TallixKeys.KeyValues; never scripted.
    bool LargeKey = false;

    bool HasPrimaryKey() const;
};

} // namespace tallix
