#include "common/audit/ColumnTypes.h"

#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace tallix;
using audit::TypeClass;
using tallix::test::s;

// Both programs' type names: discovery passes empty schema values as "0", the viewer's schema
// cache passes them empty; "cast" is what the viewer casts a restored value to (scale 2).
TEST(ColumnTypes, NamesFollowTheTypeTableTopToBottom)
{
    const struct {
        const char* dataType;
        const char* precision;
        const char* flags; // 16 fixed length, 128 long, 512 row version (8, 32, 64 do not count)
        const char* length;
        const char* datetimePrecision;
        const char* name;
        const char* cast;
    } cases[] = {
        {"2", "5", "0", "0", "0", "smallint", "smallint"},
        {"3", "10", "16", "", "", "int", "int"},
        {"4", "7", "24", "", "", "real", "real"},
        {"5", "15", "0", "0", "0", "float", "float"},
        {"6", "10", "24", "", "", "smallmoney", "smallmoney"},
        {"6", "19", "0", "0", "0", "money", "money"},
        {"6", "", "24", "", "", "money", "money"},
        {"7", "0", "0", "0", "0", "smalldatetime", "smalldatetime"},
        {"7", "0", "0", "0", "3", "datetime", "datetime"},
        {"135", "", "24", "", "0", "smalldatetime", "smalldatetime"},
        {"135", "", "24", "", "3", "datetime", "datetime"},
        // A date-time precision that was not reported does not make a smalldatetime.
        {"7", "", "24", "", "", "datetime", "datetime"},
        {"11", "", "24", "", "", "bit", "bit"},
        {"14", "18", "0", "0", "0", "decimal", "decimal(18,2)"},
        {"131", "9", "24", "", "", "decimal", "decimal(9,2)"},
        {"14", "", "24", "", "", "decimal", "decimal"},
        {"16", "0", "0", "0", "0", "numeric", "numeric"},
        {"18", "0", "0", "0", "0", "numeric", "numeric"},
        {"19", "0", "0", "0", "0", "numeric", "numeric"},
        {"20", "19", "24", "", "", "numeric", "numeric(19,2)"},
        {"21", "0", "0", "0", "0", "numeric", "numeric"},
        {"17", "3", "24", "", "", "tinyint", "tinyint"},
        {"72", "", "24", "", "", "uniqueidentifier", "uniqueidentifier"},
        // binary: long or over 8000 is image, before the row-version and fixed-length tests
        {"128", "0", "128", "16", "0", "image", "image"},
        {"128", "", "232", "2147483647", "", "image", "image"},
        {"128", "", "8", "9000", "", "image", "image"},
        {"128", "0", "16", "8001", "0", "image", "image"},
        {"128", "", "528", "8", "", "timestamp", "timestamp"},
        {"128", "", "104", "50", "", "varbinary", "varbinary"},
        {"128", "0", "0", "8000", "0", "varbinary", "varbinary"},
        {"128", "", "24", "16", "", "binary", "binary"},
        // 8-bit and 16-bit texts share the 4000 bound
        {"129", "", "232", "2147483647", "", "text", "text"},
        {"129", "", "8", "5000", "", "text", "text"},
        {"129", "0", "0", "4001", "0", "text", "text"},
        {"129", "0", "0", "4000", "0", "varchar", "varchar(4000)"},
        {"129", "", "104", "40", "", "varchar", "varchar(40)"},
        {"129", "", "24", "12", "", "char", "char(12)"},
        // No length known: the cast names no length rather than an empty one.
        {"129", "", "104", "", "", "varchar", "varchar"},
        {"130", "", "232", "1073741823", "", "ntext", "ntext"},
        {"130", "0", "16", "4001", "0", "ntext", "ntext"},
        {"130", "", "104", "4000", "", "nvarchar", "nvarchar(4000)"},
        {"130", "", "24", "10", "", "nchar", "nchar(10)"},
        {"12", "", "", "", "", "", ""},
        {"0", "0", "0", "0", "0", "", ""},
        {"", "", "", "", "", "", ""},
    };
    for (const auto& c : cases) {
        const QString name = audit::columnTypeName(s(c.dataType), s(c.precision), s(c.flags),
                                                   s(c.length), s(c.datetimePrecision));
        EXPECT_EQ(name, s(c.name)) << c.dataType << " flags " << c.flags << " length " << c.length;
        EXPECT_EQ(audit::castTypeName(name, s(c.length), s(c.precision), s("2")), s(c.cast))
            << c.dataType << " flags " << c.flags << " length " << c.length;
    }
}

TEST(ColumnTypes, ClassesAndWhatTheyMeanForTheRecordedValue)
{
    const struct {
        const char* name;
        TypeClass typeClass;
        bool largeObject;
        bool unicode;
    } cases[] = {
        {"uniqueidentifier", TypeClass::Guid, false, false},
        {"char", TypeClass::Character, false, false},
        {"varchar", TypeClass::Character, false, false},
        {"nchar", TypeClass::UnicodeCharacter, false, true},
        {"nvarchar", TypeClass::UnicodeCharacter, false, true},
        {"nvarchar(40)", TypeClass::Default, false, true}, // classes take the bare name only
        {"datetime", TypeClass::DateTime, false, false},
        {"timestamp", TypeClass::RowVersion, false, false},
        {"money", TypeClass::Money, false, false},
        {"smallmoney", TypeClass::Money, false, false},
        {"float", TypeClass::Float, false, false},
        {"real", TypeClass::Float, false, false},
        {"decimal", TypeClass::Decimal, false, false},
        {"numeric", TypeClass::Decimal, false, false},
        {"ntext", TypeClass::Default, true, true},
        {"text", TypeClass::Default, true, false},
        {"image", TypeClass::Default, true, false},
        {"binary", TypeClass::Default, true, false},
        {"varbinary", TypeClass::Default, true, false},
        {"VarChar", TypeClass::Default, false, false},
        {"NVARCHAR", TypeClass::Default, false, false},
        {"varchar ", TypeClass::Default, false, false},
        {"smalldatetime", TypeClass::Default, false, false},
        {"int", TypeClass::Default, false, false},
        {"", TypeClass::Default, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(audit::typeClassOf(s(c.name)), c.typeClass) << c.name;
        EXPECT_EQ(audit::isLargeObjectType(s(c.name)), c.largeObject) << c.name;
        EXPECT_EQ(audit::isUnicodeType(s(c.name)), c.unicode) << c.name;
    }
}

TEST(ColumnTypes, RecordedValuesEscapeApostrophesOfGuidAndCharacterValuesOnly)
{
    const struct {
        TypeClass typeClass;
        std::optional<QString> converted;
        const char* recorded;
    } cases[] = {
        {TypeClass::Character, s("O'Brien"), "O&apos;Brien"},
        {TypeClass::UnicodeCharacter, s("''"), "&apos;&apos;"},
        {TypeClass::Guid, s("a'b"), "a&apos;b"},
        {TypeClass::Character, s("<a & b>"), "<a & b>"},
        {TypeClass::Default, s("it's"), "it's"},
        {TypeClass::Money, s("1.5000"), "1.5000"},
        {TypeClass::Character, std::nullopt, "NULL"},
        {TypeClass::Default, std::nullopt, "NULL"},
        // The text NULL is recorded as a NULL is.
        {TypeClass::Character, s("NULL"), "NULL"},
        {TypeClass::Character, s(""), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(audit::recordedValue(c.converted, c.typeClass), s(c.recorded)) << c.recorded;
}
