#include "generator/project/ProjectFile.h"

#include "common/base/Error.h"
#include "generator/project/Project.h"

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

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

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
