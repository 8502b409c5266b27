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
                   "Auto Translate=True;Packet Size=4096;Workstation ID=WKS42;Application "
                   "Name=TallixViewer"),
              QStringLiteral("DRIVER={FreeTDS};SERVER=PROD\\SQL1;DATABASE=pubs;UID=sa;PWD=pw;"
                             "APP=TallixViewer;WSID=WKS42;"));
    // Integrated security sends no password.
    EXPECT_EQ(odbc("Provider=SQLOLEDB.1;Integrated Security=SSPI;Password=pw;Initial Catalog=pubs;"
                   "Data Source=devbox;Workstation ID=W;Application Name=TallixViewer"),
              QStringLiteral("DRIVER={FreeTDS};SERVER=devbox;DATABASE=pubs;Trusted_Connection=Yes;"
                             "APP=TallixViewer;WSID=W;"));
    EXPECT_EQ(
        odbc("Data Source=db.example.com, 1433;Initial Catalog=;User ID=u;Password=a;b}c"),
        QStringLiteral("DRIVER={FreeTDS};SERVER=db.example.com;PORT=1433;UID=u;PWD={a;b}}c};"));
    EXPECT_EQ(odbc("Data Source=(local)\\SQLEXPRESS;User ID=u"),
              QStringLiteral("DRIVER={FreeTDS};SERVER=localhost\\SQLEXPRESS;UID=u;"));
    EXPECT_EQ(odbc("Data Source=.;User ID=u;TDS_Version=7.1"),
              QStringLiteral("DRIVER={FreeTDS};SERVER=localhost;UID=u;TDS_Version=7.1;"));
    EXPECT_EQ(odbc("Data Source=odd;name;User ID=u"),
              QStringLiteral("DRIVER={FreeTDS};SERVER={odd;name};UID=u;"));
    EXPECT_EQ(OdbcConnectionString::escape(QStringLiteral(" x")), QStringLiteral("{ x}"));
}

TEST(OdbcConnectionString, APortAfterAColonIsReadAsAfterAComma)
{
    const struct {
        const char* server;
        const char* odbc;
    } cases[] = {
        {"127.0.0.1:1433", "SERVER=127.0.0.1;PORT=1433;"},
        {"127.0.0.1,1433", "SERVER=127.0.0.1;PORT=1433;"},
        {" db.example.com : 1500 ", "SERVER=db.example.com;PORT=1500;"},
        {"PROD\\SQL1:1500", "SERVER=PROD\\SQL1;PORT=1500;"},
        {"fe80::1", "SERVER=fe80::1;"},       // an IPv6 address keeps its colons
        {"tcp:devbox", "SERVER=tcp:devbox;"}, // no port after the colon
        {":1433", "SERVER=:1433;"},           // no host before it
    };
    for (const auto& c : cases) {
        EXPECT_EQ(odbc((QByteArray("Data Source=") + c.server + ";User ID=u").constData()),
                  QStringLiteral("DRIVER={FreeTDS};") + QString::fromUtf8(c.odbc) +
                      QStringLiteral("UID=u;"))
            << c.server;
    }
}

TEST(OdbcConnectionString, DriverIsTheRegisteredNameOrTheLibrary)
{
    const QString file = QStringLiteral("/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so");
    EXPECT_EQ(OdbcConnectionString::chooseDriver(
                  QStringLiteral("[PostgreSQL]\nDriver=x\n  [FreeTDS]  \n"), true, file),
              QStringLiteral("{FreeTDS}"));
    EXPECT_EQ(
        OdbcConnectionString::chooseDriver(QStringLiteral("[FreeTDSX]\n# [FreeTDS]\n"), true, file),
        file);
    EXPECT_EQ(OdbcConnectionString::chooseDriver(QString(), false, file),
              QStringLiteral("{FreeTDS}"));
}

TEST(SqlServerCatalog, InformationSchemaRowsBecomeColumnEntries)
{
    const auto typeOf = [](const char* name, const QVariant& length, const QVariant& precision,
                           const QVariant& scale) {
        return ColumnTypeInfo::of(sqlserver::typeFromInformationSchema(QString::fromLatin1(name),
                                                                       length, precision, scale));
    };
    EXPECT_EQ(typeOf("varchar", 20, {}, {}).characterMaximumLength, 20);
    EXPECT_EQ(typeOf("nvarchar", -1, {}, {}).flags, columnflag::IsLong);
    EXPECT_EQ(typeOf("decimal", {}, 12, 3).numericScale, 3);
    EXPECT_EQ(typeOf("float", {}, 53, {}).dataType, dbtype::R8);
    EXPECT_EQ(typeOf("timestamp", {}, {}, {}).flags, 16 + 512);

    const ColumnEntry c = sqlserver::columnEntry(
        {QStringLiteral("pubs"), QStringLiteral("dbo"), QStringLiteral("jobs"),
         QStringLiteral("job_id"), 1, QVariant(), QStringLiteral("NO"), QStringLiteral("smallint"),
         QVariant(), 5, 0, 1, 0});
    EXPECT_EQ(c.column, QStringLiteral("job_id"));
    EXPECT_FALSE(c.nullable);
    EXPECT_TRUE(c.identity);
    EXPECT_FALSE(c.computed);
    EXPECT_FALSE(c.defaultText.isValid());
    EXPECT_NO_THROW(sqlserver::columnEntry({QStringLiteral("short row")}));
}

TEST(SqlServerCatalog, DriverAnswersBecomeLayerValues)
{
    const std::pair<int, int> types[] = {{-11, 72}, {-7, 11}, {93, 135}, {12, 129},  {-9, 130},
                                         {3, 131},  {4, 3},   {-6, 17},  {12345, 12}};
    for (const auto& [odbcType, dbType] : types)
        EXPECT_EQ(sqlserver::dbTypeFromOdbc(odbcType), dbType) << odbcType;
    EXPECT_EQ(sqlserver::guidValue(QStringLiteral("6f9619ff-8b86-d011-b42d-00c04fc964ff")),
              QVariant(QStringLiteral("{6F9619FF-8B86-D011-B42D-00C04FC964FF}")));
    EXPECT_FALSE(sqlserver::guidValue(QVariant()).isValid());

    const QString raw = QStringLiteral("[FreeTDS][SQL Server]Invalid object name 'Tallix'. "
                                       "[FreeTDS][SQL Server]Statement(s) could not be prepared.");
    EXPECT_EQ(sqlserver::cleanMessage(raw),
              QStringLiteral("Invalid object name 'Tallix'. Statement(s) could not be prepared."));
    EXPECT_EQ(sqlserver::cleanMessage(QStringLiteral("bad column [dbo].[x]")),
              QStringLiteral("bad column [dbo].[x]"));
    EXPECT_TRUE(sqlserver::isMissingTable(raw, QStringLiteral("8180")));
    EXPECT_TRUE(sqlserver::isMissingTable(QStringLiteral("x"), QStringLiteral("208")));
    EXPECT_FALSE(sqlserver::isMissingTable(QStringLiteral("Incorrect syntax near 'x'."),
                                           QStringLiteral("102")));
    // The T-SQL engine over another catalogue reports a missing table in its own words.
    EXPECT_TRUE(sqlserver::isMissingTable(QStringLiteral("relation \"tallix\" does not exist"),
                                          QStringLiteral("33557097")));
    EXPECT_TRUE(sqlserver::isMissingTable(
        QStringLiteral("relation \"master_dbo.tallix\" does not exist"), QString()));
    EXPECT_FALSE(sqlserver::isMissingTable(QStringLiteral("column \"x\" does not exist"),
                                           QStringLiteral("207")));
    // That engine gives 33557097 for other failures too: only its words tell a missing table.
    const std::pair<const char*, bool> engine[] = {
        {"relation \"orders\" does not exist", true},
        {"column \"shipped\" of relation \"orders\" does not exist", false},
        {"duplicate key value violates unique constraint \"pk_orders\"", false},
        {"cannot insert a non-null value into a timestamp column", false},
    };
    for (const auto& [message, missing] : engine) {
        EXPECT_EQ(sqlserver::isMissingTable(QString::fromUtf8(message), QStringLiteral("33557097")),
                  missing)
            << message;
    }
    EXPECT_EQ(SqlServerProvider::isoDateLiteral(QDateTime(QDate(2001, 1, 5), QTime(13, 5, 7, 123))),
              QStringLiteral("2001-01-05T13:05:07"));
}

TEST(SqlServerCatalog, KeyColumnsTakeTheColumnsRowsetsSpelling)
{
    QList<KeyEntry> keys{
        {QStringLiteral("shop"), QStringLiteral("dbo"), QStringLiteral("OrderLines"),
         QStringLiteral("orderid"), 1, QVariant()},
        {QStringLiteral("shop"), QStringLiteral("dbo"), QStringLiteral("OrderLines"),
         QStringLiteral("lineno"), 2, QVariant()},
        {QStringLiteral("shop"), QStringLiteral("sales"), QStringLiteral("OrderLines"),
         QStringLiteral("orderid"), 1, QVariant()},
        {QStringLiteral("shop"), QStringLiteral("dbo"), QStringLiteral("Gone"),
         QStringLiteral("id"), 1, QVariant()},
    };
    const QList<QStringList> columns{
        {QStringLiteral("dbo"), QStringLiteral("OrderLines"), QStringLiteral("OrderID")},
        {QStringLiteral("dbo"), QStringLiteral("OrderLines"), QStringLiteral("LineNo")},
        {QStringLiteral("dbo"), QStringLiteral("OrderLines"), QStringLiteral("Product")},
        {QStringLiteral("sales"), QStringLiteral("OrderLines"), QStringLiteral("ORDERID")},
    };
    sqlserver::spellKeyColumns(keys, columns);
    EXPECT_EQ(keys[0].column, QStringLiteral("OrderID"));
    EXPECT_EQ(keys[1].column, QStringLiteral("LineNo"));
    EXPECT_EQ(keys[2].column, QStringLiteral("ORDERID")); // by schema as well as table
    EXPECT_EQ(keys[3].column, QStringLiteral("id"));      // unknown columns keep their name
}
