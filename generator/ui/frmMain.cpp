#include "generator/ui/frmMain.h"

#include "common/base/Error.h"
#include "common/base/HelpFile.h"
#include "common/base/Maker.h"
#include "common/base/Messages.h"
#include "common/base/ProgramInfo.h"
#include "common/base/Version.h"
#include "common/db/Connection.h"
#include "common/db/DatabaseList.h"
#include "common/script/ScriptFile.h"
#include "common/settings/ConnectionString.h"
#include "common/ui/Grid.h"
#include "common/ui/HourglassCursor.h"
#include "common/ui/ServerAdd.h"
#include "common/ui/frmAbout.h"
#include "controls/KwCommand.h"
#include "controls/KwPanel.h"
#include "generator/discovery/SchemaDiscovery.h"
#include "generator/driver/ScriptDriver.h"
#include "generator/project/Project.h"
#include "generator/project/ProjectFile.h"
#include "generator/ui/GeneratorImages.h"
#include "generator/ui/StatusGrid.h"
#include "generator/ui/TableGrids.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace tallix {

namespace {

const QString kCaption = QStringLiteral("Tallix 2.0");
const QString kWarning = QStringLiteral("Tallix Warning");
const QString kProjectFilter = QStringLiteral("Tallix Project(*.tpx)");
constexpr int kWidthTwips = 13000, kHeightTwips = 9000;
constexpr int kMinWidthTwips = 11000, kMinHeightTwips = 8200;
constexpr int kRecentCapacity = 5;

// Sets Initializing on the project for the guard's lifetime.
class Initializing {
public:
    explicit Initializing(Project& project)
        : m_project(project)
    {
        m_project.setInitializing(true);
    }
    ~Initializing() { m_project.setInitializing(false); }
    Initializing(const Initializing&) = delete;
    Initializing& operator=(const Initializing&) = delete;

private:
    Project& m_project;
};

QPushButton* button(const char* name, const QString& text, QWidget* parent)
{
    auto* b = new Solido::KwCommand(text, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

template <typename W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

void notWritten(const QString& path, const QString& reason)
{
    messages().showMessage(
        QStringLiteral("The script could not be written to %1: %2").arg(path, reason),
        QStringLiteral("Tallix Error"), IMessages::Icon::Critical);
}

// What a script run could not do, each in its own box as it happened.
void showFailures(const QStringList& failures)
{
    for (const QString& failure : failures)
        messages().showMessage(failure, generatorTitle(), IMessages::Icon::Critical);
}

QLabel* caption(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

} // namespace

frmMain::frmMain(QWidget* parent)
    : QMainWindow(parent)
    , m_project(std::make_unique<Project>())
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(kCaption);
    buildControls();
    buildCommands();

    // Window load
    resize(twips(kWidthTwips), twips(kHeightTwips));
    setMinimumSize(twips(kMinWidthTwips), twips(kMinHeightTwips));
    m_mru.setNumber(kRecentCapacity);
    m_mru.Load();
    m_pbLoad->hide();
    m_tabProject->setCurrentIndex(0);
    m_servers.LoadFromRegistry();
    LoadServerComboBox();
    refreshRecentMenu();
}

frmMain::~frmMain()
{
    m_mru.Save();
}

int frmMain::twips(int value) const
{
    return value * logicalDpiX() / 1440;
}

void frmMain::buildControls()
{
    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(twips(50), twips(120), twips(50), 0);
    m_spltMain = named(new QSplitter(Qt::Horizontal, central), "spltMain");
    outer->addWidget(m_spltMain);
    setCentralWidget(central);

    // Options pane: the project tabs, the two main commands and the generation status.
    auto* panOptions = named(new Solido::KwPanel(m_spltMain), "panOptions");
    auto* options = new QVBoxLayout(panOptions);
    m_tabProject = named(new QTabWidget(panOptions), "tabProject");
    auto* projectTab = new QWidget(m_tabProject);
    auto* form = new QFormLayout(projectTab);
    m_txtName = named(new QLineEdit(projectTab), "txtName");
    m_txtAuthor = named(new QLineEdit(projectTab), "txtAuthor");
    m_txtOutputFile = named(new QLineEdit(projectTab), "txtOutputFile");
    m_cmdOutputFile = button("cmdOutputFile", QStringLiteral("View"), projectTab);
    m_cmdOutputFile->setToolTip(QStringLiteral("Open the output file"));
    auto* outputRow = new QHBoxLayout;
    outputRow->addWidget(m_txtOutputFile);
    outputRow->addWidget(m_cmdOutputFile);
    m_cboServer = named(new QComboBox(projectTab), "cboServer");
    m_cboServer->setEditable(true);
    m_cboServer->setInsertPolicy(QComboBox::NoInsert);
    m_cmdAddServer = button("cmdAddServer", QStringLiteral("Add..."), projectTab);
    m_cmdAddServer->setToolTip(QStringLiteral("Register a server"));
    auto* serverRow = new QHBoxLayout;
    serverRow->addWidget(m_cboServer, 1);
    serverRow->addWidget(m_cmdAddServer);
    m_cboDatabase = named(new QComboBox(projectTab), "cboDatabase");
    m_cboDatabase->setEditable(true);
    m_cboDatabase->setInsertPolicy(QComboBox::NoInsert);
    m_txtUsername = named(new QLineEdit(projectTab), "txtUsername");
    m_txtPassword = named(new QLineEdit(projectTab), "txtPassword");
    m_txtPassword->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("Name:"), m_txtName);
    form->addRow(QStringLiteral("Author:"), m_txtAuthor);
    form->addRow(QStringLiteral("Output file:"), outputRow);
    form->addRow(QStringLiteral("Server:"), serverRow);
    form->addRow(QStringLiteral("Database:"), m_cboDatabase);
    form->addRow(QStringLiteral("User name:"), m_txtUsername);
    form->addRow(QStringLiteral("Password:"), m_txtPassword);
    m_tabProject->addTab(projectTab, QStringLiteral("Project"));
    auto* optionsTab = new QWidget(m_tabProject);
    auto* optionsLayout = new QVBoxLayout(optionsTab);
    m_chkMTS =
        named(new QCheckBox(QStringLiteral("Take the user from middle-tier clients"), optionsTab),
              "chkMTS");
    m_chkSQL2000 =
        named(new QCheckBox(QStringLiteral("SQL Server 2000 handling"), optionsTab), "chkSQL2000");
    m_chkMTS->setToolTip(QStringLiteral(
        "The triggers record the user that a middle-tier client names at the end of its "
        "application name, as <<user>>;\nconnections without such a name are recorded under their "
        "login. Off: every change is recorded under the login."));
    m_chkSQL2000->setToolTip(
        QStringLiteral("Kept with the project; it does not change the script."));
    m_chkUnicode =
        named(new QCheckBox(QStringLiteral("Unicode audit data"), optionsTab), "chkUnicode");
    m_chkUnicode->setToolTip(QStringLiteral(
        "The audit tables hold text as Unicode (nvarchar) and the triggers record every value "
        "whole,\nso characters outside the database's code page are not recorded as \"?\". Needs "
        "SQL Server 2005 or later;\nchoose it for data in more than one language. Existing audit "
        "tables are altered in place, keeping their rows.\nKeys may then be at most 450 "
        "characters long."));
    optionsLayout->addWidget(m_chkMTS);
    optionsLayout->addWidget(m_chkSQL2000);
    optionsLayout->addWidget(m_chkUnicode);
    optionsLayout->addStretch();
    m_tabProject->addTab(optionsTab, QStringLiteral("Options"));
    options->addWidget(m_tabProject);
    auto* commands = new QHBoxLayout;
    m_cmdLoadTables = button("cmdLoadTables", QStringLiteral("&Load Tables"), panOptions);
    m_cmdGenerate = button("cmdGenerate", QStringLiteral("&Generate"), panOptions);
    commands->addWidget(m_cmdLoadTables);
    commands->addWidget(m_cmdGenerate);
    options->addLayout(commands);
    options->addWidget(caption(QStringLiteral("Status"), panOptions));
    m_fgStatus = named(new Grid(panOptions), "fgStatus");
    options->addWidget(m_fgStatus, 1);

    auto* panTables = named(new Solido::KwPanel(m_spltMain), "panTables");
    auto* tables = new QVBoxLayout(panTables);
    tables->addWidget(caption(QStringLiteral("Tables"), panTables));
    m_fgTables = named(new Grid(panTables), "fgTables");
    tables->addWidget(m_fgTables, 1);
    auto* tableButtons = new QHBoxLayout;
    auto* tablesAll = button("cmdTablesSelectAll", QStringLiteral("Select All"), panTables);
    auto* tablesNone = button("cmdTablesSelectNone", QStringLiteral("Select None"), panTables);
    tableButtons->addWidget(tablesAll);
    tableButtons->addWidget(tablesNone);
    tableButtons->addStretch();
    tables->addLayout(tableButtons);

    auto* panFields = named(new Solido::KwPanel(m_spltMain), "panFields");
    auto* fields = new QVBoxLayout(panFields);
    fields->addWidget(caption(QStringLiteral("Fields"), panFields));
    m_fgFields = named(new Grid(panFields), "fgFields");
    fields->addWidget(m_fgFields, 1);
    auto* fieldButtons = new QHBoxLayout;
    auto* fieldsAll = button("cmdFieldsSelectAll", QStringLiteral("Select All"), panFields);
    auto* fieldsNone = button("cmdFieldSelectNone", QStringLiteral("Select None"), panFields);
    fieldButtons->addWidget(fieldsAll);
    fieldButtons->addWidget(fieldsNone);
    fieldButtons->addStretch();
    fields->addLayout(fieldButtons);
    m_spltMain->setStretchFactor(0, 3);
    m_spltMain->setStretchFactor(1, 2);
    m_spltMain->setStretchFactor(2, 2);
    m_spltMain->setSizes({twips(4800), twips(4000), twips(4000)});

    // The pictures that grid cells show; never shown themselves.
    m_imgDone = named(new QLabel(this), "imgDone");
    m_imgDone->setPixmap(GeneratorImages::done());
    m_imgWarning = named(new QLabel(this), "imgWarning");
    m_imgWarning->setPixmap(GeneratorImages::warning());
    m_imgKey = named(new QLabel(this), "imgKey");
    m_imgKey->setPixmap(GeneratorImages::key());
    for (QLabel* image : {m_imgDone, m_imgWarning, m_imgKey})
        image->hide();

    auto* sb = named(new QStatusBar(this), "sbMain");
    setStatusBar(sb);
    m_pbLoad = named(new QProgressBar(sb), "pbLoad");
    m_pbLoad->setRange(0, 100);
    m_pbLoad->setMaximumWidth(twips(3000));
    sb->addPermanentWidget(m_pbLoad);

    // Field edits store into the project at once; Initializing decides whether that marks it.
    connect(m_txtName, &QLineEdit::textChanged, this,
            [this](const QString& t) { m_project->setName(t); });
    connect(m_txtAuthor, &QLineEdit::textChanged, this,
            [this](const QString& t) { m_project->setAuthor(t); });
    connect(m_txtOutputFile, &QLineEdit::textChanged, this,
            [this](const QString& t) { m_project->setOutputFile(t); });
    connect(m_txtUsername, &QLineEdit::textChanged, this,
            [this](const QString& t) { m_project->setUserID(t); });
    connect(m_txtPassword, &QLineEdit::textChanged, this,
            [this](const QString& t) { m_project->setPassword(t); });
    connect(m_cboServer, &QComboBox::editTextChanged, this,
            [this](const QString& t) { m_project->setServer(t); });
    connect(m_cboServer, &QComboBox::textActivated, this, &frmMain::ServerChosen);
    connect(m_cboDatabase, &QComboBox::editTextChanged, this,
            [this](const QString& t) { m_project->setDB(t); });
    m_cboDatabase->installEventFilter(this);
    // The options are stored at once too, so that changing one alone asks to save on exit.
    connect(m_chkMTS, &QCheckBox::toggled, this,
            [this](bool on) { m_project->setSpecialMTSHandling(on); });
    connect(m_chkSQL2000, &QCheckBox::toggled, this,
            [this](bool on) { m_project->setSpecialSQL2000Handling(on); });
    connect(m_chkUnicode, &QCheckBox::toggled, this,
            [this](bool on) { m_project->setUnicodeAuditData(on); });

    connect(m_cmdOutputFile, &QPushButton::clicked, this, &frmMain::ViewOutput);
    connect(m_cmdAddServer, &QPushButton::clicked, this, &frmMain::AddServer);
    connect(m_cmdLoadTables, &QPushButton::clicked, this, &frmMain::LoadTables);
    connect(m_cmdGenerate, &QPushButton::clicked, this, &frmMain::Generate);
    m_tableGrids = new TableGrids(
        m_fgTables, m_fgFields, m_imgKey->pixmap(),
        [this]() -> CTables& { return m_project->Tables(); }, this);
    m_statusGrid = new StatusGrid(m_fgStatus, m_imgDone->pixmap(), m_imgWarning->pixmap(), this);
    connect(tablesAll, &QPushButton::clicked, this,
            [this] { m_tableGrids->selectAllTables(true); });
    connect(tablesNone, &QPushButton::clicked, this,
            [this] { m_tableGrids->selectAllTables(false); });
    connect(fieldsAll, &QPushButton::clicked, this,
            [this] { m_tableGrids->selectAllFields(true); });
    connect(fieldsNone, &QPushButton::clicked, this,
            [this] { m_tableGrids->selectAllFields(false); });
}

QAction* frmMain::command(QMenu* menu, const char* id, const QString& text)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QLatin1String(id));
    if (menu)
        menu->addAction(action);
    return action;
}

void frmMain::buildCommands()
{
    QMenuBar* bar = menuBar();
    m_fileMenu = bar->addMenu(QStringLiteral("&File"));
    m_fileMenu->setObjectName(QStringLiteral("mnuFile"));
    QAction* fileNew = command(m_fileMenu, "ID_FileNew", QStringLiteral("&New"));
    QAction* fileOpen = command(m_fileMenu, "ID_FileOpen", QStringLiteral("&Open..."));
    command(m_fileMenu, "ID_FileClose", QStringLiteral("&Close"))->setEnabled(false);
    QAction* fileSave = command(m_fileMenu, "ID_FileSave", QStringLiteral("&Save"));
    QAction* fileSaveAs = command(m_fileMenu, "ID_FileSaveAs", QStringLiteral("Save &As..."));
    command(m_fileMenu, "ID_FileOptions", QStringLiteral("Op&tions..."))->setEnabled(false);
    m_fileMenu->addSeparator();
    QAction* fileExit = command(m_fileMenu, "ID_FileExit", QStringLiteral("E&xit"));
    m_recentEnd = fileExit;
    fileNew->setShortcut(QKeySequence::New);
    fileOpen->setShortcut(QKeySequence::Open);
    fileSave->setShortcut(QKeySequence::Save);

    QMenu* projectMenu = bar->addMenu(QStringLiteral("&Project"));
    QAction* loadTables =
        command(projectMenu, "ID_ProjectLoadTables", QStringLiteral("&Load Tables"));
    QAction* generate = command(projectMenu, "ID_ProjectGenerate", QStringLiteral("&Generate"));
    projectMenu->addSeparator();
    QAction* remove = command(projectMenu, "ID_RemoveTallix", QStringLiteral("&Removal Script..."));

    QMenu* helpMenu = bar->addMenu(QStringLiteral("&Help"));
    QAction* contents = command(helpMenu, "ID_HelpContents", QStringLiteral("&Contents"));
    QAction* index = command(helpMenu, "ID_HelpIndex", QStringLiteral("&Index"));
    command(helpMenu, "ID_HelpSearch", QStringLiteral("&Search..."))->setEnabled(false);
    helpMenu->addSeparator();
    QAction* site = command(helpMenu, "ID_VeltorinMain", QStringLiteral("Veltorin on the &Web"));
    QAction* product = command(helpMenu, "ID_VeltorinTallix", QStringLiteral("&Tallix on the Web"));
    QAction* support =
        command(helpMenu, "ID_VeltorinSupport", QStringLiteral("Technical S&upport"));
    helpMenu->addSeparator();
    QAction* about = command(helpMenu, "ID_HelpAbout", QStringLiteral("&About Tallix..."));

    auto* toolbar = named(new QToolBar(QStringLiteral("Commands"), this), "atbMain");
    toolbar->setMovable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    toolbar->addActions({fileNew, fileOpen, fileSave});
    toolbar->addSeparator();
    toolbar->addActions({loadTables, generate});
    addToolBar(toolbar);

    connect(fileNew, &QAction::triggered, this, &frmMain::FileNew);
    connect(fileOpen, &QAction::triggered, this, &frmMain::FileOpen);
    connect(fileSave, &QAction::triggered, this, [this] { FileSave(false); });
    connect(fileSaveAs, &QAction::triggered, this, [this] { FileSave(true); });
    connect(fileExit, &QAction::triggered, this, &QWidget::close);
    connect(loadTables, &QAction::triggered, this, &frmMain::LoadTables);
    connect(generate, &QAction::triggered, this, &frmMain::Generate);
    connect(remove, &QAction::triggered, this, &frmMain::RemoveTallix);
    connect(contents, &QAction::triggered, this, &frmMain::HelpContents);
    connect(index, &QAction::triggered, this, &frmMain::HelpIndex);
    connect(about, &QAction::triggered, this, &frmMain::HelpAbout);
    // The maker's pages, as the viewer opens them.
    const auto web = [](const char* page) {
        return [page] {
            ShellLaunch(makerPage(QLatin1String(page)), generatorTitle());
        };
    };
    connect(site, &QAction::triggered, this, web(""));
    connect(product, &QAction::triggered, this, web("Tallix_Menu.asp"));
    connect(support, &QAction::triggered, this, web("Support_Menu.asp"));
}

// ---- Window state -------------------------------------------------------------------------

void frmMain::setStatusText(const QString& text)
{
    statusBar()->showMessage(text);
}

void frmMain::setCaption()
{
    setWindowTitle(kCaption + QStringLiteral(" - ") + m_projectPath);
}

QString frmMain::connectionString() const
{
    return BuildConnectionString(m_cboServer->currentText(), m_cboDatabase->currentText(),
                                 m_txtUsername->text(), m_txtPassword->text());
}

bool frmMain::savePrompt()
{
    if (!m_project->IsDirty())
        return true;
    if (messages().ask(QStringLiteral("Save current project?"), generatorTitle(),
                       IMessages::Icon::Question,
                       IMessages::Buttons::YesNo) != IMessages::Answer::Yes)
        return true;
    // The user wants this project kept: a cancelled or failed save stops what asked.
    return FileSave(false);
}

void frmMain::clearForm()
{
    {
        Initializing init(*m_project);
        for (QLineEdit* edit :
             {m_txtName, m_txtAuthor, m_txtOutputFile, m_txtUsername, m_txtPassword})
            edit->clear();
        m_cboServer->setEditText(QString());
        m_cboDatabase->setEditText(QString());
        m_chkMTS->setChecked(true);
        m_chkSQL2000->setChecked(true);
        m_chkUnicode->setChecked(false);
    }
    m_tableGrids->clear();
}

void frmMain::showProject()
{
    {
        Initializing init(*m_project);
        m_txtName->setText(m_project->Name());
        m_txtAuthor->setText(m_project->Author());
        m_txtOutputFile->setText(m_project->OutputFile());
        m_cboServer->setEditText(m_project->Server());
        m_cboDatabase->setEditText(m_project->DB());
        m_txtUsername->setText(m_project->UserID());
        m_txtPassword->setText(m_project->Password());
        m_chkMTS->setChecked(m_project->SpecialMTSHandling());
        m_chkSQL2000->setChecked(m_project->SpecialSQL2000Handling());
        m_chkUnicode->setChecked(m_project->UnicodeAuditData());
    }
    m_tableGrids->fill();
}

// ---- Servers and databases ----------------------------------------------------------------

void frmMain::LoadServerComboBox()
{
    Initializing init(*m_project);
    m_cboServer->clear();
    for (const Server& server : m_servers)
        m_cboServer->addItem(server.ServerName);
    if (const Server* server = m_servers.DefaultServer()) {
        m_cboServer->setEditText(server->ServerName);
        ServerChosen(server->ServerName);
    }
}

void frmMain::ServerChosen(const QString& name)
{
    if (!isServerChosen(name)) {
        noServerChosen();
        return;
    }
    setStatusText(QString());
    try {
        const Server& server = m_servers.Item(name);
        m_txtUsername->setText(server.UserID);
        m_txtPassword->setText(server.Password);
        fillDatabaseList();
        Initializing init(*m_project);
        m_cboDatabase->setEditText(server.DefaultDatabase);
    } catch (const Error& e) {
        messages().showMessage(e.description() + QStringLiteral(" (cboServer_Click)"),
                               generatorTitle(), IMessages::Icon::None);
    }
}

void frmMain::fillDatabaseList()
{
    Initializing init(*m_project);
    m_cboDatabase->setEditText(QStringLiteral("master"));
    if (!isServerChosen(m_cboServer->currentText())) {
        noServerChosen();
        return;
    }
    try {
        HourglassCursor busy;
        const QStringList names = ListDatabases(connectionString());
        m_cboDatabase->clear();
        m_cboDatabase->addItems(names);
        m_cboDatabase->setEditText(QStringLiteral("master"));
    } catch (const Error& e) {
        messages().showMessage(QStringLiteral("Error: ") + e.description(), generatorTitle(),
                               IMessages::Icon::None);
    }
}

void frmMain::noServerChosen()
{
    setStatusText(noServerChosenText());
    messages().showMessage(noServerChosenText(), generatorTitle(), IMessages::Icon::Warning);
}

void frmMain::AddServer()
{
    ServerAdd(m_servers, m_cboServer->currentText(), generatorTitle(), this,
              [this] { LoadServerComboBox(); });
}

// ---- Projects -----------------------------------------------------------------------------

void frmMain::FileNew()
{
    if (!savePrompt())
        return;
    m_project = std::make_unique<Project>();
    setWindowTitle(kCaption);
    clearForm();
    m_projectPath.clear();
}

void frmMain::FileOpen()
{
    if (savePrompt())
        LoadProject(true);
}

void frmMain::OpenRecent(int index)
{
    if (index < 1 || index > m_mru.Count())
        return;
    const QString path = m_mru.Item(index);
    if (savePrompt())
        loadProjectFrom(path);
}

bool frmMain::LoadProject(bool showDialog)
{
    if (!showDialog)
        return loadProjectFrom(m_projectPath);
    const std::optional<QString> chosen = messages().chooseOpenFile(
        {QStringLiteral("Open Tallix Project..."), QStringLiteral("*.tpx"), kProjectFilter});
    return chosen && loadProjectFrom(*chosen);
}

bool frmMain::loadProjectFrom(const QString& path)
{
    // The form, the project and its file name stay as they are until the new file has been
    // read: a cancelled or failed load must not leave a form that Save would write over the
    // old file.
    Project::ReadResult read;
    auto project = std::make_unique<Project>();
    try {
        setStatusText(QStringLiteral("Loading the project... this may take a while..."));
        HourglassCursor busy;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        read = ProjectFile::load(path, *project);
    } catch (const Error& e) {
        setStatusText(QString());
        messages().showMessage(QStringLiteral("Load Project Failed! - ") + e.description(),
                               QStringLiteral("Tallix Error"), IMessages::Icon::Critical);
        return false;
    }
    m_project = std::move(project);
    m_projectPath = path;
    m_mru.Add(m_projectPath);
    refreshRecentMenu();
    showProject();
    setCaption();
    // What could be read stays loaded; the status bar says that the rest was not.
    setStatusText(read.complete ? QStringLiteral("Done.") : read.message());
    return true;
}

bool frmMain::FileSave(bool saveAs)
{
    {
        Initializing init(*m_project);
        m_project->setName(m_txtName->text());
        m_project->setAuthor(m_txtAuthor->text());
        m_project->setServer(m_cboServer->currentText());
        m_project->setDB(m_cboDatabase->currentText());
        m_project->setUserID(m_txtUsername->text());
        m_project->setPassword(m_txtPassword->text());
        m_project->setSpecialMTSHandling(m_chkMTS->isChecked());
        m_project->setSpecialSQL2000Handling(m_chkSQL2000->isChecked());
        m_project->setUnicodeAuditData(m_chkUnicode->isChecked());
    }
    QString path = m_projectPath;
    if (saveAs || path.isEmpty()) {
        const std::optional<QString> chosen =
            messages().chooseSaveFile({saveAs ? QStringLiteral("Save Tallix Project as...")
                                              : QStringLiteral("Save Tallix Project..."),
                                       m_projectPath, kProjectFilter});
        if (!chosen)
            return false;
        path = *chosen;
    }
    if (!path.toUpper().endsWith(QLatin1String(".TPX")))
        path += QStringLiteral(".TPX");

    setStatusText(QStringLiteral("Saving the project... this may take a while..."));
    try {
        HourglassCursor busy;
        // The project text is taken only once the file is written, so a failed save leaves the
        // project marked as changed, and its file name as it was.
        ProjectFile::write(path, m_project->ObjectToXML());
        m_project->Save();
    } catch (const Error& e) {
        setStatusText(QString());
        messages().showMessage(QStringLiteral("Save Project Failed! - ") + e.description(),
                               generatorTitle(), IMessages::Icon::None);
        return false;
    }
    m_projectPath = path;
    setCaption();
    setStatusText(QStringLiteral("Done."));
    return true;
}

void frmMain::refreshRecentMenu()
{
    for (QAction* action : std::as_const(m_recentActions)) {
        m_fileMenu->removeAction(action);
        action->deleteLater();
    }
    m_recentActions.clear();
    for (int i = 1; i <= m_mru.Count(); ++i) {
        auto* action = new QAction(m_mru.Item(i), this);
        action->setObjectName(QStringLiteral("ID_MRU%1").arg(i));
        connect(action, &QAction::triggered, this, [this, i] { OpenRecent(i); });
        m_fileMenu->insertAction(m_recentEnd, action);
        m_recentActions.append(action);
    }
    // A separator closes the entries; an empty list shows none.
    if (!m_recentActions.isEmpty()) {
        QAction* separator = new QAction(this);
        separator->setSeparator(true);
        m_fileMenu->insertAction(m_recentEnd, separator);
        m_recentActions.append(separator);
    }
}

void frmMain::LoadTables()
{
    if (!isServerChosen(m_cboServer->currentText())) {
        noServerChosen();
        return;
    }
    CTables& tables = m_project->Tables();
    const auto confirm = [](const QString& question) {
        return messages().ask(question, kWarning, IMessages::Icon::Warning,
                              IMessages::Buttons::YesNo) == IMessages::Answer::Yes;
    };
    if (!SchemaDiscovery::MayReplaceTables(tables, confirm))
        return;
    setStatusText(QStringLiteral("Loading tables..."));
    SchemaDiscovery discovery(*this);
    discovery.setUnicodeKeys(m_chkUnicode->isChecked());
    SchemaDiscovery::Result result;
    QStringList changes;
    const bool hadTables = tables.Count() > 0;
    {
        HourglassCursor busy;
        Connection connection(connectionString());
        result = discovery.ReplaceTables(tables, connection, &changes);
    }
    if (result != SchemaDiscovery::Result::Loaded) {
        // The list and both grids still show what was there.
        if (!discovery.Failure().isEmpty())
            messages().showMessage(discovery.Failure(), generatorTitle(),
                                   IMessages::Icon::Critical);
        setStatusText(tables.Count() > 0
                          ? QStringLiteral("The tables could not be loaded; the previous list is "
                                           "kept.")
                          : QStringLiteral("The tables could not be loaded."));
        return;
    }
    m_tableGrids->fill();
    // Over an open project the status says what the database changed since it was loaded.
    if (hadTables && !changes.isEmpty())
        setStatusText(QStringLiteral("Done. %1 change(s): %2")
                          .arg(changes.size())
                          .arg(changes.join(QStringLiteral("; "))));
    else
        setStatusText(QStringLiteral("Done."));
}

// ---- Scripts ------------------------------------------------------------------------------

void frmMain::Generate()
{
    m_project->setDB(m_cboDatabase->currentText());
    m_project->setSpecialMTSHandling(m_chkMTS->isChecked());
    m_project->setUnicodeAuditData(m_chkUnicode->isChecked());
    if (m_project->OutputFile().isEmpty()) {
        messages().showMessage(QStringLiteral("You must provide an output path/filename."),
                               kWarning, IMessages::Icon::Critical);
        return;
    }
    const QString output = m_txtOutputFile->text();
    {
        HourglassCursor busy;
        setStatusText(QStringLiteral("Generating the script..."));
        ScriptDriver driver(*this);
        const ScriptFile::Result written = ScriptFile::write(
            output, [&](IScriptSink& sink) { return driver.GenerateScript(*m_project, sink); });
        if (written.reported) {
            setStatusText(QString());
            showFailures(driver.Failures());
            return;
        }
        setStatusText(QStringLiteral("Done."));
        if (!written) {
            notWritten(output, written.error);
            return;
        }
    }
    if (messages().ask(QStringLiteral("Done generating the script.  Would you like to view it?"),
                       QStringLiteral("Script Generation Complete"), IMessages::Icon::Question,
                       IMessages::Buttons::YesNo) == IMessages::Answer::Yes)
        ShellLaunch(output, generatorTitle());
}

void frmMain::RemoveTallix()
{
    {
        // The database box is the project's already; writing this script changes nothing.
        Initializing init(*m_project);
        m_project->setDB(m_cboDatabase->currentText());
    }
    const QString path =
        QDir(QDir::tempPath())
            .filePath(QStringLiteral("TallixRemoval_") + m_project->DB() + QLatin1Char('_') +
                      QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss")) +
                      QStringLiteral(".SQL"));
    ScriptFile::Result written;
    ScriptDriver driver(*this);
    {
        HourglassCursor busy;
        written = ScriptFile::write(
            path, [&](IScriptSink& sink) { return driver.GenerateRemoveScript(*m_project, sink); });
    }
    if (!written) {
        if (written.reported)
            showFailures(driver.Failures());
        else
            notWritten(path, written.error);
        return;
    }
    messages().showMessage(
        QStringLiteral("Done generating the removal script.  Click OK to view it."),
        QStringLiteral("Removal Script Generation Complete"), IMessages::Icon::None);
    ShellLaunch(path, generatorTitle());
}

void frmMain::ViewOutput()
{
    ShellLaunch(m_project->OutputFile(), generatorTitle());
}

void frmMain::HelpContents()
{
    ShellLaunch(helpFile(), generatorTitle());
}

void frmMain::HelpIndex()
{
    ShellLaunch(helpFile(), generatorTitle());
}

void frmMain::HelpAbout()
{
    frmAbout about(ProgramInfo::current(generatorTitle()), this);
    about.exec();
}

// ---- Observer -----------------------------------------------------------------------------

void frmMain::ResetStatus()
{
    m_statusGrid->reset();
}

void frmMain::UpdateStatus(const QString& Table, const QString& Trigger, const QString& status,
                           int Lines)
{
    m_statusGrid->update(Table, Trigger, status, Lines);
}

void frmMain::ShowProgress(int value)
{
    m_pbLoad->setValue(value);
    m_pbLoad->show();
}

void frmMain::SetProgress(int value)
{
    m_pbLoad->setValue(value);
}

void frmMain::HideProgress()
{
    m_pbLoad->hide();
}

void frmMain::Warning(const QString& text)
{
    messages().showMessage(text, kWarning, IMessages::Icon::Information);
}

void frmMain::ProcessEvents()
{
    // The window repaints, but clicks and keys wait: nothing may change the project while it is
    // being read or scripted.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// ---- Layout and closing -------------------------------------------------------------------

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && watched == m_cboDatabase)
        m_project->setDB(m_cboDatabase->currentText());
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // Closing goes on after No; only a save the user asked for and did not get keeps the window.
    if (!savePrompt()) {
        event->ignore();
        return;
    }
    m_mru.Save();
    event->accept();
}

} // namespace tallix
