#pragma once

#include "common/db/Recordset.h"

#include <QAbstractTableModel>
#include <QPixmap>
#include <optional>
#include <unordered_map>
#include <vector>

namespace tallix {

// The cells behind a Grid, numbered as the programs number them: model row r is grid row r, so
// row 0 is the header row and data rows start at 1; column c is grid column c. Fixed rows and
// columns are ordinary model rows and columns; the Grid shows them as its headers.
//
// Two modes. Items: the model holds every cell's text. Bound: the model reads a Recordset
// itself, row 0 being its field names and row r its (r-1)-th row, so binding copies no values;
// what is set on a bound grid's cells (text, colour, picture, check) is kept beside it. Changing
// the shape of a bound grid (rows, columns, adding a row) turns it into an items grid holding the
// rows that remain.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // A cell's check box, in the numbering the programs use.
    enum class CheckState { None = 0, Checked = 1, Unchecked = 2 };

    explicit GridModel(QObject* parent = nullptr);

    // QAbstractItemModel
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Shape. Growing adds empty rows or columns; shrinking drops them from the end.
    int rows() const { return m_rows; }
    void setRows(int rows);
    int cols() const { return m_cols; }
    void setCols(int cols);
    int fixedRows() const { return m_fixedRows; }
    void setFixedRows(int fixedRows);
    int fixedCols() const { return m_fixedCols; }
    void setFixedCols(int fixedCols);

    // Cells; positions outside the grid read as empty and are ignored when written.
    QString text(int row, int col) const;
    void setText(int row, int col, const QString& text);
    // Appends a row whose cells are the TAB-separated parts of `tabbedText`, from column 0;
    // parts beyond the last column are dropped, missing ones leave cells empty.
    void addItem(const QString& tabbedText);

    CheckState checked(int row, int col) const;
    void setChecked(int row, int col, CheckState state);
    // The OLE colour set on the cell, or nothing when it has the grid's own background.
    std::optional<quint32> backColor(int row, int col) const;
    // Sets the colour of every cell in the rectangle between the two corners (inclusive).
    void setBackColor(int row1, int col1, int row2, int col2, quint32 oleColor);
    QPixmap picture(int row, int col) const;
    void setPicture(int row, int col, const QPixmap& picture);
    // A cell's own tool tip, shown in place of its text; empty when none was set.
    QString toolTip(int row, int col) const;
    // Sets the tool tip of every cell in the rectangle between the two corners (inclusive).
    void setToolTip(int row1, int col1, int row2, int col2, const QString& toolTip);

    // Columns.
    Qt::Alignment colAlignment(int col) const;
    void setColAlignment(int col, Qt::Alignment alignment);
    // A check-box column shows, in its data rows, a check box (checked for CheckState::Checked,
    // unchecked otherwise) in place of the text.
    bool colCheckBoxes(int col) const;
    void setColCheckBoxes(int col, bool checkBoxes);

    // Binding. The model keeps its own copy of the Recordset object, which shares the rows with
    // the caller's and has its own position and filter.
    void bind(const Recordset& recordset);
    bool isBound() const { return m_bound.has_value(); }
    const Recordset* recordset() const { return m_bound ? &*m_bound : nullptr; }

private:
    struct Cell {
        QString text;
        bool hasText = false; // bound mode: the text replaces the recordset's value
        CheckState check = CheckState::None;
        std::optional<quint32> back;
        QPixmap picture;
        QString toolTip;
    };
    struct Column {
        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
        bool checkBoxes = false;
    };

    bool contains(int row, int col) const
    {
        return row >= 0 && row < m_rows && col >= 0 && col < m_cols;
    }
    const Cell* findCell(int row, int col) const;
    Cell& cellRef(int row, int col);
    QString boundText(int row, int col) const;
    void detach(int keepRows);
    void cellChanged(int row, int col, const QList<int>& roles);
    static quint64 key(int row, int col)
    {
        return (static_cast<quint64>(static_cast<quint32>(row)) << 32) | static_cast<quint32>(col);
    }

    int m_rows = 1;
    int m_cols = 0;
    int m_fixedRows = 1;
    int m_fixedCols = 0;
    std::vector<Column> m_columns;
    std::vector<std::vector<Cell>> m_cells;      // items mode: m_rows rows of m_cols cells
    std::optional<Recordset> m_bound;            // bound mode
    std::unordered_map<quint64, Cell> m_overlay; // bound mode: what was set on cells
};

} // namespace tallix
