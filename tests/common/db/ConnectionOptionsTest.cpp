#include "common/db/ConnectionOptions.h"

#include "common/db/DbErrors.h"

#include <gtest/gtest.h>

using namespace tallix;

TEST(ConnectionOptions, ReadsTheProgramsConnectionString)
{
    const auto o = ConnectionOptions::parse(QStringLiteral(
        "Provider=SQLOLEDB.1;Persist Security Info=False;User ID=sa;Password=pw;"
        "Initial Catalog=pubs;Data Source=PROD\\SQL1;Use Procedure for Prepare=1;"
        "Auto Translate=True;Packet Size=4096;Workstation ID=WKS42;Application Name=TallixViewer"));
    EXPECT_EQ(o.entries().size(), 11);
    EXPECT_EQ(o.value(QStringLiteral("data source")), QStringLiteral("PROD\\SQL1"));
    EXPECT_EQ(o.value(QStringLiteral("  INITIAL   catalog ")), QStringLiteral("pubs"));
    EXPECT_EQ(o.value(QStringLiteral("Application Name")), QStringLiteral("TallixViewer"));
    EXPECT_EQ(o.password(), QStringLiteral("pw"));
    EXPECT_FALSE(o.contains(QStringLiteral("Integrated Security")));
    EXPECT_EQ(o.value(QStringLiteral("Integrated Security")), QString());
}

TEST(ConnectionOptions, ValuesKeepEqualsSignsQuotesAndSemicolonsOfServerNames)
{
    // A server name with a semicolon goes into the string unescaped; the piece without "="
    // that follows belongs to it.
    auto o = ConnectionOptions::parse(QStringLiteral(
        "User ID=a=b;Initial Catalog=;Data Source=odd;name;Use Procedure for Prepare=1"));
    EXPECT_EQ(o.value(QStringLiteral("User ID")), QStringLiteral("a=b"));
    EXPECT_EQ(o.value(QStringLiteral("Initial Catalog")), QString());
    EXPECT_TRUE(o.contains(QStringLiteral("Initial Catalog")));
    EXPECT_EQ(o.value(QStringLiteral("Data Source")), QStringLiteral("odd;name"));

    o = ConnectionOptions::parse(
        QStringLiteral(" Password = \"se;cr\"\"et\" ; Data Source='it''s' ;;Extra= spaced value "));
    EXPECT_EQ(o.password(), QStringLiteral("se;cr\"et"));
    EXPECT_EQ(o.value(QStringLiteral("Data Source")), QStringLiteral("it's"));
    EXPECT_EQ(o.value(QStringLiteral("Extra")), QStringLiteral("spaced value"));

    // A later key replaces an earlier one, whatever its case.
    o = ConnectionOptions::parse(QStringLiteral("PWD=one;pwd=two"));
    EXPECT_EQ(o.password(), QStringLiteral("two"));
    EXPECT_EQ(o.entries().size(), 1);
    EXPECT_TRUE(ConnectionOptions::parse(QString()).entries().isEmpty());
}

TEST(ConnectionOptions, MalformedTextsFailWithArgumentError)
{
    for (const char* text :
         {"just words", "=value", "Password=\"open", "Data Source='a' b;", "Password='x';tail"}) {
        try {
            ConnectionOptions::parse(QString::fromLatin1(text));
            ADD_FAILURE() << text;
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), AdErrInvalidArgument) << text;
            EXPECT_FALSE(e.description().contains(QStringLiteral("open")))
                << "no value in the message";
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
    const auto shortOne = ConnectionOptions::parse(QStringLiteral("Password=e"));
    EXPECT_EQ(shortOne.scrub(QStringLiteral("Password=e; server gone")),
              QStringLiteral("Password=***; server gone"));
}
