#pragma once

#include "common/ui/GridModel.h"

#include <QTableView>
#include <utility>

namespace tallix {

// The table of data both programs show. A QTableView over a GridModel with the numbering the
// programs use:
//
// - Row 0 is the header row, data rows are 1-based; column 0 is the first column. rows() counts
//   the header, so setRows(1) empties a grid down to its header.
// - Fixed rows and columns (0 or 1 of each; a new grid has one fixed row and no fixed column)
//   are drawn as the view's headers and stay in place while the data scrolls: row 0 as the
//   column headers, column 0 as the row headers, cell (0, 0) in the corner.
// - Widths are in twips (1440 per inch), converted with the screen's logical DPI.
// - Colours are OLE colour values (0x00BBGGRR; see OleColor.h), read back as they were set.
// - Check-box columns hold a CheckState per cell: Checked (1) or Unchecked (2). A click does not
//   toggle a check; the window decides what a click means and sets the state.
// - bind() shows a Recordset without copying its rows: row 0 shows the field names and row r the
//   recordset's (r-1)-th row. Texts, colours and pictures set on a bound grid lie over the
//   recordset; changing its shape (setRows, setCols, addItem) ends the binding and keeps, as
//   items, only the rows that remain (so setRows(1) copies just the header).
//
// The current cell (currentRow(), currentCol()) is the view's current index, -1 when there is
// none. A range of rows is selected with selectRows() and read back with selectedRowRange();
// rowSel() is the end of the selection opposite the current row. Selection is contiguous; use
// setSelectionBehavior(SelectRows) for grids that select whole rows.
//
// Notifications are signals: cellClicked after a left click (the current cell has already moved
// to the clicked cell), keyReleased, currentCellChanged, rowSelectionChanged, rightClicked (which
// leaves the current cell and selection as they were, so a pop-up menu can act on them), and
// mouseOverCell when the pointer enters another cell; the grid's toolTip() then holds that cell's
// tool tip (its text, unless setCellToolTip gave it one), which the grid shows (switch off with
// setCellToolTips(false)).
class Grid : public QTableView {
    Q_OBJECT
public:
    using CheckState = GridModel::CheckState;

    explicit Grid(QWidget* parent = nullptr);

    GridModel* gridModel() const { return m_model; }

    int rows() const { return m_model->rows(); }
    void setRows(int rows) { m_model->setRows(rows); }
    int cols() const { return m_model->cols(); }
    void setCols(int cols);
    int fixedRows() const { return m_model->fixedRows(); }
    void setFixedRows(int fixedRows);
    int fixedCols() const { return m_model->fixedCols(); }
    void setFixedCols(int fixedCols);

    QString text(int row, int col) const { return m_model->text(row, col); }
    void setText(int row, int col, const QString& text) { m_model->setText(row, col, text); }
    void addItem(const QString& tabbedText) { m_model->addItem(tabbedText); }

    // Column width in twips; 0 hides the column. A fixed column's width is its header's.
    int colWidth(int col) const;
    void setColWidth(int col, int twips);
    Qt::Alignment colAlignment(int col) const { return m_model->colAlignment(col); }
    void setColAlignment(int col, Qt::Alignment alignment)
    {
        m_model->setColAlignment(col, alignment);
    }
    bool colCheckBoxes(int col) const { return m_model->colCheckBoxes(col); }
    void setColCheckBoxes(int col, bool checkBoxes) { m_model->setColCheckBoxes(col, checkBoxes); }

    CheckState cellChecked(int row, int col) const { return m_model->checked(row, col); }
    void setCellChecked(int row, int col, CheckState state)
    {
        m_model->setChecked(row, col, state);
    }
    std::optional<quint32> cellBackColor(int row, int col) const
    {
        return m_model->backColor(row, col);
    }
    void setCellBackColor(int row, int col, quint32 oleColor)
    {
        m_model->setBackColor(row, col, row, col, oleColor);
    }
    // Every cell between the corners (row1, col1) and (row2, col2), inclusive.
    void setCellBackColor(int row1, int col1, int row2, int col2, quint32 oleColor)
    {
        m_model->setBackColor(row1, col1, row2, col2, oleColor);
    }
    // The tool tip a cell shows: its own when one was set, else its text.
    QString cellToolTip(int row, int col) const;
    // Every cell between the corners (row1, col1) and (row2, col2), inclusive.
    void setCellToolTip(int row1, int col1, int row2, int col2, const QString& toolTip)
    {
        m_model->setToolTip(row1, col1, row2, col2, toolTip);
    }
    QPixmap cellPicture(int row, int col) const { return m_model->picture(row, col); }
    void setCellPicture(int row, int col, const QPixmap& picture)
    {
        m_model->setPicture(row, col, picture);
    }

    int currentRow() const;
    int currentCol() const;
    // Moves the current cell and makes it the whole selection.
    void setCurrentCell(int row, int col);
    void setCurrentRow(int row)
    {
        setCurrentCell(row, std::max(currentCol(), m_model->fixedCols()));
    }
    // Selects rows first to last (either order) in full; the current row becomes `first`.
    void selectRows(int first, int last);
    // The lowest and highest selected row; the current row twice when nothing is selected.
    std::pair<int, int> selectedRowRange() const;
    int rowSel() const;
    // Scrolls so that the cell is visible.
    void showCell(int row, int col);

    void bind(const Recordset& recordset);

    bool cellToolTips() const { return m_cellToolTips; }
    void setCellToolTips(bool on) { m_cellToolTips = on; }

    int twipsToPixels(int twips) const;
    int pixelsToTwips(int pixels) const;
    // The grid's own width in twips.
    int widthTwips() const { return pixelsToTwips(width()); }

signals:
    void cellClicked(int row, int col);
    void keyReleased(int key, Qt::KeyboardModifiers modifiers);
    void currentCellChanged(int row, int col);
    void rowSelectionChanged();
    void rightClicked(int row, int col, const QPoint& globalPos);
    void mouseOverCell(int row, int col);

protected:
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyFixed();
    void applyColWidth(int col);

    GridModel* m_model;
    std::vector<int> m_colTwips; // width set per column, -1 for the default
    QPersistentModelIndex m_hovered;
    bool m_cellToolTips = true;
};

} // namespace tallix
