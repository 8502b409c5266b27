#pragma once

#include "common/settings/Servers.h"
#include "generator/discovery/IDiscoveryObserver.h"
#include "generator/driver/IScriptObserver.h"
#include "generator/recent/MRU.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QSplitter;
class QTabWidget;

namespace tallix {

class Grid;
class Project;
class StatusGrid;
class TableGrids;

// The generator's window: the project's connection, name and output file, the table and field
// grids, the status of the last generation, and the commands of the toolbar and menus (each a
// QAction named by its command id). The window only reads its controls and shows results; the
// rules live in the discovery, selection, recent-list, driver and project classes.
class frmMain : public QMainWindow, public IScriptObserver, public IDiscoveryObserver {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    Project& project() { return *m_project; }
    const QString& ProjectPath() const { return m_projectPath; }
    void setProjectPath(const QString& path) { m_projectPath = path; }
    const MRU& recentList() const { return m_mru; }

    // Loads ProjectPath, or the file chosen in the open dialog. True when a project was loaded.
    bool LoadProject(bool showDialog);
    void LoadServerComboBox();

    // IScriptObserver and IDiscoveryObserver
    void ResetStatus() override;
    void UpdateStatus(const QString& Table, const QString& Trigger, const QString& status,
                      int Lines) override;
    void ShowProgress(int value) override;
    void SetProgress(int value) override;
    void HideProgress() override;
    void ProcessEvents() override;
    void Warning(const QString& text) override;

    // The commands, as the toolbar, the menus and the buttons run them.
    void FileNew();
    void FileOpen();
    // True when the project was written.
    bool FileSave(bool saveAs);
    void LoadTables();
    void Generate();
    void RemoveTallix();
    void OpenRecent(int index);
    void ViewOutput();
    void HelpContents();
    void HelpIndex();
    void HelpAbout();
    void AddServer();

    // The server choice of cboServer, as a pick in its list runs it.
    void ServerChosen(const QString& name);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildCommands();
    QAction* command(QMenu* menu, const char* id, const QString& text);
    // Asks to save a changed project; false when the user wanted it saved and it was not (the
    // dialog was cancelled or the file could not be written), so the caller stops.
    bool savePrompt();
    bool loadProjectFrom(const QString& path);
    void noServerChosen();
    void clearForm();
    void showProject();
    void fillDatabaseList();
    void refreshRecentMenu();
    void setStatusText(const QString& text);
    void setCaption();
    QString connectionString() const;
    int twips(int value) const;

    std::unique_ptr<Project> m_project;
    QString m_projectPath;
    MRU m_mru;
    Servers m_servers;

    QLineEdit* m_txtName = nullptr;
    QLineEdit* m_txtAuthor = nullptr;
    QLineEdit* m_txtOutputFile = nullptr;
    QPushButton* m_cmdOutputFile = nullptr;
    QComboBox* m_cboServer = nullptr;
    QPushButton* m_cmdAddServer = nullptr;
    QComboBox* m_cboDatabase = nullptr;
    QLineEdit* m_txtUsername = nullptr;
    QLineEdit* m_txtPassword = nullptr;
    QCheckBox* m_chkMTS = nullptr;
    QCheckBox* m_chkSQL2000 = nullptr;
    QCheckBox* m_chkUnicode = nullptr;
    QPushButton* m_cmdLoadTables = nullptr;
    QPushButton* m_cmdGenerate = nullptr;
    Grid* m_fgTables = nullptr;
    Grid* m_fgFields = nullptr;
    Grid* m_fgStatus = nullptr;
    QLabel* m_imgDone = nullptr;
    QLabel* m_imgWarning = nullptr;
    QLabel* m_imgKey = nullptr;
    QSplitter* m_spltMain = nullptr;
    QTabWidget* m_tabProject = nullptr;
    QProgressBar* m_pbLoad = nullptr;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentEnd = nullptr; // the recent entries go before this command (Exit)
    QList<QAction*> m_recentActions;
    TableGrids* m_tableGrids = nullptr;
    StatusGrid* m_statusGrid = nullptr;
};

} // namespace tallix
