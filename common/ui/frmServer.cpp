#include "common/ui/frmServer.h"

#include "common/base/Error.h"
#include "common/base/Messages.h"
#include "common/db/DatabaseList.h"
#include "common/settings/ConnectionString.h"
#include "common/settings/Servers.h"
#include "common/ui/HourglassCursor.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>

namespace tallix {

namespace {

const QString kView = QStringLiteral("View");
const QString kEdit = QStringLiteral("Edit");
const QString kAdd = QStringLiteral("Add");

template <typename W> W* named(W* widget, const QString& name, const QString& toolTip = {})
{
    widget->setObjectName(name);
    if (!toolTip.isEmpty())
        widget->setToolTip(toolTip);
    return widget;
}

QLabel* labelFor(QWidget* buddy, const QString& caption, const QString& name)
{
    auto* label = named(new QLabel(caption), name);
    label->setBuddy(buddy);
    return label;
}

// The database box: asks before it drops its list down, so that an empty list can be filled
// first and a list that could not be filled is not shown.
class DatabaseBox : public QComboBox {
public:
    std::function<bool()> beforePopup;

    void showPopup() override
    {
        if (!beforePopup || beforePopup())
            QComboBox::showPopup();
    }
};

} // namespace

frmServer::frmServer(Servers& servers, QString appTitle, QWidget* parent)
    : QDialog(parent)
    , m_servers(servers)
    , m_appTitle(std::move(appTitle))
{
    setObjectName(QStringLiteral("frmServer"));
    setWindowTitle(QStringLiteral("Server Registration"));
    QFont font(QStringLiteral("Tahoma"), 9);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);

    m_lstServers = named(new QListWidget, QStringLiteral("lstServers"),
                         QStringLiteral("List of servers currently configured."));
    m_lstServers->setSelectionMode(QAbstractItemView::SingleSelection);
    m_cmdAdd = named(new QPushButton(QStringLiteral("&Add")), QStringLiteral("cmdAdd"),
                     QStringLiteral("Add a new server."));
    m_cmdEdit = named(new QPushButton(QStringLiteral("&Edit")), QStringLiteral("cmdEdit"),
                      QStringLiteral("Edit an existing server."));
    m_cmdDelete = named(new QPushButton(QStringLiteral("Dele&te")), QStringLiteral("cmdDelete"),
                        QStringLiteral("Delete a server."));
    m_cmdOK = named(new QPushButton(QStringLiteral("&OK")), QStringLiteral("cmdOK"),
                    QStringLiteral("Accept information and close the screen."));
    m_cmdOK->setAutoDefault(false);

    m_frame = named(new QGroupBox(kView), QStringLiteral("Frame"));
    m_txtServer =
        named(new QLineEdit, QStringLiteral("txtServer"),
              QStringLiteral("Enter the Server name.\nA port follows a comma, as SQL Server "
                             "writes it (127.0.0.1,1433); 127.0.0.1:1433 is read the same way."));
    m_txtLogin =
        named(new QLineEdit, QStringLiteral("txtLogin"), QStringLiteral("Enter the Login ID."));
    m_txtPassword =
        named(new QLineEdit, QStringLiteral("txtPassword"), QStringLiteral("Enter the Password"));
    m_txtPassword->setEchoMode(QLineEdit::Password);
    auto* databases = new DatabaseBox;
    databases->beforePopup = [this] {
        return databasesOpened();
    };
    m_cboDatabases = named<QComboBox>(databases, QStringLiteral("cboDatabases"),
                                      QStringLiteral("Choose a default database."));
    m_chkDefault =
        named(new QCheckBox(QStringLiteral("De&fault Server ")), QStringLiteral("chkDefault"),
              QStringLiteral("Make this the default server."));
    m_chkWinNT = named(new QCheckBox(QStringLiteral("Use &Integrated Security")),
                       QStringLiteral("chkWinNT"), QStringLiteral("Use NT Integrated Security"));
    m_cmdSave = named(new QPushButton(QStringLiteral("Save")), QStringLiteral("cmdSave"),
                      QStringLiteral("Save the server information."));
    m_cmdCancel = named(new QPushButton(QStringLiteral("&Cancel")), QStringLiteral("cmdCancel"),
                        QStringLiteral("Cancel - don't save the server information."));
    for (QPushButton* button : {m_cmdAdd, m_cmdEdit, m_cmdDelete, m_cmdSave, m_cmdCancel})
        button->setAutoDefault(false);

    auto* fields = new QGridLayout(m_frame);
    fields->addWidget(
        labelFor(m_txtServer, QStringLiteral("&Server:"), QStringLiteral("lblServers")), 0, 0);
    fields->addWidget(m_txtServer, 0, 1, 1, 2);
    fields->addWidget(
        labelFor(m_txtLogin, QStringLiteral("&Login ID:"), QStringLiteral("lblLogin")), 1, 0);
    fields->addWidget(m_txtLogin, 1, 1, 1, 2);
    fields->addWidget(
        labelFor(m_txtPassword, QStringLiteral("&Password:"), QStringLiteral("lblPassword")), 2, 0);
    fields->addWidget(m_txtPassword, 2, 1, 1, 2);
    fields->addWidget(
        labelFor(m_cboDatabases, QStringLiteral("&Database:"), QStringLiteral("lblDatabases")), 3,
        0);
    fields->addWidget(m_cboDatabases, 3, 1, 1, 2);
    fields->addWidget(m_chkDefault, 4, 1, 1, 2);
    fields->addWidget(m_chkWinNT, 5, 1, 1, 2);
    auto* frameButtons = new QHBoxLayout;
    frameButtons->addStretch();
    frameButtons->addWidget(m_cmdSave);
    frameButtons->addWidget(m_cmdCancel);
    fields->addLayout(frameButtons, 6, 0, 1, 3);
    fields->setColumnStretch(1, 1);

    auto* listButtons = new QVBoxLayout;
    listButtons->addWidget(m_cmdAdd);
    listButtons->addWidget(m_cmdEdit);
    listButtons->addWidget(m_cmdDelete);
    listButtons->addStretch();
    listButtons->addWidget(m_cmdOK);
    auto* top = new QHBoxLayout;
    top->addWidget(m_lstServers, 1);
    top->addLayout(listButtons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(m_frame);
    m_lstServers->setMinimumHeight(fontMetrics().height() * 6);
    setMinimumWidth(fontMetrics().averageCharWidth() * 60);

    connect(m_lstServers, &QListWidget::currentRowChanged, this, &frmServer::serverSelected);
    connect(m_chkDefault, &QCheckBox::toggled, this, &frmServer::defaultToggled);
    connect(m_cmdAdd, &QPushButton::clicked, this, &frmServer::cmdAddClicked);
    connect(m_cmdEdit, &QPushButton::clicked, this, &frmServer::cmdEditClicked);
    connect(m_cmdDelete, &QPushButton::clicked, this, &frmServer::cmdDeleteClicked);
    connect(m_cmdSave, &QPushButton::clicked, this, &frmServer::cmdSaveClicked);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmServer::cmdCancelClicked);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmServer::cmdOKClicked);
    m_cboDatabases->installEventFilter(this);
    m_txtServer->installEventFilter(this);
    applyMode(kView);
}

QString frmServer::ServerName() const
{
    return m_txtServer->text();
}

QString frmServer::Password() const
{
    return m_txtPassword->text();
}

QString frmServer::Database() const
{
    return m_cboDatabases->currentText();
}

bool frmServer::DefaultServer() const
{
    return m_chkDefault->isChecked();
}

bool frmServer::NTAuthentication() const
{
    return m_chkWinNT->isChecked();
}

void frmServer::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_loaded) {
        m_loaded = true;
        load();
    }
}

void frmServer::load()
{
    if (m_servers.Count() == 0) {
        m_chkDefault->setChecked(true);
        m_chkDefault->setText(
            QStringLiteral("De&fault Server (Must be true for the first server you register.)"));
        // The longer caption is set after the dialog took its size; it must not be cut off.
        adjustSize();
    }
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    fillList();
    applyMode(kView);
    if (m_servers.Count() > 0)
        selectByName(m_currentServerName);
}

void frmServer::applyMode(const QString& mode)
{
    m_mode = mode;
    m_frame->setTitle(mode);
    const bool editing = mode != kView;
    if (mode == kAdd) {
        m_txtServer->clear();
        m_txtLogin->clear();
        m_txtPassword->clear();
        m_chkWinNT->setChecked(true);
        m_chkDefault->setChecked(false);
    }
    m_txtServer->setEnabled(mode == kAdd);
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_txtLogin, m_txtPassword, m_chkWinNT, m_cboDatabases,
                                         m_chkDefault, m_cmdSave, m_cmdCancel})
        w->setEnabled(editing);
}

void frmServer::fillList()
{
    const QSignalBlocker quiet(m_lstServers);
    m_lstServers->clear();
    for (const Server& server : m_servers)
        m_lstServers->addItem(server.ServerName);
}

void frmServer::selectByName(const QString& name)
{
    for (int row = 0; row < m_lstServers->count(); ++row) {
        if (m_lstServers->item(row)->text() == name) {
            m_lstServers->setCurrentRow(row);
            return;
        }
    }
    m_lstServers->setCurrentRow(-1);
}

void frmServer::serverSelected(int row)
{
    if (row < 0 || m_reselecting)
        return;
    const QString name = m_lstServers->item(row)->text();
    if (name == m_txtServer->text())
        return;
    if (m_cmdSave->isEnabled()) {
        const auto answer = messages().ask(QStringLiteral("Discard changes?"),
                                           QStringLiteral("Discard?"), IMessages::Icon::None,
                                           IMessages::Buttons::YesNo, IMessages::Answer::Yes);
        if (answer != IMessages::Answer::Yes) {
            m_reselecting = true;
            selectByName(m_txtServer->text());
            m_reselecting = false;
            return;
        }
    }
    const HourglassCursor busy;
    m_cboDatabases->clear();
    const Server* server = nullptr;
    for (const Server& s : m_servers) {
        if (s.ServerName == name) {
            server = &s;
            break;
        }
    }
    if (!server)
        return;
    const Server shown = *server; // the listing below may not touch the list, but stay safe
    m_txtServer->setText(shown.ServerName);
    m_txtLogin->setText(shown.UserID);
    m_txtPassword->setText(shown.Password);
    m_chkWinNT->setChecked(shown.UserID.isEmpty() && shown.Password.isEmpty());
    listDatabases();
    m_cboDatabases->setCurrentIndex(m_cboDatabases->findText(
        shown.DefaultDatabase, Qt::MatchFixedString | Qt::MatchCaseSensitive));
    m_chkDefault->setChecked(shown.IsDefault);
}

QString frmServer::listingKey() const
{
    return QStringList{m_txtServer->text(), m_txtLogin->text(), m_txtPassword->text()}.join(
        QChar(u'\n'));
}

bool frmServer::listDatabases()
{
    m_listedFor = listingKey();
    try {
        if (!isServerChosen(m_txtServer->text()))
            throw Error(0, noServerChosenText());
        const QStringList names =
            ListDatabases(BuildConnectionString(m_txtServer->text(), QStringLiteral("master"),
                                                m_txtLogin->text(), m_txtPassword->text()));
        m_cboDatabases->clear();
        m_cboDatabases->addItems(names);
        return true;
    } catch (const Error& e) {
        messages().showMessage(QStringLiteral("Error: ") + e.description(), m_appTitle,
                               IMessages::Icon::None);
        return false;
    }
}

void frmServer::databasesFocused(Qt::FocusReason reason)
{
    // Each server, login and password as typed is tried once on entering: the box gets the focus
    // back when a failure's message closes, and trying again there would never end. A click
    // opens the box, which tries on its own.
    if (m_cboDatabases->count() > 0 || listingKey() == m_listedFor ||
        reason == Qt::MouseFocusReason)
        return;
    if (listDatabases()) {
        m_cboDatabases->setEnabled(true);
        // Dropped down once the focus change has finished, so a mouse press does not close it.
        QTimer::singleShot(0, m_cboDatabases, [combo = m_cboDatabases] {
            if (combo->hasFocus() && !combo->view()->isVisible())
                combo->showPopup();
        });
        return;
    }
    cannotConnect();
}

bool frmServer::databasesOpened()
{
    if (m_cboDatabases->count() > 0)
        return true;
    // Opening the box is the user's own new attempt, whatever was tried before.
    if (listDatabases())
        return true;
    cannotConnect();
    return false;
}

void frmServer::cannotConnect()
{
    messages().showMessage(
        m_appTitle + QStringLiteral(" cannot connect to the server with these parameters."),
        m_appTitle, IMessages::Icon::Warning);
    m_cboDatabases->setEnabled(true);
}

void frmServer::defaultToggled(bool checked)
{
    // The first server registered is always the default.
    if (!checked && m_servers.Count() == 0) {
        messages().beep();
        m_chkDefault->setChecked(true);
    }
}

bool frmServer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_cboDatabases)
            databasesFocused(static_cast<QFocusEvent*>(event)->reason());
        else if (watched == m_txtServer)
            QTimer::singleShot(0, m_txtServer, &QLineEdit::selectAll);
    }
    return QDialog::eventFilter(watched, event);
}

void frmServer::cmdAddClicked()
{
    // The highlighted entry no longer matches the emptied fields, so clicking it shows it again.
    {
        const QSignalBlocker quiet(m_lstServers);
        m_lstServers->setCurrentRow(-1);
    }
    m_cboDatabases->clear();
    applyMode(kAdd);
    // What the user types next is the new server's name.
    m_txtServer->setFocus(Qt::OtherFocusReason);
}

void frmServer::cmdEditClicked()
{
    applyMode(kEdit);
}

void frmServer::cmdCancelClicked()
{
    applyMode(kView);
}

void frmServer::cmdSaveClicked()
{
    const QString name = m_txtServer->text();
    // An entry without a name would be stored as an empty "Server<n>", which ends the stored
    // list there and loses every entry after it.
    if (name.trimmed().isEmpty()) {
        messages().beep();
        return;
    }
    m_servers.Remove(name);
    try {
        m_servers.Add(name, m_txtLogin->text(), m_txtPassword->text(),
                      m_cboDatabases->currentText(), m_chkDefault->isChecked(), name);
    } catch (const Error&) {
        // Skipped like every failure of Save; the list is refilled all the same.
    }
    if (m_chkDefault->isChecked()) {
        for (Server& server : m_servers) {
            if (server.ServerName != name)
                server.IsDefault = false;
        }
    }
    fillList();
    applyMode(kView);
}

void frmServer::cmdDeleteClicked()
{
    QListWidgetItem* item = m_lstServers->currentItem();
    if (!item || !item->isSelected())
        return;
    const QString name = item->text();
    const auto answer =
        messages().ask(QStringLiteral("Are you sure you want to delete the registration\nfor ") +
                           name + QStringLiteral("?"),
                       QStringLiteral("Delete Server Registration?"), IMessages::Icon::None,
                       IMessages::Buttons::YesNo, IMessages::Answer::Yes);
    if (answer != IMessages::Answer::Yes)
        return;
    m_servers.Remove(name);
    {
        const QSignalBlocker quiet(m_lstServers);
        delete m_lstServers->takeItem(m_lstServers->row(item));
        m_lstServers->setCurrentRow(-1);
    }
    m_txtServer->clear();
    m_txtLogin->clear();
    m_txtPassword->clear();
    m_cboDatabases->clear();
}

void frmServer::cmdOKClicked()
{
    hide();
    try {
        m_servers.SaveToRegistry();
    } catch (const Error& e) {
        messages().showMessage(QStringLiteral("Error: ") + e.description(), m_appTitle,
                               IMessages::Icon::Warning);
    }
    accept();
}

void frmServer::reject()
{
    cmdCancelClicked();
    QDialog::reject();
}

} // namespace tallix
