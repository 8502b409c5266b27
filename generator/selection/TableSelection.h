#pragma once

#include <QList>
#include <QString>

namespace tallix {

struct CColumn;
class CTable;
class CTables;

// What the tables grid shows for one table: the check boxes "All", "Insert", "Update", "Delete",
// the name, and whether the row is marked as not auditable.
struct TableRow {
    bool all = false;
    bool insert = false;
    bool update = false;
    bool remove = false;
    QString name;
    bool marked = false;

    bool check(int column) const;
};

// What the fields grid shows for one column.
struct FieldRow {
    bool include = false;
    bool key = false;
    QString name;
    QString datatype;
    bool marked = false;
};

// The rules of the tables and fields grids, applied to the table list. Rows are 1-based data
// rows (row 0 is the header); the grids show what these rows say, so a click changes the model
// and the window redraws the row from it.
namespace TableSelection {

// Background of a row that is not auditable, as an OLE colour (pale yellow).
inline constexpr unsigned kMarkedColour = 0x80FFFF;

// The tables grid's columns.
enum TableColumn { All = 0, Insert = 1, Update = 2, Delete = 3, Name = 4 };
// The fields grid's columns.
enum FieldColumn { Include = 0, Key = 1, Field = 2, Datatype = 3 };

TableRow tableRow(const CTable& table);
FieldRow fieldRow(const CColumn& column);
QList<FieldRow> fieldRows(const CTable& table);

// The type name, with "(" size ")" behind char, nchar, varchar and nvarchar.
QString displayType(const CColumn& column);

// A click on `row`, `column` of the tables grid. Nothing changes on the header row, on a marked
// (large-key) row or in the name column. True when a flag changed.
bool clickTable(CTables& tables, int row, int column);

// A click on `row`, `column` of the fields grid showing `table`: column 0 of a row that is not
// marked inverts Include. True when it changed.
bool clickField(CTable& table, int row, int column);

// The tables' select all / none: every table, marked ones too; the list is not marked changed.
void selectAllTables(CTables& tables, bool checked);

// The fields' select all / none: every column of `table` that is not marked; the list is marked
// changed.
void selectAllFields(CTables& tables, CTable& table, bool checked);

} // namespace TableSelection

} // namespace tallix
