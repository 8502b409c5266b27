#include "generator/discovery/SchemaTypes.h"

#include <gtest/gtest.h>

using namespace tallix;

namespace {

struct TypeCase {
    int dataType;
    int precision;
    int flags;
    int length;
    int datetimePrecision;
    const char* expected;
};

QString typeOf(const TypeCase& c)
{
    return GetDatatype(QString::number(c.dataType), QString::number(c.precision),
                       QString::number(c.flags), QString::number(c.length),
                       QString::number(c.datetimePrecision));
}

} // namespace

TEST(GetDatatype, FollowsTheTypeTable)
{
    // flags: 16 fixed length, 128 long, 512 row version
    const TypeCase cases[] = {
        {2, 5, 0, 0, 0, "smallint"},
        {3, 10, 0, 0, 0, "int"},
        {4, 7, 0, 0, 0, "real"},
        {5, 15, 0, 0, 0, "float"},
        {6, 10, 0, 0, 0, "smallmoney"},
        {6, 19, 0, 0, 0, "money"},
        {7, 0, 0, 0, 0, "smalldatetime"},
        {7, 0, 0, 0, 3, "datetime"},
        {135, 0, 0, 0, 0, "smalldatetime"},
        {135, 0, 0, 0, 3, "datetime"},
        {11, 0, 0, 0, 0, "bit"},
        {14, 18, 0, 0, 0, "decimal"},
        {131, 10, 0, 0, 0, "decimal"},
        {16, 0, 0, 0, 0, "numeric"},
        {18, 0, 0, 0, 0, "numeric"},
        {19, 0, 0, 0, 0, "numeric"},
        {20, 19, 0, 0, 0, "numeric"},
        {21, 0, 0, 0, 0, "numeric"},
        {17, 3, 0, 0, 0, "tinyint"},
        {72, 0, 0, 0, 0, "uniqueidentifier"},
        // binary: long or over 8000 is image, before the row-version and fixed-length tests
        {128, 0, 128, 16, 0, "image"},
        {128, 0, 16, 8001, 0, "image"},
        {128, 0, 16 + 512, 8, 0, "timestamp"},
        {128, 0, 0, 8000, 0, "varbinary"},
        {128, 0, 16, 8, 0, "binary"},
        // 8-bit and 16-bit texts share the 4000 bound
        {129, 0, 0, 4001, 0, "text"},
        {129, 0, 128, 10, 0, "text"},
        {129, 0, 0, 4000, 0, "varchar"},
        {129, 0, 16, 10, 0, "char"},
        {130, 0, 0, 4001, 0, "ntext"},
        {130, 0, 16 + 128, 5, 0, "ntext"},
        {130, 0, 0, 4000, 0, "nvarchar"},
        {130, 0, 16, 5, 0, "nchar"},
        {12, 0, 0, 0, 0, ""},
        {0, 0, 0, 0, 0, ""},
    };
    for (const TypeCase& c : cases)
        EXPECT_EQ(typeOf(c), QLatin1String(c.expected))
            << c.dataType << " flags " << c.flags << " length " << c.length;
}

TEST(GetDatatype, EmptyAndNullValuesReadAsZero)
{
    EXPECT_EQ(GetDatatype(QStringLiteral("135"), QStringLiteral("0"), QStringLiteral("0"),
                          QStringLiteral("0"), NzString(QVariant(), 0)),
              QStringLiteral("smalldatetime"));
    EXPECT_EQ(NzString(QVariant(), 0), QStringLiteral("0"));
    EXPECT_EQ(NzString(QVariant()), QString());
    EXPECT_EQ(NzString(QVariant(12), 0), QStringLiteral("12"));
    EXPECT_EQ(FixNulls(QVariant()), QString());
    EXPECT_EQ(FixNulls(QVariant(QStringLiteral("x"))), QStringLiteral("x"));
}
