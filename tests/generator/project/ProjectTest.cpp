#include "generator/project/Project.h"

#include "generator/project/ProjectFile.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tallix;
using tallix::test::readTestData;
using tallix::test::testDataPath;

namespace {

using tallix::test::fileBytes;

// The project's values, then per table its name, Insert/Update/Delete/LargeKey and
// its column count.
QString summary(const Project& p)
{
    QString out = QStringList{p.Name(),   p.Author(),   p.Server(),    p.DB(),
                              p.UserID(), p.Password(), p.OutputFile()}
                      .join(u'|');
    out += QStringLiteral("|%1%2").arg(p.SpecialMTSHandling()).arg(p.SpecialSQL2000Handling());
    for (const CTable& t : p.Tables()) {
        out += QStringLiteral(" %1:%2%3%4%5/%6")
                   .arg(t.TableName)
                   .arg(t.Insert)
                   .arg(t.Update)
                   .arg(t.Delete)
                   .arg(t.LargeKey)
                   .arg(t.Columns.Count());
    }
    return out;
}

QString loaded(const QString& text)
{
    Project p;
    p.Load(text);
    EXPECT_FALSE(p.IsDirty());
    return summary(p);
}

} // namespace

TEST(ProjectText, AuthorsProjectMatchesTheFileByteForByte)
{
    Project p;
    p.setName(QStringLiteral("Pubs audit"));
    p.setAuthor(QStringLiteral("DBA"));
    p.setServer(QStringLiteral("SQLPROD"));
    p.setDB(QStringLiteral("pubs"));
    p.setUserID(QStringLiteral("sa"));
    p.setPassword(QStringLiteral("pw"));
    p.setOutputFile(QStringLiteral("C:\\Scripts\\authors.sql"));
    CTable& t = p.Tables().Add(QStringLiteral("authors"));
    t.Insert = true;
    t.Columns.Add(u"au_id"_qs, u"varchar"_qs, 11, 0, 0, false, false, false, false);
    t.Columns.Add(u"au_lname"_qs, u"varchar"_qs, 40, 0, 0, false, false, false, false);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("authors.tpx"));
    ProjectFile::write(path, p.Save());
    EXPECT_MATCHES_GOLDEN(fileBytes(path), QStringLiteral("project/authors.tpx"));

    Project back;
    back.Load(ProjectFile::read(path));
    EXPECT_EQ(back.ObjectToXML(), p.ObjectToXML());
    EXPECT_EQ(back.Password(), QStringLiteral("pw"));
    EXPECT_EQ(back.Tables().Item(1).Columns.Item(2).ColumnName, QStringLiteral("au_lname"));
}

TEST(ProjectText, EmptyAndUnusualValues)
{
    EXPECT_MATCHES_GOLDEN((Project().ObjectToXML() + u"\r\n"_qs).toUtf8(), u"project/empty.tpx"_qs);

    Project p;
    p.setName(QStringLiteral("Say \"hi\" <&>"));
    p.setSpecialMTSHandling(true);
    p.setSpecialSQL2000Handling(true);
    CTable& e = p.Tables().Add(QStringLiteral("empty"));
    e.Update = e.LargeKey = true;
    CTable& o = p.Tables().Add(QStringLiteral("Orders"));
    o.Insert = o.Update = o.Delete = true;
    o.Columns.Add(u"Qty"_qs, u"decimal"_qs, -1, 10, -2, true, true, true, true);
    EXPECT_MATCHES_GOLDEN((p.ObjectToXML() + u"\r\n"_qs).toUtf8(), u"project/mixed.tpx"_qs);

    Project back;
    EXPECT_TRUE(
        back.Load(ProjectFile::read(testDataPath(QStringLiteral("project/mixed.tpx")))).complete);
    EXPECT_EQ(back.ObjectToXML(), p.ObjectToXML());

    // A file of an older version holds the quote unescaped: it ends the value early
    // and the rest shifts the positions, as it always did.
    Project old;
    old.Load(QStringLiteral("<PROJECT Name=\"Say \"hi\" <&>\" Author=\"\" Server=\"\" DB=\"\" "
                            "UserID=\"\" Password=\"\" OutputFile=\"\" MTS=\"True\" "
                            "SQL2000=\"True\" />"));
    EXPECT_EQ(summary(old), QStringLiteral("Say | Author=||||||11"));
}

TEST(ProjectText, EveryValueReadsBackAsWritten)
{
    // The attack: a quote that would start a second Author and shift every value.
    const QString values[] = {
        QStringLiteral("x\" Author=\"evil"),
        QStringLiteral("line\r\nbreak\nand\rmore"),
        QStringLiteral("&quot; &amp;quot; &amp;amp;#10; &#13 & &amp; &#10;x"),
        QStringLiteral("&&quot;\"&"),
    };
    for (const QString& v : values) {
        Project p;
        p.setName(v);
        p.setAuthor(v);
        p.setOutputFile(QStringLiteral("out.sql"));
        CTable& t = p.Tables().Add(v);
        t.Columns.Add(v, v, 1, 2, 3, true, true, false, true);
        const QString text = p.Save();
        EXPECT_EQ(text.count(u'"') % 2, 0);
        EXPECT_FALSE(text.sliced(0, text.indexOf(u"/>")).contains(u'\n')) << "one line";
        Project back;
        const Project::ReadResult r = back.Load(ProjectFile::textFromBytes(text.toUtf8()));
        EXPECT_TRUE(r.complete) << qPrintable(r.message());
        EXPECT_EQ(back.Name(), v);
        EXPECT_EQ(back.Author(), v);
        EXPECT_EQ(back.OutputFile(), QStringLiteral("out.sql"));
        ASSERT_EQ(back.Tables().Count(), 1);
        EXPECT_EQ(back.Tables().Item(1).TableName, v);
        EXPECT_EQ(back.Tables().Item(1).Columns.Item(1).ColumnName, v);
        EXPECT_EQ(back.Tables().Item(1).Columns.Item(1).datatype, v);
    }
    // Only the three references and an ampersand before them are ever written.
    Project plain;
    plain.setName(QStringLiteral("a & b <c> 'd' &amp; &lt;"));
    EXPECT_TRUE(plain.ObjectToXML().startsWith(
        QStringLiteral("<PROJECT Name=\"a & b <c> 'd' &amp; &lt;\" ")));
}

TEST(ProjectText, SeveralTablesRoundTripThroughTheFile)
{
    Project p;
    p.setName(QString::fromUtf16(u"Gro\u00DFe Pr\u00FCfung"));
    p.setServer(QStringLiteral("db01\\SQL2000"));
    p.setPassword(QString::fromUtf16(u"p\u00E4ss \u20AC, longer than the forty-seven key digits"));
    p.setOutputFile(QStringLiteral("/tmp/out put.sql"));
    p.setSpecialMTSHandling(true);
    const std::int32_t sizes[] = {0, 1, -1, 2147483647, -2147483647 - 1};
    const std::int16_t small[] = {0, 32767, -32768, 10, -2};
    for (int t = 0; t < 5; ++t) {
        CTable& table = p.Tables().Add(QStringLiteral("table_%1").arg(t));
        table.Insert = t & 1;
        table.Update = t & 2;
        table.Delete = t & 4;
        table.LargeKey = t == 3;
        for (int c = 0; c < t; ++c) {
            table.Columns.Add(QStringLiteral("col %1.%2").arg(t).arg(c),
                              c % 2 ? u"nvarchar"_qs : QString(), sizes[c], small[c], small[4 - c],
                              c & 1, c & 2, c == 0, c != 1);
        }
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("many.tpx"));
    ProjectFile::write(path, p.Save());
    Project back;
    back.Load(ProjectFile::read(path));
    // The text holds every value, the password scrambled one to one.
    EXPECT_EQ(back.ObjectToXML(), p.ObjectToXML());
    EXPECT_EQ(back.Password(), p.Password());
    EXPECT_EQ(back.Tables().Item(4).Columns.Item(3).NumericScale, -32768);
}

TEST(ProjectChanges, Flags)
{
    Project p;
    EXPECT_FALSE(p.IsDirty());
    p.setInitializing(true);
    p.setName(QStringLiteral("x"));
    EXPECT_FALSE(p.IsDirty());
    p.setInitializing(false);
    p.setName(QStringLiteral("x")); // the same value again still counts
    EXPECT_TRUE(p.IsDirty());
    p.Tables().IsDirty = true;
    p.Save();
    EXPECT_FALSE(p.IsDirty());
    EXPECT_FALSE(p.Tables().IsDirty);
    p.Tables().IsDirty = true;
    EXPECT_TRUE(p.IsDirty());

    // Reading stores without marking; Load clears the own flag even after a failure.
    Project r;
    r.setName(QStringLiteral("before"));
    r.XMLToObject(QString::fromUtf8(readTestData(QStringLiteral("project/authors.tpx"))));
    EXPECT_EQ(r.Name(), QStringLiteral("Pubs audit"));
    EXPECT_TRUE(r.IsDirty());
    r.Load(QStringLiteral("no markup"));
    EXPECT_FALSE(r.IsDirty());
}

TEST(ProjectReading, ByPositionInAnyCase)
{
    EXPECT_EQ(
        loaded(QStringLiteral(
            "\r\n<project Author=\"A\" Name=\"N\" x=\"S\" y=\"D\" UserID=\"U\" Password=\"4146\" "
            "OutputFile=\"O\" SQL2000=\" true \" MTS=\"0\" Extra=\"ignored\" />\r\n<tables>"
            "<Table TableName=\"t\" a=\"TRUE\" b=\"-1\" c=\"2.5\" d=\"0.0\" /><columns>"
            "<column a=\"c\" b=\"int\" c=\"+4\" d=\" -32768 \" e=\"32767\" f=\"1e3\" "
            "g=\"False\" h=\"0\" i=\"true\" />")),
        QStringLiteral("A|N|S|D|U|pw|O|10 t:1110/1"));
}

TEST(ProjectReading, StopsAtTheFirstFailureAndKeepsWhatWasRead)
{
    const QString head = QStringLiteral(
        "<PROJECT Name=\"N\" Author=\"A\" Server=\"S\" DB=\"D\" UserID=\"U\" Password=\"\" "
        "OutputFile=\"O\" MTS=\"True\" SQL2000=\"True\" />\r\n<TABLES>\r\n");
    const QString t1 = QStringLiteral("<TABLE TableName=\"t1\" Insert=\"True\" Update=\"False\" "
                                      "Delete=\"False\" LargeKey=\"0\" />");
    const QString t2 = QString(t1).replace(u"t1"_qs, u"t2"_qs);
    const QString c = QStringLiteral(
        "<COLUMN ColumnName=\"c\" DataType=\"int\" Size=\"4\" NumericPrecision=\"10\" "
        "NumericScale=\"0\" Nulls=\"False\" InPrimaryKey=\"True\" Identity=\"0\" Include=\"1\" />");
    auto with = [](QString s, const char16_t* from, const char16_t* to) {
        return s.replace(QString::fromUtf16(from), QString::fromUtf16(to));
    };
    const QString read = QStringLiteral("N|A|S|D|U||O|11 t1:1000/");

    const std::pair<QString, QString> cases[] = {
        {head + t1 + c + t1 + c + t2, read + u"1"_qs},                 // repeated table
        {head + t1 + c + with(t1, u"t1", u"T1") + t2, read + u"1"_qs}, // in another case
        {head + t1 + with(t2, u" LargeKey=\"0\"", u"") + c, read + u"0 t2:1000/0"_qs},
        {head + t1 + with(t2, u"\"True\"", u"\"yes\"") + c, read + u"0 t2:0000/0"_qs},
        {head + t1 + with(c, u" Include=\"1\"", u"") + c, read + u"0"_qs},      // missing attribute
        {head + t1 + with(c, u"\"4\"", u"\"4x\"") + c, read + u"0"_qs},         // not a number
        {head + t1 + with(c, u"\"4\"", u"\"2147483648\"") + c, read + u"0"_qs}, // beyond 32 bits
        {head + t1 + with(c, u"\"10\"", u"\"32768\"") + c, read + u"0"_qs},     // beyond 16 bits
        {head + t1 + with(c, u"\"10\"", u"\"-32768\"") + c, read + u"2"_qs},
        {head + c + t1, u"N|A|S|D|U||O|11"_qs}, // column first
        {u"<PROJECT Name=\"N\" Author=\"A\" Server=\"S\" />"_qs + t1, u"N|A|S|||||00"_qs},
        {with(head, u"MTS=\"True\"", u"MTS=\"maybe\"") + t1, u"N|A|S|D|U||O|00"_qs},
        {head + t1 + u"<TABLE TableName=\"t2"_qs, read + u"0"_qs}, // no closing quote
        {QString(), u"|||||||00"_qs},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(loaded(text), expected) << qPrintable(text);
}

TEST(ProjectReading, GarbageNeverBreaksTheReader)
{
    const QByteArray good = readTestData(QStringLiteral("project/authors.tpx"));
    const QString reference = loaded(ProjectFile::textFromBytes(good));
    ASSERT_TRUE(reference.endsWith(u" authors:1000/2"));

    QByteArray tail; // no markup: reading ends behind the project
    for (int i = 0; i < 300; ++i)
        tail += static_cast<char>((i * 97 + 13) % 256 == '<' ? 'x' : (i * 97 + 13) % 256);
    EXPECT_EQ(loaded(ProjectFile::textFromBytes(good + tail)), reference);

    // Cut anywhere, with markup-like bytes spliced in: reading ends quietly and keeps
    // the project line when the damage lies behind it.
    const QByteArray pieces[] = {"<", "\"", "'", "=", "/>", "<TABLE ", "\0", "\xFF", "\r\n"};
    const qsizetype firstLine = good.indexOf("\r\n") + 2;
    for (qsizetype cut = 0; cut < good.size(); cut += 7) {
        const QString got = loaded(
            ProjectFile::textFromBytes(good.left(cut) + pieces[cut % 9] + good.mid(cut, 40)));
        if (cut >= firstLine) {
            EXPECT_TRUE(got.startsWith(reference.left(reference.indexOf(u" authors")))) << cut;
        }
    }
}

TEST(ProjectReading, SaysWhetherItReadEverythingAndWhereItStopped)
{
    const QString good = ProjectFile::textFromBytes(readTestData(u"project/authors.tpx"_qs));
    Project p;
    EXPECT_TRUE(p.Load(good).complete);
    Project trailing; // damage behind the table list loses nothing
    EXPECT_TRUE(trailing.Load(good + u"\r\ntrailing junk"_qs).complete);
    EXPECT_EQ(trailing.ObjectToXML(), p.ObjectToXML());

    const QString cut = good.left(good.indexOf(u"<COLUMN ColumnName=\"au_lname"));
    const struct {
        QString text;
        const char16_t* message;
    } cases[] = {
        {QString(), u"The project was read only in part: the file is empty or holds no project "
                    u"(Invalid procedure call or argument), after the start of the file."},
        {cut, u"The project was read only in part: the file ends before </TABLES>, after column "
              u"1 (\"au_id\") of table \"authors\"."},
        {QString(good).replace(u"Insert=\"True\""_qs, u"Insert=\"Yes\""_qs),
         u"The project was read only in part: Insert=\"Yes\" does not convert (Type mismatch), "
         u"at the TABLE element that follows the PROJECT element."},
        {QString(good).replace(u" Include=\"False\" />"_qs, u"/>"_qs),
         u"The project was read only in part: attribute 9 (Include) is missing, at the COLUMN "
         u"element that follows table \"authors\"."},
        {good + u"<TABLE TableName=\"AUTHORS\" Insert=\"True\" Update=\"False\" "
                u"Delete=\"False\" LargeKey=\"False\" />"_qs,
         u"The project was read only in part: table \"AUTHORS\" is in the project twice (This key "
         u"is already associated with an element of this collection), at the TABLE element that "
         u"follows column 2 (\"au_lname\") of table \"authors\"."},
        // The new table is in the list already when its flags fail; the place is still the
        // column before it.
        {QString(good).replace(u"</TABLES>"_qs,
                               u"<TABLE TableName=\"more\" Insert=\"Yes\" Update=\"False\" "
                               u"Delete=\"False\" LargeKey=\"False\" /></TABLES>"_qs),
         u"The project was read only in part: Insert=\"Yes\" does not convert (Type mismatch), "
         u"at the TABLE element that follows column 2 (\"au_lname\") of table \"authors\"."},
        {u"<TABLES></TABLES>"_qs, u"The project was read only in part: the file holds no "
                                  u"PROJECT element, after the start of the file."},
        {good.left(good.indexOf(u"<TABLES>")) + u"<TABLE TableName=\"t"_qs,
         u"The project was read only in part: the text could not be read on (Invalid procedure "
         u"call or argument), after the PROJECT element."},
    };
    for (const auto& c : cases) {
        Project q;
        const Project::ReadResult r = q.Load(c.text);
        EXPECT_FALSE(r.complete);
        EXPECT_EQ(r.message(), QString::fromUtf16(c.message)) << qPrintable(r.message());
        EXPECT_FALSE(q.IsDirty());
    }
}

// Two tables of one name in two schemas, and a schema with an apostrophe and quotes; the default
// schema is written without the attribute, as files were before schemas.
TEST(ProjectText, SchemasRoundTripThroughTheFileByteForByte)
{
    Project p;
    p.setName(QStringLiteral("Shop"));
    p.setDB(QStringLiteral("shop"));
    const struct {
        const char* schema;
        const char* name;
        bool insert, update, del;
        bool column;
    } tables[] = {
        {"dbo", "Orders", true, true, true, true},
        {"sales", "Orders", false, true, false, true},
        {"o'brien \"x\"", "a.b", false, false, true, false},
    };
    for (const auto& t : tables) {
        CTable& table = p.Tables().Add(QString::fromUtf8(t.schema), QString::fromUtf8(t.name));
        table.Insert = t.insert;
        table.Update = t.update;
        table.Delete = t.del;
        if (t.column)
            table.Columns.Add(u"Id"_qs, u"int"_qs, 4, 10, 0, false, true, false, true);
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("schemas.tpx"));
    ProjectFile::write(path, p.Save());
    EXPECT_MATCHES_GOLDEN(fileBytes(path), QStringLiteral("project/schemas.tpx"));

    Project back;
    ASSERT_TRUE(back.Load(ProjectFile::read(path)).complete);
    ASSERT_EQ(back.Tables().Count(), 3);
    EXPECT_EQ(back.Tables().Item(1).Schema, QString());
    EXPECT_EQ(back.Tables().Item(2).Schema, u"sales"_qs);
    EXPECT_EQ(back.Tables().Item(3).QualifiedName(), u"o'brien \"x\".a.b"_qs);
    EXPECT_EQ(back.Tables().GetTable(u"sales.Orders"_qs), &back.Tables().Item(2));
    EXPECT_EQ(back.Tables().GetTable(u"Orders"_qs), &back.Tables().Item(1));
}

TEST(ProjectReading, SchemaAttributeIsOptionalAndFoundByName)
{
    const auto read = [](const char* tables) {
        Project p;
        const Project::ReadResult result = p.Load(
            QStringLiteral("<PROJECT Name=\"\" Author=\"\" Server=\"\" DB=\"\" UserID=\"\" "
                           "Password=\"\" OutputFile=\"\" MTS=\"0\" SQL2000=\"0\"/><TABLES>") +
            QString::fromUtf8(tables) + QStringLiteral("</TABLES>"));
        QStringList names;
        for (const CTable& t : p.Tables())
            names << t.QualifiedName();
        return (result.complete ? QString() : QStringLiteral("partial: ")) + names.join(u'|');
    };
    const struct {
        const char* tables;
        const char* expected;
    } cases[] = {
        {"<TABLE TableName=\"t\" I=\"0\" U=\"0\" D=\"0\" L=\"0\"/>", "t"},
        {"<TABLE TableName=\"t\" I=\"0\" U=\"0\" D=\"0\" L=\"0\" Schema=\"dbo\"/>", "t"},
        // A later writer's attribute before it is passed over.
        {"<TABLE TableName=\"t\" I=\"0\" U=\"0\" D=\"0\" L=\"0\" Other=\"x\" Schema=\"s\"/>",
         "s.t"},
        // Among the first five the name means nothing: attributes are read by position.
        {"<TABLE Schema=\"t\" I=\"0\" U=\"0\" D=\"0\" L=\"0\"/>", "t"},
        {"<TABLE TableName=\"t\" I=\"0\" U=\"0\" D=\"0\" L=\"0\" Schema=\"S\"/>"
         "<TABLE TableName=\"T\" I=\"0\" U=\"0\" D=\"0\" L=\"0\" Schema=\"s\"/>",
         "partial: S.t"},
        {"<TABLE TableName=\"t\" I=\"0\" U=\"0\" D=\"0\" L=\"0\" Schema=\"s\"/>"
         "<TABLE TableName=\"s.t\" I=\"0\" U=\"0\" D=\"0\" L=\"0\"/>",
         "s.t|s.t"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(read(c.tables), QString::fromUtf8(c.expected)) << c.tables;
}

TEST(ProjectUnicodeOption, WrittenAfterTheNinthOnlyWhenSetAndReadByName)
{
    const QString head = QStringLiteral(
        "<PROJECT Name=\"N\" Author=\"\" Server=\"\" DB=\"d\" UserID=\"\" Password=\"\" "
        "OutputFile=\"\" MTS=\"False\" SQL2000=\"False\" ");
    const QString tables = QStringLiteral("/>\r\n<TABLES>\r\n</TABLES>\r\n");
    Project p;
    p.setName(QStringLiteral("N"));
    p.setDB(QStringLiteral("d"));
    EXPECT_EQ(p.ObjectToXML(), head + tables) << "off: the file reads as it always did";
    p.setUnicodeAuditData(true);
    EXPECT_EQ(p.ObjectToXML(), head + QStringLiteral("Unicode=\"True\" ") + tables);

    const struct {
        const char* extra; // attributes after the ninth
        bool unicode;
        bool complete;
    } cases[] = {
        {"", false, true},
        {"Unicode=\"True\" ", true, true},
        {"unicode=\"1\" ", true, true},
        {"Later=\"x\" Unicode=\"true\" ", true, true},
        {"Unicode=\"False\" ", false, true},
        {"Other=\"True\" ", false, true},
        {"Unicode=\"maybe\" ", false, false},
    };
    for (const auto& c : cases) {
        Project read;
        const Project::ReadResult result = read.Load(head + QString::fromUtf8(c.extra) + tables);
        EXPECT_EQ(read.UnicodeAuditData(), c.unicode) << c.extra;
        EXPECT_EQ(result.complete, c.complete) << c.extra;
        EXPECT_FALSE(read.IsDirty()) << c.extra;
    }
}

TEST(ProjectUnicodeOption, SettingItMarksTheProjectChangedUnlessInitializing)
{
    Project p;
    p.setInitializing(true);
    p.setUnicodeAuditData(true);
    EXPECT_FALSE(p.IsDirty());
    p.setInitializing(false);
    p.setUnicodeAuditData(true);
    EXPECT_TRUE(p.IsDirty());
}
