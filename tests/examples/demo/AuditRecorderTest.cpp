#include "examples/demo/AuditRecorder.h"

#include <gtest/gtest.h>

using namespace tallix;
using namespace tallix::demo;

namespace {

CColumn column(const char* name, const char* type, int size = 0, bool key = false, int scale = 0)
{
    CColumn c;
    c.ColumnName = QString::fromLatin1(name);
    c.datatype = QString::fromLatin1(type);
    c.Size = size;
    c.NumericScale = static_cast<std::int16_t>(scale);
    c.InPrimaryKey = key;
    c.Include = true;
    return c;
}

} // namespace

TEST(AuditRecorder, ValuesAreConvertedAsTheValueExpressionsDo)
{
    EXPECT_EQ(AuditRecorder::valueText(column("c", "char", 6), QStringLiteral("ab")),
              QStringLiteral("ab    "));
    EXPECT_EQ(AuditRecorder::valueText(column("c", "varchar", 10), QStringLiteral("O'Brien")),
              QStringLiteral("O&apos;Brien"));
    // Cut to the length first, then escaped: the entity is never split.
    EXPECT_EQ(AuditRecorder::valueText(column("c", "varchar", 3), QStringLiteral("O'Brien")),
              QStringLiteral("O&apos;B"));
    EXPECT_EQ(AuditRecorder::valueText(column("c", "money"), 19.99), QStringLiteral("19.9900"));
    EXPECT_EQ(AuditRecorder::valueText(column("c", "decimal", 0, false, 2), 10.5),
              QStringLiteral("10.50"));
    EXPECT_EQ(AuditRecorder::valueText(column("c", "bit"), true), QStringLiteral("1"));
    EXPECT_EQ(AuditRecorder::valueText(column("c", "smallint"), qint64(-7)), QStringLiteral("-7"));
    EXPECT_EQ(AuditRecorder::valueText(column("c", "datetime"),
                                       QStringLiteral("2001-01-05 09:05:00.000")),
              QStringLiteral("2001-01-05 09:05:00.000"));
    EXPECT_EQ(AuditRecorder::valueText(column("c", "smalldatetime"),
                                       QStringLiteral("2001-01-05 09:05:00.000")),
              QStringLiteral("Jan  5 2001  9:05AM"));
    EXPECT_EQ(AuditRecorder::valueText(column("c", "uniqueidentifier"),
                                       QStringLiteral("{6F9619FF-8B86-D011-B42D-00C04FC964FF}")),
              QStringLiteral("6F9619FF-8B86-D011-B42D-00C04FC964FF"));
    // The default class is neither escaped nor longer than 30 characters.
    EXPECT_EQ(AuditRecorder::valueText(column("c", "text"),
                                       QStringLiteral("It's a long note, longer than thirty.")),
              QStringLiteral("It's a long note, longer than "));
    EXPECT_EQ(AuditRecorder::valueText(column("c", "float"), 10.0),
              QStringLiteral("1.000000000000000e+001"));
    EXPECT_EQ(AuditRecorder::valueText(column("c", "varchar", 5), QVariant()),
              QStringLiteral("NULL"));
}

TEST(AuditRecorder, KeyValuesAndAuditDataInTheTriggersFormat)
{
    CTable t;
    t.TableName = QStringLiteral("sales");
    t.Columns.Add(QStringLiteral("stor_id"), QStringLiteral("char"), 4, 0, 0, false, true, false,
                  true);
    t.Columns.Add(QStringLiteral("note"), QStringLiteral("varchar"), 20, 0, 0, true, false, false,
                  true);
    t.Columns.Add(QStringLiteral("qty"), QStringLiteral("smallint"), 0, 5, 0, false, false, false,
                  false);
    t.Columns.Add(QStringLiteral("ord_num"), QStringLiteral("varchar"), 20, 0, 0, false, true,
                  false, true);
    const Row row{{QStringLiteral("stor_id"), QStringLiteral("71")},
                  {QStringLiteral("note"), QStringLiteral("it's")},
                  {QStringLiteral("qty"), qint64(3)},
                  {QStringLiteral("ord_num"), QStringLiteral("A=1")}};
    EXPECT_EQ(AuditRecorder::keyValues(t, row),
              QStringLiteral("stor_id=71  ") + QChar(1) + QStringLiteral("ord_num=A=1"));
    EXPECT_EQ(AuditRecorder::auditData(t, nullptr, &row, false),
              QStringLiteral("<AUDIT><COLUMN NAME='stor_id' BEFORE='' AFTER='71  '/>"
                             "<COLUMN NAME='note' BEFORE='' AFTER='it&apos;s'/>"
                             "<COLUMN NAME='ord_num' BEFORE='' AFTER='A=1'/></AUDIT>"));
    EXPECT_EQ(AuditRecorder::auditData(t, &row, nullptr, true),
              QStringLiteral("<AUDIT><COLUMN NAME='stor_id' BEFORE='71  ' AFTER='NULL'/>"
                             "<COLUMN NAME='note' BEFORE='it&apos;s' AFTER='NULL'/>"
                             "<COLUMN NAME='ord_num' BEFORE='A=1' AFTER='NULL'/></AUDIT>"));
    CTable none;
    EXPECT_EQ(AuditRecorder::auditData(none, &row, &row, false), QStringLiteral("<AUDIT></AUDIT>"));
}

TEST(AuditRecorder, MiddleTierUserComesFromTheApplicationName)
{
    const Session web{QStringLiteral("pubsweb"), QStringLiteral("WEB01"),
                      QStringLiteral("PubsWeb   <<jsmith>>")};
    EXPECT_EQ(AuditRecorder::userAndApplication(web, true),
              std::make_pair(QStringLiteral("jsmith"), QStringLiteral("PubsWeb")));
    EXPECT_EQ(AuditRecorder::userAndApplication(web, false),
              std::make_pair(QStringLiteral("pubsweb"), QStringLiteral("PubsWeb   <<jsmith>>")));
    const Session twice{QStringLiteral("u"), QStringLiteral("h"), QStringLiteral("App<<a>>b>>")};
    EXPECT_EQ(AuditRecorder::userAndApplication(twice, true),
              std::make_pair(QStringLiteral("a"), QStringLiteral("App")));
    const Session plain{QStringLiteral("sa"), QStringLiteral("h"), QStringLiteral("App <<open")};
    EXPECT_EQ(AuditRecorder::userAndApplication(plain, true),
              std::make_pair(QStringLiteral("sa"), QStringLiteral("App <<open")));
}
