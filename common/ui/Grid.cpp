#include "common/ui/Grid.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QToolTip>

namespace tallix {

Grid::Grid(QWidget* parent)
    : QTableView(parent)
    , m_model(new GridModel(this))
{
    setModel(m_model);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setMouseTracking(true);
    setWordWrap(false);
    // Uniform row heights keep a grid of a million rows as quick as one of ten.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);

    connect(m_model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int) {
                if (first < m_model->fixedRows())
                    applyFixed();
            });
    connect(m_model, &QAbstractItemModel::columnsInserted, this,
            [this](const QModelIndex&, int first, int last) {
                m_colTwips.resize(static_cast<std::size_t>(m_model->cols()), -1);
                for (int c = first; c <= last; ++c)
                    applyColWidth(c);
                applyFixed();
            });
    connect(m_model, &QAbstractItemModel::columnsRemoved, this,
            [this] { m_colTwips.resize(static_cast<std::size_t>(m_model->cols()), -1); });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        m_colTwips.resize(static_cast<std::size_t>(m_model->cols()), -1);
        for (int c = 0; c < m_model->cols(); ++c)
            applyColWidth(c);
        applyFixed();
    });
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { emit cellClicked(index.row(), index.column()); });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                emit currentCellChanged(current.isValid() ? current.row() : -1,
                                        current.isValid() ? current.column() : -1);
            });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Grid::rowSelectionChanged);

    // The corner shows cell (0, 0) when there is a fixed column.
    if (auto* corner = findChild<QAbstractButton*>())
        corner->installEventFilter(this);
    applyFixed();
}

void Grid::setCols(int cols)
{
    m_model->setCols(cols);
}

void Grid::setFixedRows(int fixedRows)
{
    m_model->setFixedRows(std::clamp(fixedRows, 0, 1));
    applyFixed();
}

void Grid::setFixedCols(int fixedCols)
{
    m_model->setFixedCols(std::clamp(fixedCols, 0, 1));
    for (int c = 0; c < m_model->cols(); ++c)
        applyColWidth(c);
    applyFixed();
}

void Grid::applyFixed()
{
    const int fixedRows = m_model->fixedRows();
    const int fixedCols = m_model->fixedCols();
    if (m_model->rows() > 0)
        setRowHidden(0, fixedRows > 0);
    for (int c = 0; c < m_model->cols(); ++c) {
        const bool zeroWidth = m_colTwips[static_cast<std::size_t>(c)] == 0;
        setColumnHidden(c, c < fixedCols || zeroWidth);
    }
    horizontalHeader()->setVisible(fixedRows > 0);
    verticalHeader()->setVisible(fixedCols > 0);
}

int Grid::twipsToPixels(int twips) const
{
    return (twips * logicalDpiX() + 720) / 1440;
}

int Grid::pixelsToTwips(int pixels) const
{
    const int dpi = logicalDpiX();
    return (pixels * 1440 + dpi / 2) / dpi;
}

void Grid::applyColWidth(int col)
{
    const int twips = m_colTwips[static_cast<std::size_t>(col)];
    if (col < m_model->fixedCols()) {
        if (twips > 0)
            verticalHeader()->setFixedWidth(twipsToPixels(twips));
        return;
    }
    setColumnHidden(col, twips == 0);
    if (twips > 0)
        setColumnWidth(col, twipsToPixels(twips));
}

int Grid::colWidth(int col) const
{
    if (col < 0 || col >= m_model->cols())
        return 0;
    const int twips = m_colTwips[static_cast<std::size_t>(col)];
    const int pixels = col < m_model->fixedCols() ? verticalHeader()->width()
                       : isColumnHidden(col)      ? 0
                                                  : columnWidth(col);
    // What was set, as long as the user has not resized the column since.
    if (twips >= 0 && twipsToPixels(twips) == pixels)
        return twips;
    return pixelsToTwips(pixels);
}

void Grid::setColWidth(int col, int twips)
{
    if (col < 0 || col >= m_model->cols())
        return;
    m_colTwips[static_cast<std::size_t>(col)] = std::max(twips, 0);
    applyColWidth(col);
}

int Grid::currentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

int Grid::currentCol() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() : -1;
}

void Grid::setCurrentCell(int row, int col)
{
    const QModelIndex index = m_model->index(row, col);
    if (!index.isValid())
        return;
    QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
    if (selectionBehavior() == QAbstractItemView::SelectRows)
        flags |= QItemSelectionModel::Rows;
    selectionModel()->setCurrentIndex(index, flags);
}

void Grid::selectRows(int first, int last)
{
    if (m_model->cols() == 0)
        return;
    const int top = std::max(std::min(first, last), 0);
    const int bottom = std::min(std::max(first, last), m_model->rows() - 1);
    if (top > bottom)
        return;
    const int col = std::max(currentCol(), m_model->fixedCols());
    selectionModel()->setCurrentIndex(m_model->index(first, std::min(col, m_model->cols() - 1)),
                                      QItemSelectionModel::NoUpdate);
    selectionModel()->select(
        QItemSelection(m_model->index(top, 0), m_model->index(bottom, m_model->cols() - 1)),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

std::pair<int, int> Grid::selectedRowRange() const
{
    const QItemSelection selection = selectionModel()->selection();
    if (selection.isEmpty())
        return {currentRow(), currentRow()};
    int top = selection.first().top();
    int bottom = selection.first().bottom();
    for (const QItemSelectionRange& range : selection) {
        top = std::min(top, range.top());
        bottom = std::max(bottom, range.bottom());
    }
    return {top, bottom};
}

int Grid::rowSel() const
{
    const auto [top, bottom] = selectedRowRange();
    return currentRow() == top ? bottom : top;
}

void Grid::showCell(int row, int col)
{
    const QModelIndex index = m_model->index(row, col);
    if (index.isValid())
        scrollTo(index);
}

void Grid::bind(const Recordset& recordset)
{
    m_model->bind(recordset);
}

void Grid::keyReleaseEvent(QKeyEvent* event)
{
    QTableView::keyReleaseEvent(event);
    if (!event->isAutoRepeat())
        emit keyReleased(event->key(), event->modifiers());
}

void Grid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        // The selection stays, so that a pop-up menu acts on the rows chosen before.
        const QModelIndex index = indexAt(event->position().toPoint());
        emit rightClicked(index.isValid() ? index.row() : -1, index.isValid() ? index.column() : -1,
                          event->globalPosition().toPoint());
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void Grid::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QTableView::mouseReleaseEvent(event);
}

QString Grid::cellToolTip(int row, int col) const
{
    const QString own = m_model->toolTip(row, col);
    return own.isEmpty() ? m_model->text(row, col) : own;
}

void Grid::mouseMoveEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index != m_hovered) {
        m_hovered = index;
        if (index.isValid()) {
            if (m_cellToolTips)
                setToolTip(cellToolTip(index.row(), index.column()));
            emit mouseOverCell(index.row(), index.column());
        }
    }
    QTableView::mouseMoveEvent(event);
}

bool Grid::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && m_cellToolTips) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        const QString tip = index.isValid() ? cellToolTip(index.row(), index.column()) : QString();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, viewport(), visualRect(index));
        return true;
    }
    return QTableView::viewportEvent(event);
}

bool Grid::eventFilter(QObject* watched, QEvent* event)
{
    auto* corner = qobject_cast<QAbstractButton*>(watched);
    if (corner && event->type() == QEvent::Paint && m_model->fixedCols() > 0 &&
        m_model->fixedRows() > 0) {
        QPainter painter(corner);
        QStyleOptionHeader option;
        option.initFrom(corner);
        option.rect = corner->rect();
        option.position = QStyleOptionHeader::OnlyOneSection;
        option.text = m_model->text(0, 0);
        option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

} // namespace tallix
