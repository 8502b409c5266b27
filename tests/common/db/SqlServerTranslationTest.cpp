#include "common/db/OdbcConnectionString.h"
#include "common/db/SqlServerCatalog.h"
#include "common/db/SqlServerProvider.h"

#include <gtest/gtest.h>

using namespace tallix;

namespace {

QString odbc(const char* connectionString)
{
    return OdbcConnectionString::translate(
        ConnectionOptions::parse(QString::fromUtf8(connectionString)), QStringLiteral("{FreeTDS}"));
}

} // namespace

TEST(OdbcConnectionString, TranslatesTheProgramsKeys)
{
    EXPECT_EQ(odbc("Provider=SQLOLEDB.1;Persist Security Info=False;User ID=sa;Password=pw;"
                   "Initial Catalog=pubs;Data Source=PROD\\SQL1;Use Procedure for Prepare=1;"
                   "Auto Translate=True;Packet Size=4096;Workstation ID=WKS42;"
                   "Application Name=TallixViewer"),
              QStringLiteral("DRIVER={FreeTDS};SERVER=PROD\\SQL1;DATABASE=pubs;UID=sa;PWD=pw;"
                             "APP=TallixViewer;WSID=WKS42;"));
}

TEST(OdbcConnectionString, IntegratedSecuritySendsNoPassword)
{
    EXPECT_EQ(odbc("Provider=SQLOLEDB.1;Persist Security Info=False;Integrated Security=SSPI;"
                   "Password=pw;Initial Catalog=pubs;Data Source=devbox;Workstation ID=W;"
                   "Application Name=TallixViewer"),
              QStringLiteral("DRIVER={FreeTDS};SERVER=devbox;DATABASE=pubs;"
                             "Trusted_Connection=Yes;APP=TallixViewer;WSID=W;"));
}

TEST(OdbcConnectionString, ServerFormsPortsBracesAndOtherKeys)
{
    EXPECT_EQ(
        odbc("Data Source=db.example.com, 1433;Initial Catalog=;User ID=u;Password=a;b}c"),
        QStringLiteral("DRIVER={FreeTDS};SERVER=db.example.com;PORT=1433;UID=u;PWD={a;b}}c};"));
    EXPECT_EQ(odbc("Data Source=(local)\\SQLEXPRESS;User ID=u"),
              QStringLiteral("DRIVER={FreeTDS};SERVER=localhost\\SQLEXPRESS;UID=u;"));
    EXPECT_EQ(
        odbc("Data Source=.;User ID=u;TDS_Version=7.1;Password= padded "),
        QStringLiteral("DRIVER={FreeTDS};SERVER=localhost;UID=u;PWD=padded;TDS_Version=7.1;"));
    EXPECT_EQ(odbc("Data Source=odd;name;User ID=u"),
              QStringLiteral("DRIVER={FreeTDS};SERVER={odd;name};UID=u;"));
    EXPECT_EQ(OdbcConnectionString::escape(QStringLiteral(" x")), QStringLiteral("{ x}"));
}

TEST(OdbcConnectionString, DriverIsTheRegisteredNameOrTheLibrary)
{
    const QString file = QStringLiteral("/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so");
    EXPECT_EQ(OdbcConnectionString::chooseDriver(
                  QStringLiteral("[PostgreSQL]\nDriver=x\n\n  [FreeTDS]  \nDriver=libtdsodbc.so\n"),
                  true, file),
              QStringLiteral("{FreeTDS}"));
    EXPECT_EQ(
        OdbcConnectionString::chooseDriver(QStringLiteral("[FreeTDSX]\n# [FreeTDS]\n"), true, file),
        file);
    EXPECT_EQ(OdbcConnectionString::chooseDriver(QString(), false, file),
              QStringLiteral("{FreeTDS}"));
}

TEST(SqlServerCatalog, InformationSchemaValuesGiveTheDeclaredType)
{
    using sqlserver::typeFromInformationSchema;
    const auto info = [](const SqlType& t) {
        return ColumnTypeInfo::of(t);
    };
    EXPECT_EQ(info(typeFromInformationSchema(QStringLiteral("varchar"), 20, QVariant(), QVariant()))
                  .characterMaximumLength,
              20);
    EXPECT_EQ(
        info(typeFromInformationSchema(QStringLiteral("nvarchar"), -1, QVariant(), QVariant()))
            .flags,
        128);
    EXPECT_EQ(
        info(typeFromInformationSchema(QStringLiteral("text"), 2147483647, QVariant(), QVariant()))
            .dataType,
        129);
    const auto dec = info(typeFromInformationSchema(QStringLiteral("decimal"), QVariant(), 12, 3));
    EXPECT_EQ(dec.numericPrecision, 12);
    EXPECT_EQ(dec.numericScale, 3);
    EXPECT_EQ(info(typeFromInformationSchema(QStringLiteral("float"), QVariant(), 53, QVariant()))
                  .dataType,
              5);
    EXPECT_EQ(info(typeFromInformationSchema(QStringLiteral("timestamp"), QVariant(), QVariant(),
                                             QVariant()))
                  .flags,
              16 + 512);

    const ColumnEntry c = sqlserver::columnEntry(
        {QStringLiteral("pubs"), QStringLiteral("dbo"), QStringLiteral("jobs"),
         QStringLiteral("job_id"), 1, QVariant(), QStringLiteral("NO"), QStringLiteral("smallint"),
         QVariant(), 5, 0, 1, 0});
    EXPECT_EQ(c.table, QStringLiteral("jobs"));
    EXPECT_FALSE(c.nullable);
    EXPECT_TRUE(c.identity);
    EXPECT_FALSE(c.computed);
    EXPECT_FALSE(c.defaultText.isValid());
    EXPECT_EQ(info(c.type).dataType, 2);
    // A short row (a driver that dropped fields) reads as NULLs, not out of bounds.
    EXPECT_NO_THROW(sqlserver::columnEntry({QStringLiteral("x")}));
}

TEST(SqlServerCatalog, DriverAnswersBecomeLayerValues)
{
    EXPECT_EQ(sqlserver::dbTypeFromOdbc(-11), 72);
    EXPECT_EQ(sqlserver::dbTypeFromOdbc(-7), 11);
    EXPECT_EQ(sqlserver::dbTypeFromOdbc(93), 135);
    EXPECT_EQ(sqlserver::dbTypeFromOdbc(12), 129);
    EXPECT_EQ(sqlserver::dbTypeFromOdbc(-9), 130);
    EXPECT_EQ(sqlserver::dbTypeFromOdbc(3), 131);
    EXPECT_EQ(sqlserver::dbTypeFromOdbc(4), 3);
    EXPECT_EQ(sqlserver::dbTypeFromOdbc(-6), 17);
    EXPECT_EQ(sqlserver::dbTypeFromOdbc(12345), 12);
    EXPECT_EQ(sqlserver::guidValue(QStringLiteral("6f9619ff-8b86-d011-b42d-00c04fc964ff")),
              QVariant(QStringLiteral("{6F9619FF-8B86-D011-B42D-00C04FC964FF}")));
    EXPECT_FALSE(sqlserver::guidValue(QVariant()).isValid());

    const QString raw = QStringLiteral("[FreeTDS][SQL Server]Invalid object name 'Tallix'. "
                                       "[FreeTDS][SQL Server]Statement(s) could "
                                       "not be prepared.");
    EXPECT_EQ(sqlserver::cleanMessage(raw),
              QStringLiteral("Invalid object name 'Tallix'. Statement(s) could not be prepared."));
    EXPECT_EQ(sqlserver::cleanMessage(
                  QStringLiteral("[unixODBC][Driver Manager]Data source name not found")),
              QStringLiteral("Data source name not found"));
    EXPECT_EQ(sqlserver::cleanMessage(QStringLiteral("bad column [dbo].[x]")),
              QStringLiteral("bad column [dbo].[x]"));
    EXPECT_TRUE(sqlserver::isMissingTable(raw, QStringLiteral("8180")));
    EXPECT_TRUE(sqlserver::isMissingTable(QStringLiteral("x"), QStringLiteral("208")));
    EXPECT_FALSE(sqlserver::isMissingTable(QStringLiteral("Incorrect syntax near 'x'."),
                                           QStringLiteral("102")));

    const QDateTime when(QDate(2001, 1, 5), QTime(13, 5, 7, 123));
    EXPECT_EQ(SqlServerProvider::isoDateLiteral(when), QStringLiteral("2001-01-05T13:05:07"));
}
