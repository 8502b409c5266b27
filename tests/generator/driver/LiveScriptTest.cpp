#include "common/db/Connection.h"
#include "generator/driver/ScriptDriver.h"
#include "generator/project/Project.h"
#include "tests/support/TestSupport.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace tallix;

namespace {

constexpr const char* kDatabase = "tallix_live_names";

// A script run as a client tool runs it: batch by batch, split at the GO lines.
// Returns the failures as "batch text: description".
QStringList runScript(Connection& db, const QString& script)
{
    QStringList failures;
    static const QRegularExpression go(QStringLiteral("^GO\\r?$"),
                                       QRegularExpression::MultilineOption);
    for (const QString& batch : script.split(go)) {
        if (batch.trimmed().isEmpty())
            continue;
        try {
            db.Execute(batch);
        } catch (const Error& e) {
            failures << batch.trimmed().left(80) + QStringLiteral(": ") + e.description();
        }
    }
    return failures;
}

QStringList column(Connection& db, const QString& sql)
{
    QStringList values;
    for (Recordset rs = db.OpenRecordset(sql); !rs.atEnd(); rs.MoveNext())
        values << rs.Field(0).toString();
    return values;
}

} // namespace

// Against a real server, when TALLIX_TEST_MSSQL holds a connection string: the
// scripts of a project with hostile names run, audit, and leave the victim alone.
TEST(LiveScript, HostileNamesRunAuditAndInjectNothing)
{
    if (qEnvironmentVariable("TALLIX_TEST_MSSQL").isEmpty())
        GTEST_SKIP() << "TALLIX_TEST_MSSQL is not set";
    Connection db(qEnvironmentVariable("TALLIX_TEST_MSSQL"));
    db.Open();
    const QString database = QString::fromLatin1(kDatabase);
    try {
        db.Execute(QStringLiteral("DROP DATABASE ") + database);
    } catch (const Error&) {
        // not there from an earlier run
    }
    db.Execute(QStringLiteral("CREATE DATABASE ") + database);
    db.Execute(QStringLiteral("USE ") + database);
    db.Execute(QStringLiteral("CREATE TABLE victim (id int)"));
    db.Execute(QStringLiteral("CREATE TABLE [Sales.2024 O'Brien] ([it's] varchar(10) NOT NULL "
                              "PRIMARY KEY, Qty int)"));
    db.Execute(QStringLiteral("CREATE TABLE [x'; DROP TABLE victim; --] (Body varchar(20))"));

    Project project;
    project.setDB(database);
    CTable& obrien = project.Tables().Add(QStringLiteral("Sales.2024 O'Brien"));
    obrien.Insert = obrien.Update = obrien.Delete = true;
    obrien.Columns.Add(QStringLiteral("it's"), QStringLiteral("varchar"), 10, 0, 0, false, true,
                       false, true);
    obrien.Columns.Add(QStringLiteral("Qty"), QStringLiteral("int"), 0, 10, 0, true, false, false,
                       true);
    for (const QString& name : {QStringLiteral("x'; DROP TABLE victim; --"),
                                QStringLiteral("x'; DROP TABLE victim; --\ny")}) {
        CTable& keyless = project.Tables().Add(name);
        keyless.Insert = true;
        keyless.Columns.Add(QStringLiteral("Body"), QStringLiteral("varchar"), 20, 0, 0, true,
                            false, false, true);
    }
    IScriptObserver silent;
    ScriptDriver driver(silent);

    for (const QString& failure : runScript(db, driver.GenerateScript(project)))
        EXPECT_FALSE(failure.contains(QStringLiteral("TRIGGER")) ||
                     failure.contains(QStringLiteral("victim")))
            << qPrintable(failure);
    EXPECT_EQ(column(db, QStringLiteral("SELECT COUNT(*) FROM victim")), QStringList{u"0"_qs});

    db.Execute(QStringLiteral("INSERT [Sales.2024 O'Brien] VALUES ('a''b', 1)"));
    db.Execute(QStringLiteral("UPDATE [Sales.2024 O'Brien] SET Qty = 2"));
    db.Execute(QStringLiteral("DELETE [Sales.2024 O'Brien]"));
    EXPECT_EQ(column(db, QStringLiteral("SELECT TransactionType + ' ' + SourceTable + ' ' + "
                                        "CAST(Data AS varchar(300)) FROM Tallix ORDER BY 1")),
              QStringList({u"D Sales.2024 O'Brien <AUDIT><COLUMN NAME='it&apos;s' "
                           u"BEFORE='a&apos;b' AFTER=''/><COLUMN NAME='Qty' BEFORE='2' "
                           u"AFTER=''/></AUDIT>"_qs,
                           u"I Sales.2024 O'Brien <AUDIT><COLUMN NAME='it&apos;s' BEFORE='' "
                           u"AFTER='a&apos;b'/><COLUMN NAME='Qty' BEFORE='' "
                           u"AFTER='1'/></AUDIT>"_qs,
                           u"U Sales.2024 O'Brien <AUDIT><COLUMN NAME='it&apos;s' "
                           u"BEFORE='a&apos;b' AFTER='a&apos;b'/><COLUMN NAME='Qty' BEFORE='1' "
                           u"AFTER='2'/></AUDIT>"_qs}));
    EXPECT_EQ(column(db, QStringLiteral("SELECT KeyValues FROM TallixKeys")),
              QStringList{u"it's=a'b"_qs});

    for (const QString& failure : runScript(db, driver.GenerateRemoveScript(project)))
        ADD_FAILURE() << qPrintable(failure);
    EXPECT_EQ(column(db, QStringLiteral("SELECT COUNT(*) FROM sys.objects WHERE name IN "
                                        "('Tallix', 'TallixKeys') OR type = 'TR'")),
              QStringList{u"0"_qs});

    db.Execute(QStringLiteral("USE master"));
    db.Execute(QStringLiteral("DROP DATABASE ") + database);
}
