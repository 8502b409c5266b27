#include "generator/project/ProjectFile.h"

#include "common/base/Error.h"
#include "generator/project/Project.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tallix;

namespace {

QString writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

using tallix::test::fileBytes;

// The number and description of the failure, or 0.
std::pair<long, QString> failure(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Error& e) {
        return {e.number(), e.description()};
    }
    return {0, QString()};
}

} // namespace

TEST(ProjectFile, EveryLineIsPrecededByCrLf)
{
    EXPECT_EQ(ProjectFile::textFromBytes("a\r\nb\r\n"), QStringLiteral("\r\na\r\nb"));
    EXPECT_EQ(ProjectFile::textFromBytes("a\nb\rc\r\n\r\n"), QStringLiteral("\r\na\r\nb\r\nc\r\n"));
    EXPECT_EQ(ProjectFile::textFromBytes(""), QString());
    EXPECT_EQ(ProjectFile::textFromBytes("caf\xE9"), QString::fromUtf16(u"\r\ncaf\u00E9"));

    // Written, cut before the last line end, or from an old Windows installation.
    QTemporaryDir dir;
    Project source;
    source.setName(QString::fromUtf16(u"\u00C4rger"));
    source.Tables().Add(QStringLiteral("t")).Delete = true;
    const QString text = source.Save();
    ProjectFile::write(dir.filePath(u"w.tpx"_qs), text);
    const QString files[] = {dir.filePath(u"w.tpx"_qs),
                             writeBytes(dir.filePath(u"cut.tpx"_qs), text.toUtf8().chopped(2)),
                             writeBytes(dir.filePath(u"old.tpx"_qs), text.toLatin1())};
    for (const QString& path : files) {
        Project p;
        p.Load(ProjectFile::read(path));
        EXPECT_EQ(p.ObjectToXML(), text) << qPrintable(path);
    }
}

TEST(ProjectFile, FailuresSayWhy)
{
    QTemporaryDir dir;
    EXPECT_EQ(failure([&] { ProjectFile::read(dir.filePath(u"none.tpx"_qs)); }),
              std::make_pair(53L, u"File not found"_qs));
    const auto folder = failure([&] { ProjectFile::read(dir.path()); });
    EXPECT_TRUE(folder.first != 0 && folder.first != 53);
    EXPECT_TRUE(folder.second.contains(dir.path())) << qPrintable(folder.second);

    // Into a "folder" that is a file: fails, says where, leaves the file alone.
    const QString plain = writeBytes(dir.filePath(u"plain"_qs), "not a folder");
    const auto intoFile = failure([&] { ProjectFile::write(plain + u"/p.tpx"_qs, u"x"_qs); });
    EXPECT_NE(intoFile.first, 0);
    EXPECT_TRUE(intoFile.second.contains(u"plain/p.tpx"_qs)) << qPrintable(intoFile.second);
    EXPECT_EQ(fileBytes(plain), QByteArray("not a folder"));

    // A name so long that no temporary file fits beside it: the old project stays.
    const QString longName = writeBytes(dir.filePath(QString(250, u'n')), "old project");
    EXPECT_NE(failure([&] { ProjectFile::write(longName, u"new"_qs); }).first, 0);
    EXPECT_EQ(fileBytes(longName), QByteArray("old project"));

    // A successful save replaces the whole file.
    const QString good = writeBytes(dir.filePath(u"good.tpx"_qs), QByteArray(1000, 'z'));
    ProjectFile::write(good, QString::fromUtf16(u"\u00E9"));
    EXPECT_EQ(fileBytes(good), QByteArray("\xC3\xA9\r\n"));
}

TEST(ProjectFile, ReadPieceByPieceGivesTheSameProjectAsReadWhole)
{
    QTemporaryDir dir;
    Project source;
    source.setName(QString::fromUtf16(u"\u00C4rger \"quoted\"\nline"));
    CTable& t = source.Tables().Add(QStringLiteral("t"));
    t.Delete = true;
    for (int c = 0; c < 3000; ++c) // well beyond one piece
        t.Columns.Add(QStringLiteral("c%1").arg(c), u"int"_qs, 4, 10, 0, false, c == 0, false,
                      true);
    const QByteArray utf8 = source.Save().toUtf8() + "\r\n";

    QByteArray bareLf = utf8, bareCr = utf8, utf16le("\xFF\xFE"), utf16be("\xFE\xFF");
    bareLf.replace("\r\n", "\n");
    bareCr.replace("\r\n", "\r");
    const QString text = QString::fromUtf8(utf8);
    utf16le.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    for (const QChar c : text) {
        utf16be += static_cast<char>(c.unicode() >> 8);
        utf16be += static_cast<char>(c.unicode() & 0xFF);
    }
    const QByteArray files[] = {
        utf8, bareLf, bareCr, utf16le, utf16be, "\xEF\xBB\xBF" + utf8, text.toLatin1()};
    for (const QByteArray& bytes : files) {
        const QString path = writeBytes(dir.filePath(u"p.tpx"_qs), bytes);
        Project whole;
        EXPECT_TRUE(whole.Load(ProjectFile::read(path)).complete);
        Project streamed;
        const Project::ReadResult r = ProjectFile::load(path, streamed);
        EXPECT_TRUE(r.complete) << qPrintable(r.message());
        EXPECT_EQ(streamed.ObjectToXML(), whole.ObjectToXML());
        EXPECT_EQ(streamed.Tables().Item(1).Columns.Count(), 3000);
        if (bytes.size() == utf8.size() + 3 || bytes.startsWith("\xFF\xFE") ||
            bytes.startsWith("\xFE\xFF")) {
            EXPECT_EQ(streamed.ObjectToXML(), source.ObjectToXML()) << "byte-order mark dropped";
        }
    }
}

TEST(ProjectFile, OnlyARegularFileOfSaneSizeIsRead)
{
    QTemporaryDir dir;
    const QString huge = dir.filePath(u"huge.tpx"_qs);
    QFile sparse(huge);
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly));
    ASSERT_TRUE(sparse.resize(ProjectFile::kMaxSize + 1));
    sparse.close();
    for (const QString& path : {u"/dev/zero"_qs, dir.path(), huge}) {
        const auto read = failure([&] { ProjectFile::read(path); });
        Project p;
        const auto load = failure([&] { ProjectFile::load(path, p); });
        EXPECT_EQ(read, load);
        EXPECT_EQ(read.first, 75);
        EXPECT_TRUE(read.second.startsWith(path)) << qPrintable(read.second);
    }
    EXPECT_EQ(failure([&] { ProjectFile::read(dir.path()); }).second,
              dir.path() + u" is not a regular file."_qs);
    EXPECT_EQ(failure([&] { ProjectFile::read(huge); }).second,
              huge + u" is larger than 256 MB, too large for a project file."_qs);
}

TEST(ProjectFile, LineEndSplitBetweenTwoPiecesStaysOneLineEnd)
{
    // Pieces are 64 KiB. A raw line break inside a value (as an older version wrote
    // it) has its CR as the last byte of a piece and its LF as the first of the next.
    QTemporaryDir dir;
    Project source;
    source.setName(QStringLiteral("n"));
    source.Tables().Add(QStringLiteral("t")).Insert = true;
    const QByteArray text = source.Save().toUtf8() + "\r\n";
    const qsizetype value = text.indexOf("Name=\"n") + 6;
    for (const qsizetype at : {qsizetype(65535), qsizetype(65534), qsizetype(65536)}) {
        QByteArray bytes = text;
        bytes.insert(value, QByteArray(at - value, 'x') + "\r\ny");
        ASSERT_EQ(bytes.indexOf("\r\n"), at);
        const QString path = writeBytes(dir.filePath(u"split.tpx"_qs), bytes);
        Project whole, streamed;
        EXPECT_TRUE(whole.Load(ProjectFile::read(path)).complete);
        EXPECT_TRUE(ProjectFile::load(path, streamed).complete);
        EXPECT_EQ(streamed.Name(), QString(at - value, u'x') + u"\r\nyn"_qs) << at;
        EXPECT_EQ(streamed.ObjectToXML(), whole.ObjectToXML()) << at;
    }
}
