#include "common/db/ColumnTypeInfo.h"

#include <gtest/gtest.h>
#include <optional>

using namespace tallix;

namespace {

struct Expected {
    const char* declared;
    int dataType;
    int flags; // type bits only
    std::optional<int> length;
    std::optional<int> precision;
    std::optional<int> scale;
    std::optional<int> datetimePrecision;
};

const std::optional<int> none;

} // namespace

TEST(ColumnTypeInfo, EveryServerTypeReportsItsNumbers)
{
    const Expected table[] = {
        {"bit", 11, 16, none, none, none, none},
        {"tinyint", 17, 16, none, 3, none, none},
        {"smallint", 2, 16, none, 5, none, none},
        {"int", 3, 16, none, 10, none, none},
        {"bigint", 20, 16, none, 19, none, none},
        {"decimal(10,2)", 131, 16, none, 10, 2, none},
        {"numeric(12, 4)", 131, 16, none, 12, 4, none},
        {"decimal", 131, 16, none, 18, 0, none},
        {"numeric(7)", 131, 16, none, 7, 0, none},
        {"money", 6, 16, none, 19, none, none},
        {"smallmoney", 6, 16, none, 10, none, none},
        {"float", 5, 16, none, 15, none, none},
        {"float(53)", 5, 16, none, 15, none, none},
        {"float(24)", 4, 16, none, 7, none, none},
        {"real", 4, 16, none, 7, none, none},
        {"datetime", 135, 16, none, none, none, 3},
        {"smalldatetime", 135, 16, none, none, none, 0},
        {"char(10)", 129, 16, 10, none, none, none},
        {"varchar(20)", 129, 0, 20, none, none, none},
        {"varchar", 129, 0, 1, none, none, none},
        {"text", 129, 128, 2147483647, none, none, none},
        {"varchar(max)", 129, 128, 2147483647, none, none, none},
        {"nchar(5)", 130, 16, 5, none, none, none},
        {"nvarchar(4000)", 130, 0, 4000, none, none, none},
        {"ntext", 130, 128, 1073741823, none, none, none},
        {"nvarchar(MAX)", 130, 128, 1073741823, none, none, none},
        {"binary(8)", 128, 16, 8, none, none, none},
        {"varbinary(50)", 128, 0, 50, none, none, none},
        {"image", 128, 128, 2147483647, none, none, none},
        {"varbinary(max)", 128, 128, 2147483647, none, none, none},
        {"timestamp", 128, 16 + 512, 8, none, none, none},
        {"rowversion", 128, 16 + 512, 8, none, none, none},
        {"uniqueidentifier", 72, 16, none, none, none, none},
        {"sql_variant", 12, 0, none, none, none, none},
        {"geography", 12, 0, none, none, none, none},
        {"", 12, 0, none, none, none, none},
    };
    for (const Expected& e : table) {
        const ColumnTypeInfo info =
            ColumnTypeInfo::of(SqlType::parse(QString::fromLatin1(e.declared)));
        SCOPED_TRACE(e.declared);
        EXPECT_EQ(info.dataType, e.dataType);
        EXPECT_EQ(info.flags, e.flags);
        EXPECT_EQ(info.characterMaximumLength, e.length);
        EXPECT_EQ(info.numericPrecision, e.precision);
        EXPECT_EQ(info.numericScale, e.scale);
        EXPECT_EQ(info.datetimePrecision, e.datetimePrecision);
    }
}

TEST(ColumnTypeInfo, DeclarationsParseWithSynonymsIdentityAndBlanks)
{
    SqlType t = SqlType::parse(QStringLiteral("INT IDENTITY(1, 1)"));
    EXPECT_EQ(t.name, QStringLiteral("int"));
    EXPECT_TRUE(t.identity);
    EXPECT_TRUE(t.args.isEmpty());

    t = SqlType::parse(QStringLiteral("  Decimal ( 10 , 2 ) "));
    EXPECT_EQ(t.name, QStringLiteral("decimal"));
    EXPECT_EQ(t.args, (QList<int>{10, 2}));

    for (const auto& [declared, name] : std::initializer_list<std::pair<const char*, const char*>>{
             {"INTEGER", "int"},
             {"double   precision", "float"},
             {"character varying(9)", "varchar"},
             {"national character varying(9)", "nvarchar"},
             {"dec(5,1)", "decimal"},
             {"rowversion", "timestamp"},
             {"int identity", "int"}}) {
        EXPECT_EQ(SqlType::parse(QString::fromLatin1(declared)).name, QString::fromLatin1(name))
            << declared;
    }
    // "identity" inside a longer word is no identity mark.
    EXPECT_FALSE(SqlType::parse(QStringLiteral("identityish")).identity);
    // Lengths that are no numbers say nothing.
    t = SqlType::parse(QStringLiteral("varchar(abc)"));
    EXPECT_TRUE(t.args.isEmpty());
    EXPECT_FALSE(t.max);
    t = SqlType::parse(QStringLiteral("varchar((((("));
    EXPECT_EQ(t.name, QStringLiteral("varchar"));
}

TEST(ColumnTypeInfo, ColumnFlagsAddNullableAndWritableBits)
{
    const auto info = [](const char* declared) {
        return ColumnTypeInfo::of(SqlType::parse(QString::fromLatin1(declared)));
    };
    EXPECT_EQ(info("int").columnFlags(false, true, false), 16) << "identity int NOT NULL";
    EXPECT_EQ(info("int").columnFlags(false, false, false), 24) << "plain int NOT NULL";
    EXPECT_EQ(info("varchar(20)").columnFlags(true, false, false), 8 + 32 + 64);
    EXPECT_EQ(info("text").columnFlags(true, false, false), 128 + 8 + 96);
    EXPECT_EQ(info("timestamp").columnFlags(false, false, false), 16 + 512);
    EXPECT_EQ(info("int").columnFlags(true, false, true), 16 + 96) << "computed";
}
