#include "generator/ui/StatusGrid.h"

#include "common/ui/Grid.h"
#include "generator/ui/GridColumns.h"

#include <QEvent>

namespace tallix {

namespace {
enum Column { Table = 0, Insert = 1, Update = 2, Delete = 3, Status = 4, Lines = 5 };
}

StatusGrid::StatusGrid(Grid* grid, QPixmap done, QPixmap warning, QObject* parent)
    : QObject(parent)
    , m_grid(grid)
    , m_done(std::move(done))
    , m_warning(std::move(warning))
{
    GridColumns::setUp(m_grid,
                       {QStringLiteral("Table"), QStringLiteral("I"), QStringLiteral("U"),
                        QStringLiteral("D"), QStringLiteral("Status"), QStringLiteral("Lines")},
                       {3000, 300, 300, 300, 3100, 700});
    m_grid->installEventFilter(this);
}

void StatusGrid::reset()
{
    m_grid->setRows(1);
}

void StatusGrid::update(const QString& table, const QString& trigger, const QString& status,
                        int lines)
{
    const int last = m_grid->rows() - 1;
    if (last >= 1 && m_grid->text(last, Table) == table) {
        m_grid->setText(last, Status, status);
        m_grid->setText(last, Lines, QString::number(lines));
        const int column = trigger == QLatin1String("I")   ? Insert
                           : trigger == QLatin1String("U") ? Update
                           : trigger == QLatin1String("D") ? Delete
                                                           : -1;
        if (column > 0) {
            if (status == QLatin1String("Complete"))
                m_grid->setCellPicture(last, column, m_done);
            else if (status.startsWith(QLatin1String("Error")))
                m_grid->setCellPicture(last, column, m_warning);
        }
    } else {
        // Cell by cell, not as a tabbed item: a table name may itself hold a tab.
        const int row = m_grid->rows();
        m_grid->setRows(row + 1);
        m_grid->setText(row, Table, table);
        m_grid->setText(row, Status, status);
        m_grid->setText(row, Lines, QString::number(lines));
    }
    m_grid->showCell(m_grid->rows() - 1, Table);
}

bool StatusGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid && event->type() == QEvent::Resize) {
        // What the narrow columns leave goes two fifths to the table, three to its status.
        const int narrow = m_grid->colWidth(Insert) + m_grid->colWidth(Update) +
                           m_grid->colWidth(Delete) + m_grid->colWidth(Lines);
        const int wide = std::max(3000, m_grid->widthTwips() - narrow - 350);
        m_grid->setColWidth(Table, wide * 2 / 5);
        m_grid->setColWidth(Status, wide - wide * 2 / 5);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tallix
