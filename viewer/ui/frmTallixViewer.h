#pragma once

#include "common/settings/Servers.h"
#include "viewer/query/LogFilters.h"
#include "viewer/query/SchemaCache.h"

#include <QMainWindow>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QStackedLayout;
class QTabWidget;

namespace tallix {

namespace reports {
class Report;
}

class DatePicker;
class frmPreview;
class Grid;
struct DetailsResult;
struct RestoreBuild;

// The viewer's main window: choose a registered server and one of its databases, connect, fill
// the filter lists from the audit table, cache the database's columns, and list the audit rows
// with the filters. The details pane below the list is filled by ShowDetails().
//
// Every control carries its name as objectName. The window reads its controls, calls the query
// functions of viewer/query and shows the result; it keeps no settings of its own.
class frmTallixViewer : public QMainWindow {
    Q_OBJECT
public:
    explicit frmTallixViewer(QWidget* parent = nullptr);
    ~frmTallixViewer() override;

    // The application title, also the title of the window's messages.
    static QString title();

    // Start-up: shows the window, loads the registered servers and selects the default one,
    // which lists its databases and connects.
    void Form_Load();

    void SetStatus(const QString& text);
    void LoadServerComboBox();
    void cboServer_Click();
    void LoadDatabaseList();
    void cboDatabase_Click();
    // The connect sequence, also run by the Reset button.
    void ConnectDatabase();
    // Runs the audit-row query of the filters and binds its rows to the list.
    void cmdFilter_Click();
    // Shows the details of the list's current row: its changed (or all) columns with their before,
    // after and current values, its data text and, with "Show Restore", its restore text. A step
    // that fails is skipped; nothing is reported.
    void ShowDetails();
    // Runs the restore text (as the user may have edited it) after asking; an audit row that
    // cannot be restored is refused with the reason, and nothing runs.
    void cmdRestore_Click();
    // Writes one restore script of the selected audit rows and opens it. Rows that cannot be
    // restored are left out and named with their reasons; when none can be, nothing is written.
    void mnuRestoreAll_Click();
    // The menu and tool commands by their ids ("ID_FileExit", ...); an unknown id does nothing.
    void atbMain_Click(const QString& id);
    void ArrangeControls();

    // The filters as the controls hold them now.
    LogFilters filters() const;

    const QString& LastQuery() const { return m_lastQuery; }
    const QString& LastConnectionString() const { return m_lastConnectionString; }
    const SchemaCache& schemaCache() const { return m_schemaCache; }
    Servers& servers() { return m_servers; }

    // The maker's web site, the base of the help menu's web pages.

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void createMenus();
    QWidget* createConfigFrame();
    QWidget* createDetailsFrame();
    QString connectionString() const;
    // Says so when no server is chosen, for the commands that connect.
    bool serverChosen();
    void clearDetails();
    void showGrid(bool configured);
    void chkShowAllFields_Click();
    void chkShowCurrent_Click();
    void chkShowRestore_Click();
    void fgTransLog_RightClick(int row, int col, const QPoint& globalPos);
    void showDetailRows();
    void showAbout();
    // Runs the report over the last query in a new preview window of its own.
    frmPreview* runReport(std::unique_ptr<reports::Report> report, const QString& connectionString);
    void addServer();
    void message(const QString& text);
    int twips(int value) const;
    int dateColumnTwips() const;

    Servers m_servers;
    SchemaCache m_schemaCache;
    QString m_lastQuery;
    QString m_lastConnectionString;
    // The details of the audit row shown: its Audit collection and current-row result.
    std::unique_ptr<DetailsResult> m_details;
    // The restore of the audit row shown, when "Show Restore" built one: its statement or why
    // there is none.
    std::unique_ptr<RestoreBuild> m_restore;

    QSplitter* m_splitter = nullptr;
    QSplitter* m_listSplitter = nullptr;
    QGroupBox* m_fraConfig = nullptr;
    QPushButton* m_cmdAddServer = nullptr;
    QComboBox* m_cboServer = nullptr;
    QComboBox* m_cboDatabase = nullptr;
    QLineEdit* m_txtUserID = nullptr;
    QLineEdit* m_txtPassword = nullptr;
    QPushButton* m_cmdRefresh = nullptr;
    QPushButton* m_cmdFilter = nullptr;
    QComboBox* m_cboTable = nullptr;
    QComboBox* m_cboTransactionType = nullptr;
    QComboBox* m_cboUser = nullptr;
    QComboBox* m_cboWorkstation = nullptr;
    QComboBox* m_cboApplication = nullptr;
    DatePicker* m_dtpFrom = nullptr;
    DatePicker* m_dtpTo = nullptr;
    QLineEdit* m_txtKey = nullptr;
    QLineEdit* m_txtMaxRecords = nullptr;
    QCheckBox* m_chkShowAllFields = nullptr;
    QCheckBox* m_chkShowCurrent = nullptr;
    QCheckBox* m_chkShowRestore = nullptr;
    QStackedLayout* m_listPane = nullptr;
    Grid* m_fgTransLog = nullptr;
    QLabel* m_lblTallixNotConfigured = nullptr;
    QGroupBox* m_fraDetails = nullptr;
    QLabel* m_lblDetailsIncomplete = nullptr;
    QTabWidget* m_tabDetails = nullptr;
    Grid* m_fgDetails = nullptr;
    QPlainTextEdit* m_txtXML = nullptr;
    QPushButton* m_cmdRestore = nullptr;
    QPlainTextEdit* m_txtRestore = nullptr;
    QMenu* m_mnuPopup = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_date = nullptr;
    QLabel* m_time = nullptr;
};

} // namespace tallix
