// The sample client's window, driven offscreen against the built component and SQLite pubs
// folders; every message box is recorded.
#include "samples/pubsclient/ui/Form1.h"

#include "samples/component/IPubsServer.h"
#include "tests/samples/PubsFixture.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tallix;
using namespace tallix::pubs;
using tallix::test::ComponentSettings;
using tallix::test::PubsFolder;
using tallix::test::RecordingMessages;
using tallix::test::s;

namespace {

const QString kComponents = QStringLiteral(TALLIX_COMPONENTS_DIR);

void pressDoIt(Form1& form)
{
    auto* button = form.findChild<QPushButton*>(s("cmdDoit"));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

TEST(Form1, ShowsItsCaptionButtonAndNotes)
{
    Form1 form({kComponents}, QLatin1String(kClassId));
    EXPECT_EQ(form.windowTitle(), s("Tallix MTS Sample Application"));
    EXPECT_EQ(Form1::programTitle(), s("Tallix Sample Application (Client)"));
    const struct {
        const char* name;
        QString text;
    } labels[] = {
        {"lblNotes", s("This sample works against the pubs database.  It logs an insert, update "
                       "and delete action on the authors table.")},
        {"lblReminder", s("Please remember to update the source code in the pubsserver project "
                          "to change connection settings to match your environment.")},
        {"lblDescription",
         s("This application will show how with minor modifications to the connection strings in "
           "your MTS/COM+ components Tallix can detect and log the *real* user.")},
    };
    for (const auto& l : labels) {
        auto* label = form.findChild<QLabel*>(QLatin1String(l.name));
        ASSERT_NE(label, nullptr) << l.name;
        EXPECT_EQ(label->text(), l.text);
    }
    auto* button = form.findChild<QPushButton*>(s("cmdDoit"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), s("Do It"));
}

TEST(Form1, EachPressChangesAuthorsThroughAFreshComponent)
{
    const PubsFolder pubs;
    const ComponentSettings settings(pubs.path(), s("pubs"), {}, {}, s("Jane Doe"));
    RecordingMessages messages;
    Form1 form({kComponents}, QLatin1String(kClassId));
    form.show();

    pressDoIt(form);
    pressDoIt(form);

    EXPECT_EQ(messages.shownTexts(), QStringList());
    Connection db(pubs.connectionString());
    db.Open();
    const QString id = s("999-99-0000");
    EXPECT_EQ(PubsFolder::log(db),
              tallix::test::oneCallsChanges(id) + tallix::test::oneCallsChanges(id));
}

TEST(Form1, TellsWhyNothingWasDone)
{
    const PubsFolder pubs;
    const QTemporaryDir empty;
    const QString otherClass = s("{A7A6E10F-6834-4C6C-882B-98A4D4EAAAC8}");
    const struct {
        QString folder, classId, server;
        QString expected; // the whole text, or its start where the driver's words follow
    } cases[] = {
        {empty.path(), QLatin1String(kClassId), pubs.path(),
         s("The sample server component could not be created.\n\nClass not registered: no "
           "component is installed in ") +
             empty.path() + s(" (looked for the class {A7A6E10F-6834-4C6C-882B-98A4D4EAAAC7}).")},
        {kComponents, otherClass, pubs.path(),
         s("The sample server component could not be created.\n\nClass not registered: no "
           "component in ") +
             kComponents + s(" has the class id ") + otherClass +
             s("; registered: {A7A6E10F-6834-4C6C-882B-98A4D4EAAAC7} (pubsserver.so).")},
        {kComponents, QLatin1String(kClassId), s("127.0.0.1,1"),
         s("The sample server component failed.\n\nCannot connect to the server "
           "\"127.0.0.1,1\" (database \"pubs\"): ")},
    };
    for (const auto& c : cases) {
        const ComponentSettings settings(c.server, s("pubs"), {}, {}, s("Jane Doe"));
        RecordingMessages messages;
        Form1 form({c.folder}, c.classId);
        form.show();
        pressDoIt(form);
        ASSERT_EQ(messages.shown.size(), 1u) << qPrintable(c.expected);
        EXPECT_TRUE(messages.shown[0].text.startsWith(c.expected))
            << qPrintable(messages.shown[0].text);
        EXPECT_EQ(messages.shown[0].title, s("Tallix Sample Application (Client)"));
        EXPECT_EQ(messages.shown[0].icon, IMessages::Icon::Critical);
    }
    Connection db(pubs.connectionString());
    db.Open();
    EXPECT_EQ(PubsFolder::log(db), QStringList());
}
