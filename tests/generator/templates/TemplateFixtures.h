#pragma once

#include "generator/templates/Templates.h"

#include <QDateTime>
#include <QTimeZone>
#include <initializer_list>
#include <memory>

namespace tallix::test {

// The generation time of every golden script.
inline QDateTime goldenTime()
{
    return QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53));
}

struct ColumnSpec {
    const char* name;
    const char* datatype;
    int size = 0;
    bool key = false;
    bool include = true;
};

inline std::unique_ptr<CTable> makeTable(const QString& name,
                                         std::initializer_list<ColumnSpec> columns)
{
    auto table = std::make_unique<CTable>();
    table->TableName = name;
    for (const ColumnSpec& c : columns)
        table->Columns.Add(QString::fromUtf8(c.name), QString::fromUtf8(c.datatype), c.size, 0, 0,
                           true, c.key, false, c.include);
    return table;
}

inline CColumn makeColumn(const char* name, const char* datatype, int size = 0)
{
    CColumn column;
    column.ColumnName = QString::fromUtf8(name);
    column.datatype = QString::fromUtf8(datatype);
    column.Size = size;
    return column;
}

// Customers: a varchar(10) key that is recorded and an image column that is not.
inline std::unique_ptr<CTable> customers()
{
    return makeTable(QStringLiteral("Customers"), {{"Code", "varchar", 10, true, true},
                                                   {"Photo", "image", 2147483647, false, false}});
}

// Order Details: a two-column key (int, smallint), money and real columns, a text column left out.
inline std::unique_ptr<CTable> orderDetails()
{
    return makeTable(QStringLiteral("Order Details"), {{"OrderID", "int", 0, true, true},
                                                       {"ProductID", "smallint", 0, true, false},
                                                       {"UnitPrice", "money", 0, false, true},
                                                       {"Discount", "real", 0, false, true},
                                                       {"Note", "text", 2147483647, false, false}});
}

// Regions: a guid key and no recorded column at all.
inline std::unique_ptr<CTable> regions()
{
    return makeTable(QStringLiteral("Regions"), {{"RegionID", "uniqueidentifier", 0, true, false},
                                                 {"Description", "nchar", 50, false, false}});
}

// Shippers: every action audited.
inline std::unique_ptr<CTable> shippers()
{
    auto table =
        makeTable(QStringLiteral("Shippers"), {{"ShipperID", "int", 0, true, true},
                                               {"CompanyName", "nvarchar", 40, false, true},
                                               {"Rate", "decimal", 0, false, true},
                                               {"LastChange", "datetime", 0, false, true},
                                               {"Ver", "timestamp", 8, false, false}});
    table->Insert = table->Update = table->Delete = true;
    return table;
}

} // namespace tallix::test
