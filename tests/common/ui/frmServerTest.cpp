#include "common/ui/frmServer.h"

#include "common/settings/Servers.h"
#include "common/settings/SettingsStore.h"
#include "common/ui/ServerAdd.h"
#include "common/ui/WidgetMessages.h"
#include "tests/support/LiveServer.h"
#include "tests/support/TestSupport.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using tallix::frmServer;
using tallix::IMessages;
using tallix::Servers;
using tallix::SettingsStore;
using tallix::test::RecordingMessages;
using Answer = IMessages::Answer;

namespace {

// Registered servers are folders of SQLite databases, so selecting one lists real catalogs
// without a network; a store of our own shows what OK writes.
class ServerDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        store = std::make_unique<SettingsStore>(path(QStringLiteral("settings.ini")));
        useStore = std::make_unique<tallix::ScopedSettingsStore>(*store);
    }

    // A server folder holding one empty database file per name.
    QString serverFolder(const QString& name, const QStringList& databases)
    {
        const QString folder = path(name);
        QDir().mkpath(folder);
        for (const QString& db : databases) {
            QFile file(QDir(folder).filePath(db + QStringLiteral(".db")));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        }
        return folder;
    }
    QString path(const QString& name) const { return QDir(m_dir.path()).filePath(name); }

    // The dialog, shown (which loads it) with `current` selected first.
    std::unique_ptr<frmServer> open(const QString& current)
    {
        auto dialog = std::make_unique<frmServer>(servers, QStringLiteral("Tallix"));
        dialog->setCurrentServerName(current);
        dialog->show();
        return dialog;
    }

    template <typename W> static W* child(const frmServer& dialog, const char* name)
    {
        W* widget = dialog.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    static void click(const frmServer& dialog, const char* button)
    {
        child<QPushButton>(dialog, button)->click();
    }
    static QStringList listed(const frmServer& dialog)
    {
        QStringList names;
        auto* list = child<QListWidget>(dialog, "lstServers");
        for (int i = 0; i < list->count(); ++i)
            names << list->item(i)->text();
        return names;
    }
    static QStringList databases(const frmServer& dialog)
    {
        QStringList names;
        auto* combo = child<QComboBox>(dialog, "cboDatabases");
        for (int i = 0; i < combo->count(); ++i)
            names << combo->itemText(i);
        return names;
    }
    static void select(const frmServer& dialog, const QString& name)
    {
        auto* list = child<QListWidget>(dialog, "lstServers");
        const auto items = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(items[0]).center());
    }
    static void focusIn(QWidget* widget)
    {
        QFocusEvent event(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(widget, &event);
    }

    QStringList storedNames() const
    {
        Servers stored;
        stored.LoadFromRegistry(*store);
        QStringList names;
        for (const auto& s : stored)
            names << s.ServerName + (s.IsDefault ? QStringLiteral("*") : QString());
        return names;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<tallix::ScopedSettingsStore> useStore;
    Servers servers;
};

// Stands in for the user and the desktop: answers every real message box that opens by pressing
// `key` in it and records its text, and, like a window manager, gives `window` the activation back
// once no window holds it (the offscreen platform leaves that to the desktop). Should boxes keep
// coming (a window that shows its failure again each time it gets the focus back), it gives
// `escape` the focus before answering the `limit`-th one, so the loop ends and the test fails
// instead of hanging.
class BoxAnswerer {
public:
    BoxAnswerer(Qt::Key key, QWidget* window, QWidget* escape, int limit = 8)
    {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [this, key, window, escape, limit] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                if (!QApplication::activeWindow() && window->isVisible())
                    window->activateWindow();
                return;
            }
            if (box == m_last)
                return;
            m_last = box;
            texts << box->text();
            if (texts.size() >= limit)
                escape->setFocus(Qt::OtherFocusReason);
            QTest::keyClick(box, key);
        });
        m_timer.start();
    }
    QStringList texts;

private:
    QTimer m_timer;
    QMessageBox* m_last = nullptr;
};

} // namespace

TEST_F(ServerDialogTest, TheFirstServerIsAlwaysTheDefault)
{
    RecordingMessages rec;
    auto dialog = open(QString());
    auto* chkDefault = child<QCheckBox>(*dialog, "chkDefault");
    EXPECT_TRUE(chkDefault->isChecked());
    EXPECT_EQ(chkDefault->text(),
              QStringLiteral("De&fault Server (Must be true for the first server you register.)"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Server Registration"));
    EXPECT_EQ(child<QGroupBox>(*dialog, "Frame")->title(), QStringLiteral("View"));
    EXPECT_FALSE(chkDefault->isEnabled());
    EXPECT_GE(chkDefault->width(), chkDefault->sizeHint().width()) << "the caption is not cut";

    // Add unchecks it, which beeps and checks it again; so does every click.
    click(*dialog, "cmdAdd");
    EXPECT_EQ(dialog->mode(), QStringLiteral("Add"));
    EXPECT_EQ(child<QGroupBox>(*dialog, "Frame")->title(), QStringLiteral("Add"));
    EXPECT_EQ(rec.beeps, 1);
    EXPECT_TRUE(chkDefault->isChecked());
    chkDefault->click();
    chkDefault->click();
    EXPECT_EQ(rec.beeps, 3);
    EXPECT_TRUE(chkDefault->isChecked());
    EXPECT_TRUE(child<QCheckBox>(*dialog, "chkWinNT")->isChecked());

    const QString first = serverFolder(QStringLiteral("first"), {QStringLiteral("pubs")});
    QTest::keyClicks(child<QLineEdit>(*dialog, "txtServer"), first);
    click(*dialog, "cmdSave");
    ASSERT_EQ(servers.Count(), 1);
    EXPECT_TRUE(servers.Item(1).IsDefault);
    EXPECT_EQ(listed(*dialog), QStringList{first});
    EXPECT_EQ(dialog->mode(), QStringLiteral("View"));
    EXPECT_TRUE(rec.asked.empty());
    EXPECT_TRUE(rec.shown.empty());

    // With a server registered the mark can be taken off the next one.
    click(*dialog, "cmdAdd");
    EXPECT_FALSE(chkDefault->isChecked());
    EXPECT_EQ(rec.beeps, 3);
}

TEST_F(ServerDialogTest, SavingMovesTheEntryToTheEndAndADefaultClearsTheOthers)
{
    const QString a = serverFolder(QStringLiteral("a"), {QStringLiteral("pubs")});
    const QString b =
        serverFolder(QStringLiteral("b"), {QStringLiteral("pubs"), QStringLiteral("Northwind"),
                                           QStringLiteral("audit")});
    const QString c = serverFolder(QStringLiteral("c"), {QStringLiteral("model")});
    servers.Add(a, QString(), QString(), QStringLiteral("pubs"), true, a);
    servers.Add(b, QStringLiteral("sa"), QStringLiteral("pw"), QStringLiteral("Northwind"), false,
                b);
    servers.Add(c, QString(), QString(), QString(), false, c);
    servers.SaveToRegistry();

    RecordingMessages rec;
    auto dialog = open(b);
    EXPECT_EQ(child<QListWidget>(*dialog, "lstServers")->currentRow(), 1);
    EXPECT_EQ(dialog->ServerName(), b);
    EXPECT_EQ(child<QLineEdit>(*dialog, "txtLogin")->text(), QStringLiteral("sa"));
    EXPECT_EQ(dialog->Password(), QStringLiteral("pw"));
    EXPECT_FALSE(dialog->NTAuthentication());
    // The server's own catalogs, in the order it reports them, with the entry's default chosen.
    EXPECT_EQ(databases(*dialog), (QStringList{QStringLiteral("audit"), QStringLiteral("Northwind"),
                                               QStringLiteral("pubs")}));
    EXPECT_EQ(dialog->Database(), QStringLiteral("Northwind"));
    EXPECT_FALSE(child<QLineEdit>(*dialog, "txtLogin")->isEnabled());

    click(*dialog, "cmdEdit");
    EXPECT_FALSE(child<QLineEdit>(*dialog, "txtServer")->isEnabled());
    EXPECT_TRUE(child<QLineEdit>(*dialog, "txtLogin")->isEnabled());
    child<QComboBox>(*dialog, "cboDatabases")->setCurrentIndex(0);
    child<QCheckBox>(*dialog, "chkDefault")->click();
    click(*dialog, "cmdSave");
    EXPECT_EQ(listed(*dialog), (QStringList{a, c, b}));
    EXPECT_FALSE(servers.Item(1).IsDefault);
    EXPECT_TRUE(servers.Item(3).IsDefault);
    EXPECT_EQ(servers.Item(3).DefaultDatabase, QStringLiteral("audit"));

    // Saving without the mark leaves the other marks alone.
    select(*dialog, a);
    EXPECT_FALSE(dialog->DefaultServer());
    click(*dialog, "cmdEdit");
    QTest::keyClicks(child<QLineEdit>(*dialog, "txtLogin"), QStringLiteral("reader"));
    click(*dialog, "cmdSave");
    EXPECT_EQ(listed(*dialog), (QStringList{c, b, a}));
    EXPECT_TRUE(servers.Item(2).IsDefault);
    EXPECT_EQ(servers.Item(3).UserID, QStringLiteral("reader"));
    EXPECT_TRUE(rec.asked.empty());

    // Nothing reaches the store before OK; OK writes the new order and numbering.
    EXPECT_EQ(storedNames(), (QStringList{a + QStringLiteral("*"), b, c}));
    click(*dialog, "cmdOK");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(storedNames(), (QStringList{c, b + QStringLiteral("*"), a}));
    EXPECT_EQ(store->readValue(tallix::RegistryRoot::CurrentUser, tallix::tallixRegistryKey(),
                               QStringLiteral("Username3")),
              QStringLiteral("reader"));
}

TEST_F(ServerDialogTest, AnsweringNoToDiscardKeepsTheEntryAndTheTypedValues)
{
    const QString a = serverFolder(QStringLiteral("a"), {QStringLiteral("pubs")});
    const QString b = serverFolder(QStringLiteral("b"), {QStringLiteral("tempdb")});
    servers.Add(a, QStringLiteral("sa"), QString(), QString(), true, a);
    servers.Add(b, QString(), QString(), QString(), false, b);

    RecordingMessages rec;
    auto dialog = open(a);
    click(*dialog, "cmdEdit");
    auto* login = child<QLineEdit>(*dialog, "txtLogin");
    login->clear();
    QTest::keyClicks(login, QStringLiteral("typed"));

    rec.answer(Answer::No);
    select(*dialog, b);
    ASSERT_EQ(rec.asked.size(), 1u);
    EXPECT_EQ(rec.asked[0].text, QStringLiteral("Discard changes?"));
    EXPECT_EQ(rec.asked[0].title, QStringLiteral("Discard?"));
    EXPECT_EQ(rec.asked[0].buttons, IMessages::Buttons::YesNo);
    EXPECT_EQ(child<QListWidget>(*dialog, "lstServers")->currentItem()->text(), a);
    EXPECT_EQ(dialog->ServerName(), a);
    EXPECT_EQ(login->text(), QStringLiteral("typed"));
    EXPECT_EQ(dialog->mode(), QStringLiteral("Edit"));

    // Yes shows the other entry and leaves the mode as it was.
    rec.answer(Answer::Yes);
    select(*dialog, b);
    EXPECT_EQ(rec.asked.size(), 2u);
    EXPECT_EQ(dialog->ServerName(), b);
    EXPECT_EQ(login->text(), QString());
    EXPECT_TRUE(dialog->NTAuthentication());
    EXPECT_EQ(databases(*dialog), QStringList{QStringLiteral("tempdb")});
    EXPECT_EQ(dialog->mode(), QStringLiteral("Edit"));
    EXPECT_EQ(servers.Item(1).UserID, QStringLiteral("sa")) << "discarded edits reach nothing";
}

TEST_F(ServerDialogTest, CancelInAddModeLeavesTheEmptiedFieldsDisabled)
{
    const QString a = serverFolder(QStringLiteral("a"), {QStringLiteral("pubs")});
    servers.Add(a, QStringLiteral("sa"), QStringLiteral("pw"), QStringLiteral("pubs"), true, a);
    RecordingMessages rec;
    auto dialog = open(a);
    EXPECT_EQ(dialog->ServerName(), a);
    click(*dialog, "cmdAdd");
    EXPECT_TRUE(databases(*dialog).isEmpty());
    click(*dialog, "cmdCancel");
    EXPECT_EQ(dialog->mode(), QStringLiteral("View"));
    EXPECT_EQ(child<QGroupBox>(*dialog, "Frame")->title(), QStringLiteral("View"));
    for (const char* name : {"txtServer", "txtLogin", "txtPassword"}) {
        auto* field = child<QLineEdit>(*dialog, name);
        EXPECT_EQ(field->text(), QString()) << name;
        EXPECT_FALSE(field->isEnabled()) << name;
    }
    for (const char* name : {"cmdAdd", "cmdEdit", "cmdDelete", "cmdOK"})
        EXPECT_TRUE(child<QPushButton>(*dialog, name)->isEnabled()) << name;
    EXPECT_EQ(servers.Count(), 1);

    // The highlighted entry can be shown again at once.
    select(*dialog, a);
    EXPECT_EQ(dialog->ServerName(), a);
    EXPECT_TRUE(rec.asked.empty());
}

TEST_F(ServerDialogTest, AnUnknownCurrentServerSelectsNothingAndClosingFromTheFrameStoresNothing)
{
    const QString a = serverFolder(QStringLiteral("a"), {QStringLiteral("pubs")});
    servers.Add(a, QString(), QString(), QString(), true, a);
    RecordingMessages rec;
    auto dialog = open(a.toUpper() + QStringLiteral("x"));
    EXPECT_EQ(child<QListWidget>(*dialog, "lstServers")->currentRow(), -1);
    EXPECT_EQ(dialog->ServerName(), QString());

    click(*dialog, "cmdAdd");
    const QString b = serverFolder(QStringLiteral("b"), {QStringLiteral("pubs")});
    QTest::keyClicks(child<QLineEdit>(*dialog, "txtServer"), b);
    click(*dialog, "cmdSave");
    click(*dialog, "cmdAdd");
    EXPECT_TRUE(dialog->close());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(dialog->mode(), QStringLiteral("View")) << "closing runs Cancel";
    EXPECT_EQ(servers.Count(), 2) << "the list keeps the edit for the program's lifetime";
    EXPECT_TRUE(storedNames().isEmpty());
}

TEST_F(ServerDialogTest, DeletesTheSelectedEntryAfterAskingAndSkipsAnEmptyName)
{
    const QString a = serverFolder(QStringLiteral("a"), {QStringLiteral("pubs")});
    const QString b = serverFolder(QStringLiteral("b"), {QStringLiteral("pubs")});
    servers.Add(a, QString(), QString(), QString(), true, a);
    servers.Add(b, QStringLiteral("sa"), QString(), QStringLiteral("pubs"), false, b);
    RecordingMessages rec;
    auto dialog = open(b);

    rec.answer(Answer::No);
    click(*dialog, "cmdDelete");
    ASSERT_EQ(rec.asked.size(), 1u);
    EXPECT_EQ(rec.asked[0].text, QStringLiteral("Are you sure you want to delete the registration\n"
                                                "for ") +
                                     b + QStringLiteral("?"));
    EXPECT_EQ(rec.asked[0].title, QStringLiteral("Delete Server Registration?"));
    EXPECT_EQ(servers.Count(), 2);

    rec.answer(Answer::Yes);
    click(*dialog, "cmdDelete");
    EXPECT_EQ(servers.Count(), 1);
    EXPECT_EQ(listed(*dialog), QStringList{a});
    EXPECT_EQ(dialog->ServerName(), QString());
    EXPECT_EQ(child<QLineEdit>(*dialog, "txtLogin")->text(), QString());
    EXPECT_TRUE(databases(*dialog).isEmpty());

    // Saving without a name would store an entry that ends the stored list.
    click(*dialog, "cmdAdd");
    click(*dialog, "cmdSave");
    EXPECT_EQ(servers.Count(), 1);
    EXPECT_EQ(rec.beeps, 1);
}

TEST_F(ServerDialogTest, ListsDatabasesOnEnteringTheBoxAndReportsAnUnreachableServer)
{
    RecordingMessages rec;
    auto dialog = open(QString());
    click(*dialog, "cmdAdd");
    auto* combo = child<QComboBox>(*dialog, "cboDatabases");
    const QString folder =
        serverFolder(QStringLiteral("srv"),
                     {QStringLiteral("zeta"), QStringLiteral("Alpha"), QStringLiteral("mid")});
    QTest::keyClicks(child<QLineEdit>(*dialog, "txtServer"), folder);
    focusIn(combo);
    EXPECT_EQ(databases(*dialog), (QStringList{QStringLiteral("Alpha"), QStringLiteral("mid"),
                                               QStringLiteral("zeta")}));
    EXPECT_TRUE(combo->isEnabled());
    EXPECT_TRUE(rec.shown.empty());
    focusIn(combo); // already filled: nothing is listed again
    EXPECT_TRUE(rec.shown.empty());

    // Nothing listens on port 1: the error, then the second message.
    click(*dialog, "cmdAdd");
    QTest::keyClicks(child<QLineEdit>(*dialog, "txtServer"), QStringLiteral("127.0.0.1,1"));
    QTest::keyClicks(child<QLineEdit>(*dialog, "txtLogin"), QStringLiteral("sa"));
    QTest::keyClicks(child<QLineEdit>(*dialog, "txtPassword"), QStringLiteral("secret"));
    focusIn(combo);
    ASSERT_EQ(rec.shown.size(), 2u);
    EXPECT_TRUE(rec.shown[0].text.startsWith(QStringLiteral("Error: ")))
        << qPrintable(rec.shown[0].text);
    EXPECT_GT(rec.shown[0].text.size(), 7);
    EXPECT_FALSE(rec.shown[0].text.contains(QStringLiteral("secret")));
    EXPECT_EQ(rec.shown[0].icon, IMessages::Icon::None);
    EXPECT_EQ(rec.shown[1].text,
              QStringLiteral("Tallix cannot connect to the server with these parameters."));
    EXPECT_EQ(rec.shown[1].icon, IMessages::Icon::Warning);
    EXPECT_TRUE(combo->isEnabled());
    EXPECT_EQ(combo->count(), 0);
}

TEST_F(ServerDialogTest, ServerAddShowsTheDialogModallyAndThenRefreshesTheWindow)
{
    const QString a = serverFolder(QStringLiteral("a"), {QStringLiteral("pubs")});
    const QString b = serverFolder(QStringLiteral("b"), {QStringLiteral("pubs")});
    servers.Add(a, QString(), QString(), QString(), true, a);
    servers.Add(b, QString(), QString(), QString(), false, b);
    RecordingMessages rec;

    QString selectedWhenShown;
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<frmServer*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        wasModal = dialog->isModal();
        selectedWhenShown = dialog->ServerName();
        dialog->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    int refreshed = 0;
    tallix::ServerAdd(servers, b, QStringLiteral("Tallix"), nullptr, [&] { ++refreshed; });
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(selectedWhenShown, b);
    EXPECT_EQ(refreshed, 1);
    EXPECT_EQ(storedNames(), (QStringList{a + QStringLiteral("*"), b}));
    EXPECT_EQ(QApplication::topLevelWidgets().count(), 0) << "the dialog is discarded";
}

// Against a real server, when TALLIX_TEST_MSSQL holds a connection string (ODBC or the programs'
// form): the dialog lists that server's databases from its login and password.
TEST_F(ServerDialogTest, ListsTheDatabasesOfALiveServer)
{
    const auto live = tallix::test::LiveServer::fromEnvironment();
    if (!live)
        GTEST_SKIP() << "TALLIX_TEST_MSSQL is not set";

    RecordingMessages rec;
    auto dialog = open(QString());
    click(*dialog, "cmdAdd");
    QTest::keyClicks(child<QLineEdit>(*dialog, "txtServer"), live->server);
    QTest::keyClicks(child<QLineEdit>(*dialog, "txtLogin"), live->login);
    QTest::keyClicks(child<QLineEdit>(*dialog, "txtPassword"), live->password);
    focusIn(child<QComboBox>(*dialog, "cboDatabases"));
    EXPECT_TRUE(rec.shown.empty()) << qPrintable(rec.shownTexts().join(QLatin1Char('\n')));
    const QStringList names = databases(*dialog);
    EXPECT_TRUE(names.contains(QStringLiteral("master"))) << qPrintable(names.join(u','));
    EXPECT_TRUE(names.contains(QStringLiteral("tempdb"))) << qPrintable(names.join(u','));

    // The same server with its port written after a colon.
    if (!live->server.contains(u','))
        return;
    click(*dialog, "cmdAdd");
    QTest::keyClicks(child<QLineEdit>(*dialog, "txtServer"),
                     QString(live->server).replace(u',', u':'));
    QTest::keyClicks(child<QLineEdit>(*dialog, "txtLogin"), live->login);
    QTest::keyClicks(child<QLineEdit>(*dialog, "txtPassword"), live->password);
    focusIn(child<QComboBox>(*dialog, "cboDatabases"));
    EXPECT_TRUE(rec.shown.empty()) << qPrintable(rec.shownTexts().join(QLatin1Char('\n')));
    EXPECT_EQ(databases(*dialog), names);
}

// The real boxes, answered by keys, over real focus changes: entering the database box of a
// server that refuses shows the failure once and leaves the box usable; the next attempt is the
// user's, by typing in a field or by opening the box.
TEST_F(ServerDialogTest, AListingThatFailsOnEnteringTheDatabaseBoxIsShownOnce)
{
    tallix::WidgetMessages boxes;
    tallix::ScopedMessages useBoxes(boxes);
    auto dialog = open(QString());
    QApplication::setActiveWindow(dialog.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    click(*dialog, "cmdAdd");
    auto* server = child<QLineEdit>(*dialog, "txtServer");
    EXPECT_TRUE(server->hasFocus()) << "Add lets the user type the name at once";
    auto* password = child<QLineEdit>(*dialog, "txtPassword");
    auto* combo = child<QComboBox>(*dialog, "cboDatabases");
    QTest::keyClicks(server, QStringLiteral("127.0.0.1,1"));
    QTest::keyClicks(child<QLineEdit>(*dialog, "txtLogin"), QStringLiteral("sa"));
    QTest::keyClicks(password, QStringLiteral("wrong"));

    const QString cannot =
        QStringLiteral("Tallix cannot connect to the server with these parameters.");
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        QElapsedTimer clock;
        clock.start();
        if (key == Qt::Key_Escape)
            QTest::keyClick(password, Qt::Key_X); // typing in a field: a new attempt
        BoxAnswerer answerer(key, dialog.get(), server);
        password->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(password, Qt::Key_Tab); // into the database box
        QTest::qWait(300);                      // a loop would show the next boxes now
        ASSERT_EQ(answerer.texts.size(), 2) << qPrintable(answerer.texts.join(u'\n'));
        EXPECT_TRUE(answerer.texts[0].startsWith(QStringLiteral("Error: ")));
        EXPECT_EQ(answerer.texts[1], cannot);
        EXPECT_TRUE(dialog->isVisible()) << "a key in the box does not close the dialog";
        EXPECT_TRUE(combo->isEnabled());
        EXPECT_TRUE(combo->hasFocus());
        EXPECT_EQ(combo->count(), 0);
        EXPECT_LT(clock.elapsed(), 20000);
        // Leaving and entering the box again with the same values tries nothing.
        server->setFocus(Qt::TabFocusReason);
        combo->setFocus(Qt::TabFocusReason);
        QTest::qWait(100);
        EXPECT_EQ(answerer.texts.size(), 2);
    }

    // Opening the box is an attempt of its own, with the same values too.
    BoxAnswerer answerer(Qt::Key_Return, dialog.get(), server);
    ASSERT_TRUE(combo->hasFocus());
    QTest::keyClick(combo, Qt::Key_F4);
    QTest::qWait(300);
    EXPECT_EQ(answerer.texts, (QStringList{answerer.texts.value(0), cannot}));
    EXPECT_FALSE(combo->view()->isVisible()) << "no empty list is dropped down";

    // A click both enters and opens the box: one attempt, not two.
    QTest::keyClick(password, Qt::Key_Y);
    server->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(combo, Qt::LeftButton);
    QTest::qWait(300);
    EXPECT_EQ(answerer.texts.size(), 4) << qPrintable(answerer.texts.join(u'\n'));
    EXPECT_TRUE(combo->hasFocus());

    // A server that answers fills the box and drops it down.
    const QString folder = serverFolder(QStringLiteral("srv"), {QStringLiteral("pubs")});
    server->clear();
    QTest::keyClicks(server, folder);
    password->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(password, Qt::Key_Tab);
    QTest::qWait(100);
    EXPECT_EQ(databases(*dialog), QStringList{QStringLiteral("pubs")});
    EXPECT_TRUE(combo->view()->isVisible());
    EXPECT_EQ(answerer.texts.size(), 4) << "nothing more to say";
}

// A port written after a colon reaches the same place as after a comma, and a box entered before
// any server is named says so instead of passing on the driver's "unknown host".
TEST_F(ServerDialogTest, APortAfterAColonAndAMissingServerName)
{
    RecordingMessages rec;
    auto dialog = open(QString());
    auto* combo = child<QComboBox>(*dialog, "cboDatabases");
    auto* server = child<QLineEdit>(*dialog, "txtServer");
    EXPECT_TRUE(server->toolTip().contains(QStringLiteral("127.0.0.1,1433")));
    EXPECT_TRUE(server->toolTip().contains(QStringLiteral("127.0.0.1:1433")));
    click(*dialog, "cmdAdd");
    QStringList errors;
    for (const char* name : {"", "127.0.0.1,1", "127.0.0.1:1"}) {
        server->setText(QString::fromLatin1(name));
        focusIn(combo);
        ASSERT_EQ(rec.shown.size(), 2u) << name;
        errors << rec.shown[0].text;
        rec.shown.clear();
    }
    EXPECT_EQ(errors[0], QStringLiteral("Error: No server chosen. Choose a server first; new "
                                        "servers are registered in Server Registration."));
    EXPECT_EQ(errors[2], errors[1]);
    EXPECT_FALSE(errors[2].contains(QStringLiteral("nknown host"))) << qPrintable(errors[2]);
}
