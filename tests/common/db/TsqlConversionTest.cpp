#include "common/db/TsqlConversion.h"

#include "common/db/DbErrors.h"

#include <gtest/gtest.h>

using namespace tallix;

namespace {

QVariant cv(const char* type, const QVariant& value, std::optional<int> style = std::nullopt)
{
    return TsqlConversion::convert(QString::fromLatin1(type), value, style);
}

QVariant text(const char* s)
{
    return QVariant(QString::fromUtf8(s));
}

void expectFails(const char* type, const QVariant& value, const char* words)
{
    try {
        cv(type, value);
        ADD_FAILURE() << type << " of " << qPrintable(value.toString()) << " should fail";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), DB_E_ERRORSINCOMMAND);
        EXPECT_TRUE(e.description().contains(QString::fromLatin1(words)))
            << qPrintable(e.description());
    }
}

} // namespace

TEST(TsqlConversion, DateTimesToTextInStyle21)
{
    EXPECT_EQ(cv("VARCHAR(32)", text("2001-01-05 09:05:00.000"), 21),
              text("2001-01-05 09:05:00.000"));
    EXPECT_EQ(cv("varchar(32)", text("2001-01-05 09:05"), 21), text("2001-01-05 09:05:00.000"));
    EXPECT_EQ(cv("varchar(32)", text("2001-01-05T13:05:07.5"), 121),
              text("2001-01-05 13:05:07.500"));
    EXPECT_EQ(cv("varchar(32)", text("20010105"), 21), text("2001-01-05 00:00:00.000"));
    EXPECT_EQ(cv("varchar(19)", text("2001-01-05 13:05:07.123"), 120), text("2001-01-05 13:05:07"));
    // Style 21 cut to the length, as a short varchar does on the server.
    EXPECT_EQ(cv("varchar(10)", text("2001-01-05 13:05:07.123"), 21), text("2001-01-05"));
    // Without a style, or for a text that is no date-time, the text passes as it is.
    EXPECT_EQ(cv("varchar(32)", text("2001-01-05 13:05")), text("2001-01-05 13:05"));
    EXPECT_EQ(cv("varchar(32)", text("not a date"), 21), text("not a date"));
    EXPECT_FALSE(cv("varchar(32)", QVariant(), 21).isValid());
}

TEST(TsqlConversion, CharacterLengthsCutAndPad)
{
    EXPECT_EQ(cv("VARCHAR", text("0123456789012345678901234567890123")),
              text("012345678901234567890123456789"))
        << "30 characters without a length";
    EXPECT_EQ(cv("varchar(3)", text("abcdef")), text("abc"));
    EXPECT_EQ(cv("char(5)", text("ab")), text("ab   "));
    EXPECT_EQ(cv("nchar(2)", text("\xc3\xa9")), text("\xc3\xa9 "));
    EXPECT_EQ(cv("varchar(max)", QVariant(QString(9000, QLatin1Char('x')))).toString().size(),
              9000);
    EXPECT_EQ(cv("text", text("kept")), text("kept"));
    EXPECT_EQ(cv("varchar(10)", QVariant(qint64(42))), text("42"));
    EXPECT_EQ(cv("varchar(10)", QVariant(12.5)), text("12.5"));
}

TEST(TsqlConversion, NumbersFollowServerRules)
{
    EXPECT_EQ(cv("int", text(" 42 ")), QVariant(qint64(42)));
    EXPECT_EQ(cv("int", QVariant(2.7)), QVariant(qint64(2)));
    EXPECT_EQ(cv("int", QVariant(-2.7)), QVariant(qint64(-2)));
    EXPECT_EQ(cv("tinyint", QVariant(qint64(255))), QVariant(qint64(255)));
    EXPECT_EQ(cv("bit", text("TRUE")), QVariant(qint64(1)));
    EXPECT_EQ(cv("bit", QVariant(qint64(7))), QVariant(qint64(1)));
    EXPECT_EQ(cv("bit", text("0")), QVariant(qint64(0)));
    EXPECT_EQ(cv("decimal(10,2)", text("12.345")), QVariant(12.35));
    EXPECT_EQ(cv("decimal", text("12.6")), QVariant(qint64(13)));
    EXPECT_EQ(cv("money", text("1.23456")), QVariant(1.2346));
    EXPECT_EQ(cv("float", text("1e3")), QVariant(1000.0));
    expectFails("int", text("12abc"), "Conversion failed");
    expectFails("int", text("1.5"), "Conversion failed");
    expectFails("tinyint", QVariant(qint64(256)), "Arithmetic overflow");
    expectFails("smallint", text("40000"), "Arithmetic overflow");
    expectFails("int", QVariant(1e12), "Arithmetic overflow");
    expectFails("bit", text("maybe"), "Conversion failed");
    expectFails("money", text("lots"), "Conversion failed");
}

TEST(TsqlConversion, DateTimesGuidsAndBytes)
{
    EXPECT_EQ(cv("datetime", text("2001-01-05 09:05")), text("2001-01-05 09:05:00.000"));
    EXPECT_EQ(cv("smalldatetime", text("2001-01-05 09:05:31")), text("2001-01-05 09:06:00.000"));
    EXPECT_EQ(cv("datetime", QVariant(qint64(1))), text("1900-01-02 00:00:00.000"));
    expectFails("datetime", text("2001-02-30"), "date and/or time");
    expectFails("datetime", text("yesterday"), "date and/or time");

    EXPECT_EQ(cv("uniqueidentifier", text("6f9619ff-8b86-d011-b42d-00c04fc964ff")),
              text("{6F9619FF-8B86-D011-B42D-00C04FC964FF}"));
    EXPECT_EQ(cv("uniqueidentifier", text("{6F9619FF-8B86-D011-B42D-00C04FC964FF}")),
              text("{6F9619FF-8B86-D011-B42D-00C04FC964FF}"));
    EXPECT_EQ(cv("uniqueidentifier", text("00000000-0000-0000-0000-000000000000")),
              text("{00000000-0000-0000-0000-000000000000}"));
    expectFails("uniqueidentifier", text("{6F9619FF-8B86-D011-B42D-00C04FC964FF"),
                "uniqueidentifier");
    expectFails("uniqueidentifier", text("xyz"), "uniqueidentifier");

    EXPECT_EQ(cv("varbinary(3)", text("abcdef")), QVariant(QByteArray("abc")));
    EXPECT_EQ(cv("binary(4)", text("ab")), QVariant(QByteArray("ab\0\0", 4)));
    EXPECT_EQ(cv("image", QVariant(QByteArray("\x01\x02", 2))),
              QVariant(QByteArray("\x01\x02", 2)));

    expectFails("geography", text("x"), "not a defined system type");
    EXPECT_THROW(cv("nonsense", QVariant()), Error) << "an unknown type fails even for NULL";
}

TEST(TsqlConversion, ParsesOnlyLanguageFreeDateForms)
{
    EXPECT_TRUE(TsqlConversion::parseDateTime(QStringLiteral("2001-01-05")));
    EXPECT_TRUE(TsqlConversion::parseDateTime(QStringLiteral("20010105 13:05:07.1234567")));
    for (const char* no :
         {"05/01/2001", "2001-1-5", "2001-0105", "2001-01-05 25:00", "", "2001-13-01"})
        EXPECT_FALSE(TsqlConversion::parseDateTime(QString::fromLatin1(no))) << no;
    const QString guid = TsqlConversion::newGuid();
    EXPECT_EQ(guid.size(), 38);
    EXPECT_EQ(guid, guid.toUpper());
    EXPECT_NE(guid, TsqlConversion::newGuid());
}
