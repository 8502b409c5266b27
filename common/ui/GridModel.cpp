#include "common/ui/GridModel.h"

#include "common/ui/OleColor.h"

#include <QBrush>
#include <QDateTime>

namespace tallix {

GridModel::GridModel(QObject* parent)
    : QAbstractTableModel(parent)
    , m_cells(1)
{}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

const GridModel::Cell* GridModel::findCell(int row, int col) const
{
    if (!contains(row, col))
        return nullptr;
    if (m_bound) {
        const auto it = m_overlay.find(key(row, col));
        return it == m_overlay.end() ? nullptr : &it->second;
    }
    return &m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

GridModel::Cell& GridModel::cellRef(int row, int col)
{
    if (m_bound)
        return m_overlay[key(row, col)];
    return m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

QString GridModel::boundText(int row, int col) const
{
    if (row == 0)
        return m_bound->FieldName(col);
    const QVariant value = m_bound->ValueAt(row - 1, col);
    if (Recordset::isNull(value))
        return {};
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return value.toString();
}

QString GridModel::text(int row, int col) const
{
    const Cell* cell = findCell(row, col);
    if (!m_bound)
        return cell ? cell->text : QString();
    if (!contains(row, col))
        return {};
    if (cell && cell->hasText)
        return cell->text;
    return boundText(row, col);
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.model() != this)
        return {};
    const int row = index.row();
    const int col = index.column();
    const bool checkColumn =
        row >= m_fixedRows && m_columns[static_cast<std::size_t>(col)].checkBoxes;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return text(row, col);
    case Qt::CheckStateRole: {
        const Cell* cell = findCell(row, col);
        const CheckState state = cell ? cell->check : CheckState::None;
        if (state == CheckState::Checked)
            return Qt::Checked;
        if (checkColumn || state == CheckState::Unchecked)
            return Qt::Unchecked;
        return {};
    }
    case Qt::BackgroundRole: {
        const Cell* cell = findCell(row, col);
        if (cell && cell->back)
            return QBrush(fromOleColor(*cell->back));
        return {};
    }
    case Qt::DecorationRole: {
        const Cell* cell = findCell(row, col);
        if (cell && !cell->picture.isNull())
            return cell->picture;
        return {};
    }
    case Qt::ToolTipRole: {
        const Cell* cell = findCell(row, col);
        if (cell && !cell->toolTip.isEmpty())
            return cell->toolTip;
        return {};
    }
    case Qt::TextAlignmentRole:
        if (row < m_fixedRows)
            return {};
        return QVariant::fromValue(m_columns[static_cast<std::size_t>(col)].alignment);
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal) {
        if (m_fixedRows > 0 && section >= 0 && section < m_cols)
            return text(0, section);
        return section;
    }
    if (m_fixedCols > 0 && section >= 0 && section < m_rows)
        return text(section, 0);
    return section;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    // Check boxes are not toggled by the view: the programs decide what a click on one means.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void GridModel::cellChanged(int row, int col, const QList<int>& roles)
{
    const QModelIndex at = index(row, col);
    emit dataChanged(at, at, roles);
    if (row < m_fixedRows)
        emit headerDataChanged(Qt::Horizontal, col, col);
    if (col < m_fixedCols)
        emit headerDataChanged(Qt::Vertical, row, row);
}

void GridModel::detach(int keepRows)
{
    // Only the rows that stay are read out of the recordset.
    keepRows = std::min(keepRows, m_rows);
    std::vector<std::vector<Cell>> cells(static_cast<std::size_t>(keepRows),
                                         std::vector<Cell>(static_cast<std::size_t>(m_cols)));
    for (int r = 0; r < keepRows; ++r) {
        for (int c = 0; c < m_cols; ++c) {
            Cell& cell = cells[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            if (const Cell* set = findCell(r, c))
                cell = *set;
            cell.text = text(r, c);
            cell.hasText = false;
        }
    }
    m_bound.reset();
    m_overlay.clear();
    m_cells = std::move(cells);
}

void GridModel::setRows(int rows)
{
    rows = std::max(rows, 0);
    if (rows == m_rows)
        return;
    if (rows < m_rows) {
        beginRemoveRows({}, rows, m_rows - 1);
        if (m_bound)
            detach(rows);
        m_cells.resize(static_cast<std::size_t>(rows));
        m_rows = rows;
        endRemoveRows();
        return;
    }
    beginInsertRows({}, m_rows, rows - 1);
    if (m_bound)
        detach(m_rows);
    m_cells.resize(static_cast<std::size_t>(rows),
                   std::vector<Cell>(static_cast<std::size_t>(m_cols)));
    m_rows = rows;
    endInsertRows();
}

void GridModel::setCols(int cols)
{
    cols = std::max(cols, 0);
    if (cols == m_cols)
        return;
    if (m_bound) {
        // Columns of a bound grid are its fields; a different count ends the binding.
        beginResetModel();
        detach(m_rows);
        endResetModel();
    }
    const auto resizeTo = [this](int n) {
        for (auto& row : m_cells)
            row.resize(static_cast<std::size_t>(n));
        m_columns.resize(static_cast<std::size_t>(n));
        m_cols = n;
    };
    if (cols < m_cols) {
        beginRemoveColumns({}, cols, m_cols - 1);
        resizeTo(cols);
        endRemoveColumns();
    } else {
        beginInsertColumns({}, m_cols, cols - 1);
        resizeTo(cols);
        endInsertColumns();
    }
}

void GridModel::setFixedRows(int fixedRows)
{
    fixedRows = std::max(fixedRows, 0);
    if (fixedRows == m_fixedRows)
        return;
    m_fixedRows = fixedRows;
    if (m_rows > 0 && m_cols > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, m_cols - 1));
    if (m_cols > 0)
        emit headerDataChanged(Qt::Horizontal, 0, m_cols - 1);
}

void GridModel::setFixedCols(int fixedCols)
{
    fixedCols = std::max(fixedCols, 0);
    if (fixedCols == m_fixedCols)
        return;
    m_fixedCols = fixedCols;
    if (m_rows > 0)
        emit headerDataChanged(Qt::Vertical, 0, m_rows - 1);
}

void GridModel::setText(int row, int col, const QString& text)
{
    if (!contains(row, col))
        return;
    Cell& cell = cellRef(row, col);
    cell.text = text;
    cell.hasText = true;
    cellChanged(row, col, {Qt::DisplayRole, Qt::EditRole});
}

void GridModel::addItem(const QString& tabbedText)
{
    const QStringList parts = tabbedText.split(QLatin1Char('\t'));
    beginInsertRows({}, m_rows, m_rows);
    if (m_bound)
        detach(m_rows);
    std::vector<Cell> row(static_cast<std::size_t>(m_cols));
    for (int c = 0; c < m_cols && c < parts.size(); ++c)
        row[static_cast<std::size_t>(c)].text = parts[c];
    m_cells.push_back(std::move(row));
    ++m_rows;
    endInsertRows();
}

GridModel::CheckState GridModel::checked(int row, int col) const
{
    const Cell* cell = findCell(row, col);
    return cell ? cell->check : CheckState::None;
}

void GridModel::setChecked(int row, int col, CheckState state)
{
    if (!contains(row, col))
        return;
    cellRef(row, col).check = state;
    cellChanged(row, col, {Qt::CheckStateRole});
}

std::optional<quint32> GridModel::backColor(int row, int col) const
{
    const Cell* cell = findCell(row, col);
    return cell ? cell->back : std::nullopt;
}

void GridModel::setBackColor(int row1, int col1, int row2, int col2, quint32 oleColor)
{
    const int top = std::max(std::min(row1, row2), 0);
    const int bottom = std::min(std::max(row1, row2), m_rows - 1);
    const int left = std::max(std::min(col1, col2), 0);
    const int right = std::min(std::max(col1, col2), m_cols - 1);
    if (top > bottom || left > right)
        return;
    for (int r = top; r <= bottom; ++r)
        for (int c = left; c <= right; ++c)
            cellRef(r, c).back = oleColor;
    emit dataChanged(index(top, left), index(bottom, right), {Qt::BackgroundRole});
}

QString GridModel::toolTip(int row, int col) const
{
    const Cell* cell = findCell(row, col);
    return cell ? cell->toolTip : QString();
}

void GridModel::setToolTip(int row1, int col1, int row2, int col2, const QString& toolTip)
{
    const int top = std::max(std::min(row1, row2), 0);
    const int bottom = std::min(std::max(row1, row2), m_rows - 1);
    const int left = std::max(std::min(col1, col2), 0);
    const int right = std::min(std::max(col1, col2), m_cols - 1);
    if (top > bottom || left > right)
        return;
    for (int r = top; r <= bottom; ++r)
        for (int c = left; c <= right; ++c)
            cellRef(r, c).toolTip = toolTip;
    emit dataChanged(index(top, left), index(bottom, right), {Qt::ToolTipRole});
}

QPixmap GridModel::picture(int row, int col) const
{
    const Cell* cell = findCell(row, col);
    return cell ? cell->picture : QPixmap();
}

void GridModel::setPicture(int row, int col, const QPixmap& picture)
{
    if (!contains(row, col))
        return;
    cellRef(row, col).picture = picture;
    cellChanged(row, col, {Qt::DecorationRole});
}

Qt::Alignment GridModel::colAlignment(int col) const
{
    if (col < 0 || col >= m_cols)
        return Qt::AlignLeft | Qt::AlignVCenter;
    return m_columns[static_cast<std::size_t>(col)].alignment;
}

void GridModel::setColAlignment(int col, Qt::Alignment alignment)
{
    if (col < 0 || col >= m_cols)
        return;
    if (!(alignment & Qt::AlignVertical_Mask))
        alignment |= Qt::AlignVCenter;
    m_columns[static_cast<std::size_t>(col)].alignment = alignment;
    if (m_rows > 0)
        emit dataChanged(index(0, col), index(m_rows - 1, col), {Qt::TextAlignmentRole});
}

bool GridModel::colCheckBoxes(int col) const
{
    return col >= 0 && col < m_cols && m_columns[static_cast<std::size_t>(col)].checkBoxes;
}

void GridModel::setColCheckBoxes(int col, bool checkBoxes)
{
    if (col < 0 || col >= m_cols)
        return;
    m_columns[static_cast<std::size_t>(col)].checkBoxes = checkBoxes;
    if (m_rows > 0)
        emit dataChanged(index(0, col), index(m_rows - 1, col), {Qt::CheckStateRole});
}

void GridModel::bind(const Recordset& recordset)
{
    beginResetModel();
    m_bound = recordset;
    m_overlay.clear();
    m_cells.clear();
    m_rows = recordset.RecordCount() + 1;
    m_cols = recordset.FieldCount();
    m_columns.assign(static_cast<std::size_t>(m_cols), Column{});
    endResetModel();
}

} // namespace tallix
