#pragma once

#include <QObject>
#include <QPixmap>

namespace tallix {

class Grid;

// The status grid fgStatus: one row per generated table, the picture of a finished or failed
// action in its column, the last status text and the table's line count.
class StatusGrid : public QObject {
    Q_OBJECT
public:
    StatusGrid(Grid* grid, QPixmap done, QPixmap warning, QObject* parent = nullptr);

    void reset();
    // The same table as the last row updates that row; another table starts a new one.
    void update(const QString& table, const QString& trigger, const QString& status, int lines);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Grid* m_grid;
    QPixmap m_done;
    QPixmap m_warning;
};

} // namespace tallix
