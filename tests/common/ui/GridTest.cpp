#include "common/ui/Grid.h"

#include "common/ui/OleColor.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using tallix::FieldInfo;
using tallix::Grid;
using tallix::Recordset;
using tallix::RowSet;
using CheckState = Grid::CheckState;

namespace {

// A grid shown on the offscreen screen, with Qt's model checker watching every change.
struct ShownGrid {
    Grid grid;
    QAbstractItemModelTester tester{grid.model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal};
    ShownGrid()
    {
        grid.resize(600, 300);
        grid.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }
    QPoint centreOf(int row, int col) const
    {
        return grid.visualRect(grid.model()->index(row, col)).center();
    }
};

void fillTables(Grid& g, int dataRows)
{
    g.setCols(3);
    g.setRows(1);
    g.setText(0, 0, QStringLiteral("All"));
    g.setText(0, 1, QStringLiteral("Insert"));
    g.setText(0, 2, QStringLiteral("Table Name"));
    for (int i = 1; i <= dataRows; ++i)
        g.addItem(QStringLiteral("\t\tt%1").arg(i));
}

} // namespace

TEST(Grid, NumbersDataRowsFromOneUnderTheHeaderAndEmptiesToTheHeader)
{
    ShownGrid s;
    Grid& g = s.grid;
    EXPECT_EQ(g.rows(), 1);
    EXPECT_EQ(g.fixedRows(), 1);
    fillTables(g, 3);
    EXPECT_EQ(g.rows(), 4);
    EXPECT_EQ(g.text(2, 2), QStringLiteral("t2"));
    // The header row is the view's header, not a data row.
    EXPECT_TRUE(g.isRowHidden(0));
    EXPECT_EQ(g.model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Table Name"));

    // Surplus parts are dropped, missing ones leave the cells empty.
    g.addItem(QStringLiteral("a\tb\tc\td"));
    g.addItem(QStringLiteral("x"));
    EXPECT_EQ(g.text(4, 2), QStringLiteral("c"));
    EXPECT_EQ(g.text(5, 0), QStringLiteral("x"));
    EXPECT_EQ(g.text(5, 1), QString());
    g.setText(0, 1, QStringLiteral("Update"));
    EXPECT_EQ(g.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Update"));

    g.setRows(1);
    EXPECT_EQ(g.rows(), 1);
    EXPECT_EQ(g.text(0, 2), QStringLiteral("Table Name"));
    EXPECT_EQ(g.text(1, 2), QString());
    g.addItem(QStringLiteral("\t\tagain"));
    EXPECT_EQ(g.text(1, 2), QStringLiteral("again"));
    EXPECT_EQ(g.cellBackColor(1, 2), std::nullopt) << "a removed row's look must not come back";
}

TEST(Grid, HoldsCheckStatesColoursAndPicturesPerCell)
{
    ShownGrid s;
    Grid& g = s.grid;
    fillTables(g, 4);
    g.setColCheckBoxes(0, true);
    g.setColCheckBoxes(1, true);
    g.setCellChecked(2, 1, CheckState::Checked);
    g.setCellChecked(3, 1, CheckState::Unchecked);
    EXPECT_EQ(static_cast<int>(g.cellChecked(2, 1)), 1);
    EXPECT_EQ(static_cast<int>(g.cellChecked(3, 1)), 2);
    const auto checkOf = [&](int r, int c) {
        return g.model()->index(r, c).data(Qt::CheckStateRole);
    };
    EXPECT_EQ(checkOf(2, 1).value<Qt::CheckState>(), Qt::Checked);
    EXPECT_EQ(checkOf(1, 1).value<Qt::CheckState>(), Qt::Unchecked);
    EXPECT_FALSE(checkOf(0, 1).isValid()) << "the header shows no check box";
    EXPECT_FALSE(checkOf(1, 2).isValid()) << "a text column shows no check box";

    // A click moves the current cell but leaves the check to the window.
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, s.centreOf(3, 1));
    EXPECT_EQ(g.cellChecked(3, 1), CheckState::Unchecked);

    // &H80FFFF is red FF, green FF, blue 80.
    g.setCellBackColor(2, 0, 2, 2, 0x80FFFF);
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(g.cellBackColor(2, c), std::optional<quint32>(0x80FFFF));
    EXPECT_EQ(g.cellBackColor(1, 0), std::nullopt);
    EXPECT_EQ(g.model()->index(2, 1).data(Qt::BackgroundRole).value<QBrush>().color(),
              QColor(0xFF, 0xFF, 0x80));
    g.setCellBackColor(4, 2, 0xFFFF00); // cyan in blue-green-red notation
    EXPECT_EQ(tallix::fromOleColor(0xFFFF00), QColor(0x00, 0xFF, 0xFF));
    EXPECT_EQ(tallix::toOleColor(QColor(0xFF, 0xFF, 0x80)), 0x80FFFFu);

    QPixmap key(16, 16);
    key.fill(Qt::darkYellow);
    g.setCellPicture(3, 1, key);
    EXPECT_EQ(g.cellPicture(3, 1).size(), QSize(16, 16));
    EXPECT_TRUE(g.model()->index(3, 1).data(Qt::DecorationRole).isValid());
    EXPECT_TRUE(g.cellPicture(3, 2).isNull());

    g.setColAlignment(2, Qt::AlignHCenter);
    EXPECT_EQ(g.model()->index(1, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignHCenter | Qt::AlignVCenter);
}

TEST(Grid, TakesWidthsInTwipsAtTheScreensLogicalDpi)
{
    ShownGrid s;
    Grid& g = s.grid;
    fillTables(g, 2);
    const int dpi = g.logicalDpiX();
    g.setColWidth(1, 1440);
    EXPECT_EQ(g.columnWidth(1), dpi);
    g.setColWidth(2, 2700);
    EXPECT_EQ(g.columnWidth(2), (2700 * dpi + 720) / 1440);
    EXPECT_EQ(g.colWidth(2), 2700);
    g.setColWidth(1, 0);
    EXPECT_TRUE(g.isColumnHidden(1));
    EXPECT_EQ(g.colWidth(1), 0);
    g.setColWidth(1, 1000);
    EXPECT_FALSE(g.isColumnHidden(1));

    // A fixed column is drawn as the row headers; its width is theirs.
    g.setFixedCols(1);
    g.setColWidth(0, 1440);
    EXPECT_TRUE(g.isColumnHidden(0));
    EXPECT_TRUE(g.verticalHeader()->isVisible());
    EXPECT_EQ(g.verticalHeader()->width(), dpi);
    EXPECT_EQ(g.model()->headerData(2, Qt::Vertical).toString(), g.text(2, 0));
}

TEST(Grid, ReportsClicksKeysSelectionAndTheCellUnderThePointer)
{
    ShownGrid s;
    Grid& g = s.grid;
    g.setSelectionBehavior(QAbstractItemView::SelectRows);
    fillTables(g, 8);

    // The click arrives with the current cell already on the clicked cell.
    std::vector<std::pair<int, int>> seenAtClick;
    QObject::connect(&g, &Grid::cellClicked, [&](int row, int col) {
        EXPECT_EQ(g.currentRow(), row);
        EXPECT_EQ(g.currentCol(), col);
        seenAtClick.emplace_back(row, col);
    });
    QSignalSpy current(&g, &Grid::currentCellChanged);
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, s.centreOf(3, 2));
    ASSERT_EQ(seenAtClick.size(), 1u);
    EXPECT_EQ(seenAtClick[0], std::make_pair(3, 2));
    ASSERT_FALSE(current.isEmpty());
    EXPECT_EQ(current.last().at(0).toInt(), 3);

    // Key released after the arrow moved the current row.
    QSignalSpy released(&g, &Grid::keyReleased);
    QTest::keyClick(&g, Qt::Key_Down);
    ASSERT_EQ(released.size(), 1);
    EXPECT_EQ(released[0][0].toInt(), int(Qt::Key_Down));
    EXPECT_EQ(g.currentRow(), 4);

    // A range of rows, read back in order whichever way it was given.
    QSignalSpy selection(&g, &Grid::rowSelectionChanged);
    g.selectRows(6, 2);
    EXPECT_FALSE(selection.isEmpty());
    EXPECT_EQ(g.selectedRowRange(), std::make_pair(2, 6));
    EXPECT_EQ(g.currentRow(), 6);
    EXPECT_EQ(g.rowSel(), 2);

    // A right click reports the cell and keeps the selection for the pop-up menu.
    QSignalSpy right(&g, &Grid::rightClicked);
    QTest::mouseClick(g.viewport(), Qt::RightButton, {}, s.centreOf(8, 1));
    ASSERT_EQ(right.size(), 1);
    EXPECT_EQ(right[0][0].toInt(), 8);
    EXPECT_EQ(right[0][1].toInt(), 1);
    EXPECT_EQ(g.selectedRowRange(), std::make_pair(2, 6));

    // The tool tip follows the cell under the pointer.
    QSignalSpy over(&g, &Grid::mouseOverCell);
    QTest::mouseMove(g.viewport(), s.centreOf(5, 2));
    QTest::mouseMove(g.viewport(), s.centreOf(7, 2));
    EXPECT_EQ(g.toolTip(), QStringLiteral("t7"));
    ASSERT_FALSE(over.isEmpty());
    EXPECT_EQ(over.last().at(0).toInt(), 7);
    // A tool tip of its own takes the text's place, on the cells it was given to.
    g.setCellToolTip(6, 0, 7, 2, QStringLiteral("why"));
    QTest::mouseMove(g.viewport(), s.centreOf(5, 2));
    EXPECT_EQ(g.toolTip(), QStringLiteral("t5"));
    QTest::mouseMove(g.viewport(), s.centreOf(7, 1));
    EXPECT_EQ(g.toolTip(), QStringLiteral("why"));
    EXPECT_EQ(g.cellToolTip(6, 0), QStringLiteral("why"));
    EXPECT_EQ(g.gridModel()->data(g.model()->index(8, 1), Qt::ToolTipRole), QVariant());

    g.setCurrentCell(1, 2);
    EXPECT_EQ(g.selectedRowRange(), std::make_pair(1, 1));
    g.showCell(8, 0);
    EXPECT_TRUE(g.viewport()->rect().intersects(g.visualRect(g.model()->index(8, 2))));
}

TEST(Grid, ShowsABoundRecordsetOfAHundredThousandRowsWithoutCopyingIt)
{
    auto rows = std::make_shared<RowSet>(QList<FieldInfo>{{QStringLiteral("ID"), 3},
                                                          {QStringLiteral("TableName"), 130},
                                                          {QStringLiteral("Note"), 130}});
    constexpr int kRows = 100000;
    for (int i = 0; i < kRows; ++i)
        rows->appendRow({i + 1, QStringLiteral("T%1").arg(i % 7),
                         i % 2 ? QVariant() : QVariant(QStringLiteral("n"))});
    Recordset recordset(rows);
    ASSERT_EQ(rows.use_count(), 2);

    ShownGrid s;
    Grid& g = s.grid;
    g.setColWidth(0, 0); // no column yet: ignored
    g.bind(recordset);
    EXPECT_TRUE(g.gridModel()->isBound());
    EXPECT_EQ(g.rows(), kRows + 1);
    EXPECT_EQ(g.cols(), 3);
    EXPECT_EQ(g.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("TableName"));
    EXPECT_EQ(g.text(1, 0), QStringLiteral("1"));
    EXPECT_EQ(g.text(kRows, 0), QString::number(kRows));
    EXPECT_EQ(g.text(2, 2), QString()) << "NULL shows empty";
    // The grid reads the caller's rows, not a copy of them.
    EXPECT_EQ(rows.use_count(), 3) << "held by the test, its recordset and the grid's copy";

    // Looks and texts set on a bound grid lie over it and leave the recordset alone.
    g.setCellBackColor(5, 0, 5, 2, 0x80FFFF);
    g.setText(5, 1, QStringLiteral("changed"));
    EXPECT_EQ(g.text(5, 1), QStringLiteral("changed"));
    EXPECT_EQ(rows->value(4, 1).toString(), QStringLiteral("T4"));
    EXPECT_EQ(g.cellBackColor(5, 2), std::optional<quint32>(0x80FFFF));

    g.selectRows(99990, 100000);
    EXPECT_EQ(g.selectedRowRange(), std::make_pair(99990, 100000));
    g.showCell(100000, 1);

    // A filtered recordset shows the rows its filter lets through.
    Recordset filtered = recordset.Clone();
    filtered.SetFilter(QStringLiteral("TableName = 't3'"));
    g.bind(filtered);
    int expected = 0;
    for (int i = 0; i < kRows; ++i)
        expected += i % 7 == 3;
    EXPECT_EQ(g.rows(), 1 + expected);
    EXPECT_EQ(g.text(1, 0), QStringLiteral("4"));

    // Emptying a bound grid to its header keeps the field names and ends the binding.
    g.setRows(1);
    EXPECT_FALSE(g.gridModel()->isBound());
    EXPECT_EQ(g.text(0, 1), QStringLiteral("TableName"));
    g.addItem(QStringLiteral("1\tx"));
    EXPECT_EQ(g.rows(), 2);
}
