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

QString failure(const char* type, const QVariant& value)
{
    try {
        cv(type, value);
    } catch (const Error& e) {
        return e.number() == DB_E_ERRORSINCOMMAND ? e.description()
                                                  : QStringLiteral("wrong number");
    }
    return QStringLiteral("no failure");
}

} // namespace

TEST(TsqlConversion, TextsFromDateTimesAndLengths)
{
    EXPECT_EQ(cv("VARCHAR(32)", text("2001-01-05 09:05:00.000"), 21),
              text("2001-01-05 09:05:00.000"));
    EXPECT_EQ(cv("varchar(32)", text("2001-01-05 09:05"), 21), text("2001-01-05 09:05:00.000"));
    EXPECT_EQ(cv("varchar(32)", text("20010105T13:05:07.5"), 121), text("2001-01-05 13:05:07.500"));
    EXPECT_EQ(cv("varchar(19)", text("2001-01-05 13:05:07.123"), 120), text("2001-01-05 13:05:07"));
    EXPECT_EQ(cv("varchar(10)", text("2001-01-05 13:05:07.123"), 21), text("2001-01-05"));
    EXPECT_EQ(cv("varchar(32)", text("2001-01-05 13:05")), text("2001-01-05 13:05")) << "no style";
    EXPECT_EQ(cv("varchar(32)", text("not a date"), 21), text("not a date"));
    EXPECT_FALSE(cv("varchar(32)", QVariant(), 21).isValid());
    EXPECT_EQ(cv("VARCHAR", QVariant(QString(40, QLatin1Char('x')))).toString().size(), 30)
        << "30 characters without a length";
    EXPECT_EQ(cv("char(5)", text("ab")), text("ab   "));
    EXPECT_EQ(cv("varchar(max)", QVariant(QString(9000, QLatin1Char('x')))).toString().size(),
              9000);
    EXPECT_EQ(cv("varchar(10)", QVariant(qint64(42))), text("42"));
    EXPECT_EQ(cv("varchar(10)", QVariant(12.5)), text("12.5"));
}

TEST(TsqlConversion, NumbersFollowServerRules)
{
    EXPECT_EQ(cv("int", text(" 42 ")), QVariant(qint64(42)));
    EXPECT_EQ(cv("int", QVariant(-2.7)), QVariant(qint64(-2)));
    EXPECT_EQ(cv("bit", text("TRUE")), QVariant(qint64(1)));
    EXPECT_EQ(cv("bit", QVariant(qint64(7))), QVariant(qint64(1)));
    EXPECT_EQ(cv("decimal(10,2)", text("12.345")), QVariant(12.35))
        << "half away from zero on the digits";
    EXPECT_EQ(cv("decimal", text("-12.5")), QVariant(qint64(-13)));
    EXPECT_EQ(cv("money", text("1.23456")), QVariant(1.2346));
    EXPECT_EQ(cv("float", text("1e3")), QVariant(1000.0));
    EXPECT_TRUE(failure("int", text("12abc")).startsWith(QStringLiteral("Conversion failed")));
    EXPECT_TRUE(failure("int", text("1.5")).startsWith(QStringLiteral("Conversion failed")));
    EXPECT_TRUE(failure("bit", text("maybe")).startsWith(QStringLiteral("Conversion failed")));
    EXPECT_TRUE(failure("tinyint", QVariant(qint64(256)))
                    .startsWith(QStringLiteral("Arithmetic overflow")));
    EXPECT_TRUE(
        failure("smallint", text("40000")).startsWith(QStringLiteral("Arithmetic overflow")));
    EXPECT_TRUE(failure("int", QVariant(1e12)).startsWith(QStringLiteral("Arithmetic overflow")));
}

TEST(TsqlConversion, DateTimesGuidsBytesAndUnknownTypes)
{
    EXPECT_EQ(cv("datetime", text("2001-01-05 09:05")), text("2001-01-05 09:05:00.000"));
    EXPECT_EQ(cv("smalldatetime", text("2001-01-05 09:05:31")), text("2001-01-05 09:06:00.000"));
    EXPECT_EQ(cv("datetime", QVariant(qint64(1))), text("1900-01-02 00:00:00.000"));
    // The default style, as the audit triggers record a smalldatetime.
    EXPECT_EQ(cv("smalldatetime", text("Jan  5 2001  9:05AM")), text("2001-01-05 09:05:00.000"));
    EXPECT_EQ(cv("datetime", text("Dec 31 1999 12:30PM")), text("1999-12-31 12:30:00.000"));
    EXPECT_EQ(cv("datetime", text("mar 4 2024 12:00AM")), text("2024-03-04 00:00:00.000"));
    EXPECT_EQ(cv("datetime", text("Mar  4 2024 10:11:12:345PM")), text("2024-03-04 22:11:12.345"));
    EXPECT_EQ(cv("datetime", text("Mar  4 2024")), text("2024-03-04 00:00:00.000"));
    for (const char* no :
         {"2001-02-30", "yesterday", "05/01/2001", "2001-1-5", "2001-0105", "2001-01-05 25:00",
          "Feb 30 2001", "Jab  5 2001", "Jan  5 2001 13:00PM", "Jan  5 2001  0:05AM"})
        EXPECT_TRUE(failure("datetime", text(no)).contains(QStringLiteral("date and/or time")))
            << no;

    EXPECT_EQ(cv("uniqueidentifier", text("6f9619ff-8b86-d011-b42d-00c04fc964ff")),
              text("{6F9619FF-8B86-D011-B42D-00C04FC964FF}"));
    EXPECT_EQ(cv("uniqueidentifier", text("{00000000-0000-0000-0000-000000000000}")),
              text("{00000000-0000-0000-0000-000000000000}"));
    EXPECT_TRUE(failure("uniqueidentifier", text("{6F9619FF-8B86-D011-B42D-00C04FC964FF"))
                    .contains(QStringLiteral("uniqueidentifier")));
    EXPECT_EQ(TsqlConversion::newGuid().size(), 38);
    EXPECT_NE(TsqlConversion::newGuid(), TsqlConversion::newGuid());

    EXPECT_EQ(cv("varbinary(3)", text("abcdef")), QVariant(QByteArray("abc")));
    EXPECT_EQ(cv("binary(4)", text("ab")), QVariant(QByteArray("ab\0\0", 4)));
    EXPECT_TRUE(
        failure("geography", text("x")).contains(QStringLiteral("not a defined system type")));
    EXPECT_FALSE(failure("nonsense", QVariant()).startsWith(QStringLiteral("no failure")))
        << "an unknown type fails even for NULL";
}
