#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tallix {

class Servers;

// "Server Registration": adds, edits and deletes the registered servers and picks each one's
// default database from the databases the server reports. Edits change the in-memory list at
// once; the settings store is written only when the dialog is left with OK. Opened through
// ServerAdd, which sets CurrentServerName before showing it.
class frmServer : public QDialog {
    Q_OBJECT
public:
    // `servers` is the program's list; `appTitle` starts the "cannot connect" message.
    frmServer(Servers& servers, QString appTitle, QWidget* parent = nullptr);

    // The entry selected first; read when the dialog is shown.
    QString CurrentServerName() const { return m_currentServerName; }
    void setCurrentServerName(const QString& name) { m_currentServerName = name; }

    QString ServerName() const;
    QString Password() const;
    QString Database() const;
    bool DefaultServer() const;
    bool NTAuthentication() const;
    // "View", "Edit" or "Add".
    QString mode() const { return m_mode; }

    // Closing from the frame or with Escape cancels the entry and leaves the store alone.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void load();
    void applyMode(const QString& mode);
    void fillList();
    void serverSelected(int row);
    void selectByName(const QString& name);
    // The server, login and password as typed, which a listing of databases was last tried with.
    QString listingKey() const;
    bool listDatabases();
    void databasesFocused(Qt::FocusReason reason);
    bool databasesOpened();
    void cannotConnect();
    void defaultToggled(bool checked);
    void cmdAddClicked();
    void cmdEditClicked();
    void cmdCancelClicked();
    void cmdSaveClicked();
    void cmdDeleteClicked();
    void cmdOKClicked();

    Servers& m_servers;
    QString m_appTitle;
    QString m_currentServerName;
    QString m_mode;
    bool m_loaded = false;
    bool m_reselecting = false;
    QString m_listedFor; // listingKey() of the last listing tried

    QListWidget* m_lstServers;
    QPushButton* m_cmdAdd;
    QPushButton* m_cmdEdit;
    QPushButton* m_cmdDelete;
    QPushButton* m_cmdOK;
    QGroupBox* m_frame;
    QLineEdit* m_txtServer;
    QLineEdit* m_txtLogin;
    QLineEdit* m_txtPassword;
    QComboBox* m_cboDatabases;
    QCheckBox* m_chkDefault;
    QCheckBox* m_chkWinNT;
    QPushButton* m_cmdSave;
    QPushButton* m_cmdCancel;
};

} // namespace tallix
