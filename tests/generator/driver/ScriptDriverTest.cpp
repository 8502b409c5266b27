#include "generator/driver/ScriptDriver.h"

#include "generator/project/Project.h"
#include "generator/templates/Templates.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace tallix;

namespace {

struct Call {
    QString what;
    QString table, trigger, status;
    int value = 0;
    bool operator==(const Call&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Call& c)
{
    return os << qPrintable(c.what) << "(" << qPrintable(c.table) << "," << qPrintable(c.trigger)
              << "," << qPrintable(c.status) << "," << c.value << ")";
}

class RecordingObserver : public IScriptObserver {
public:
    void ResetStatus() override { calls.push_back({QStringLiteral("reset"), {}, {}, {}, 0}); }
    void UpdateStatus(const QString& t, const QString& tr, const QString& s, int lines) override
    {
        calls.push_back({QStringLiteral("status"), t, tr, s, lines});
    }
    void ShowProgress(int v) override { calls.push_back({QStringLiteral("show"), {}, {}, {}, v}); }
    void SetProgress(int v) override { calls.push_back({QStringLiteral("set"), {}, {}, {}, v}); }
    void HideProgress() override { calls.push_back({QStringLiteral("hide"), {}, {}, {}, 0}); }
    void ProcessEvents() override { ++events; }

    std::vector<Call> only(const QString& what) const
    {
        std::vector<Call> out;
        for (const Call& c : calls)
            if (c.what == what)
                out.push_back(c);
        return out;
    }

    std::vector<Call> calls;
    int events = 0;
};

QDateTime fixedTime()
{
    return QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53));
}

// Notes has no key (Insert, Delete), Archive a large key with every flag, Items
// an int key and one included varchar column (Insert, Delete).
void fillSmallProject(Project& p)
{
    p.setDB(QStringLiteral("shop"));
    CTable& notes = p.Tables().Add(QStringLiteral("Notes"));
    notes.Insert = notes.Delete = true;
    notes.Columns.Add(QStringLiteral("Body"), QStringLiteral("varchar"), 200, 0, 0, true, false,
                      false, true);
    CTable& archive = p.Tables().Add(QStringLiteral("Archive"));
    archive.Insert = archive.Update = archive.Delete = archive.LargeKey = true;
    archive.Columns.Add(QStringLiteral("Code"), QStringLiteral("varchar"), 900, 0, 0, false, true,
                        false, true);
    CTable& items = p.Tables().Add(QStringLiteral("Items"));
    items.Insert = items.Delete = true;
    items.Columns.Add(QStringLiteral("ItemID"), QStringLiteral("int"), 0, 10, 0, false, true, false,
                      false);
    items.Columns.Add(QStringLiteral("Name"), QStringLiteral("varchar"), 20, 0, 0, true, false,
                      false, true);
}

QByteArray asFile(const QString& script)
{
    return (script + QStringLiteral("\r\n")).toUtf8();
}

} // namespace

TEST(ScriptDriver, SmallProjectGivesTheExpectedScriptAndReports)
{
    Project project;
    fillSmallProject(project);
    RecordingObserver observer;
    ScriptDriver driver(observer, fixedTime);
    const QString script = driver.GenerateScript(project);
    EXPECT_MATCHES_GOLDEN(asFile(script), QStringLiteral("driver/small-audit.sql"));

    const std::vector<Call> statuses = observer.only(QStringLiteral("status"));
    const QString noKey = QStringLiteral("Error : Table does not have any primary key!");
    // Each Items trigger is 62 lines long; the count covers that table's triggers only.
    const std::vector<Call> expected = {
        {QStringLiteral("status"), QStringLiteral("Notes"), QStringLiteral("I"),
         QStringLiteral("Generating"), 0},
        {QStringLiteral("status"), QStringLiteral("Notes"), QStringLiteral("I"), noKey, 0},
        {QStringLiteral("status"), QStringLiteral("Notes"), QStringLiteral("D"),
         QStringLiteral("Generating"), 0},
        {QStringLiteral("status"), QStringLiteral("Notes"), QStringLiteral("D"), noKey, 0},
        {QStringLiteral("status"), QStringLiteral("Items"), QStringLiteral("I"),
         QStringLiteral("Generating"), 0},
        {QStringLiteral("status"), QStringLiteral("Items"), QStringLiteral("I"),
         QStringLiteral("Complete"), 62},
        {QStringLiteral("status"), QStringLiteral("Items"), QStringLiteral("D"),
         QStringLiteral("Generating"), 62},
        {QStringLiteral("status"), QStringLiteral("Items"), QStringLiteral("D"),
         QStringLiteral("Complete"), 124},
    };
    EXPECT_EQ(statuses, expected);

    ASSERT_FALSE(observer.calls.empty());
    EXPECT_EQ(observer.calls.front().what, QStringLiteral("reset"));
    EXPECT_EQ(observer.calls.back().what, QStringLiteral("hide"));
    std::vector<int> progress;
    for (const Call& c : observer.calls)
        if (c.what == QLatin1StringView("show") || c.what == QLatin1StringView("set"))
            progress.push_back(c.value);
    EXPECT_EQ(progress, (std::vector<int>{0, 33, 67, 100}));
    EXPECT_EQ(observer.events, 6) << "events run before and after each table";
}

TEST(ScriptDriver, UnicodeProjectWritesTheUnicodeBlockAndTriggers)
{
    Project project;
    fillSmallProject(project);
    project.setUnicodeAuditData(true);
    RecordingObserver observer;
    const QString script = ScriptDriver(observer, fixedTime).GenerateScript(project);
    EXPECT_TRUE(script.contains(CreationBlock(AuditText::Unicode)));
    EXPECT_FALSE(script.contains(CreationBlock(AuditText::Narrow)));
    const CTable& items = project.Tables().Item(QStringLiteral("Items"));
    EXPECT_TRUE(script.contains(GenerateInsert(items, project.SpecialMTSHandling(), fixedTime(),
                                               nullptr, AuditText::Unicode)));
}

TEST(ScriptDriver, UnicodeKeysLongerThan450CharactersGetAnErrorBlockInsteadOfTriggers)
{
    // Name, size and two characters per key column: "Code" 4 + 444 + 2 = 450 fits, 445 does not.
    const struct {
        int size;
        bool unicode;
        bool triggers;
    } cases[] = {{444, true, true}, {445, true, false}, {445, false, true}, {894, false, true}};
    for (const auto& c : cases) {
        Project project;
        project.setDB(QStringLiteral("shop"));
        project.setUnicodeAuditData(c.unicode);
        CTable& t = project.Tables().Add(QStringLiteral("Codes"));
        t.Insert = true;
        t.Columns.Add(QStringLiteral("Code"), QStringLiteral("nvarchar"), c.size, 0, 0, false, true,
                      false, true);
        RecordingObserver observer;
        const QString script = ScriptDriver(observer, fixedTime).GenerateScript(project);
        EXPECT_EQ(script.contains(QStringLiteral("CREATE TRIGGER CodesTallixInsert")), c.triggers)
            << c.size << c.unicode;
        EXPECT_EQ(script.contains(ScriptDriver::LongKeyBlock(QStringLiteral("Codes"))), !c.triggers)
            << c.size << c.unicode;
        const std::vector<Call> statuses = observer.only(QStringLiteral("status"));
        ASSERT_EQ(statuses.size(), 2u);
        EXPECT_EQ(statuses.back().status,
                  c.triggers ? QStringLiteral("Complete")
                             : QStringLiteral("Error : Key can be longer than 450 characters!"));
    }
    EXPECT_EQ(ScriptDriver::LongKeyBlock(QStringLiteral("Codes")),
              QStringLiteral("\r\n\r\n-- ERROR: Codes has a key that can be longer than 450 "
                             "characters, this table can not be audited!\r\nPRINT '<<< ERROR: "
                             "Codes has a key that can be longer than 450 characters, this table "
                             "can not be audited!'\r\n\r\n"));
}

TEST(ScriptDriver, RemovalScriptDropsEveryTablesTriggersThenTheAuditTables)
{
    Project project;
    fillSmallProject(project);
    RecordingObserver observer;
    ScriptDriver driver(observer, fixedTime);
    EXPECT_MATCHES_GOLDEN(asFile(driver.GenerateRemoveScript(project)),
                          QStringLiteral("driver/small-remove.sql"));
    EXPECT_TRUE(observer.only(QStringLiteral("status")).empty());
}

TEST(ScriptDriver, ProjectWithoutFlagsGivesOnlyTheFixedPart)
{
    Project project;
    project.setDB(QStringLiteral("shop"));
    CTable& t = project.Tables().Add(QStringLiteral("Items"));
    t.Columns.Add(QStringLiteral("ItemID"), QStringLiteral("int"), 0, 10, 0, false, true, false,
                  true);
    RecordingObserver observer;
    const QString script = ScriptDriver(observer, fixedTime).GenerateScript(project);
    const QByteArray full = test::readTestData(QStringLiteral("driver/small-audit.sql"));
    // The golden script's fixed part runs up to its first no-key block.
    const QByteArray fixedPart = full.left(full.indexOf("\r\n\r\n-- ERROR: "));
    EXPECT_EQ(script.toUtf8(), fixedPart);
    EXPECT_TRUE(observer.only(QStringLiteral("status")).empty());
}

TEST(ScriptDriver, EveryRunTakesItsOwnTimeOnce)
{
    Project project;
    fillSmallProject(project);
    project.Tables().Item(3).Update = true;
    int ticks = 0;
    IScriptObserver silent;
    ScriptDriver driver(silent, [&ticks] {
        ++ticks;
        return fixedTime().addSecs(ticks);
    });
    const QString first = driver.GenerateScript(project);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(first.count(QStringLiteral("-- Generated on 2026-03-14 09:26:54")), 4)
        << "the header and the three banners of Items share one time";
    const QString second = driver.GenerateScript(project);
    EXPECT_EQ(ticks, 2);
    EXPECT_TRUE(second.contains(QStringLiteral("-- Generated on 2026-03-14 09:26:55")));
}

TEST(ScriptDriver, TablesWithAllFlagsGetInsertUpdateDeleteInThatOrder)
{
    Project project;
    project.setDB(QStringLiteral("d"));
    CTable& t = project.Tables().Add(QStringLiteral("T"));
    t.Insert = t.Update = t.Delete = true;
    t.Columns.Add(QStringLiteral("ID"), QStringLiteral("int"), 0, 10, 0, false, true, false, true);
    IScriptObserver silent;
    const QString script = ScriptDriver(silent, fixedTime).GenerateScript(project);
    const qsizetype ins = script.indexOf(QStringLiteral("CREATE TRIGGER TTallixInsert"));
    const qsizetype upd = script.indexOf(QStringLiteral("CREATE TRIGGER TTallixUpdate"));
    const qsizetype del = script.indexOf(QStringLiteral("CREATE TRIGGER TTallixDelete"));
    EXPECT_TRUE(ins > 0 && ins < upd && upd < del);
}

TEST(ScriptDriver, LineCountCountsCrLfPairsOnly)
{
    EXPECT_EQ(ScriptDriver::LineCount(QStringLiteral("a\r\nb\nc\r\r\n\r\n")), 3);
    EXPECT_EQ(ScriptDriver::LineCount(QString()), 0);
}

namespace {

// Names that try to leave their literal, bracket or comment.
void fillHostileProject(Project& p)
{
    p.setDB(QStringLiteral("Sales]DB"));
    CTable& obrien = p.Tables().Add(QStringLiteral("Sales.2024 O'Brien]"));
    obrien.Insert = true;
    obrien.Columns.Add(QStringLiteral("it's"), QStringLiteral("varchar"), 10, 0, 0, false, true,
                       false, true);
    obrien.Columns.Add(QStringLiteral("Qty]"), QStringLiteral("int"), 0, 10, 0, true, false, false,
                       true);
    CTable& victim = p.Tables().Add(QStringLiteral("x'; DROP TABLE victim; --\ny"));
    victim.Insert = true;
    victim.Columns.Add(QStringLiteral("Body"), QStringLiteral("varchar"), 20, 0, 0, true, false,
                       false, true);
    CTable& lineGo = p.Tables().Add(QStringLiteral("Line\nGO"));
    lineGo.Update = true;
    lineGo.Columns.Add(QStringLiteral("ID"), QStringLiteral("int"), 0, 10, 0, false, true, false,
                       true);
    CTable& longName = p.Tables().Add(QString(65, QLatin1Char('L')));
    longName.Delete = true;
    longName.Columns.Add(QStringLiteral("ID"), QStringLiteral("int"), 0, 10, 0, false, true, false,
                         true);
}

} // namespace

TEST(ScriptDriverNames, HostileNamesStayInsideTheirLiteralsBracketsAndComments)
{
    Project project;
    fillHostileProject(project);
    RecordingObserver observer;
    ScriptDriver driver(observer, fixedTime);
    EXPECT_MATCHES_GOLDEN(asFile(driver.GenerateScript(project)),
                          QStringLiteral("driver/hostile-audit.sql"));
    EXPECT_MATCHES_GOLDEN(asFile(driver.GenerateRemoveScript(project)),
                          QStringLiteral("driver/hostile-remove.sql"));

    QStringList errors;
    for (const Call& c : observer.only(QStringLiteral("status")))
        if (c.status.startsWith(QLatin1StringView("Error")))
            errors << c.trigger + QLatin1Char(' ') + c.status;
    EXPECT_EQ(errors,
              QStringList({QStringLiteral("I Error : Table does not have any primary key!"),
                           QStringLiteral("U Error : Table or column name holds a line break or "
                                          "control character!"),
                           QStringLiteral("D Error : Table name is longer than 64 characters!")}));
}

TEST(ScriptDriverNames, SixtyFourCharactersAreAuditedAndControlCharactersInWrittenColumnsAreNot)
{
    Project project;
    project.setDB(QStringLiteral("d"));
    CTable& fits = project.Tables().Add(QString(64, QLatin1Char('F')));
    fits.Insert = true;
    fits.Columns.Add(QStringLiteral("ID"), QStringLiteral("int"), 0, 10, 0, false, true, false,
                     true);
    // A column that is neither key nor recorded is never written, whatever its name.
    fits.Columns.Add(QStringLiteral("skip\nme"), QStringLiteral("int"), 0, 10, 0, true, false,
                     false, false);
    CTable& tabbed = project.Tables().Add(QStringLiteral("Tabbed"));
    tabbed.Insert = true;
    tabbed.Columns.Add(QStringLiteral("ID"), QStringLiteral("int"), 0, 10, 0, false, true, false,
                       false);
    tabbed.Columns.Add(QStringLiteral("a\tb"), QStringLiteral("int"), 0, 10, 0, true, false, false,
                       true);
    IScriptObserver silent;
    const QString script = ScriptDriver(silent, fixedTime).GenerateScript(project);
    EXPECT_TRUE(script.contains(QStringLiteral("CREATE TRIGGER ") + QString(64, QLatin1Char('F')) +
                                QStringLiteral("TallixInsert ON [")));
    EXPECT_FALSE(script.contains(QStringLiteral("skip")));
    EXPECT_FALSE(script.contains(QStringLiteral("CREATE TRIGGER TabbedTallixInsert")));
    EXPECT_TRUE(script.contains(QStringLiteral("-- ERROR: Tabbed has a line break or other control "
                                               "character in its name or a column name")));
}

TEST(ScriptDriverNames, CollidingTriggerNamesFailTheRunNamingBothTables)
{
    Project project;
    project.setDB(QStringLiteral("d"));
    for (const char* name : {"My table", "Other", "my_table"}) {
        CTable& t = project.Tables().Add(QString::fromLatin1(name));
        t.Update = true;
        t.Columns.Add(QStringLiteral("ID"), QStringLiteral("int"), 0, 10, 0, false, true, false,
                      true);
    }
    test::RecordingMessages recorded;
    IScriptObserver silent;
    ScriptDriver driver(silent, fixedTime);
    EXPECT_TRUE(driver.GenerateScript(project).isEmpty());
    ASSERT_EQ(driver.Failures().size(), 1);
    EXPECT_EQ(
        driver.Failures()[0],
        QStringLiteral("Error (GenerateScript) - The tables \"My table\" and \"my_table\" give "
                       "the same trigger names (my_tableTallixInsert, my_tableTallixUpdate, "
                       "my_tableTallixDelete), so the one would drop the other's triggers; "
                       "no script was produced."));

    // Only tables that get triggers count: without flags the second one is harmless,
    // and the removal script drops the same names twice without harm.
    project.Tables().Item(3).Update = false;
    EXPECT_FALSE(driver.GenerateScript(project).isEmpty());
    EXPECT_TRUE(driver.Failures().isEmpty()) << "a run that works forgets the last failure";
    project.Tables().Item(3).Update = true;
    EXPECT_FALSE(driver.GenerateRemoveScript(project).isEmpty());
    EXPECT_TRUE(driver.Failures().isEmpty());
    EXPECT_TRUE(recorded.shown.empty()) << "the driver shows nothing itself";
}

TEST(ScriptDriverNames, DatabaseNameWithALineBreakProducesNoScript)
{
    Project project;
    project.setDB(QStringLiteral("shop]\nGO\nDROP DATABASE shop --"));
    IScriptObserver silent;
    ScriptDriver driver(silent, fixedTime);
    EXPECT_TRUE(driver.GenerateScript(project).isEmpty());
    EXPECT_EQ(driver.Failures(),
              QStringList{QStringLiteral("Error (GenerateScript) - The database name holds a "
                                         "line break or other control character; no script was "
                                         "produced.")});
    EXPECT_TRUE(driver.GenerateRemoveScript(project).isEmpty());
    EXPECT_EQ(driver.Failures(),
              QStringList{QStringLiteral("Error (GenerateRemoveScript) - The database name holds "
                                         "a line break or other control character; no script "
                                         "was produced.")});
}

TEST(ScriptDriverNames, AProjectWithoutADatabaseProducesNoScript)
{
    for (const char* name : {"", "   "}) {
        Project project;
        project.setDB(QString::fromLatin1(name));
        CTable& t = project.Tables().Add(QStringLiteral("Items"));
        t.Insert = true;
        t.Columns.Add(QStringLiteral("ItemID"), QStringLiteral("int"), 0, 10, 0, false, true, false,
                      true);
        IScriptObserver silent;
        ScriptDriver driver(silent, fixedTime);
        EXPECT_TRUE(driver.GenerateScript(project).isEmpty()) << '"' << name << '"';
        EXPECT_EQ(driver.Failures(), QStringList{QStringLiteral("Error (GenerateScript) - The "
                                                                "project names no database; no "
                                                                "script was produced.")});
        EXPECT_TRUE(driver.GenerateRemoveScript(project).isEmpty());
        EXPECT_EQ(driver.Failures(),
                  QStringList{QStringLiteral("Error (GenerateRemoveScript) - The project names "
                                             "no database; no script was produced.")});
    }
}

// One name in three schemas gets three sets of triggers, each in its own schema.
TEST(ScriptDriverSchemas, OneNameInSeveralSchemasIsAuditedApart)
{
    Project project;
    project.setDB(QStringLiteral("d"));
    for (const char* schema : {"dbo", "sales", "o'brien sales"}) {
        CTable& t = project.Tables().Add(QString::fromUtf8(schema), QStringLiteral("Orders"));
        t.Insert = true;
        t.Columns.Add(QStringLiteral("ID"), QStringLiteral("int"), 0, 10, 0, false, true, false,
                      true);
    }
    RecordingObserver observer;
    ScriptDriver driver(observer, fixedTime);
    const QString script = driver.GenerateScript(project);
    ASSERT_TRUE(driver.Failures().isEmpty()) << qPrintable(driver.Failures().join(u'\n'));
    for (const char* line :
         {"CREATE TRIGGER OrdersTallixInsert ON [Orders]\r\n",
          "CREATE TRIGGER sales.OrdersTallixInsert ON [sales].[Orders]\r\n",
          "CREATE TRIGGER [o'brien sales].OrdersTallixInsert ON [o'brien sales].[Orders]\r\n",
          "    SELECT 'sales.Orders',\r\n", "    SELECT 'o''brien sales.Orders',\r\n"})
        EXPECT_EQ(script.count(QString::fromUtf8(line)), line[4] == 'S' ? 2 : 1) << line;
    QStringList shown;
    for (const Call& c : observer.only(QStringLiteral("status")))
        if (c.status == QLatin1StringView("Complete"))
            shown << c.table;
    EXPECT_EQ(shown, (QStringList{u"Orders"_qs, u"sales.Orders"_qs, u"o'brien sales.Orders"_qs}));
}

TEST(ScriptDriverSchemas, CollisionsAreCheckedWithinASchemaAndOnTheRecordedName)
{
    const struct {
        const char* firstSchema;
        const char* firstName;
        const char* secondSchema;
        const char* secondName;
        const char* failure; // empty: the script is written
    } cases[] = {
        {"sales", "My table", "Sales", "my_table",
         "The tables \"sales.My table\" and \"Sales.my_table\" give the same trigger names "
         "(my_tableTallixInsert, my_tableTallixUpdate, my_tableTallixDelete), so the one would "
         "drop the other's triggers; no script was produced."},
        {"sales", "My table", "dbo", "my_table", ""},
        {"dbo", "a.b", "a", "b",
         "The tables \"a.b\" of schema \"dbo\" and \"b\" of schema \"a\" would be recorded under "
         "the same name, so their audit rows could not be told apart; no script was produced."},
    };
    for (const auto& c : cases) {
        Project project;
        project.setDB(QStringLiteral("d"));
        for (const auto& [schema, name] :
             {std::pair{c.firstSchema, c.firstName}, std::pair{c.secondSchema, c.secondName}}) {
            CTable& t = project.Tables().Add(QString::fromUtf8(schema), QString::fromUtf8(name));
            t.Update = true;
            t.Columns.Add(QStringLiteral("ID"), QStringLiteral("int"), 0, 10, 0, false, true, false,
                          true);
        }
        IScriptObserver silent;
        ScriptDriver driver(silent, fixedTime);
        const bool written = !driver.GenerateScript(project).isEmpty();
        const QString expected = QString::fromUtf8(c.failure);
        EXPECT_EQ(written, expected.isEmpty()) << c.failure;
        EXPECT_EQ(driver.Failures().join(u'\n'),
                  expected.isEmpty() ? QString() : u"Error (GenerateScript) - "_qs + expected);
    }
}

// One table name in dbo and in two other schemas, one of them with a blank and an apostrophe.
TEST(ScriptDriverSchemas, ProjectWithTablesInThreeSchemasGivesTheExpectedScript)
{
    Project project;
    project.setDB(QStringLiteral("shop"));
    for (const char* schema : {"dbo", "sales", "o'brien sales"}) {
        CTable& items = project.Tables().Add(QString::fromUtf8(schema), QStringLiteral("Items"));
        items.Insert = true;
        items.Columns.Add(QStringLiteral("ItemID"), QStringLiteral("int"), 0, 10, 0, false, true,
                          false, false);
        items.Columns.Add(QStringLiteral("Name"), QStringLiteral("varchar"), 20, 0, 0, true, false,
                          false, true);
    }
    IScriptObserver silent;
    ScriptDriver driver(silent, fixedTime);
    EXPECT_MATCHES_GOLDEN(asFile(driver.GenerateScript(project)),
                          QStringLiteral("driver/schemas-audit.sql"));
}

// A schema name is chosen by whoever may create one: it stays inside its brackets and literals,
// and one with a line break gets no trigger, in the audit and in the removal script.
TEST(ScriptDriverSchemas, HostileSchemaNamesStayInsideTheirBracketsAndLiterals)
{
    const struct {
        const char* schema;
        std::initializer_list<const char*> audit; // lines the audit script holds
        const char* removal;                      // a line the removal script holds
    } cases[] = {
        {"x];DROP TABLE t--",
         {"CREATE TRIGGER [x]];DROP TABLE t--].TTallixInsert ON [x]];DROP TABLE t--].[T]\r\n"},
         "   DROP TRIGGER [x]];DROP TABLE t--].TTallixInsert\r\n"},
        {"o'b",
         {"IF OBJECT_ID('[o''b].TTallixInsert') IS NOT NULL\r\n", "    SELECT 'o''b.T',\r\n"},
         "      PRINT '<<< DROPPED TRIGGER [o''b].TTallixInsert >>>'\r\n"},
        {"s\r\nGO",
         {"-- ERROR: s??GO.T has a line break or other control character in its name or a column "
          "name, this table can not be audited!\r\n"},
         "-- ERROR: s??GO.T has a line break or other control character in its name or a column "
         "name, this table can not be audited!\r\n"},
    };
    for (const auto& c : cases) {
        Project project;
        project.setDB(QStringLiteral("d"));
        CTable& t = project.Tables().Add(QString::fromUtf8(c.schema), QStringLiteral("T"));
        t.Insert = true;
        t.Columns.Add(QStringLiteral("ID"), QStringLiteral("int"), 0, 10, 0, false, true, false,
                      true);
        IScriptObserver silent;
        ScriptDriver driver(silent, fixedTime);
        const QString audit = driver.GenerateScript(project);
        for (const char* line : c.audit)
            EXPECT_TRUE(audit.contains(QString::fromUtf8(line))) << line;
        EXPECT_TRUE(driver.GenerateRemoveScript(project).contains(QString::fromUtf8(c.removal)))
            << c.removal;
        EXPECT_FALSE(audit.contains(QStringLiteral("\r\nGO.T"))) << "no raw line break";
    }
}
