#include "tests/generator/ui/GeneratorWindowTest.h"

#include "common/db/Connection.h"
#include "common/settings/Servers.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace tallix::test {

namespace {

const char* const kShop = R"sql(
CREATE TABLE Orders (OrderID int NOT NULL PRIMARY KEY, Customer varchar(40), Total money);
CREATE TABLE OrderLines (OrderID int NOT NULL, LineNo smallint NOT NULL, Qty int,
                         PRIMARY KEY (OrderID, LineNo));
CREATE TABLE Notes (NoteID int NOT NULL PRIMARY KEY, Body text, Title nvarchar(50));
CREATE TABLE Huge (Code varchar(900) NOT NULL PRIMARY KEY, Label varchar(10));
CREATE TABLE Tallix (LogID uniqueidentifier NOT NULL PRIMARY KEY, Data ntext);
CREATE TABLE TallixKeys (KeyID uniqueidentifier NOT NULL PRIMARY KEY, KeyValues varchar(900));
CREATE VIEW BigOrders AS SELECT * FROM Orders WHERE Total > 100;
)sql";

} // namespace

GeneratorWindowTest::GeneratorWindowTest()
{
    server.createCatalog(QStringLiteral("shop"));
    Connection c(server.connectionString(QStringLiteral("shop")));
    c.Open();
    c.Execute(QString::fromLatin1(kShop));
}

GeneratorWindowTest::~GeneratorWindowTest() = default;

frmMain& GeneratorWindowTest::open(bool registerServer)
{
    if (registerServer) {
        Servers servers;
        servers.Add(server.folder(), QString(), QString(), QStringLiteral("shop"), true,
                    server.folder());
        servers.SaveToRegistry();
    }
    m_window = std::make_unique<frmMain>();
    m_window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    return *m_window;
}

void GeneratorWindowTest::trigger(const char* commandId) const
{
    if (auto* action = child<QAction>(commandId))
        action->trigger();
}

void GeneratorWindowTest::click(const char* buttonName) const
{
    if (auto* b = child<QPushButton>(buttonName))
        QTest::mouseClick(b, Qt::LeftButton);
}

void GeneratorWindowTest::clickCell(const char* gridName, int row, int col) const
{
    Grid* grid = child<Grid>(gridName);
    ASSERT_NE(grid, nullptr);
    const QModelIndex index = grid->model()->index(row, col);
    grid->scrollTo(index);
    const QRect cell = grid->visualRect(index);
    ASSERT_TRUE(grid->viewport()->rect().contains(cell.center())) << gridName << row << col;
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

void GeneratorWindowTest::type(const char* lineEditName, const QString& text) const
{
    if (auto* edit = child<QLineEdit>(lineEditName)) {
        edit->setFocus();
        QTest::keyClicks(edit, text);
    }
}

QStringList GeneratorWindowTest::rowsOf(const char* gridName) const
{
    QStringList out;
    Grid* grid = child<Grid>(gridName);
    if (!grid)
        return out;
    for (int row = 1; row < grid->rows(); ++row) {
        QStringList cells;
        for (int col = 0; col < grid->cols(); ++col) {
            if (grid->colCheckBoxes(col))
                cells << (grid->cellChecked(row, col) == Grid::CheckState::Checked
                              ? QStringLiteral("x")
                              : QStringLiteral("."));
            else
                cells << grid->text(row, col);
        }
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

} // namespace tallix::test
