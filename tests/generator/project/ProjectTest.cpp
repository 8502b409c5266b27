#include "generator/project/Project.h"

#include "common/base/Error.h"
#include "generator/project/ProjectFile.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tallix;
using tallix::test::readTestData;
using tallix::test::testDataPath;

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void fillAuthors(Project& p)
{
    p.setName(QStringLiteral("Pubs audit"));
    p.setAuthor(QStringLiteral("DBA"));
    p.setServer(QStringLiteral("SQLPROD"));
    p.setDB(QStringLiteral("pubs"));
    p.setUserID(QStringLiteral("sa"));
    p.setPassword(QStringLiteral("pw"));
    p.setOutputFile(QStringLiteral("C:\\Scripts\\authors.sql"));
    CTable& t = p.Tables().Add(QStringLiteral("authors"));
    t.Insert = true;
    t.Columns.Add(QStringLiteral("au_id"), QStringLiteral("varchar"), 11, 0, 0, false, false, false,
                  false);
    t.Columns.Add(QStringLiteral("au_lname"), QStringLiteral("varchar"), 40, 0, 0, false, false,
                  false, false);
}

// Every value of two projects, as one comparable text.
QString dump(const Project& p)
{
    QString out = QStringList{p.Name(),   p.Author(),   p.Server(),    p.DB(),
                              p.UserID(), p.Password(), p.OutputFile()}
                      .join(u'|');
    out += QStringLiteral("|%1%2\n").arg(p.SpecialMTSHandling()).arg(p.SpecialSQL2000Handling());
    for (const CTable& t : p.Tables()) {
        out += QStringLiteral("T %1 %2%3%4%5\n")
                   .arg(t.TableName)
                   .arg(t.Insert)
                   .arg(t.Update)
                   .arg(t.Delete)
                   .arg(t.LargeKey);
        for (const CColumn& c : t.Columns) {
            out += QStringLiteral("  C %1 %2 %3 %4 %5 %6%7%8%9\n")
                       .arg(c.ColumnName, c.datatype)
                       .arg(c.Size)
                       .arg(c.NumericPrecision)
                       .arg(c.NumericScale)
                       .arg(c.Nulls)
                       .arg(c.InPrimaryKey)
                       .arg(c.Identity)
                       .arg(c.Include);
        }
    }
    return out;
}

QString loaded(const QString& text, Project& p)
{
    p.Load(text);
    return dump(p);
}

} // namespace

TEST(ProjectText, AuthorsProjectMatchesTheFileByteForByte)
{
    QTemporaryDir dir;
    Project p;
    fillAuthors(p);
    const QString path = dir.filePath(QStringLiteral("authors.tpx"));
    ProjectFile::write(path, p.Save());
    EXPECT_MATCHES_GOLDEN(fileBytes(path), QStringLiteral("project/authors.tpx"));

    Project back;
    back.Load(ProjectFile::read(path));
    EXPECT_EQ(dump(back), dump(p));
    EXPECT_EQ(back.Password(), QStringLiteral("pw"));
    EXPECT_FALSE(back.IsDirty());
}

TEST(ProjectText, EmptyAndUnusualValues)
{
    Project empty;
    EXPECT_MATCHES_GOLDEN((empty.ObjectToXML() + QStringLiteral("\r\n")).toUtf8(),
                          QStringLiteral("project/empty.tpx"));

    Project p;
    p.setName(QStringLiteral("Say \"hi\" <&>"));
    p.setSpecialMTSHandling(true);
    p.setSpecialSQL2000Handling(true);
    CTable& e = p.Tables().Add(QStringLiteral("empty"));
    e.Update = true;
    e.LargeKey = true;
    CTable& o = p.Tables().Add(QStringLiteral("Orders"));
    o.Insert = o.Update = o.Delete = true;
    o.Columns.Add(QStringLiteral("Qty"), QStringLiteral("decimal"), -1, 10, -2, true, true, true,
                  true);
    EXPECT_MATCHES_GOLDEN((p.ObjectToXML() + QStringLiteral("\r\n")).toUtf8(),
                          QStringLiteral("project/mixed.tpx"));

    // The double quote is written as it is, so reading does not restore the name:
    // the value ends at the quote and the rest shifts the attributes by position.
    Project back;
    back.Load(ProjectFile::read(testDataPath(QStringLiteral("project/mixed.tpx"))));
    EXPECT_EQ(back.Name(), QStringLiteral("Say "));
    EXPECT_EQ(back.Author(), QStringLiteral(" Author="));
    EXPECT_EQ(back.Server(), QString());
    EXPECT_TRUE(back.SpecialMTSHandling());
    EXPECT_EQ(dump(back).section(u'\n', 1), dump(p).section(u'\n', 1)); // the tables
}

TEST(ProjectText, SeveralTablesRoundTripThroughTheFile)
{
    QTemporaryDir dir;
    Project p;
    p.setName(QString::fromUtf16(u"Gro\u00DFe Pr\u00FCfung"));
    p.setAuthor(QStringLiteral("ops team"));
    p.setServer(QStringLiteral("db01\\SQL2000"));
    p.setDB(QStringLiteral("shop"));
    p.setUserID(QStringLiteral("auditor"));
    p.setPassword(
        QString::fromUtf16(u"p\u00E4ss w\u20ACrd, longer than the forty-seven key digits"));
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
                              c % 2 ? QStringLiteral("nvarchar") : QString(), sizes[c], small[c],
                              small[4 - c], c & 1, c & 2, c == 0, c != 1);
        }
    }
    const QString path = dir.filePath(QStringLiteral("many.tpx"));
    ProjectFile::write(path, p.Save());

    Project back;
    back.Load(ProjectFile::read(path));
    EXPECT_EQ(dump(back), dump(p));
    EXPECT_EQ(back.Tables().Count(), 5);
}

TEST(ProjectChanges, FlagsFollowEveryStore)
{
    Project p;
    EXPECT_FALSE(p.IsDirty());
    p.setInitializing(true);
    p.setName(QStringLiteral("x"));
    p.setSpecialMTSHandling(true);
    EXPECT_FALSE(p.IsDirty());
    p.setInitializing(false);
    p.setName(QStringLiteral("x")); // the same value again still counts
    EXPECT_TRUE(p.IsDirty());

    p.Save();
    EXPECT_FALSE(p.IsDirty());
    p.Tables().IsDirty = true;
    EXPECT_TRUE(p.IsDirty());
    p.ObjectToXML();
    EXPECT_TRUE(p.IsDirty());
    p.Save();
    EXPECT_FALSE(p.IsDirty());
    EXPECT_FALSE(p.Tables().IsDirty);

    // Each setter marks the project.
    const std::function<void(Project&)> setters[] = {
        [](Project& q) { q.setAuthor(QString()); },
        [](Project& q) { q.setServer(QString()); },
        [](Project& q) { q.setDB(QString()); },
        [](Project& q) { q.setUserID(QString()); },
        [](Project& q) { q.setPassword(QString()); },
        [](Project& q) { q.setOutputFile(QString()); },
        [](Project& q) { q.setSpecialMTSHandling(false); },
        [](Project& q) { q.setSpecialSQL2000Handling(false); },
    };
    for (const auto& set : setters) {
        Project q;
        set(q);
        EXPECT_TRUE(q.IsDirty());
    }

    // Reading stores the values without marking, and Load clears the own flag,
    // even when the reading failed.
    Project r;
    r.setName(QStringLiteral("before"));
    r.XMLToObject(QString::fromLatin1(readTestData(QStringLiteral("project/authors.tpx"))));
    EXPECT_EQ(r.Name(), QStringLiteral("Pubs audit"));
    EXPECT_TRUE(r.IsDirty());
    r.Load(QStringLiteral("garbage without markup"));
    EXPECT_FALSE(r.IsDirty());
}

TEST(ProjectReading, ByPositionInAnyCase)
{
    Project p;
    loaded(QStringLiteral("\r\n<project Author=\"A\" Name=\"N\" x=\"S\" y=\"D\" UserID=\"U\" "
                          "Password=\"4146\" OutputFile=\"O\" SQL2000=\"true\" MTS=\"0\" "
                          "Extra=\"ignored\" />\r\n<tables>\r\n<Table TableName=\"t\" a=\"TRUE\" "
                          "b=\"-1\" c=\"2.5\" d=\"0.0\" />\r\n<columns>\r\n<column a=\"c\" "
                          "b=\"int\" c=\"+4\" d=\" -32768 \" e=\"32767\" f=\"1e3\" g=\"False\" "
                          "h=\"0\" i=\"true\" />"),
           p);
    EXPECT_EQ(p.Name(), QStringLiteral("A"));
    EXPECT_EQ(p.Author(), QStringLiteral("N"));
    EXPECT_EQ(p.Server(), QStringLiteral("S"));
    EXPECT_EQ(p.DB(), QStringLiteral("D"));
    EXPECT_EQ(p.UserID(), QStringLiteral("U"));
    EXPECT_EQ(p.Password(), QStringLiteral("pw"));
    EXPECT_EQ(p.OutputFile(), QStringLiteral("O"));
    EXPECT_TRUE(p.SpecialMTSHandling());
    EXPECT_FALSE(p.SpecialSQL2000Handling());
    EXPECT_EQ(dump(p).section(u'\n', 1), QStringLiteral("T t 1110\n  C c int 4 -32768 32767 "
                                                        "1001\n"));
}

TEST(ProjectReading, StopsAtTheFirstFailureAndKeepsWhatWasRead)
{
    const QString head = QStringLiteral(
        "<PROJECT Name=\"N\" Author=\"A\" Server=\"S\" DB=\"D\" UserID=\"U\" Password=\"\" "
        "OutputFile=\"O\" MTS=\"True\" SQL2000=\"True\" />\r\n<TABLES>\r\n");
    const QString t1 =
        QStringLiteral("<TABLE TableName=\"t1\" Insert=\"True\" Update=\"False\" Delete=\"False\" "
                       "LargeKey=\"False\" />\r\n");
    const QString c1 = QStringLiteral(
        "<COLUMN ColumnName=\"c1\" DataType=\"int\" Size=\"4\" NumericPrecision=\"10\" "
        "NumericScale=\"0\" Nulls=\"False\" InPrimaryKey=\"True\" Identity=\"False\" "
        "Include=\"True\" />\r\n");
    const QString t2 =
        QStringLiteral("<TABLE TableName=\"t2\" Insert=\"False\" Update=\"True\" Delete=\"False\" "
                       "LargeKey=\"False\" />\r\n");
    const QString read1 = QStringLiteral("N|A|S|D|U||O|11\nT t1 1000\n  C c1 int 4 10 0 0101\n");

    struct Case {
        const char* what;
        QString text;
        QString expected;
    };
    const Case cases[] = {
        {"repeated table", head + t1 + c1 + t1 + c1 + t2, read1},
        {"repeated table in another case",
         head + t1 + c1 + QString(t1).replace(QStringLiteral("t1"), QStringLiteral("T1")) + t2,
         read1},
        {"table missing an attribute",
         head + t1 + c1 +
             QStringLiteral("<TABLE TableName=\"t2\" Insert=\"True\" Update=\"True\" />") + c1 + t2,
         read1 + QStringLiteral("T t2 1100\n")},
        {"table with a value that is no Boolean",
         head + t1 + c1 +
             QString(t2).replace(QStringLiteral("\"True\""), QStringLiteral("\"yes\"")) + c1,
         read1 + QStringLiteral("T t2 0000\n")},
        {"column missing an attribute",
         head + t1 + QString(c1).replace(QStringLiteral(" Include=\"True\""), QStringLiteral("")) +
             c1 + t2,
         QStringLiteral("N|A|S|D|U||O|11\nT t1 1000\n")},
        {"non-numeric size",
         head + t1 + QString(c1).replace(QStringLiteral("\"4\""), QStringLiteral("\"4x\"")) + t2,
         QStringLiteral("N|A|S|D|U||O|11\nT t1 1000\n")},
        {"size beyond 32 bits",
         head + t1 +
             QString(c1).replace(QStringLiteral("\"4\""), QStringLiteral("\"2147483648\"")) + t2,
         QStringLiteral("N|A|S|D|U||O|11\nT t1 1000\n")},
        {"precision beyond 16 bits",
         head + t1 + QString(c1).replace(QStringLiteral("\"10\""), QStringLiteral("\"32768\"")) +
             t2,
         QStringLiteral("N|A|S|D|U||O|11\nT t1 1000\n")},
        {"column before any table", head + c1 + t1, QStringLiteral("N|A|S|D|U||O|11\n")},
        {"project missing attributes",
         QStringLiteral("<PROJECT Name=\"N\" Author=\"A\" Server=\"S\" />") + t1,
         QStringLiteral("N|A|S|||||00\n")},
        {"project option that is no Boolean",
         QString(head).replace(QStringLiteral("MTS=\"True\""), QStringLiteral("MTS=\"maybe\"")) +
             t1,
         QStringLiteral("N|A|S|D|U||O|00\n")},
        {"value without its closing quote", head + t1 + QStringLiteral("<TABLE TableName=\"t2"),
         QStringLiteral("N|A|S|D|U||O|11\nT t1 1000\n")},
        {"empty text", QString(), QStringLiteral("|||||||00\n")},
    };
    for (const Case& c : cases) {
        Project p;
        EXPECT_EQ(loaded(c.text, p), c.expected) << c.what;
        EXPECT_FALSE(p.IsDirty()) << c.what;
    }
}

TEST(ProjectReading, GarbageNeverBreaksTheReader)
{
    const QByteArray good = readTestData(QStringLiteral("project/authors.tpx"));
    Project reference;
    reference.Load(ProjectFile::textFromBytes(good));
    ASSERT_EQ(reference.Tables().Count(), 1);

    // Garbage without markup after the project ends the reading behind it.
    QByteArray tail;
    for (int i = 0; i < 300; ++i)
        tail += static_cast<char>((i * 97 + 13) % 256 == '<' ? 'x' : (i * 97 + 13) % 256);
    Project withTail;
    withTail.Load(ProjectFile::textFromBytes(good + tail));
    EXPECT_EQ(dump(withTail), dump(reference));

    // Cut anywhere, with markup-like bytes spliced in: reading ends quietly, never
    // throws, and keeps the project line when the damage lies behind it.
    const QByteArray pieces[] = {"<", "\"", "'", "=", "/>", "<TABLE ", "\0", "\xFF", "\r\n"};
    const qsizetype firstLine = good.indexOf("\r\n") + 2;
    for (qsizetype cut = 0; cut < good.size(); cut += 7) {
        QByteArray bytes = good.left(cut) + pieces[cut % 9] + good.mid(cut, 40);
        Project p;
        p.Load(ProjectFile::textFromBytes(bytes));
        EXPECT_FALSE(p.IsDirty());
        if (cut >= firstLine) {
            EXPECT_EQ(p.Name(), QStringLiteral("Pubs audit")) << cut;
        }
    }
}
