#include "generator/ui/GridColumns.h"

#include "common/ui/Grid.h"

#include <QHeaderView>

namespace tallix::GridColumns {

namespace {
constexpr int kScrollBarTwips = 350;
constexpr int kHeaderPaddingPixels = 14;
} // namespace

void setUp(Grid* grid, const QStringList& headers, const QList<int>& widths)
{
    grid->setCols(static_cast<int>(headers.size()));
    grid->setRows(1);
    const QFontMetrics metrics(grid->horizontalHeader()->font());
    for (int c = 0; c < headers.size(); ++c) {
        grid->setText(0, c, headers.at(c));
        const int needed =
            grid->pixelsToTwips(metrics.horizontalAdvance(headers.at(c)) + kHeaderPaddingPixels);
        grid->setColWidth(c, std::max(widths.value(c), needed));
    }
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->hide();
}

void fit(Grid* grid, int stretch, int minimum)
{
    int others = 0;
    for (int c = 0; c < grid->cols(); ++c) {
        if (c != stretch)
            others += grid->colWidth(c);
    }
    grid->setColWidth(stretch, std::max(minimum, grid->widthTwips() - others - kScrollBarTwips));
}

} // namespace tallix::GridColumns
