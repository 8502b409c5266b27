// Draws the generator's window for the documentation: a pubs database built from the sample
// project's tables in a scratch SQLite server folder, its tables loaded, the sample's audit
// choices clicked in, a script generated and the titles table shown. Nothing outside a
// temporary folder is read or written besides the sample project and the picture.
//
//   screenshot_generator examples/pubs.tpx docs/screenshots/generator.png
//
// Beside the picture it draws generator-options.png: the same window on its Options tab with
// Unicode audit data ticked.

#include "common/base/Messages.h"
#include "common/db/Connection.h"
#include "common/settings/ConnectionString.h"
#include "common/settings/Servers.h"
#include "common/ui/Grid.h"
#include "generator/project/Project.h"
#include "generator/project/ProjectFile.h"
#include "generator/selection/TableSelection.h"
#include "generator/ui/frmMain.h"
#include "tools/screenshots/Screenshot.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <cstdio>

using namespace tallix;

namespace {

// Questions answer No (the script is not opened); messages go to standard error.
class QuietMessages : public StderrMessages {
public:
    Answer ask(const QString&, const QString&, Icon, Buttons, Answer) override
    {
        return Answer::No;
    }
};

QString declaration(const CColumn& c)
{
    QString type = c.datatype;
    if (type == QLatin1String("char") || type == QLatin1String("varchar") ||
        type == QLatin1String("nchar") || type == QLatin1String("nvarchar"))
        type += QStringLiteral("(%1)").arg(c.Size);
    else if (type == QLatin1String("decimal") || type == QLatin1String("numeric"))
        type += QStringLiteral("(%1,%2)").arg(c.NumericPrecision).arg(c.NumericScale);
    return c.ColumnName + QLatin1Char(' ') + type +
           (c.Nulls ? QString() : QStringLiteral(" NOT NULL"));
}

// The sample's tables as CREATE TABLE statements in SQL Server type names.
QString schemaOf(const Project& project)
{
    QString sql;
    for (const CTable& table : project.Tables()) {
        QStringList parts, keys;
        for (const CColumn& c : table.Columns) {
            parts << declaration(c);
            if (c.InPrimaryKey)
                keys << c.ColumnName;
        }
        if (!keys.isEmpty())
            parts << QStringLiteral("PRIMARY KEY (") + keys.join(QStringLiteral(", ")) +
                         QLatin1Char(')');
        sql += QStringLiteral("CREATE TABLE ") + table.TableName + QStringLiteral(" (") +
               parts.join(QStringLiteral(", ")) + QStringLiteral(");\n");
    }
    return sql;
}

void clickCell(Grid* grid, int row, int col)
{
    const QModelIndex index = grid->model()->index(row, col);
    grid->scrollTo(index);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
}

} // namespace

int main(int argc, char** argv)
{
    screenshots::useOffscreenPlatform();
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: screenshot_generator SAMPLE.tpx OUTPUT.png\n");
        return 2;
    }
    QuietMessages messages;
    ScopedMessages useMessages(messages);
    const screenshots::ScratchSettings scratch;

    try {
        Project sample;
        sample.Load(ProjectFile::read(QString::fromLocal8Bit(argv[1])));
        const QString folder = scratch.filePath(QStringLiteral("server"));
        QDir().mkpath(folder);
        QFile(folder + QStringLiteral("/pubs.db")).open(QIODevice::WriteOnly);
        Connection pubs(BuildConnectionString(folder, QStringLiteral("pubs"), {}, {}));
        pubs.Open();
        pubs.Execute(schemaOf(sample));
        pubs.Close();
        Servers servers;
        servers.Add(folder, {}, {}, QStringLiteral("pubs"), true, folder);
        servers.SaveToRegistry();

        frmMain window;
        window.resize(1180, 700);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            return 1;
        window.findChild<QPushButton*>(QStringLiteral("cmdLoadTables"))->click();

        auto* tables = window.findChild<Grid*>(QStringLiteral("fgTables"));
        int titlesRow = 1;
        for (int row = 1; row < tables->rows(); ++row) {
            const QString name = tables->text(row, TableSelection::Name);
            if (name == QLatin1String("titles"))
                titlesRow = row;
            const CTable* chosen = sample.Tables().GetTable(name);
            if (!chosen)
                continue;
            if (chosen->Insert && chosen->Update && chosen->Delete) {
                clickCell(tables, row, TableSelection::All);
                continue;
            }
            if (chosen->Insert)
                clickCell(tables, row, TableSelection::Insert);
            if (chosen->Update)
                clickCell(tables, row, TableSelection::Update);
            if (chosen->Delete)
                clickCell(tables, row, TableSelection::Delete);
        }
        clickCell(tables, titlesRow, TableSelection::Name);
        auto* fields = window.findChild<Grid*>(QStringLiteral("fgFields"));
        const CTable* titles = sample.Tables().GetTable(QStringLiteral("titles"));
        for (int row = 1; titles && row < fields->rows(); ++row) {
            if (!titles->Columns.Item(row).Include && window.project()
                                                          .Tables()
                                                          .GetTable(QStringLiteral("titles"))
                                                          ->Columns.Item(row)
                                                          .Include)
                clickCell(fields, row, TableSelection::Include);
        }

        QTest::keyClicks(window.findChild<QLineEdit*>(QStringLiteral("txtName")), sample.Name());
        QTest::keyClicks(window.findChild<QLineEdit*>(QStringLiteral("txtAuthor")),
                         sample.Author());
        QTest::keyClicks(window.findChild<QLineEdit*>(QStringLiteral("txtOutputFile")),
                         scratch.filePath(QStringLiteral("pubs-audit.sql")));
        window.findChild<QPushButton*>(QStringLiteral("cmdGenerate"))->click();
        tables->setFocus();
        QTest::qWait(50);

        const QString output = QString::fromLocal8Bit(argv[2]);
        if (!screenshots::save(screenshots::withTitleBar(window, screenshots::TitleBar::MainWindow),
                               output))
            return 1;

        window.findChild<QTabWidget*>(QStringLiteral("tabProject"))->setCurrentIndex(1);
        window.findChild<QCheckBox*>(QStringLiteral("chkUnicode"))->setChecked(true);
        QTest::qWait(50);
        if (!screenshots::save(
                screenshots::withTitleBar(window, screenshots::TitleBar::MainWindow),
                QFileInfo(output).dir().filePath(QStringLiteral("generator-options.png"))))
            return 1;
    } catch (const Error& e) {
        std::fprintf(stderr, "screenshot_generator: %s\n", qPrintable(e.description()));
        return 1;
    }
    return 0;
}
