#include "TemplateFixtures.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace tallix;
using namespace tallix::test;

namespace {

const QDateTime kTime = goldenTime();

} // namespace

TEST(Triggers, CharacterKeyTableMatchesGolden)
{
    auto table = customers();
    EXPECT_MATCHES_GOLDEN(GenerateUpdate(*table, false, kTime).toUtf8(),
                          QStringLiteral("templates/customers_update.sql"));
    EXPECT_MATCHES_GOLDEN(GenerateUpdate(*table, true, kTime).toUtf8(),
                          QStringLiteral("templates/customers_update_mts.sql"));
    EXPECT_MATCHES_GOLDEN(GenerateInsert(*table, false, kTime).toUtf8(),
                          QStringLiteral("templates/customers_insert.sql"));
    EXPECT_MATCHES_GOLDEN(GenerateDelete(*table, false, kTime).toUtf8(),
                          QStringLiteral("templates/customers_delete.sql"));
}

TEST(Triggers, TwoColumnKeyAndBlankInNameMatchGolden)
{
    auto table = orderDetails();
    const QString update = GenerateUpdate(*table, false, kTime);
    EXPECT_MATCHES_GOLDEN(update.toUtf8(), QStringLiteral("templates/order_details_update.sql"));
    EXPECT_TRUE(update.contains(
        QStringLiteral("CREATE TRIGGER Order_DetailsTallixUpdate ON [Order Details]\r\n")));
    EXPECT_TRUE(update.contains(QStringLiteral("    SELECT 'Order Details',\r\n")));
}

TEST(Triggers, TableWithoutIncludedColumnsStillWritesEveryRow)
{
    auto table = regions();
    const QString update = GenerateUpdate(*table, false, kTime);
    EXPECT_MATCHES_GOLDEN(update.toUtf8(), QStringLiteral("templates/regions_update.sql"));
    EXPECT_EQ(update.count(QStringLiteral("           '<AUDIT>' + \r\n           '</AUDIT>'\r\n")),
              3);
    EXPECT_TRUE(GenerateInsert(*table, false, kTime)
                    .contains(QStringLiteral("           '<AUDIT>' + \r\n        '</AUDIT>'\r\n")));
}

TEST(Triggers, AllThreeActionsMatchGolden)
{
    auto table = shippers();
    EXPECT_MATCHES_GOLDEN(GenerateInsert(*table, true, kTime).toUtf8(),
                          QStringLiteral("templates/shippers_insert.sql"));
    EXPECT_MATCHES_GOLDEN(GenerateUpdate(*table, true, kTime).toUtf8(),
                          QStringLiteral("templates/shippers_update.sql"));
    EXPECT_MATCHES_GOLDEN(GenerateDelete(*table, true, kTime).toUtf8(),
                          QStringLiteral("templates/shippers_delete.sql"));
}

TEST(Triggers, UnicodeTriggersOfEveryKindMatchGolden)
{
    const AuditText u = AuditText::Unicode;
    auto shippersTable = shippers();
    auto customersTable = customers();
    auto orderDetailsTable = orderDetails();
    auto regionsTable = regions();
    const struct {
        QString text;
        const char* golden;
    } cases[] = {
        {GenerateInsert(*shippersTable, true, kTime, nullptr, u), "shippers_insert_unicode.sql"},
        {GenerateUpdate(*shippersTable, true, kTime, nullptr, u), "shippers_update_unicode.sql"},
        {GenerateDelete(*shippersTable, true, kTime, nullptr, u), "shippers_delete_unicode.sql"},
        {GenerateUpdate(*customersTable, false, kTime, nullptr, u), "customers_update_unicode.sql"},
        {GenerateUpdate(*orderDetailsTable, false, kTime, nullptr, u),
         "order_details_update_unicode.sql"},
        {GenerateUpdate(*regionsTable, false, kTime, nullptr, u), "regions_update_unicode.sql"},
    };
    for (const auto& c : cases)
        EXPECT_MATCHES_GOLDEN(c.text.toUtf8(),
                              QStringLiteral("templates/") + QString::fromUtf8(c.golden));
}

TEST(Triggers, UnicodeDataTextStartsAsMaxSoNoRecordIsCut)
{
    // Every statement that writes Data begins its text with the one NVARCHAR(MAX) piece, and no
    // narrow literal is left anywhere a value or name is written.
    auto table = shippers();
    const QString update = GenerateUpdate(*table, false, kTime, nullptr, AuditText::Unicode);
    EXPECT_EQ(update.count(QStringLiteral("INSERT Tallix(")), 3);
    EXPECT_EQ(update.count(QStringLiteral("           CAST(N'<AUDIT>' AS NVARCHAR(MAX)) + \r\n")),
              3);
    EXPECT_FALSE(update.contains(QStringLiteral(" + '")));
    EXPECT_FALSE(update.contains(QStringLiteral("SELECT '")));
}

TEST(Triggers, DropBlockNamesAllThreeTriggersWhateverTheFlags)
{
    auto table = orderDetails();
    table->Update = true;
    EXPECT_MATCHES_GOLDEN(GenerateRemove(*table).toUtf8(),
                          QStringLiteral("templates/order_details_remove.sql"));
    // The drop block needs no key.
    auto keyless = makeTable(QStringLiteral("Notes"), {{"Text", "varchar", 10}});
    QString failure;
    EXPECT_TRUE(GenerateRemove(*keyless, &failure)
                    .startsWith(QStringLiteral("IF OBJECT_ID('dbo.NotesTallixInsert')")));
    EXPECT_TRUE(failure.isEmpty());
}

TEST(TriggerNames, EveryBlankBecomesOneUnderscoreAndNothingElseChanges)
{
    EXPECT_EQ(CleanTriggerName(QStringLiteral("A B")), QStringLiteral("A_B"));
    EXPECT_EQ(CleanTriggerName(QStringLiteral("A  B")), QStringLiteral("A__B"));
    EXPECT_EQ(CleanTriggerName(QStringLiteral(" x.[y] z ")), QStringLiteral("_x.[y]_z_"));
    EXPECT_EQ(CleanTriggerName(QStringLiteral("Bestellposten\u00c4 Neu")),
              QStringLiteral("Bestellposten\u00c4_Neu"));

    auto table = makeTable(QStringLiteral("A  B"), {{"Id", "int", 0, true}});
    const QString insert = GenerateInsert(*table, false, kTime);
    EXPECT_TRUE(
        insert.startsWith(QStringLiteral("IF OBJECT_ID('dbo.A__BTallixInsert') IS NOT NULL\r\n")));
    EXPECT_TRUE(insert.contains(QStringLiteral("CREATE TRIGGER A__BTallixInsert ON [A  B]\r\n")));
    EXPECT_TRUE(insert.contains(QStringLiteral("\r\n-- A  BTallixInsert\r\n")));
    EXPECT_TRUE(insert.contains(
        QStringLiteral("   PRINT '<<< CREATED TRIGGER dbo.A__BTallixInsert >>>'\r\n")));
}

TEST(TriggerLayout, LineEndsAndIndentsDifferBetweenUpdateAndInsertOrDelete)
{
    auto table = shippers();
    const QString update = GenerateUpdate(*table, false, kTime);
    const QString insert = GenerateInsert(*table, false, kTime);
    const QString del = GenerateDelete(*table, false, kTime);

    // Data lines: no blank after the last plus in update, one in insert and delete.
    EXPECT_EQ(update.count(QStringLiteral("'/>' +\r\n")), 12);
    EXPECT_EQ(update.count(QStringLiteral("'/>' + \r\n")), 0);
    EXPECT_EQ(insert.count(QStringLiteral(" + '''/>' + \r\n")), 4);
    EXPECT_EQ(del.count(QStringLiteral(" + ''' AFTER=''''/>' + \r\n")), 4);

    // Closing element: eleven blanks in update, eight in insert and delete.
    EXPECT_EQ(update.count(QStringLiteral("\r\n           '</AUDIT>'\r\n")), 3);
    EXPECT_EQ(insert.count(QStringLiteral("\r\n        '</AUDIT>'\r\n")), 1);
    EXPECT_EQ(del.count(QStringLiteral("\r\n        '</AUDIT>'\r\n")), 1);

    // Only update covers both keys.
    EXPECT_EQ(update.count(QStringLiteral("INSERT TallixKeys(")), 2);
    EXPECT_EQ(insert.count(QStringLiteral("INSERT TallixKeys(")), 1);
    EXPECT_FALSE(insert.contains(QStringLiteral("-- cover both")));
}

TEST(TriggerLayout, EmptyLinesCloseEachSection)
{
    auto table = orderDetails();
    const QString update = GenerateUpdate(*table, false, kTime);
    // Unchanged keys: the last join term loses its AND, then three empty lines.
    EXPECT_TRUE(update.contains(QStringLiteral(
        "                i.[OrderID] = d.[OrderID] AND \r\n"
        "                i.[ProductID] = d.[ProductID]\r\n\r\n\r\n\r\nINSERT Tallix(")));
    // Changed keys: the join closes on its last term's line, the null tests before ")" and two
    // empty lines.
    EXPECT_TRUE(update.contains(QStringLiteral("left join deleted d on (i.[OrderID] = d.[OrderID] "
                                               "AND \r\ni.[ProductID] = d.[ProductID]),\r\n")));
    EXPECT_TRUE(
        update.contains(QStringLiteral("                      i.[ProductID] IS "
                                       "NULL\r\n)\r\n\r\n\r\nSET NOCOUNT OFF\r\n\r\nGO\r\n")));
    EXPECT_FALSE(update.contains(QStringLiteral(" AND \r\n)")));

    // Insert and delete: the key comparison is followed by one empty line.
    const QString insert = GenerateInsert(*table, false, kTime);
    EXPECT_TRUE(insert.contains(QStringLiteral(
        "   'ProductID=' + CONVERT(VARCHAR,i.[ProductID]) \r\n\r\nSET NOCOUNT OFF\r\n")));
    EXPECT_TRUE(insert.endsWith(QStringLiteral(" >>>'\r\nGO\r\n\r\n")));

    // Without middle-tier handling the user section is two lines and an empty line.
    EXPECT_TRUE(insert.contains(
        QStringLiteral("SET NOCOUNT ON\r\n\r\nSELECT @Application = APP_NAME(),\r\n"
                       "       @Username = SYSTEM_USER\r\n\r\nINSERT TallixKeys(")));
}

TEST(TriggerLayout, DataLinesUseTheValueExpressionOfEveryClass)
{
    for (const char* type : {"uniqueidentifier", "char", "nvarchar", "datetime", "timestamp",
                             "money", "float", "decimal", "int", "VarChar"}) {
        auto table =
            makeTable(QStringLiteral("T"), {{"Id", "int", 0, true, false}, {"V", type, 7}});
        const CColumn& v = table->Columns.Item(2);
        const QString before = ValueExpression(v, Alias::Deleted);
        const QString after = ValueExpression(v, Alias::Inserted);
        EXPECT_EQ(GenerateUpdate(*table, false, kTime)
                      .count(QStringLiteral("BEFORE=''' + ") + before +
                             QStringLiteral(" + ''' AFTER=''' + ") + after +
                             QStringLiteral(" + '''/>' +\r\n")),
                  3)
            << type;
        EXPECT_TRUE(GenerateInsert(*table, false, kTime)
                        .contains(QStringLiteral("BEFORE='''' AFTER=''' + ") + after))
            << type;
        EXPECT_TRUE(GenerateDelete(*table, false, kTime)
                        .contains(QStringLiteral("BEFORE=''' + ") + before +
                                  QStringLiteral(" + ''' AFTER=''''/>' + ")))
            << type;
    }
}

TEST(TriggerFailures, TableWithoutKeyGivesEmptyTextAndSaysWhy)
{
    auto table = makeTable(QStringLiteral("Notes"), {{"Text", "varchar", 10}});
    const struct {
        QString (*generate)(const CTable&, bool, const QDateTime&, QString*, AuditText);
        const char* routine;
    } cases[] = {{&GenerateUpdate, "GenerateUpdate"},
                 {&GenerateInsert, "GenerateInsert"},
                 {&GenerateDelete, "GenerateDelete"}};
    RecordingMessages recorded;
    for (const auto& c : cases) {
        QString failure;
        EXPECT_TRUE(c.generate(*table, true, kTime, &failure, AuditText::Narrow).isEmpty())
            << c.routine;
        EXPECT_EQ(failure, QStringLiteral("Error (%1) - Table Notes does not have any primary key!")
                               .arg(QLatin1StringView(c.routine)));
        EXPECT_TRUE(c.generate(*table, true, kTime, nullptr, AuditText::Unicode).isEmpty())
            << c.routine;
    }
    EXPECT_TRUE(recorded.shown.empty()) << "the templates show nothing themselves";
}

TEST(TriggerFailures, MiddleTierNameThatDoesNotEndTheApplicationNameCannotFailTheWrite)
{
    // "App <<bob>> v2": searching "%>>" at the end of "bob>> v2" finds nothing, and
    // LEFT with length -1 would raise an error inside the trigger.
    auto table = customers();
    for (const QString& trigger :
         {GenerateInsert(*table, true, kTime), GenerateUpdate(*table, true, kTime),
          GenerateDelete(*table, true, kTime)}) {
        EXPECT_TRUE(
            trigger.contains(QStringLiteral("\r\n   SELECT @Username = LEFT(@Username,(SELECT "
                                            "PATINDEX('%>>%',@Username + '>>'))-1)\r\n")));
        EXPECT_FALSE(trigger.contains(QStringLiteral("PATINDEX('%>>',")));
    }
}

TEST(TriggerNames, NamesThatAreNoRegularIdentifierAreBracketedWherePlainOnesAreNot)
{
    const struct {
        const char* table;
        const char* created;
    } cases[] = {
        {"\xc3\x84hnlich_1$#@", "CREATE TRIGGER \xc3\x84hnlich_1$#@TallixDelete ON ["},
        {"_x", "CREATE TRIGGER _xTallixDelete ON ["},
        {"2024", "CREATE TRIGGER [2024TallixDelete] ON [2024]"},
        {"#temp", "CREATE TRIGGER [#tempTallixDelete] ON [#temp]"},
        {"@v", "CREATE TRIGGER [@vTallixDelete] ON [@v]"},
        {"a-b(c)", "CREATE TRIGGER [a-b(c)TallixDelete] ON [a-b(c)]"},
        {"[x]", "CREATE TRIGGER [[x]]TallixDelete] ON [[x]]]"},
    };
    for (const auto& c : cases) {
        auto table = makeTable(QString::fromUtf8(c.table), {{"Id", "int", 0, true}});
        EXPECT_TRUE(GenerateDelete(*table, false, kTime).contains(QString::fromUtf8(c.created)))
            << c.table;
    }
}

TEST(TriggerNames, ControlCharactersNeverStandRawInAnyTrigger)
{
    QStringList failures;
    for (const char16_t control : {u'\n', u'\r', u'\t', u'\u2028', u'\u0085'}) {
        const QString name = QStringLiteral("a") + QChar(control) + QStringLiteral("b");
        auto badTable = makeTable(name, {{"Id", "int", 0, true}});
        QString failure;
        EXPECT_TRUE(GenerateInsert(*badTable, false, kTime, &failure).isEmpty());
        failures << failure;
        EXPECT_TRUE(GenerateRemove(*badTable, &failure).isEmpty());
        failures << failure;
        auto badColumn = makeTable(QStringLiteral("T"), {{"Id", "int", 0, true}, {"x", "int"}});
        badColumn->Columns.Item(2).ColumnName = name;
        EXPECT_TRUE(GenerateUpdate(*badColumn, false, kTime, &failure).isEmpty());
        failures << failure;
    }
    ASSERT_EQ(failures.size(), 15);
    EXPECT_EQ(failures[0], QStringLiteral("Error (GenerateInsert) - Table a\nb has a line break or "
                                          "other control character in its name or a column name!"));
    EXPECT_EQ(failures[1], QStringLiteral("Error (GenerateRemove) - Table a\nb has a line break or "
                                          "other control character in its name!"));
    EXPECT_TRUE(failures[2].startsWith(QStringLiteral("Error (GenerateUpdate) - ")));
}

// Outside the default schema every trigger name, check and message names the schema, the ON
// clause addresses the table in it, and the audit rows record "schema.table".
TEST(SchemaTriggers, TableOutsideDboIsAddressedAndRecordedWithItsSchema)
{
    auto items = makeTable(QStringLiteral("Items"),
                           {{"ItemID", "int", 0, true, false}, {"Name", "varchar", 20}});
    items->Schema = QStringLiteral("o'brien sales");
    EXPECT_MATCHES_GOLDEN(GenerateInsert(*items, false, kTime).toUtf8(),
                          QStringLiteral("templates/schema_items_insert.sql"));

    auto orders = makeTable(QStringLiteral("Orders"), {{"Id", "int", 0, true, true}});
    orders->Schema = QStringLiteral("sales");
    EXPECT_MATCHES_GOLDEN(GenerateRemove(*orders).toUtf8(),
                          QStringLiteral("templates/schema_orders_remove.sql"));
    // Every trigger of such a table names the audit tables' schema, never its own.
    for (const QString& trigger :
         {GenerateUpdate(*orders, true, kTime), GenerateDelete(*orders, false, kTime)}) {
        EXPECT_GT(trigger.count(QStringLiteral("dbo.TallixKeys slk")), 0);
        EXPECT_EQ(trigger.count(QStringLiteral("TallixKeys")),
                  trigger.count(QStringLiteral("dbo.TallixKeys")));
        EXPECT_EQ(trigger.count(QStringLiteral("Tallix(")),
                  trigger.count(QStringLiteral("dbo.Tallix(")));
    }
}

TEST(SchemaTriggers, RecordedNameCountsAgainstTheSourceTableLimitAndSchemaAgainstControls)
{
    const struct {
        qsizetype schemaLength;
        qsizetype tableLength;
        bool longName;
    } lengths[] = {{0, 64, false}, {3, 60, false}, {3, 61, true}, {60, 3, false}};
    for (const auto& c : lengths) {
        auto table = makeTable(QString(c.tableLength, u't'), {{"Id", "int", 0, true, true}});
        table->Schema = QString(c.schemaLength, u's');
        EXPECT_EQ(HasLongName(*table), c.longName) << c.schemaLength << "+" << c.tableLength;
    }
    auto table = makeTable(QStringLiteral("t"), {{"Id", "int", 0, true, true}});
    table->Schema = QStringLiteral("s\r\nGO");
    EXPECT_TRUE(HasControlInNames(*table));
    QString failure;
    EXPECT_TRUE(GenerateRemove(*table, &failure).isEmpty());
    EXPECT_TRUE(GenerateInsert(*table, false, kTime, &failure).isEmpty());
    EXPECT_TRUE(failure.startsWith(QStringLiteral("Error (GenerateInsert) - ")))
        << qPrintable(failure);
}
