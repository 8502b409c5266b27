#include "common/db/ColumnTypeInfo.h"

#include <gtest/gtest.h>

using namespace tallix;

// Every type's numbers are checked end to end on real SQLite tables (SqliteSchemaTest); these
// are the declaration forms and defaults that a table there does not show.
namespace {

ColumnTypeInfo info(const char* declared)
{
    return ColumnTypeInfo::of(SqlType::parse(QString::fromLatin1(declared)));
}

} // namespace

TEST(ColumnTypeInfo, DeclarationsParseWithSynonymsIdentityAndDefaults)
{
    const SqlType t = SqlType::parse(QStringLiteral("  INT IDENTITY(1, 1) "));
    EXPECT_EQ(t.name, QStringLiteral("int"));
    EXPECT_TRUE(t.identity);
    EXPECT_TRUE(t.args.isEmpty());
    EXPECT_EQ(SqlType::parse(QStringLiteral("Decimal ( 10 , 2 )")).args, (QList<int>{10, 2}));
    EXPECT_FALSE(SqlType::parse(QStringLiteral("identityish")).identity);

    EXPECT_EQ(info("INTEGER").dataType, dbtype::I4);
    EXPECT_EQ(info("double   precision").dataType, dbtype::R8);
    EXPECT_EQ(info("character varying(9)").characterMaximumLength, 9);
    EXPECT_EQ(info("national character varying(9)").dataType, dbtype::WSTR);
    EXPECT_EQ(info("rowversion").flags, 16 + 512);
    EXPECT_EQ(info("float(24)").dataType, dbtype::R4) << "float(1..24) is real";
    EXPECT_EQ(info("float(53)").dataType, dbtype::R8);
    EXPECT_EQ(info("decimal").numericPrecision, 18);
    EXPECT_EQ(info("decimal").numericScale, 0);
    EXPECT_EQ(info("numeric(7)").numericScale, 0);
    EXPECT_EQ(info("varchar").characterMaximumLength, 1) << "a declaration without length holds 1";
    EXPECT_EQ(info("nvarchar(4000)").characterOctetLength, 8000);
    EXPECT_EQ(info("varbinary(-1)").flags, columnflag::IsLong);
    for (const char* unknown : {"geography", "date", "", "blob"})
        EXPECT_EQ(info(unknown).dataType, dbtype::VARIANT) << unknown;
    // Lengths that are no numbers say nothing.
    EXPECT_EQ(info("varchar(abc)").characterMaximumLength, 1);
    EXPECT_EQ(info("varchar((((").dataType, dbtype::STR);
}

TEST(ColumnTypeInfo, ColumnFlagsAddNullableAndWritableBits)
{
    EXPECT_EQ(info("int").columnFlags(false, true, false), 16) << "identity int NOT NULL";
    EXPECT_EQ(info("int").columnFlags(false, false, false), 24) << "plain int NOT NULL";
    EXPECT_EQ(info("varchar(20)").columnFlags(true, false, false), 8 + 32 + 64);
    EXPECT_EQ(info("timestamp").columnFlags(false, false, false), 16 + 512) << "never written";
    EXPECT_EQ(info("int").columnFlags(true, false, true), 16 + 96) << "computed";
}
