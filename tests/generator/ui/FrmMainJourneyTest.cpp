// Whole uses of the generator's window where something is cancelled or fails half-way: what the
// user had must still be there afterwards, and nothing may be written from a form that was
// emptied behind the user's back.

#include "common/settings/ConnectionString.h"
#include "generator/project/Project.h"
#include "generator/project/ProjectFile.h"
#include "tests/generator/ui/GeneratorWindowTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>
#include <QToolTip>

using namespace tallix;
using tallix::test::fileBytes;
using tallix::test::GeneratorWindowTest;
using Answer = IMessages::Answer;

namespace {

class GeneratorJourney : public GeneratorWindowTest {
protected:
    // What the user sees of the project, and what the window holds of it.
    struct Seen {
        QString name, author, output, server, database, caption, path;
        bool mts, sql2000, dirty;
        QStringList tables, fields;
        bool operator==(const Seen&) const = default;
    };
    Seen seen() const
    {
        return {child<QLineEdit>("txtName")->text(),
                child<QLineEdit>("txtAuthor")->text(),
                child<QLineEdit>("txtOutputFile")->text(),
                child<QComboBox>("cboServer")->currentText(),
                child<QComboBox>("cboDatabase")->currentText(),
                m_window->windowTitle(),
                m_window->ProjectPath(),
                child<QCheckBox>("chkMTS")->isChecked(),
                child<QCheckBox>("chkSQL2000")->isChecked(),
                m_window->project().IsDirty(),
                rowsOf("fgTables"),
                rowsOf("fgFields")};
    }

    struct Run {
        int exitCode = -1;
        QString err;
    };
    static Run batch(const QString& project, const QString& output)
    {
        QProcess p;
        p.start(QStringLiteral(TALLIX_GEN_PATH),
                {QStringLiteral("/p:") + project, QStringLiteral("/o:") + output});
        if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
            return {};
        return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardError())};
    }
};

} // namespace

TEST_F(GeneratorJourney, CancellingOpenOrOpeningAnUnreadableFileChangesNothingAndSaveKeepsTheFile)
{
    frmMain& window = open();
    click("cmdLoadTables");
    clickCell("fgTables", 4, 0); // Orders: every action
    clickCell("fgFields", 2, 0); // Customer not recorded
    type("txtName", QStringLiteral("Shop"));
    type("txtOutputFile", path(QStringLiteral("shop.sql")));
    messages.chooseFile(path(QStringLiteral("shop.tpx")));
    trigger("ID_FileSave");
    type("txtAuthor", QStringLiteral("Ann"));
    const Seen before = seen();
    ASSERT_TRUE(before.dirty);
    ASSERT_FALSE(before.sql2000);
    messages.shown.clear();

    messages.answer(Answer::No); // do not save first
    messages.chooseFile(std::nullopt);
    trigger("ID_FileOpen");
    EXPECT_EQ(messages.asked.size(), 1u);
    EXPECT_TRUE(seen() == before) << qPrintable(seen().caption);
    EXPECT_TRUE(messages.shown.empty());

    messages.answer(Answer::No);
    messages.chooseFile(path(QStringLiteral("missing.tpx")));
    trigger("ID_FileOpen");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QLatin1String("Load Project Failed! - ")));
    EXPECT_TRUE(seen() == before) << qPrintable(seen().path);

    // Save writes the project as the form shows it over its own file, and batch mode runs it.
    trigger("ID_FileSave");
    Project reread;
    reread.Load(ProjectFile::read(path(QStringLiteral("shop.tpx"))));
    EXPECT_EQ(reread.Name(), QStringLiteral("Shop"));
    EXPECT_EQ(reread.Author(), QStringLiteral("Ann"));
    EXPECT_EQ(reread.Server(), server.folder());
    EXPECT_EQ(reread.DB(), QStringLiteral("shop"));
    EXPECT_FALSE(reread.SpecialSQL2000Handling());
    ASSERT_EQ(reread.Tables().Count(), 4);
    EXPECT_TRUE(reread.Tables().Item(QStringLiteral("Orders")).Delete);
    EXPECT_FALSE(reread.Tables().Item(QStringLiteral("Orders")).Columns.Item(2).Include);
    const Run run = batch(path(QStringLiteral("shop.tpx")), path(QStringLiteral("batch.sql")));
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_TRUE(fileBytes(path(QStringLiteral("batch.sql"))).contains("USE [shop]\r\n"));
    static_cast<void>(window);
}

TEST_F(GeneratorJourney, NewSaveAsAndARecentEntryChangeNothingUntilTheirDialogAndFileWentThrough)
{
    Project gone;
    gone.setName(QStringLiteral("Gone"));
    ProjectFile::write(path(QStringLiteral("gone.tpx")), gone.Save());
    frmMain& window = open();
    messages.chooseFile(path(QStringLiteral("gone.tpx")));
    trigger("ID_FileOpen");
    QFile::remove(path(QStringLiteral("gone.tpx")));
    trigger("ID_FileNew");
    child<QComboBox>("cboServer")->setEditText(server.folder());
    child<QComboBox>("cboDatabase")->setEditText(QStringLiteral("shop"));
    click("cmdLoadTables");
    ASSERT_EQ(messages.shownTexts().size(), 1) << "the key of Huge is too long";
    messages.shown.clear();
    type("txtName", QStringLiteral("Fresh"));

    // New: Yes to saving, then the save dialog is cancelled: the project stays.
    Seen before = seen();
    messages.answer(Answer::Yes);
    messages.chooseFile(std::nullopt);
    trigger("ID_FileNew");
    EXPECT_EQ(messages.filesAsked.size(), 2u);
    EXPECT_TRUE(seen() == before);
    EXPECT_EQ(window.project().Tables().Count(), 4);
    // Closing the window the same way keeps it open.
    messages.answer(Answer::Yes);
    messages.chooseFile(std::nullopt);
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(seen() == before);

    // Save As: cancelled, or failing to write, keeps the file name and the caption.
    messages.chooseFile(path(QStringLiteral("fresh")));
    trigger("ID_FileSaveAs");
    const QString fresh = path(QStringLiteral("fresh.TPX"));
    ASSERT_EQ(window.ProjectPath(), fresh);
    type("txtName", QStringLiteral(" 2"));
    before = seen();
    messages.chooseFile(std::nullopt);
    trigger("ID_FileSaveAs");
    EXPECT_TRUE(seen() == before);
    messages.chooseFile(path(QStringLiteral("no/such/folder/x.tpx")));
    trigger("ID_FileSaveAs");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QLatin1String("Save Project Failed! - ")));
    EXPECT_TRUE(seen() == before) << qPrintable(seen().path);

    // A recent entry whose file is gone: the failure, and nothing else.
    messages.answer(Answer::No);
    trigger("ID_MRU1");
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(messages.shown[1].text.startsWith(QLatin1String("Load Project Failed! - ")));
    EXPECT_TRUE(seen() == before) << qPrintable(seen().path);

    // So Save writes this project to its own file, not to the entry's.
    trigger("ID_FileSave");
    Project reread;
    reread.Load(ProjectFile::read(fresh));
    EXPECT_EQ(reread.Name(), QStringLiteral("Fresh 2"));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("gone.tpx"))));
}

TEST_F(GeneratorJourney, AFailedLoadOfTablesKeepsThePreviousListWithItsTicks)
{
    frmMain& window = open();
    click("cmdLoadTables");
    clickCell("fgTables", 4, 0); // Orders: every action
    clickCell("fgFields", 2, 0); // Customer not recorded
    const QStringList tables = rowsOf("fgTables");
    const QStringList fields = rowsOf("fgFields");
    messages.shown.clear();

    child<QComboBox>("cboDatabase")->setEditText(QStringLiteral("missing"));
    messages.answer(Answer::Yes);
    click("cmdLoadTables");
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0].text,
              QStringLiteral("Do you want to discard the current table list?"));
    EXPECT_EQ(messages.asked[0].title, QStringLiteral("Tallix Warning"));
    EXPECT_EQ(messages.asked[0].buttons, IMessages::Buttons::YesNo);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QLatin1String("Error (LoadTables) - ")));
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Tallix"));
    EXPECT_EQ(messages.shown[0].icon, IMessages::Icon::Critical);
    EXPECT_EQ(rowsOf("fgTables"), tables);
    EXPECT_EQ(rowsOf("fgFields"), fields);
    const CTable& orders = window.project().Tables().Item(QStringLiteral("Orders"));
    EXPECT_TRUE(orders.Insert && orders.Update && orders.Delete);
    EXPECT_FALSE(orders.Columns.Item(2).Include);
    EXPECT_EQ(window.statusBar()->currentMessage(),
              QStringLiteral("The tables could not be loaded; the previous list is kept."));

    // A load that works replaces the list.
    child<QComboBox>("cboDatabase")->setEditText(QStringLiteral("shop"));
    messages.answer(Answer::Yes);
    click("cmdLoadTables");
    EXPECT_EQ(rowsOf("fgTables").at(3), QStringLiteral(".|.|.|.|Orders"));
    EXPECT_TRUE(rowsOf("fgFields").isEmpty());
    EXPECT_EQ(window.statusBar()->currentMessage(), QStringLiteral("Done."));
}

TEST_F(GeneratorJourney, WithoutAServerLoadingTablesAsksForOne)
{
    frmMain& window = open(false);
    ASSERT_EQ(child<QComboBox>("cboServer")->count(), 0);
    click("cmdLoadTables");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, noServerChosenText());
    EXPECT_EQ(window.statusBar()->currentMessage(), noServerChosenText());

    // A blank name is no server either.
    child<QComboBox>("cboServer")->setEditText(QStringLiteral("  "));
    click("cmdLoadTables");
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, noServerChosenText());
    EXPECT_TRUE(rowsOf("fgTables").isEmpty());
}

TEST_F(GeneratorJourney, GreyedColumnsAndTheOptionsSayWhatTheyMean)
{
    open();
    click("cmdLoadTables");
    clickCell("fgTables", 2, 4); // Notes: its Body is a text column
    Grid* fields = child<Grid>("fgFields");
    const QRect body = fields->visualRect(fields->model()->index(2, 2));
    QTest::mouseMove(fields->viewport(), body.center());
    QHelpEvent help(QEvent::ToolTip, body.center(), fields->viewport()->mapToGlobal(body.center()));
    QApplication::sendEvent(fields->viewport(), &help);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(),
              QStringLiteral("Body is not recorded: the triggers cannot read large-object values "
                             "(text, ntext, image, and the (max) types)."));
    // Cells that can be recorded show their own text.
    const QRect title = fields->visualRect(fields->model()->index(3, 2));
    QHelpEvent other(QEvent::ToolTip, title.center(),
                     fields->viewport()->mapToGlobal(title.center()));
    QApplication::sendEvent(fields->viewport(), &other);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Title"));

    // The table whose key is too long says so too.
    Grid* tables = child<Grid>("fgTables");
    const QRect huge = tables->visualRect(tables->model()->index(1, 4));
    QHelpEvent large(QEvent::ToolTip, huge.center(),
                     tables->viewport()->mapToGlobal(huge.center()));
    QApplication::sendEvent(tables->viewport(), &large);
    EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("900"))) << qPrintable(QToolTip::text());
    QToolTip::hideText();

    EXPECT_TRUE(child<QCheckBox>("chkMTS")->toolTip().contains(QStringLiteral("<<user>>")));
    EXPECT_TRUE(child<QCheckBox>("chkSQL2000")->toolTip().contains(QStringLiteral("not change")));
}

TEST_F(GeneratorJourney, UnicodeAuditDataIsGeneratedSavedReopenedAndRunInBatchMode)
{
    frmMain& window = open();
    QCheckBox* unicode = child<QCheckBox>("chkUnicode");
    EXPECT_FALSE(unicode->isChecked());
    EXPECT_TRUE(unicode->toolTip().contains(QStringLiteral("SQL Server 2005")));
    unicode->click();
    EXPECT_TRUE(window.project().IsDirty());
    click("cmdLoadTables");
    messages.shown.clear();      // keys too long for the layout are told, as always
    clickCell("fgTables", 4, 0); // Orders: every action
    type("txtOutputFile", path(QStringLiteral("unicode.sql")));
    messages.answer(Answer::No); // do not open the script
    click("cmdGenerate");
    EXPECT_TRUE(messages.shown.empty());
    const QByteArray script = fileBytes(path(QStringLiteral("unicode.sql")));
    EXPECT_TRUE(script.contains("    Data            nvarchar(max)      NOT NULL,\r\n"));
    EXPECT_TRUE(script.contains("CAST(N'<AUDIT>' AS NVARCHAR(MAX))"));

    messages.chooseFile(path(QStringLiteral("unicode.tpx")));
    trigger("ID_FileSave");
    Project reread;
    reread.Load(ProjectFile::read(path(QStringLiteral("unicode.tpx"))));
    EXPECT_TRUE(reread.UnicodeAuditData());
    const Run run = batch(path(QStringLiteral("unicode.tpx")), path(QStringLiteral("batch.sql")));
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);

    // Batch mode writes what the window wrote, but for the generation times.
    const auto timeless = [](QByteArray text) {
        return QString::fromUtf8(text).remove(
            QRegularExpression(QStringLiteral("-- Generated on [^\r]*")));
    };
    EXPECT_EQ(timeless(fileBytes(path(QStringLiteral("batch.sql")))), timeless(script));
    trigger("ID_FileNew");
    EXPECT_FALSE(unicode->isChecked()) << "a new project records narrow text";
    messages.chooseFile(path(QStringLiteral("unicode.tpx")));
    trigger("ID_FileOpen");
    EXPECT_TRUE(unicode->isChecked());
    EXPECT_FALSE(window.project().IsDirty());
}

TEST_F(GeneratorJourney, AProjectWithoutADatabaseGivesNoScriptInTheWindowNorInBatchMode)
{
    frmMain& window = open(false);
    type("txtOutputFile", path(QStringLiteral("empty.sql")));
    messages.chooseFile(path(QStringLiteral("empty")));
    trigger("ID_FileSave");
    const QString project = path(QStringLiteral("empty.TPX"));
    ASSERT_TRUE(QFile::exists(project));

    const Run run = batch(project, path(QStringLiteral("batch.sql")));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("names no database"))) << qPrintable(run.err);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("batch.sql"))));

    trigger("ID_RemoveTallix");
    EXPECT_FALSE(window.project().IsDirty()) << "the removal script changes nothing";
    click("cmdGenerate");
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(
        messages.shown[0].text.startsWith(QLatin1String("Error (GenerateRemoveScript) - ")));
    EXPECT_TRUE(messages.shown[1].text.startsWith(QLatin1String("Error (GenerateScript) - ")));
    EXPECT_TRUE(messages.asked.empty()) << "no offer to view a script";
    EXPECT_TRUE(messages.launched.isEmpty());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("empty.sql"))));
}

TEST_F(GeneratorJourney, WithSeveralDefaultsTheLastOneIsChosenAsInTheViewer)
{
    test::AuditDatabase first;
    Servers servers;
    servers.Add(first.folder(), QString(), QString(), QStringLiteral("audit"), true,
                first.folder());
    servers.Add(QStringLiteral("not marked"), QString(), QString(), QString(), false,
                QStringLiteral("not marked"));
    servers.Add(server.folder(), QString(), QString(), QStringLiteral("shop"), true,
                server.folder());
    servers.SaveToRegistry();
    open(false);
    EXPECT_EQ(child<QComboBox>("cboServer")->count(), 3);
    EXPECT_EQ(child<QComboBox>("cboServer")->currentText(), server.folder());
    EXPECT_EQ(child<QComboBox>("cboDatabase")->currentText(), QStringLiteral("shop"));
    EXPECT_GE(child<QComboBox>("cboDatabase")->findText(QStringLiteral("audit")), 0);
    EXPECT_TRUE(messages.shown.empty()) << qPrintable(messages.shownTexts().join(u'|'));
}
