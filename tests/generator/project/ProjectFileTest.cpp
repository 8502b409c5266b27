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

long errorNumberOf(const std::function<void()>& action, QString* description = nullptr)
{
    try {
        action();
    } catch (const Error& e) {
        if (description)
            *description = e.description();
        return e.number();
    }
    return 0;
}

} // namespace

TEST(ProjectFile, EveryLineIsPrecededByCrLf)
{
    EXPECT_EQ(ProjectFile::textFromBytes("a\r\nb\r\n"), QStringLiteral("\r\na\r\nb"));
    EXPECT_EQ(ProjectFile::textFromBytes("a\r\nb"), QStringLiteral("\r\na\r\nb"));
    EXPECT_EQ(ProjectFile::textFromBytes("a\nb\rc\r\n\r\n"), QStringLiteral("\r\na\r\nb\r\nc\r\n"));
    EXPECT_EQ(ProjectFile::textFromBytes("\n"), QStringLiteral("\r\n"));
    EXPECT_EQ(ProjectFile::textFromBytes(""), QString());
    EXPECT_EQ(ProjectFile::textFromBytes("caf\xE9"), QString::fromUtf16(u"\r\ncaf\u00E9"));
    EXPECT_EQ(ProjectFile::textFromBytes("caf\xC3\xA9"), QString::fromUtf16(u"\r\ncaf\u00E9"));
}

TEST(ProjectFile, ReadsWithOrWithoutTheLastEmptyLine)
{
    QTemporaryDir dir;
    Project source;
    source.setName(QString::fromUtf16(u"\u00C4rger"));
    source.Tables().Add(QStringLiteral("t")).Delete = true;
    const QString text = source.Save();

    const QString written = dir.filePath(QStringLiteral("w.tpx"));
    ProjectFile::write(written, text);
    const QString cut =
        writeBytes(dir.filePath(QStringLiteral("cut.tpx")), text.toUtf8().chopped(2));
    const QString legacy =
        writeBytes(dir.filePath(QStringLiteral("legacy.tpx")), text.toLatin1()); // Windows-1252
    for (const QString& path : {written, cut, legacy}) {
        Project p;
        p.Load(ProjectFile::read(path));
        EXPECT_EQ(p.Name(), source.Name()) << qPrintable(path);
        ASSERT_EQ(p.Tables().Count(), 1) << qPrintable(path);
        EXPECT_TRUE(p.Tables().Item(1).Delete);
    }
}

TEST(ProjectFile, ReadFailuresSayWhy)
{
    QTemporaryDir dir;
    QString description;
    EXPECT_EQ(errorNumberOf([&] { ProjectFile::read(dir.filePath(QStringLiteral("none.tpx"))); },
                            &description),
              53);
    EXPECT_EQ(description, QStringLiteral("File not found"));
    const long folder = errorNumberOf([&] { ProjectFile::read(dir.path()); }, &description);
    EXPECT_NE(folder, 0);
    EXPECT_NE(folder, 53);
    EXPECT_TRUE(description.contains(dir.path())) << qPrintable(description);
}

TEST(ProjectFile, AFailedWriteThrowsAndLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString plain = writeBytes(dir.filePath(QStringLiteral("plain")), "not a folder");
    QString description;
    EXPECT_NE(errorNumberOf([&] { ProjectFile::write(plain + QStringLiteral("/p.tpx"), u"x"_qs); },
                            &description),
              0);
    EXPECT_TRUE(description.contains(QStringLiteral("p.tpx"))) << qPrintable(description);
    EXPECT_EQ(fileBytes(plain), QByteArray("not a folder"));

    // A name so long that no temporary file can stand beside it: the save fails
    // before the existing project is touched.
    const QString longName = dir.filePath(QString(250, u'n'));
    writeBytes(longName, "old project");
    EXPECT_NE(errorNumberOf([&] { ProjectFile::write(longName, u"new"_qs); }), 0);
    EXPECT_EQ(fileBytes(longName), QByteArray("old project"));

    // A successful save replaces the file completely.
    const QString good =
        writeBytes(dir.filePath(QStringLiteral("good.tpx")), QByteArray(1000, 'z'));
    ProjectFile::write(good, QString::fromUtf16(u"\u00E9"));
    EXPECT_EQ(fileBytes(good), QByteArray("\xC3\xA9\r\n"));
}
