// The generator's triggers write an audit row and the viewer reads it back: the two must agree on
// every rule of the row, for hostile names and values as much as for plain ones. The triggers'
// expressions are evaluated by the SQLite stand-in's T-SQL functions, and the demo recorder, which
// writes the rows the triggers would, must write the same texts. This program links the
// generator's and the viewer's libraries whole, so it also shows that they define nothing twice.

#include "common/audit/AuditData.h"
#include "common/audit/KeyValues.h"
#include "common/audit/Limits.h"
#include "common/audit/SqlQuoting.h"
#include "common/db/Connection.h"
#include "common/xml/Parser.h"
#include "examples/demo/AuditRecorder.h"
#include "generator/discovery/SchemaDiscovery.h"
#include "generator/model/CTables.h"
#include "generator/templates/Templates.h"
#include "tests/common/db/AuditDatabase.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"
#include "viewer/details/AuditRecord.h"
#include "viewer/details/DetailsHandler.h"
#include "viewer/query/SchemaCache.h"
#include "viewer/restore/RestoreStatement.h"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <optional>

using namespace tallix;
using tallix::test::s;

namespace {

const QString kSeparator(QChar(audit::kKeySeparator));
const QString kClef = QString::fromUtf16(u"\U0001D11E"); // outside the BMP: two code units

QString repeated(const QString& piece, int times)
{
    QString out;
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

QString sqlValue(const std::optional<QString>& value)
{
    return value ? SqlQuoting::literal(*value) : QStringLiteral("NULL");
}

// A name as a statement wrote it, without its brackets.
QString unbracketed(const QString& name)
{
    if (!name.startsWith(QLatin1Char('[')) || !name.endsWith(QLatin1Char(']')))
        return name;
    return name.mid(1, name.size() - 2).replace(QStringLiteral("]]"), QStringLiteral("]"));
}

class AuditRoundTrip : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder.createCatalog(QStringLiteral("rt"));
        m_db.Open(m_folder.connectionString(QStringLiteral("rt")));
    }

    // The trigger tables `inserted` and `deleted` with the table's columns, holding one row each.
    void triggerRows(const CTable& table, const demo::Row& before, const demo::Row& after)
    {
        for (const auto& [name, row] : {std::pair{"deleted", &before}, {"inserted", &after}}) {
            QStringList columns;
            QStringList values;
            for (const CColumn& c : table.Columns) {
                columns << QLatin1Char('[') + c.ColumnName + QStringLiteral("] ") + c.datatype +
                               (c.Size > 0 ? QStringLiteral("(%1)").arg(c.Size) : QString());
                const QVariant v = row->value(c.ColumnName);
                values << sqlValue(v.isValid() ? std::optional(v.toString()) : std::nullopt);
            }
            const QString side = QString::fromLatin1(name);
            m_db.Execute(QStringLiteral("DROP TABLE IF EXISTS ") + side);
            m_db.Execute(QStringLiteral("CREATE TABLE ") + side + QStringLiteral(" (") +
                         columns.join(QStringLiteral(", ")) + QLatin1Char(')'));
            m_db.Execute(QStringLiteral("INSERT INTO ") + side + QStringLiteral(" VALUES (") +
                         values.join(QStringLiteral(", ")) + QLatin1Char(')'));
        }
    }

    // The value of a trigger expression over the rows of triggerRows.
    QString evaluate(const QString& expression)
    {
        Recordset rs = m_db.OpenRecordset(QStringLiteral("SELECT ") + expression +
                                          QStringLiteral(" FROM inserted i, deleted d"));
        return rs.RecordCount() == 1 ? rs.Field(0).toString() : QStringLiteral("<no row>");
    }

    test::AuditDatabase m_folder;
    Connection m_db;
    test::RecordingMessages m_messages; // discovery warns through the seam
};

// One audited column beside an int key `id`.
CTable tableWith(const QString& column, const char* type, int size)
{
    CTable table;
    table.TableName = QStringLiteral("T");
    table.Columns.Add(QStringLiteral("id"), QStringLiteral("int"), 0, 10, 0, false, true, false,
                      true);
    table.Columns.Add(column, QString::fromLatin1(type), size, 0, 0, true, false, false, true);
    return table;
}

} // namespace

// The data text: names and values come back as they were, through the strict reader and through
// the details' event parser alike, and the demo recorder writes the very same text.
TEST_F(AuditRoundTrip, DataTextReadsBackWhatTheTriggersRecorded)
{
    const std::optional<QString> null;
    const struct {
        QString name;
        const char* type;
        int size;
        std::optional<QString> before, after; // as stored in the audited table
        QString readBefore, readAfter;        // as the viewer reads them
    } cases[] = {
        {s("it's"), "varchar", 40, s("O'Brien"), s("''"), s("O'Brien"), s("''")},
        {s("<col>"), "varchar", 40, s("<b>"), s("a & b"), s("<b>"), s("a & b")},
        {s("a&b"), "nvarchar", 40, s("\u00dcml\u00e4ut ") + kClef, s(""),
         s("\u00dcml\u00e4ut ") + kClef, s("")},
        {s("Part No"), "varchar", 40, s("x") + kSeparator + s("y"), s("z\r\nGO"),
         s("x") + kSeparator + s("y"), s("z\r\nGO")},
        // A NULL and the text NULL are recorded alike; both read back as the text.
        {s("NULL"), "varchar", 40, s("NULL"), null, s("NULL"), s("NULL")},
        {s("Qty"), "int", 0, s("5"), null, s("5"), s("NULL")},
        // Only the apostrophe is escaped, so its entity written by hand reads back as one.
        {s("Note"), "varchar", 40, s("&apos;"), s("&amp;"), s("'"), s("&amp;")},
        // Cut to the column's length before the apostrophes are escaped.
        {s("Short"), "varchar", 3, s("O'Brien"), s("ab"), s("O'B"), s("ab")},
    };
    for (const auto& c : cases) {
        const CTable table = tableWith(c.name, c.type, c.size);
        demo::Row before{{QStringLiteral("id"), 1}};
        demo::Row after{{QStringLiteral("id"), 1}};
        if (c.before)
            before.insert(c.name, *c.before);
        if (c.after)
            after.insert(c.name, *c.after);
        triggerRows(table, before, after);
        const struct {
            DataSides sides;
            const demo::Row* before;
            const demo::Row* after;
            QString readBefore, readAfter;
        } forms[] = {
            {DataSides::Both, &before, &after, c.readBefore, c.readAfter},
            {DataSides::InsertedOnly, nullptr, &after, QString(), c.readAfter},
            {DataSides::DeletedOnly, &before, nullptr, c.readBefore, QString()},
        };
        for (const auto& form : forms) {
            const QString trace =
                c.name + QStringLiteral(" form ") + QString::number(static_cast<int>(form.sides));
            const QString data = evaluate(DataExpression(table, form.sides));
            const audit::DataReading read = audit::readData(data);
            EXPECT_TRUE(read.complete()) << qPrintable(trace) << qPrintable(read.error);
            const QList<audit::DataColumn> expected{
                {s("id"), form.before ? s("1") : QString(), form.after ? s("1") : QString()},
                {c.name, form.readBefore, form.readAfter}};
            EXPECT_EQ(read.columns, expected) << qPrintable(trace) << qPrintable(data);

            Parser parser;
            DetailsHandler details(parser, true, nullptr);
            parser.ParseString(data, &details);
            QList<audit::DataColumn> shown;
            for (const DetailRow& row : details.rows())
                shown.push_back({row.field, row.before, row.after});
            EXPECT_EQ(shown, expected) << qPrintable(trace);

            EXPECT_EQ(demo::AuditRecorder::auditData(table, form.before, form.after, false), data)
                << qPrintable(trace);
        }
    }
}

// The key text: the pairs come back in column order, the list shows them alike in SQL and in C++,
// and the demo recorder writes the same text. A CHAR(1) inside a value cannot be told from the
// separator: the strict reader refuses the text rather than read other pairs.
TEST_F(AuditRoundTrip, KeyTextReadsBackWhatTheTriggersRecorded)
{
    CTable table;
    table.TableName = QStringLiteral("T");
    table.Columns.Add(QStringLiteral("it's"), QStringLiteral("varchar"), 20, 0, 0, false, true,
                      false, true);
    table.Columns.Add(QStringLiteral("Note"), QStringLiteral("varchar"), 20, 0, 0, true, false,
                      false, false);
    table.Columns.Add(QStringLiteral("Part No"), QStringLiteral("nvarchar"), 20, 0, 0, false, true,
                      false, true);
    const struct {
        QString first, second;
        bool readable;
    } cases[] = {
        {s("O'Brien"), s("<1>"), true},
        {s("a & b"), s("NULL"), true},
        {s("a=b"), s(""), true},
        {s(" | "), kClef, true},
        {s("x") + kSeparator + s("y"), s("1"), false},
    };
    for (const auto& c : cases) {
        const demo::Row row{{QStringLiteral("it's"), c.first},
                            {QStringLiteral("Note"), QStringLiteral("n")},
                            {QStringLiteral("Part No"), c.second}};
        triggerRows(table, row, row);
        const QString key = evaluate(KeyExpression(table, Alias::Inserted, KeyForm::SelectList));
        EXPECT_EQ(demo::AuditRecorder::keyValues(table, row), key) << qPrintable(c.first);

        const audit::KeyReading read = audit::readKeyValues(key);
        EXPECT_EQ(read.complete(), c.readable) << qPrintable(c.first);
        if (c.readable) {
            EXPECT_EQ(read.pairs,
                      (QList<audit::KeyPair>{{s("it's"), c.first}, {s("Part No"), c.second}}));
        }

        const QString shown =
            m_db.OpenRecordset(QStringLiteral("SELECT ") +
                               audit::shownKeyValuesExpression(SqlQuoting::literal(key)))
                .Field(0)
                .toString();
        EXPECT_EQ(shown, audit::shownKeyValues(key)) << qPrintable(c.first);
        if (c.readable) {
            EXPECT_EQ(shown, s("it's=") + c.first + s(" | Part No=") + c.second);
        }
    }
}

// The SourceTable limit: discovery, the templates and the contract count a name the same way,
// in UTF-16 code units, so a name outside the BMP passes all or none of them.
TEST_F(AuditRoundTrip, EverySideMeasuresTableNamesAlike)
{
    const struct {
        QString name;
        bool fits;
    } cases[] = {
        {QString(64, QLatin1Char('a')), true},
        {QString(65, QLatin1Char('b')), false},
        {repeated(kClef, 32), true},                               // 32 characters, 64 code units
        {QString(63, QLatin1Char('c')) + kClef, false},            // 64 characters, 65 code units
        {repeated(kClef, 33), false},                              // 33 characters, 66 code units
        {QString(62, QLatin1Char('d')) + s("\u00e9\u00e9"), true}, // 64 characters in the BMP
    };
    for (const auto& c : cases) {
        m_db.Execute(QStringLiteral("CREATE TABLE [") + c.name +
                     QStringLiteral("] (id int NOT NULL PRIMARY KEY)"));
        EXPECT_EQ(audit::fitsSourceTable(c.name), c.fits) << qPrintable(c.name);
    }
    IDiscoveryObserver quiet;
    SchemaDiscovery discovery(quiet);
    CTables tables;
    ASSERT_EQ(discovery.LoadTables(tables, m_db), SchemaDiscovery::Result::Loaded);
    for (const auto& c : cases) {
        const CTable& table = tables.Item(c.name);
        EXPECT_EQ(table.LargeKey, !c.fits) << qPrintable(c.name);
        EXPECT_EQ(HasLongName(table), !c.fits) << qPrintable(c.name);
    }
}

// Where a name needs brackets: the trigger's table, the restore statement's table and the
// trigger's own name all name exactly what they were made from.
TEST_F(AuditRoundTrip, TheTriggersAndTheRestoreNameTheSameTable)
{
    const QString names[] = {
        s("Orders"), s("Order Details"), s("Key"), s("LineNo"), s("GO"), s("1st"),
        s("_x"),     s("it's"),          s("a]b"), kClef};
    static const QRegularExpression created(QStringLiteral("^CREATE TRIGGER (.*) ON (\\[.*\\])\r$"),
                                            QRegularExpression::MultilineOption);
    static const QRegularExpression deleted(QStringLiteral("^DELETE (.*)\r\n"));
    for (const QString& name : names) {
        CTable table;
        table.TableName = name;
        table.Columns.Add(QStringLiteral("id"), QStringLiteral("int"), 0, 10, 0, false, true, false,
                          true);
        const QRegularExpressionMatch trigger =
            created.match(GenerateInsert(table, false, QDateTime(QDate(2026, 1, 1), QTime())));
        ASSERT_TRUE(trigger.hasMatch()) << qPrintable(name);
        EXPECT_EQ(unbracketed(trigger.captured(2)), name);
        EXPECT_EQ(unbracketed(trigger.captured(1)), CleanTriggerName(name) + s("TallixInsert"));

        auto rows = std::make_shared<RowSet>(
            QList<FieldInfo>{{s("TABLE_NAME"), 130}, {s("COLUMN_NAME"), 130}, {s("DATA_TYPE"), 3}});
        rows->appendRow({name, s("id"), 3});
        AuditRecord record;
        record.TransactionType = s("I");
        record.SourceTable = name;
        record.KeyValues = s("id=1");
        record.Data = audit::dataText({audit::columnElement(u"id", u"", u"1")});
        const RestoreBuild restore =
            BuildRestore(record, SchemaCache::fromColumnsRowset(Recordset(rows)), false);
        ASSERT_TRUE(restore.ok()) << qPrintable(restore.refusal);
        const QRegularExpressionMatch statement = deleted.match(restore.text);
        ASSERT_TRUE(statement.hasMatch()) << qPrintable(restore.text);
        EXPECT_EQ(unbracketed(statement.captured(1)), name);
    }
}

// The type names: discovery and the viewer's schema cache read one type table, so every column
// has one name on both sides, and the viewer casts to that name with the column's sizes.
TEST_F(AuditRoundTrip, DiscoveryAndTheSchemaCacheNameEveryTypeAlike)
{
    m_db.Execute(QStringLiteral(
        "CREATE TABLE AllTypes (Id int NOT NULL PRIMARY KEY, Flag bit, Tiny tinyint, "
        "Small smallint, Big bigint, Dec decimal(10,2), Num numeric(12, 4), Cash money, "
        "Petty smallmoney, Approx float, Single real, Stamp datetime, Minute smalldatetime, "
        "Fixed char(10), Var varchar(20), Long varchar(5000), Memo text, NFixed nchar(5), "
        "NVar nvarchar(4000), NMemo ntext, Bin binary(8), VarBin varbinary(50), Picture image, "
        "Version timestamp, Guid uniqueidentifier, Other sql_variant)"));
    const char* const casts[] = {"int",
                                 "bit",
                                 "tinyint",
                                 "smallint",
                                 "numeric(19,0)",
                                 "decimal(10,2)",
                                 "decimal(12,4)",
                                 "money",
                                 "smallmoney",
                                 "float",
                                 "real",
                                 "datetime",
                                 "smalldatetime",
                                 "char(10)",
                                 "varchar(20)",
                                 "text",
                                 "text",
                                 "nchar(5)",
                                 "nvarchar(4000)",
                                 "ntext",
                                 "binary",
                                 "varbinary",
                                 "image",
                                 "timestamp",
                                 "uniqueidentifier",
                                 ""};
    IDiscoveryObserver quiet;
    SchemaDiscovery discovery(quiet);
    CTables tables;
    ASSERT_EQ(discovery.LoadTables(tables, m_db), SchemaDiscovery::Result::Loaded);
    m_db.Open();
    const SchemaCache cache = SchemaCache::fromColumnsRowset(m_db.OpenSchema(SchemaKind::Columns));
    const CTable& table = tables.Item(QStringLiteral("AllTypes"));
    const QList<int> rows = cache.rowsOf(QStringLiteral("AllTypes"));
    ASSERT_EQ(rows.size(), table.Columns.Count());
    ASSERT_EQ(rows.size(), static_cast<qsizetype>(std::size(casts)));
    for (int i = 0; i < rows.size(); ++i) {
        const CColumn& column = table.Columns.Item(i + 1);
        EXPECT_EQ(cache.typeName(rows[i]), column.datatype) << qPrintable(column.ColumnName);
        EXPECT_EQ(cache.castTypeName(rows[i]), s(casts[i])) << qPrintable(column.ColumnName);
    }
}
