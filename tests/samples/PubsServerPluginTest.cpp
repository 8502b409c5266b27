// The sample server component as the client reaches it: a plugin found by class id in the
// build's components folder, called against a SQLite pubs database made by the demo builder.
#include "common/db/Connection.h"
#include "samples/component/ComponentLoader.h"
#include "samples/component/IPubsServer.h"
#include "tests/samples/PubsFixture.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tallix;
using namespace tallix::pubs;
using tallix::test::ComponentSettings;
using tallix::test::PubsFolder;
using tallix::test::s;

namespace {

const QString kComponents = QStringLiteral(TALLIX_COMPONENTS_DIR);
const QString kSampleId = QStringLiteral("999-99-0000");

IPubsServerClass* serverClass()
{
    QObject* root = ComponentLoader({kComponents})
                        .classObject(QLatin1String(kClassId), QLatin1String(kInterfaceId));
    return qobject_cast<IPubsServerClass*>(root);
}

CallResult callOnce()
{
    IPubsServerClass* cls = serverClass();
    if (!cls)
        return CallResult::failure(0, s("the class object offers no IPubsServerClass"));
    return cls->CreateInstance()->ChangeAuthors();
}

QString describe(const CallResult& r)
{
    return r.succeeded() ? s("succeeded") : QString::number(r.number) + s(": ") + r.description;
}

} // namespace

TEST(ComponentLoader, ListsTheServerUnderItsClassAndInterfaceIds)
{
    const QTemporaryDir other;
    // A file named like a library that is none, and a plain file, are passed over.
    QFile garbage(other.filePath(s("broken.so")));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, '\x7f'));
    garbage.close();
    QFile notes(other.filePath(s("notes.txt")));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.close();

    const auto found = ComponentLoader({other.path(), kComponents}).registrations();
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(QFileInfo(found[0].file).fileName(), s("pubsserver.so"));
    EXPECT_EQ(found[0].classId, QLatin1String(kClassId));
    EXPECT_EQ(found[0].interfaceId, QLatin1String(kInterfaceId));

    // Ids compare as GUIDs: letter case and braces do not matter.
    QObject* root = ComponentLoader({kComponents})
                        .classObject(s("a7a6e10f-6834-4c6c-882b-98a4d4eaaac7"),
                                     s("{4226a950-3098-4933-95de-e6db4d4eb80a}"));
    EXPECT_NE(qobject_cast<IPubsServerClass*>(root), nullptr);

    // The class is there, but not with the interface asked for.
    const QString recordset = s("{00000556-0000-0010-8000-00AA006D2EA4}");
    try {
        ComponentLoader({kComponents}).classObject(QLatin1String(kClassId), recordset);
        ADD_FAILURE() << "created the component for another interface";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), ComponentLoader::CannotCreateObject);
        EXPECT_EQ(e.description(),
                  s("The component {A7A6E10F-6834-4C6C-882B-98A4D4EAAAC7} (") + kComponents +
                      s("/pubsserver.so) does not offer the interface ") + recordset + s("."));
    }
}

TEST(PubsServer, EachCallInsertsUpdatesAndDeletesOneAuthor)
{
    const PubsFolder pubs;
    // Held open while the component opens and closes its own connections in this process.
    Connection db(pubs.connectionString());
    db.Open();
    const QStringList before = PubsFolder::authorIds(db);
    ASSERT_FALSE(before.isEmpty());
    const ComponentSettings settings(pubs.path(), s("pubs"), {}, {}, s("Jane Doe"));

    for (int call = 1; call <= 3; ++call) {
        const CallResult result = callOnce();
        ASSERT_TRUE(result.succeeded()) << qPrintable(describe(result));
        // The author as it stood between the update and the delete.
        const Recordset& changed = *result.recordset;
        ASSERT_EQ(changed.RecordCount(), 1);
        EXPECT_EQ(changed.Field(s("au_id")).toString(), kSampleId);
        EXPECT_EQ(changed.Field(s("au_lname")).toString(), s("Sample"));
        EXPECT_EQ(changed.Field(s("phone")).toString(), s("415 555-0199"));
        EXPECT_EQ(changed.Field(s("contract")).toInt(), 1);
    }
    const QStringList once = tallix::test::oneCallsChanges(kSampleId);
    EXPECT_EQ(PubsFolder::log(db), once + once + once);
    EXPECT_EQ(PubsFolder::authorIds(db), before);
}

TEST(PubsServer, TakesTheFirstSampleAuthorIdNotInUse)
{
    const PubsFolder pubs;
    Connection db(pubs.connectionString());
    db.Open();
    db.Execute(s("INSERT INTO authors (au_id, au_lname, au_fname, phone, contract) "
                 "VALUES ('999-99-0000', 'Kept', 'Row', '000 000-0000', 0)"));
    db.Execute(s("DELETE FROM authors_log"));
    const ComponentSettings settings(pubs.path(), s("pubs"), {}, {}, s("Jane Doe"));

    const CallResult result = callOnce();
    ASSERT_TRUE(result.succeeded()) << qPrintable(describe(result));
    EXPECT_EQ(result.recordset->Field(s("au_id")).toString(), s("999-99-0001"));
    EXPECT_EQ(PubsFolder::log(db), tallix::test::oneCallsChanges(s("999-99-0001")));
    EXPECT_EQ(db.OpenRecordset(s("SELECT au_lname FROM authors WHERE au_id = '999-99-0000'"))
                  .Field(0)
                  .toString(),
              s("Kept"));
}

TEST(PubsServer, AFailedChangeRollsBackTheOthers)
{
    const PubsFolder pubs;
    Connection db(pubs.connectionString());
    db.Open();
    db.Execute(s("CREATE TRIGGER authors_keep BEFORE DELETE ON authors BEGIN "
                 "SELECT RAISE(ABORT, 'authors are kept'); END"));
    const QStringList before = PubsFolder::authorIds(db);
    const ComponentSettings settings(pubs.path(), s("pubs"), {}, {}, s("Jane Doe"));

    const CallResult result = callOnce();
    EXPECT_FALSE(result.succeeded());
    EXPECT_EQ(result.description, s("The changes to authors were rolled back: authors are kept"));
    EXPECT_EQ(PubsFolder::log(db), QStringList());
    EXPECT_EQ(PubsFolder::authorIds(db), before);
}

TEST(PubsServer, SaysWhyItChangedNothing)
{
    const PubsFolder pubs;
    const QString tooLong(65, QLatin1Char('u'));
    const struct {
        QString server, database, realUser, expected;
    } cases[] = {
        {pubs.path(), s("nopubs"), s("Jane Doe"),
         s("Cannot connect to the server \"") + pubs.path() + s("\" (database \"nopubs\"): ")},
        {pubs.path(), s("pubs"), tooLong,
         s("The real user \"") + tooLong +
             s("\" cannot be passed to the audit triggers: it is longer than the 64 characters "
               "the triggers record.")},
    };
    for (const auto& c : cases) {
        const ComponentSettings settings(c.server, c.database, {}, {}, c.realUser);
        const CallResult result = callOnce();
        EXPECT_FALSE(result.succeeded());
        EXPECT_TRUE(result.description.startsWith(c.expected)) << qPrintable(result.description);
    }
    Connection db(pubs.connectionString());
    db.Open();
    EXPECT_EQ(PubsFolder::log(db), QStringList());
}
