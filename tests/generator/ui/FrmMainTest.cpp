#include "common/base/Maker.h"
#include "common/db/Connection.h"
#include "common/settings/Servers.h"
#include "common/ui/frmAbout.h"
#include "common/ui/frmServer.h"
#include "generator/driver/BatchRun.h"
#include "generator/driver/CommandLine.h"
#include "generator/project/Project.h"
#include "generator/project/ProjectFile.h"
#include "generator/ui/GeneratorApp.h"
#include "generator/ui/frmSplash.h"
#include "tests/generator/ui/GeneratorWindowTest.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QProgressBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace tallix;
using tallix::test::AuditDatabase;
using tallix::test::GeneratorWindowTest;
using tallix::test::RecordingMessages;
using Answer = IMessages::Answer;

namespace {

constexpr quint32 kPaleYellow = 0x80FFFF;

QByteArray readFile(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << qPrintable(path);
    return f.readAll();
}

// A script without the lines that carry its generation time.
QByteArray timeless(const QByteArray& script)
{
    static const QRegularExpression stamp(QStringLiteral("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d"));
    QByteArray out;
    for (const QByteArray& line : script.split('\n')) {
        if (!stamp.match(QString::fromUtf8(line)).hasMatch())
            out += line + '\n';
    }
    return out;
}

QStringList recentEntries(const frmMain& window)
{
    QStringList out;
    auto* menu = window.findChild<QMenu*>(QStringLiteral("mnuFile"));
    for (QAction* a : menu->actions()) {
        if (a->objectName().startsWith(QLatin1String("ID_MRU")))
            out << a->objectName() + QLatin1Char('=') + a->text();
    }
    return out;
}

class GeneratorWindow : public GeneratorWindowTest {};

} // namespace

TEST_F(GeneratorWindow, LoadsChoosesGeneratesSavesReopensAndMatchesBatchMode)
{
    frmMain& window = open();
    auto* database = child<QComboBox>("cboDatabase");
    EXPECT_EQ(database->currentText(), QStringLiteral("shop"));
    EXPECT_GE(database->findText(QStringLiteral("audit")), 0);
    EXPECT_EQ(child<QComboBox>("cboServer")->currentText(), server.folder());
    EXPECT_FALSE(window.project().IsDirty()) << "the automatic server choice marks nothing";

    click("cmdLoadTables");
    EXPECT_EQ(messages.shownTexts(),
              QStringList{QStringLiteral(
                  "The size of the key is > 900 characters, this table can not be audited!")});
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Tallix Warning"));
    EXPECT_EQ(messages.shown[0].icon, IMessages::Icon::Information);
    EXPECT_EQ(
        rowsOf("fgTables"),
        (QStringList{QStringLiteral(".|.|.|.|Huge"), QStringLiteral(".|.|.|.|Notes"),
                     QStringLiteral(".|.|.|.|OrderLines"), QStringLiteral(".|.|.|.|Orders")}));
    Grid* tables = child<Grid>("fgTables");
    EXPECT_EQ(tables->cellBackColor(1, 0), kPaleYellow);
    EXPECT_EQ(tables->cellBackColor(1, 4), kPaleYellow);
    EXPECT_FALSE(tables->cellBackColor(2, 4).has_value());
    EXPECT_TRUE(window.project().IsDirty()) << "a load of tables asks to save later";
    EXPECT_FALSE(child<QProgressBar>("pbLoad")->isVisible());

    clickCell("fgTables", 4, 0); // Orders: All
    clickCell("fgFields", 2, 0); // Customer not recorded
    EXPECT_EQ(rowsOf("fgFields"), (QStringList{QStringLiteral("x||OrderID|int"),
                                               QStringLiteral(".||Customer|varchar(40)"),
                                               QStringLiteral("x||Total|money")}));
    Grid* fields = child<Grid>("fgFields");
    EXPECT_FALSE(fields->cellPicture(1, 1).isNull()) << "key picture";
    EXPECT_TRUE(fields->cellPicture(2, 1).isNull());
    clickCell("fgTables", 3, 1); // OrderLines: Insert and Delete
    clickCell("fgTables", 3, 3);
    clickCell("fgTables", 2, 2); // Notes: Update; its text column cannot be recorded
    clickCell("fgFields", 2, 0);
    EXPECT_EQ(rowsOf("fgFields"),
              (QStringList{QStringLiteral("x||NoteID|int"), QStringLiteral(".||Body|text"),
                           QStringLiteral("x||Title|nvarchar(50)")}));
    EXPECT_EQ(fields->cellBackColor(2, 3), kPaleYellow);
    // The tool tip follows the cell under the pointer.
    QTest::mouseMove(tables->viewport(), tables->visualRect(tables->model()->index(3, 4)).center());
    EXPECT_EQ(tables->toolTip(), QStringLiteral("OrderLines"));
    clickCell("fgTables", 1, 0); // Huge: marked, nothing changes
    EXPECT_EQ(
        rowsOf("fgTables"),
        (QStringList{QStringLiteral(".|.|.|.|Huge"), QStringLiteral(".|.|x|.|Notes"),
                     QStringLiteral(".|x|.|x|OrderLines"), QStringLiteral("x|x|x|x|Orders")}));

    type("txtName", QStringLiteral("Shop audit"));
    type("txtAuthor", QStringLiteral("QA"));
    const QString output = path(QStringLiteral("scripts/shop-audit.sql"));
    type("txtOutputFile", output);
    messages.answer(Answer::Yes);
    click("cmdGenerate");
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0].text,
              QStringLiteral("Done generating the script.  Would you like to view it?"));
    EXPECT_EQ(messages.asked[0].title, QStringLiteral("Script Generation Complete"));
    EXPECT_EQ(messages.launched, QStringList{output}) << "opened with the default handler";
    const QStringList status = rowsOf("fgStatus");
    ASSERT_EQ(status.size(), 3);
    EXPECT_TRUE(status[0].startsWith(QLatin1String("Notes||||Complete|"))) << qPrintable(status[0]);
    EXPECT_TRUE(status[1].startsWith(QLatin1String("OrderLines||||Complete|")));
    EXPECT_TRUE(status[2].startsWith(QLatin1String("Orders||||Complete|")));
    Grid* statusGrid = child<Grid>("fgStatus");
    EXPECT_TRUE(statusGrid->cellPicture(1, 1).isNull());
    EXPECT_FALSE(statusGrid->cellPicture(1, 2).isNull());
    EXPECT_FALSE(statusGrid->cellPicture(2, 1).isNull());
    EXPECT_TRUE(statusGrid->cellPicture(2, 2).isNull());
    EXPECT_FALSE(statusGrid->cellPicture(2, 3).isNull());
    const QByteArray windowScript = readFile(output);
    EXPECT_TRUE(windowScript.contains("CREATE TRIGGER [OrdersTallixUpdate]") ||
                windowScript.contains("OrdersTallixUpdate"));
    EXPECT_FALSE(windowScript.contains("HugeTallix"));

    messages.chooseFile(path(QStringLiteral("shop")));
    trigger("ID_FileSave");
    const QString saved = path(QStringLiteral("shop.TPX"));
    EXPECT_EQ(window.ProjectPath(), saved);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tallix 2.0 - ") + saved);
    EXPECT_FALSE(window.project().IsDirty());
    EXPECT_EQ(window.recentList().Count(), 0) << "saving does not add to the recent list";

    // Batch mode writes the same script from the saved project.
    const QString batchOutput = path(QStringLiteral("batch.sql"));
    {
        RecordingMessages quiet;
        EXPECT_EQ(RunBatch(CommandLine::parse(
                      {QStringLiteral("/p:") + saved, QStringLiteral("/o:") + batchOutput})),
                  0);
    }
    EXPECT_EQ(timeless(readFile(batchOutput)), timeless(windowScript));
    EXPECT_LT(timeless(windowScript).size(), windowScript.size()) << "the time lines were found";

    // New and open again: the same tables, choices and script.
    trigger("ID_FileNew");
    EXPECT_TRUE(rowsOf("fgTables").isEmpty());
    EXPECT_EQ(child<QLineEdit>("txtName")->text(), QString());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tallix 2.0"));
    messages.chooseFile(saved);
    trigger("ID_FileOpen");
    EXPECT_EQ(child<QLineEdit>("txtName")->text(), QStringLiteral("Shop audit"));
    EXPECT_EQ(child<QComboBox>("cboDatabase")->currentText(), QStringLiteral("shop"));
    EXPECT_EQ(
        rowsOf("fgTables"),
        (QStringList{QStringLiteral(".|.|.|.|Huge"), QStringLiteral(".|.|x|.|Notes"),
                     QStringLiteral(".|x|.|x|OrderLines"), QStringLiteral("x|x|x|x|Orders")}));
    EXPECT_EQ(recentEntries(window), QStringList{QStringLiteral("ID_MRU1=") + saved});
    EXPECT_FALSE(window.project().IsDirty());
    QFile::remove(output);
    messages.answer(Answer::No);
    click("cmdGenerate");
    EXPECT_EQ(timeless(readFile(output)), timeless(windowScript));
    EXPECT_EQ(messages.launched.size(), 1) << "No does not open the script";
}

TEST_F(GeneratorWindow, SaveNamesGetTheProjectExtensionAndSaveAsAlwaysAsks)
{
    frmMain& window = open(false);
    messages.chooseFile(path(QStringLiteral("audit")));
    trigger("ID_FileSave");
    ASSERT_EQ(messages.filesAsked.size(), 1u);
    EXPECT_TRUE(messages.filesAsked[0].save);
    EXPECT_EQ(messages.filesAsked[0].choice.title, QStringLiteral("Save Tallix Project..."));
    EXPECT_EQ(messages.filesAsked[0].choice.filter, QStringLiteral("Tallix Project(*.tpx)"));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("audit.TPX"))));
    EXPECT_EQ(window.ProjectPath(), path(QStringLiteral("audit.TPX")));

    trigger("ID_FileSave"); // a path is known: no dialog
    EXPECT_EQ(messages.filesAsked.size(), 1u);

    messages.chooseFile(path(QStringLiteral("Second.tpx")));
    messages.chooseFile(path(QStringLiteral("third.TpX")));
    trigger("ID_FileSaveAs");
    trigger("ID_FileSaveAs");
    ASSERT_EQ(messages.filesAsked.size(), 3u);
    EXPECT_EQ(messages.filesAsked[1].choice.title, QStringLiteral("Save Tallix Project as..."));
    EXPECT_EQ(messages.filesAsked[1].choice.fileName, path(QStringLiteral("audit.TPX")));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("Second.tpx"))));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("third.TpX"))));

    messages.chooseFile(std::nullopt);
    trigger("ID_FileSaveAs");
    EXPECT_EQ(window.ProjectPath(), path(QStringLiteral("third.TpX")));
    EXPECT_TRUE(messages.shown.empty());

    // A failed write says so and leaves the project marked as changed.
    type("txtName", QStringLiteral("changed"));
    messages.chooseFile(path(QStringLiteral("no/such/folder/x.tpx")));
    trigger("ID_FileSaveAs");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QLatin1String("Save Project Failed! - ")));
    EXPECT_TRUE(window.project().IsDirty());
}

TEST_F(GeneratorWindow, APartlyReadableProjectIsLoadedAsFarAsItGoesAndTheStatusBarSaysSo)
{
    Project project;
    project.setName(QStringLiteral("Cut"));
    const QString whole = project.Save();
    const QString cut = whole.left(whole.indexOf(QLatin1String("<TABLES")));
    QFile file(path(QStringLiteral("cut.tpx")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(cut.toUtf8());
    file.close();

    frmMain& window = open(false);
    messages.chooseFile(path(QStringLiteral("cut.tpx")));
    trigger("ID_FileOpen");
    EXPECT_EQ(child<QLineEdit>("txtName")->text(), QStringLiteral("Cut"));
    EXPECT_TRUE(window.statusBar()->currentMessage().startsWith(
        QLatin1String("The project was read only in part: ")))
        << qPrintable(window.statusBar()->currentMessage());
    EXPECT_TRUE(messages.shown.empty());

    messages.chooseFile(path(QStringLiteral("cut.tpx")));
    ProjectFile::write(path(QStringLiteral("cut.tpx")), whole);
    trigger("ID_FileOpen");
    EXPECT_EQ(window.statusBar()->currentMessage(), QStringLiteral("Done."));
}

TEST_F(GeneratorWindow, OnlyTypingMarksTheProjectForTheSavePrompt)
{
    Project project;
    project.setName(QStringLiteral("Kept"));
    project.setOutputFile(path(QStringLiteral("kept.sql")));
    ProjectFile::write(path(QStringLiteral("kept.tpx")), project.Save());

    frmMain& window = open(false);
    messages.chooseFile(path(QStringLiteral("kept.tpx")));
    trigger("ID_FileOpen");
    EXPECT_EQ(child<QLineEdit>("txtName")->text(), QStringLiteral("Kept"));
    EXPECT_EQ(window.windowTitle(),
              QStringLiteral("Tallix 2.0 - ") + path(QStringLiteral("kept.tpx")));
    trigger("ID_FileNew");
    EXPECT_TRUE(messages.asked.empty()) << "a load alone does not mark the project";
    EXPECT_TRUE(child<QCheckBox>("chkMTS")->isChecked()) << "a new project's options are set";
    EXPECT_FALSE(window.project().IsDirty());

    // An option changed by hand is kept for the save prompt, like typed text.
    child<QCheckBox>("chkSQL2000")->click();
    EXPECT_FALSE(window.project().SpecialSQL2000Handling());
    EXPECT_TRUE(window.project().IsDirty());
    messages.answer(Answer::No);
    trigger("ID_FileNew");
    ASSERT_EQ(messages.asked.size(), 1u);
    messages.asked.clear();

    messages.chooseFile(path(QStringLiteral("kept.tpx")));
    trigger("ID_FileOpen");
    type("txtName", QStringLiteral(" v2"));
    EXPECT_EQ(window.project().Name(), QStringLiteral("Kept v2"));
    messages.answer(Answer::No);
    trigger("ID_FileNew");
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0].text, QStringLiteral("Save current project?"));
    EXPECT_EQ(messages.asked[0].buttons, IMessages::Buttons::YesNo);
    EXPECT_EQ(Project().Name(), QString());
    EXPECT_EQ(window.project().Name(), QString());

    // Yes saves under the known path before the next project replaces this one.
    messages.chooseFile(path(QStringLiteral("kept.tpx")));
    trigger("ID_FileOpen");
    type("txtAuthor", QStringLiteral("Ann"));
    messages.answer(Answer::Yes);
    window.close();
    ASSERT_EQ(messages.asked.size(), 2u);
    Project reread;
    reread.Load(ProjectFile::read(path(QStringLiteral("kept.tpx"))));
    EXPECT_EQ(reread.Author(), QStringLiteral("Ann"));
}

TEST_F(GeneratorWindow, ChoosingAServerByHandFillsTheLoginAndMarksTheProject)
{
    AuditDatabase second;
    Servers servers;
    servers.Add(server.folder(), QString(), QString(), QStringLiteral("shop"), true,
                server.folder());
    servers.Add(second.folder(), QStringLiteral("sa"), QStringLiteral("secret"),
                QStringLiteral("audit"), false, second.folder());
    servers.SaveToRegistry();
    frmMain& window = open(false);
    auto* cboServer = child<QComboBox>("cboServer");
    EXPECT_EQ(cboServer->count(), 2);
    EXPECT_FALSE(window.project().IsDirty());

    emit cboServer->textActivated(second.folder());
    EXPECT_EQ(child<QLineEdit>("txtUsername")->text(), QStringLiteral("sa"));
    EXPECT_EQ(child<QLineEdit>("txtPassword")->text(), QStringLiteral("secret"));
    EXPECT_EQ(child<QComboBox>("cboDatabase")->currentText(), QStringLiteral("audit"));
    EXPECT_EQ(window.project().UserID(), QStringLiteral("sa"));
    EXPECT_TRUE(window.project().IsDirty());

    emit cboServer->textActivated(QStringLiteral("nowhere"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.endsWith(QLatin1String(" (cboServer_Click)")))
        << qPrintable(messages.shown[0].text);
}

TEST_F(GeneratorWindow, StatusRowsFollowTheTableBeingGenerated)
{
    frmMain& window = open(false);
    window.UpdateStatus(QStringLiteral("A"), QStringLiteral("I"), QStringLiteral("Generating"), 0);
    window.UpdateStatus(QStringLiteral("A"), QStringLiteral("I"), QStringLiteral("Complete"), 40);
    window.UpdateStatus(QStringLiteral("A"), QStringLiteral("U"),
                        QStringLiteral("Error : Table does not have any primary key!"), 40);
    window.UpdateStatus(QStringLiteral("B"), QStringLiteral("D"), QStringLiteral("Generating"), 0);
    EXPECT_EQ(rowsOf("fgStatus"),
              (QStringList{QStringLiteral("A||||Error : Table does not have any primary key!|40"),
                           QStringLiteral("B||||Generating|0")}));
    Grid* status = child<Grid>("fgStatus");
    EXPECT_FALSE(status->cellPicture(1, 1).isNull());
    EXPECT_FALSE(status->cellPicture(1, 2).isNull());
    EXPECT_NE(status->cellPicture(1, 1).toImage(), status->cellPicture(1, 2).toImage());
    EXPECT_TRUE(status->cellPicture(1, 3).isNull());
    EXPECT_TRUE(status->cellPicture(2, 3).isNull());
    window.ResetStatus();
    EXPECT_TRUE(rowsOf("fgStatus").isEmpty());

    // A tab in a table name stays in the name's cell, and the row is found again.
    const QString tabbed = QStringLiteral("Odd\tName");
    window.UpdateStatus(tabbed, QStringLiteral("I"), QStringLiteral("Generating"), 0);
    window.UpdateStatus(tabbed, QStringLiteral("I"), QStringLiteral("Complete"), 7);
    EXPECT_EQ(rowsOf("fgStatus"), QStringList{QStringLiteral("Odd\tName||||Complete|7")});
    EXPECT_FALSE(status->cellPicture(1, 1).isNull());
}

TEST_F(GeneratorWindow, SelectAllAndNoneInBothGrids)
{
    frmMain& window = open();
    click("cmdLoadTables");
    window.project().Tables().IsDirty = false;
    click("cmdTablesSelectAll");
    EXPECT_EQ(
        rowsOf("fgTables"),
        (QStringList{QStringLiteral("x|x|x|x|Huge"), QStringLiteral("x|x|x|x|Notes"),
                     QStringLiteral("x|x|x|x|OrderLines"), QStringLiteral("x|x|x|x|Orders")}));
    EXPECT_FALSE(window.project().IsDirty());
    clickCell("fgTables", 2, 3); // Notes: Delete off, so All goes off too
    EXPECT_EQ(rowsOf("fgTables").at(1), QStringLiteral(".|x|x|.|Notes"));
    click("cmdTablesSelectNone");
    EXPECT_EQ(rowsOf("fgTables").at(0), QStringLiteral(".|.|.|.|Huge"));

    clickCell("fgTables", 2, 4); // show Notes
    click("cmdFieldSelectNone");
    EXPECT_EQ(rowsOf("fgFields"),
              (QStringList{QStringLiteral(".||NoteID|int"), QStringLiteral(".||Body|text"),
                           QStringLiteral(".||Title|nvarchar(50)")}));
    EXPECT_TRUE(window.project().IsDirty());
    window.project().Tables().Item(QStringLiteral("Notes")).Columns.Item(2).Include = true;
    clickCell("fgTables", 2, 4);
    click("cmdFieldSelectNone");
    EXPECT_EQ(rowsOf("fgFields").at(1), QStringLiteral("x||Body|text"))
        << "a pale-yellow row keeps its mark";
    click("cmdFieldsSelectAll");
    EXPECT_EQ(rowsOf("fgFields"),
              (QStringList{QStringLiteral("x||NoteID|int"), QStringLiteral("x||Body|text"),
                           QStringLiteral("x||Title|nvarchar(50)")}));

    // Loading again asks first; No keeps the list and both grids as they were.
    messages.answer(Answer::No);
    click("cmdLoadTables");
    EXPECT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(rowsOf("fgTables").size(), 4);
    EXPECT_EQ(rowsOf("fgFields").size(), 3);
    EXPECT_EQ(child<Grid>("fgTables")->currentRow(), 2);
}

TEST_F(GeneratorWindow, RecentProjectsNewestFirstFoldedAndAtMostFive)
{
    QStringList paths;
    for (int i = 1; i <= 6; ++i) {
        Project project;
        project.setName(QStringLiteral("P%1").arg(i));
        paths << path(QStringLiteral("p%1.tpx").arg(i));
        ProjectFile::write(paths.last(), project.Save());
    }
    {
        frmMain& window = open(false);
        EXPECT_TRUE(recentEntries(window).isEmpty());
        for (const QString& p : paths) {
            messages.chooseFile(p);
            trigger("ID_FileOpen");
        }
        // The same name in other letter case is the same entry (one file on Windows; here a
        // copy, so that it loads).
        const QString upper = path(QStringLiteral("P3.TPX"));
        QFile::copy(paths[2], upper);
        messages.chooseFile(upper);
        trigger("ID_FileOpen");
        EXPECT_TRUE(messages.shown.empty()) << qPrintable(messages.shownTexts().join(u'\n'));
        EXPECT_EQ(recentEntries(window), (QStringList{QStringLiteral("ID_MRU1=") + upper,
                                                      QStringLiteral("ID_MRU2=") + paths[5],
                                                      QStringLiteral("ID_MRU3=") + paths[4],
                                                      QStringLiteral("ID_MRU4=") + paths[3],
                                                      QStringLiteral("ID_MRU5=") + paths[1]}));
        // A failed load is not added.
        messages.chooseFile(path(QStringLiteral("missing.tpx")));
        trigger("ID_FileOpen");
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_TRUE(messages.shown[0].text.startsWith(QLatin1String("Load Project Failed! - ")));
        EXPECT_EQ(messages.shown[0].title, QStringLiteral("Tallix Error"));
        EXPECT_EQ(recentEntries(window).size(), 5);
        window.close();
    }
    EXPECT_EQ(m_store.readValue(RegistryRoot::CurrentUser, tallixRegistryKey(),
                                QStringLiteral("RecentFiles5")),
              paths[1]);
    EXPECT_EQ(m_store.readValue(RegistryRoot::CurrentUser, tallixRegistryKey(),
                                QStringLiteral("RecentFiles6")),
              QString());

    // The next run lists them again; an entry reopens its project without a dialog.
    m_window.reset();
    frmMain& again = open(false);
    EXPECT_EQ(recentEntries(again).size(), 5);
    trigger("ID_MRU3");
    EXPECT_EQ(again.ProjectPath(), paths[4]);
    EXPECT_EQ(child<QLineEdit>("txtName")->text(), QStringLiteral("P5"));
    EXPECT_TRUE(messages.filesAsked.size() == 8u);
    EXPECT_EQ(recentEntries(again).first(), QStringLiteral("ID_MRU1=") + paths[4]);
}

TEST_F(GeneratorWindow, GenerateWithoutAnOutputFileWarnsAndWritesNothing)
{
    frmMain& window = open();
    click("cmdLoadTables");
    click("cmdTablesSelectAll");
    messages.shown.clear();
    click("cmdGenerate");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("You must provide an output path/filename."));
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Tallix Warning"));
    EXPECT_EQ(messages.shown[0].icon, IMessages::Icon::Critical);
    EXPECT_TRUE(messages.asked.empty());
    EXPECT_TRUE(rowsOf("fgStatus").isEmpty());
    static_cast<void>(window);
}

TEST_F(GeneratorWindow, AScriptThatCannotBeWrittenSaysWhereAndWhyAndOffersNoView)
{
    open();
    click("cmdLoadTables");
    click("cmdTablesSelectAll");
    // A path below a regular file cannot be created, even by root.
    const QString blocker = path(QStringLiteral("blocker"));
    ASSERT_TRUE(QFile(blocker).open(QIODevice::WriteOnly));
    const QString output = blocker + QStringLiteral("/audit.sql");
    type("txtOutputFile", output);
    messages.shown.clear();
    click("cmdGenerate");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(
        QStringLiteral("The script could not be written to ") + output + QStringLiteral(": ")))
        << qPrintable(messages.shown[0].text);
    EXPECT_GT(
        messages.shown[0].text.size(),
        (QStringLiteral("The script could not be written to ") + output + QStringLiteral(": "))
            .size())
        << "the system's reason follows";
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Tallix Error"));
    EXPECT_EQ(messages.shown[0].icon, IMessages::Icon::Critical);
    EXPECT_TRUE(messages.asked.empty()) << "no offer to view a script that is not there";
    EXPECT_TRUE(messages.launched.isEmpty());
    EXPECT_FALSE(QFile::exists(output));
}

TEST_F(GeneratorWindow, RemovalScriptIsWrittenToTheTemporaryFolderAndOpened)
{
    open();
    click("cmdLoadTables");
    trigger("ID_RemoveTallix");
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text,
              QStringLiteral("Done generating the removal script.  Click OK to view it."));
    EXPECT_EQ(messages.shown[1].title, QStringLiteral("Removal Script Generation Complete"));
    ASSERT_EQ(messages.launched.size(), 1);
    const QString script = messages.launched[0];
    static const QRegularExpression name(
        QStringLiteral("/TallixRemoval_shop_\\d{8}_\\d{6}\\.SQL$"));
    EXPECT_TRUE(name.match(script).hasMatch()) << qPrintable(script);
    EXPECT_TRUE(script.startsWith(QDir::tempPath()));
    const QByteArray text = readFile(script);
    EXPECT_TRUE(text.contains("USE [shop]"));
    EXPECT_TRUE(text.contains("OrdersTallix"));
    QFile::remove(script);
}

TEST_F(GeneratorWindow, TheServerButtonOpensTheServerDialogAndRefillsTheLists)
{
    frmMain& window = open();
    child<QComboBox>("cboDatabase")->setEditText(QStringLiteral("audit"));
    QString shownWith;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<frmServer*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shownWith = dialog->CurrentServerName();
        dialog->reject();
    });
    click("cmdAddServer");
    EXPECT_EQ(shownWith, server.folder());
    // The lists were filled again: the default server and its default database.
    EXPECT_EQ(child<QComboBox>("cboDatabase")->currentText(), QStringLiteral("shop"));
    EXPECT_EQ(child<QComboBox>("cboServer")->count(), 1);
    static_cast<void>(window);
}

TEST_F(GeneratorWindow, ACommandLineWithoutProjectOptionOpensTheWindowOnThatProject)
{
    Project project;
    project.setName(QStringLiteral("From the command line"));
    ProjectFile::write(path(QStringLiteral("my project.tpx")), project.Save());

    EXPECT_TRUE(opensWindow(CommandLine::parse({})));
    const CommandLine words = CommandLine::parse(
        {QStringLiteral("\"") + path(QStringLiteral("my project.tpx")) + QStringLiteral("\"")});
    EXPECT_TRUE(opensWindow(words));
    EXPECT_FALSE(opensWindow(CommandLine::parse({QStringLiteral("/p:x.tpx")})));
    EXPECT_FALSE(opensWindow(CommandLine::parse({QStringLiteral("/o:x.sql")})));

    frmMain& window = open(false);
    openProjectArgument(window, words.others);
    EXPECT_TRUE(messages.shown.empty()) << qPrintable(messages.shownTexts().join(u'\n'));
    EXPECT_EQ(window.ProjectPath(), path(QStringLiteral("my project.tpx")));
    EXPECT_EQ(child<QLineEdit>("txtName")->text(), QStringLiteral("From the command line"));
}

TEST_F(GeneratorWindow, HelpAndWebCommandsGoToTheDefaultHandler)
{
    open(false);
    trigger("ID_HelpContents");
    trigger("ID_HelpIndex");
    trigger("ID_VeltorinSupport");
    ASSERT_EQ(messages.launched.size(), 3);
    EXPECT_TRUE(messages.launched[0].endsWith(QLatin1String("/What_is_Tallix.htm")));
    EXPECT_EQ(messages.launched[1], messages.launched[0]);
    EXPECT_EQ(messages.launched[2], makerWebSite() + QStringLiteral("Support_Menu.asp"));

    messages.launchResult = IMessages::LaunchResult::FileNotFound;
    trigger("ID_HelpContents");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.endsWith(QLatin1String(".' File not found.")));
}

TEST_F(GeneratorWindow, ArrowKeysInTheTablesGridShowTheFieldsOfTheNewRow)
{
    open();
    click("cmdLoadTables");
    clickCell("fgTables", 4, 4); // Orders
    EXPECT_EQ(rowsOf("fgFields").first(), QStringLiteral("x||OrderID|int"));
    QTest::keyClick(child<Grid>("fgTables"), Qt::Key_Up);
    EXPECT_EQ(rowsOf("fgFields").at(1), QStringLiteral("x||LineNo|smallint"));

    // Other keys move the current row without showing its fields; a click in the fields then
    // still changes the table whose fields are shown, not the one in the current row.
    QTest::keyClick(child<Grid>("fgTables"), Qt::Key_PageUp);
    ASSERT_EQ(child<Grid>("fgTables")->currentRow(), 1);
    clickCell("fgFields", 3, 0);
    EXPECT_EQ(rowsOf("fgFields").at(2), QStringLiteral(".||Qty|int"));
    const CTables& tables = m_window->project().Tables();
    EXPECT_FALSE(tables.Item(QStringLiteral("OrderLines")).Columns.Item(3).Include);
    EXPECT_EQ(tables.Item(QStringLiteral("Huge")).Columns.Count(), 2);
    EXPECT_TRUE(tables.Item(QStringLiteral("Huge")).Columns.Item(2).Include);
}

TEST(GeneratorSplash, ShowsTitleVersionAndBuildAndIgnoresInput)
{
    frmSplash splash;
    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("lblTitle"))->text(),
              QStringLiteral("Tallix"));
    EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
              QStringLiteral("Version 2.0"));
    EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("lblBuild"))->text(),
              QStringLiteral("Build 9"));
    QTest::keyClick(&splash, Qt::Key_Escape);
    QTest::mouseClick(&splash, Qt::LeftButton);
    EXPECT_TRUE(splash.isVisible());
}

TEST_F(GeneratorWindow, AboutShowsTheAboutBoxModally)
{
    open(false);
    QString title;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        box->accept();
    });
    trigger("ID_HelpAbout");
    EXPECT_EQ(title, QStringLiteral("About Tallix"));
}

TEST(GeneratorProgram, BatchModeCreatesNoWindowAndNeedsNoDisplay)
{
    // A platform that does not exist would end any program that starts the GUI.
    QTemporaryDir dir;
    const QString output = dir.filePath(QStringLiteral("pubs.sql"));
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    run.setProcessEnvironment(env);
    run.start(QStringLiteral(TALLIX_GEN_PATH),
              {QStringLiteral("/p:" TALLIX_SOURCE_DIR "/examples/pubs.tpx"),
               QStringLiteral("/o:") + output});
    ASSERT_TRUE(run.waitForFinished(60000));
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().constData();
    EXPECT_GT(QFileInfo(output).size(), 10000);
}

TEST_F(GeneratorWindow, ALoadThatCannotConnectSaysWhyAndLeavesAnEmptyList)
{
    frmMain& window = open();
    child<QComboBox>("cboDatabase")->setEditText(QStringLiteral("missing"));
    click("cmdLoadTables");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QLatin1String("Error (LoadTables) - ")))
        << qPrintable(messages.shown[0].text);
    EXPECT_TRUE(rowsOf("fgTables").isEmpty());
    EXPECT_FALSE(child<QProgressBar>("pbLoad")->isVisible());
    EXPECT_EQ(window.statusBar()->currentMessage(),
              QStringLiteral("The tables could not be loaded."));

    // The window goes on working.
    child<QComboBox>("cboDatabase")->setEditText(QStringLiteral("shop"));
    click("cmdLoadTables");
    EXPECT_EQ(rowsOf("fgTables").size(), 4);
}

TEST_F(GeneratorWindow, LoadTablesOverAnOpenListSaysWhatTheDatabaseChanged)
{
    frmMain& window = open();
    click("cmdLoadTables");
    EXPECT_EQ(window.statusBar()->currentMessage(), QStringLiteral("Done."));

    messages.answer(Answer::Yes); // discard the current list
    click("cmdLoadTables");
    EXPECT_EQ(window.statusBar()->currentMessage(), QStringLiteral("Done."));

    {
        Connection c(server.connectionString(QStringLiteral("shop")));
        c.Open();
        c.Execute(QStringLiteral("ALTER TABLE Orders ADD Note varchar(10); DROP TABLE Notes"));
    }
    messages.answer(Answer::Yes);
    click("cmdLoadTables");
    EXPECT_EQ(window.statusBar()->currentMessage(),
              QStringLiteral("Done. 2 change(s): column added: Orders.Note varchar(10); table "
                             "removed: Notes"));
}
