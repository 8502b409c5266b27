// Against a live server, when TALLIX_TEST_MSSQL holds a connection string: the generated triggers
// record hostile names and values, and the viewer reads every audit row back whole and can build
// its restore statement. A table name that fills Tallix.SourceTable to its last code unit is
// recorded whole too.

#include "common/audit/AuditData.h"
#include "common/audit/KeyValues.h"
#include "common/audit/Limits.h"
#include "common/db/Connection.h"
#include "generator/driver/ScriptDriver.h"
#include "generator/project/Project.h"
#include "tests/support/LiveServer.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"
#include "viewer/details/AuditRecord.h"
#include "viewer/query/SchemaCache.h"
#include "viewer/restore/RestoreStatement.h"

#include <gtest/gtest.h>

using namespace tallix;
using tallix::test::s;

namespace {

// What the viewer reads of one audit row: its type and table, its key pairs and its columns.
QString described(const AuditRecord& record)
{
    const audit::KeyReading key = audit::readKeyValues(record.KeyValues);
    const audit::DataReading data = audit::readData(record.Data);
    QStringList parts{record.TransactionType, record.SourceTable};
    for (const audit::KeyPair& pair : key.pairs)
        parts << pair.name + u'=' + pair.value;
    for (const audit::DataColumn& column : data.columns)
        parts << column.name + u':' + column.before + u'>' + column.after;
    if (!key.complete())
        parts << key.error;
    if (!data.complete())
        parts << data.error;
    return parts.join(QStringLiteral(" | "));
}

} // namespace

TEST(AuditRoundTripLive, HostileRowsComeBackWholeThroughTheViewer)
{
    const auto live = test::LiveServer::fromEnvironment();
    if (!live)
        GTEST_SKIP() << "TALLIX_TEST_MSSQL is not set";
    const test::ScratchDatabase database(*live, QStringLiteral("tallix_rt"));
    Connection db(live->connectionString(database.name()));
    db.Open();

    const QString longest(audit::kSourceTableLength, QLatin1Char('L'));
    db.Execute(QStringLiteral("CREATE TABLE [Order Details] ([it's] varchar(20) NOT NULL, "
                              "[Part No] int NOT NULL, [<Note> & x] varchar(40) NULL, "
                              "[NULL] nvarchar(40) NULL, PRIMARY KEY ([it's], [Part No]))"));
    db.Execute(QStringLiteral("CREATE TABLE ") + longest +
               QStringLiteral(" (id int NOT NULL PRIMARY KEY)"));
    Project project;
    project.setDB(database.name());
    CTable& details = project.Tables().Add(QStringLiteral("Order Details"));
    details.Insert = details.Update = details.Delete = true;
    details.Columns.Add(s("it's"), s("varchar"), 20, 0, 0, false, true, false, true);
    details.Columns.Add(s("Part No"), s("int"), 4, 10, 0, false, true, false, true);
    details.Columns.Add(s("<Note> & x"), s("varchar"), 40, 0, 0, true, false, false, true);
    details.Columns.Add(s("NULL"), s("nvarchar"), 40, 0, 0, true, false, false, true);
    CTable& longName = project.Tables().Add(longest);
    longName.Insert = true;
    longName.Columns.Add(s("id"), s("int"), 4, 10, 0, false, true, false, true);
    IScriptObserver quiet;
    const QString script = ScriptDriver(quiet).GenerateScript(project);
    ASSERT_FALSE(script.isEmpty());
    test::runScript(db, script);

    db.Execute(QStringLiteral("INSERT INTO [Order Details] VALUES ('O''Brien', 1, "
                              "'<b> & ''c''', 'NULL')"));
    db.Execute(QStringLiteral("UPDATE [Order Details] SET [<Note> & x] = 'a=b' + CHAR(1) + "
                              "'c', [NULL] = NULL"));
    db.Execute(QStringLiteral("DELETE FROM [Order Details]"));
    db.Execute(QStringLiteral("INSERT INTO ") + longest + QStringLiteral(" VALUES (7)"));

    const SchemaCache cache = SchemaCache::fromColumnsRowset(db.OpenSchema(SchemaKind::Columns));
    QStringList seen;
    for (Recordset ids = db.OpenRecordset(
             QStringLiteral("SELECT LogID FROM Tallix ORDER BY TransactionDate, TransactionType"));
         !ids.atEnd(); ids.MoveNext()) {
        const std::optional<AuditRecord> record = AuditRecord::read(db, ids.Field(0).toString());
        ASSERT_TRUE(record);
        seen << described(*record);
        // Some T-SQL engines list a name longer than 63 bytes in their catalogue only hashed, so
        // the restore is asked of the other table alone.
        if (record->SourceTable == longest)
            continue;
        const RestoreBuild restore = BuildRestore(*record, cache, false);
        EXPECT_TRUE(restore.ok()) << qPrintable(restore.refusal);
    }
    seen.sort();
    const QString sep(QChar(audit::kKeySeparator));
    EXPECT_EQ(seen,
              (QStringList{
                  s("D | Order Details | it's=O'Brien | Part No=1 | it's:O'Brien> | Part No:1> | "
                    "<Note> & x:a=b") +
                      sep + s("c> | NULL:NULL>"),
                  s("I | ") + longest + s(" | id=7 | id:>7"),
                  s("I | Order Details | it's=O'Brien | Part No=1 | it's:>O'Brien | Part No:>1 | "
                    "<Note> & x:><b> & 'c' | NULL:>NULL"),
                  s("U | Order Details | it's=O'Brien | Part No=1 | it's:O'Brien>O'Brien | "
                    "Part No:1>1 | <Note> & x:<b> & 'c'>a=b") +
                      sep + s("c | NULL:NULL>NULL"),
              }));
}
