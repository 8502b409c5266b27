#pragma once

#include <QObject>
#include <QPixmap>
#include <QString>
#include <functional>

namespace tallix {

class CTable;
class CTables;
class Grid;

// The tables grid fgTables and the fields grid fgFields over the project's table list: fills
// them, shows the fields of the table chosen in fgTables, marks what cannot be audited in pale
// yellow, and turns clicks and the select-all and select-none buttons into changes of the list
// (the rules are TableSelection's).
class TableGrids : public QObject {
    Q_OBJECT
public:
    // `list` gives the current project's table list, which the window replaces on New and Open.
    TableGrids(Grid* tables, Grid* fields, QPixmap keyPicture, std::function<CTables&()> list,
               QObject* parent = nullptr);

    // The tables grid from the list; the fields grid emptied.
    void fill();
    // Both grids down to their header rows.
    void clear();
    // The fields of the table in the tables grid's current row.
    void showFields();
    void selectAllTables(bool checked);
    void selectAllFields(bool checked);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void tableClicked(int row, int col);
    void fieldClicked(int row, int col);
    void showTableRow(int row);
    CTable* tableInCurrentRow() const;
    // The table whose fields are shown, if any.
    CTable* shownTable() const;
    void clearFields();

    Grid* m_tables;
    Grid* m_fields;
    QPixmap m_key;
    std::function<CTables&()> m_list;
    QString m_shownTable;
};

} // namespace tallix
