#include "generator/ui/TableGrids.h"

#include "common/ui/Grid.h"
#include "generator/model/CTables.h"
#include "generator/selection/TableSelection.h"
#include "generator/ui/GridColumns.h"

#include <QEvent>

namespace tallix {

namespace ts = TableSelection;

namespace {

Grid::CheckState checkOf(bool checked)
{
    return checked ? Grid::CheckState::Checked : Grid::CheckState::Unchecked;
}

} // namespace

TableGrids::TableGrids(Grid* tables, Grid* fields, QPixmap keyPicture,
                       std::function<CTables&()> list, QObject* parent)
    : QObject(parent)
    , m_tables(tables)
    , m_fields(fields)
    , m_key(std::move(keyPicture))
    , m_list(std::move(list))
{
    GridColumns::setUp(m_fields,
                       {QStringLiteral("Include"), QStringLiteral("Key"), QStringLiteral("Field"),
                        QStringLiteral("Datatype")},
                       {700, 400, 4000, 1500});
    m_fields->setColCheckBoxes(ts::Include, true);
    GridColumns::setUp(m_tables,
                       {QStringLiteral("All"), QStringLiteral("Insert"), QStringLiteral("Update"),
                        QStringLiteral("Delete"), QStringLiteral("Table Name")},
                       {600, 600, 600, 600, 2700});
    for (int c = ts::All; c <= ts::Delete; ++c)
        m_tables->setColCheckBoxes(c, true);

    connect(m_tables, &Grid::cellClicked, this, &TableGrids::tableClicked);
    connect(m_tables, &Grid::keyReleased, this, [this](int key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Up || key == Qt::Key_Down)
            showFields();
    });
    connect(m_fields, &Grid::cellClicked, this, &TableGrids::fieldClicked);
    m_tables->installEventFilter(this);
    m_fields->installEventFilter(this);
}

void TableGrids::fill()
{
    const CTables& tables = m_list();
    m_tables->setRows(tables.Count() + 1);
    for (int row = 1; row <= tables.Count(); ++row)
        showTableRow(row);
    clearFields();
}

void TableGrids::clear()
{
    m_tables->setRows(1);
    clearFields();
}

void TableGrids::showTableRow(int row)
{
    const TableRow r = ts::tableRow(m_list().Item(row));
    for (int c = ts::All; c <= ts::Delete; ++c)
        m_tables->setCellChecked(row, c, checkOf(r.check(c)));
    m_tables->setText(row, ts::Name, r.name);
    if (r.marked) {
        m_tables->setCellBackColor(row, 0, row, ts::Name, ts::kMarkedColour);
        m_tables->setCellToolTip(row, 0, row, ts::Name, r.reason);
    }
}

CTable* TableGrids::tableInCurrentRow() const
{
    const int row = m_tables->currentRow();
    if (row < 1 || row >= m_tables->rows())
        return nullptr;
    return m_list().GetTable(m_tables->text(row, ts::Name));
}

CTable* TableGrids::shownTable() const
{
    return m_shownTable.isEmpty() ? nullptr : m_list().GetTable(m_shownTable);
}

void TableGrids::clearFields()
{
    m_fields->setRows(1);
    m_shownTable.clear();
}

void TableGrids::showFields()
{
    clearFields();
    const CTable* table = tableInCurrentRow();
    if (!table)
        return;
    m_shownTable = table->QualifiedName();
    const QList<FieldRow> rows = ts::fieldRows(*table);
    m_fields->setRows(static_cast<int>(rows.size()) + 1);
    for (int i = 0; i < rows.size(); ++i) {
        const FieldRow& r = rows.at(i);
        const int row = i + 1;
        m_fields->setCellChecked(row, ts::Include, checkOf(r.include));
        m_fields->setText(row, ts::Field, r.name);
        m_fields->setText(row, ts::Datatype, r.datatype);
        if (r.key)
            m_fields->setCellPicture(row, ts::Key, m_key);
        if (r.marked) {
            m_fields->setCellBackColor(row, 0, row, ts::Datatype, ts::kMarkedColour);
            m_fields->setCellToolTip(row, 0, row, ts::Datatype, r.reason);
        }
    }
}

void TableGrids::tableClicked(int row, int col)
{
    if (ts::clickTable(m_list(), row, col))
        showTableRow(row);
    showFields();
}

void TableGrids::fieldClicked(int row, int col)
{
    // The table whose fields are shown, even when the tables grid's current row has moved on
    // without showing its own.
    CTable* table = shownTable();
    if (table && ts::clickField(*table, row, col))
        m_fields->setCellChecked(row, ts::Include, checkOf(table->Columns.Item(row).Include));
}

void TableGrids::selectAllTables(bool checked)
{
    ts::selectAllTables(m_list(), checked);
    for (int row = 1; row < m_tables->rows(); ++row)
        showTableRow(row);
}

void TableGrids::selectAllFields(bool checked)
{
    CTable* table = shownTable();
    if (!table) {
        m_list().IsDirty = true;
        return;
    }
    ts::selectAllFields(m_list(), *table, checked);
    for (int row = 1; row < m_fields->rows(); ++row)
        m_fields->setCellChecked(row, ts::Include, checkOf(table->Columns.Item(row).Include));
}

bool TableGrids::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == m_tables)
            GridColumns::fit(m_tables, ts::Name);
        else if (watched == m_fields)
            GridColumns::fit(m_fields, ts::Field);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tallix
