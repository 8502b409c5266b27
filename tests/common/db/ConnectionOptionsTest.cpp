#include "common/db/ConnectionOptions.h"

#include "common/db/DbErrors.h"

#include <gtest/gtest.h>

using namespace tallix;

TEST(ConnectionOptions, ReadsKeysWithoutCaseAndKeepsValuesWhole)
{
    auto o = ConnectionOptions::parse(QStringLiteral(
        "Provider=SQLOLEDB.1;User ID=a=b;Password=pw;Initial Catalog=;Data Source=odd;name;"
        "Workstation ID=WKS42;Application Name=TallixViewer"));
    EXPECT_EQ(o.entries().size(), 7);
    EXPECT_EQ(o.value(QStringLiteral("  user   ID ")), QStringLiteral("a=b"));
    EXPECT_EQ(o.password(), QStringLiteral("pw"));
    EXPECT_TRUE(o.contains(QStringLiteral("initial catalog")));
    EXPECT_EQ(o.value(QStringLiteral("Initial Catalog")), QString());
    // The server name's semicolon went in unescaped; the piece without "=" belongs to it.
    EXPECT_EQ(o.value(QStringLiteral("Data Source")), QStringLiteral("odd;name"));
    EXPECT_FALSE(o.contains(QStringLiteral("Integrated Security")));

    o = ConnectionOptions::parse(QStringLiteral(
        " Password = \"se;cr\"\"et\" ; Data Source='it''s' ;;Extra= spaced value ;PWD=x;pwd=y"));
    EXPECT_EQ(o.value(QStringLiteral("Password")), QStringLiteral("se;cr\"et"));
    EXPECT_EQ(o.value(QStringLiteral("PWD")), QStringLiteral("y"))
        << "a later key replaces an earlier one";
    EXPECT_EQ(o.value(QStringLiteral("Data Source")), QStringLiteral("it's"));
    EXPECT_EQ(o.value(QStringLiteral("Extra")), QStringLiteral("spaced value"));
    EXPECT_TRUE(ConnectionOptions::parse(QString()).entries().isEmpty());
}

TEST(ConnectionOptions, MalformedTextsFailWithArgumentErrorNamingNoValue)
{
    for (const char* text :
         {"just words", "=value", "Password=\"open", "Data Source='a' b;", "Password='x';tail"}) {
        try {
            ConnectionOptions::parse(QString::fromLatin1(text));
            ADD_FAILURE() << text;
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), AdErrInvalidArgument) << text;
            EXPECT_FALSE(e.description().contains(QStringLiteral("open"))) << text;
        }
    }
}

TEST(ConnectionOptions, ScrubMasksPasswordsInAnyMessage)
{
    const auto o =
        ConnectionOptions::parse(QStringLiteral("UID=sa;Password=Sup3rS3cret;Data Source=x"));
    EXPECT_EQ(o.scrub(QStringLiteral("login failed for 'sa' using Sup3rS3cret")),
              QStringLiteral("login failed for 'sa' using ***"));
    EXPECT_EQ(o.scrub(QStringLiteral("DRIVER={FreeTDS};UID=sa;PWD={a;b}};c};SERVER=x")),
              QStringLiteral("DRIVER={FreeTDS};UID=sa;PWD=***;SERVER=x"));
    EXPECT_EQ(o.scrub(QStringLiteral("password = 'q' and Pwd=plain;next")),
              QStringLiteral("password = *** and Pwd=***;next"));
    // A one-letter password is masked where it is assigned, not everywhere.
    EXPECT_EQ(ConnectionOptions::parse(QStringLiteral("Password=e"))
                  .scrub(QStringLiteral("Password=e; server gone")),
              QStringLiteral("Password=***; server gone"));
}
