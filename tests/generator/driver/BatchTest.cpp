#include "generator/driver/ScriptFile.h"
#include "generator/project/Project.h"
#include "generator/project/ProjectFile.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace tallix;

namespace {

struct ProcessResult {
    int exitCode = -1;
    QString out, err;
};

ProcessResult runGenerator(const QStringList& args, const QString& workDir = {})
{
    QProcess p;
    if (!workDir.isEmpty())
        p.setWorkingDirectory(workDir);
    p.start(QStringLiteral(TALLIX_GEN_PATH), args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return {-1, {}, QStringLiteral("generator crashed or hung")};
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Batch : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Project p;
        p.setDB(QStringLiteral("shop"));
        p.setOutputFile(withOutput ? dir.filePath(QStringLiteral("from-project.sql")) : QString());
        CTable& t = p.Tables().Add(QStringLiteral("Items"));
        t.Update = true;
        t.Columns.Add(QStringLiteral("ItemID"), QStringLiteral("int"), 0, 10, 0, false, true, false,
                      true);
        project = dir.filePath(QStringLiteral("my project.tpx"));
        ProjectFile::write(project, p.Save());
    }

    QTemporaryDir dir;
    QString project;
    bool withOutput = true;
};

class BatchWithoutOutputFile : public Batch {
protected:
    void SetUp() override
    {
        withOutput = false;
        Batch::SetUp();
    }
};

} // namespace

TEST_F(Batch, UpperCaseQuotedProjectAndOutputInNewFolders)
{
    const QString out = dir.filePath(QStringLiteral("new/deeper/audit.sql"));
    const ProcessResult r = runGenerator(
        {QStringLiteral("/P:\"") + project + QStringLiteral("\""), QStringLiteral("/o:") + out});
    EXPECT_EQ(r.exitCode, 0) << qPrintable(r.err);
    const QByteArray script = fileBytes(out);
    EXPECT_TRUE(script.startsWith("-- Tallix Generated Code  [2.0.9]\r\n"));
    EXPECT_TRUE(script.contains("CREATE TRIGGER ItemsTallixUpdate ON [Items]\r\n"));
    EXPECT_TRUE(script.endsWith("GO\r\n\r\n\r\n")) << "the text plus one CR LF";
}

TEST_F(Batch, ProjectsOwnOutputFileAndTheRemovalScript)
{
    ProcessResult r = runGenerator({QStringLiteral("/p:") + project});
    EXPECT_EQ(r.exitCode, 0) << qPrintable(r.err);
    EXPECT_TRUE(fileBytes(dir.filePath(QStringLiteral("from-project.sql"))).contains("USE [shop]"));

    const QString removal = dir.filePath(QStringLiteral("remove.sql"));
    r = runGenerator({QStringLiteral("--project"), project, QStringLiteral("--remove"),
                      QStringLiteral("--output"), removal});
    EXPECT_EQ(r.exitCode, 0) << qPrintable(r.err);
    const QByteArray text = fileBytes(removal);
    EXPECT_TRUE(text.contains("   DROP TRIGGER dbo.ItemsTallixDelete\r\n"));
    EXPECT_TRUE(text.contains("   DROP TABLE TallixKeys\r\n"));
    EXPECT_FALSE(text.contains("CREATE TRIGGER"));
}

TEST_F(BatchWithoutOutputFile, MissingOutputIsAnErrorAndWritesNothing)
{
    const ProcessResult r = runGenerator({QStringLiteral("/p:") + project}, dir.path());
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral(
        "Saved project doesn't have an output file specified and none was passed in.")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "only the project is there";
}

TEST_F(Batch, UnwritableOutputFailsAndLeavesNoPartialFile)
{
    // A path below a regular file cannot be created, even by root.
    const QString blocker = dir.filePath(QStringLiteral("blocker"));
    QFile(blocker).open(QIODevice::WriteOnly);
    const ProcessResult r =
        runGenerator({QStringLiteral("/p:") + project,
                      QStringLiteral("/o:") + blocker + QStringLiteral("/a.sql")});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral("could not be written"))) << qPrintable(r.err);
    EXPECT_FALSE(QFile::exists(blocker + QStringLiteral("/a.sql")));
}

TEST_F(Batch, UsageErrorsAndInformation)
{
    ProcessResult r = runGenerator({QStringLiteral("/o:") + dir.filePath(QStringLiteral("x.sql"))});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Usage:")));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("x.sql"))));

    r = runGenerator({QStringLiteral("/p:\"\"")});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(
        r.err.contains(QStringLiteral("You must provide a valid project path and filename.")));

    r = runGenerator({QStringLiteral("/p:") + dir.filePath(QStringLiteral("missing.tpx")),
                      QStringLiteral("/o:") + dir.filePath(QStringLiteral("y.sql"))});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Load Project Failed! - "))) << qPrintable(r.err);

    r = runGenerator({QStringLiteral("--version")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, QStringLiteral("2.0.9\n"));
}

TEST_F(Batch, GarbageProjectNeverCrashes)
{
    const QString garbage = dir.filePath(QStringLiteral("garbage.tpx"));
    QFile f(garbage);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i)
        bytes += static_cast<char>((i * 7919) % 251);
    f.write("<PROJECT Name=\"x\" " + bytes + "<TABLE TableName=\"t\" Insert=\"yes\" />");
    f.close();
    const QString out = dir.filePath(QStringLiteral("g.sql"));
    const ProcessResult r =
        runGenerator({QStringLiteral("/p:") + garbage, QStringLiteral("/o:") + out});
    ASSERT_NE(r.exitCode, -1) << "no crash";
    if (r.exitCode == 0) {
        EXPECT_TRUE(fileBytes(out).startsWith("-- Tallix Generated Code"));
    } else {
        EXPECT_FALSE(r.err.isEmpty()) << "a failure says why";
    }
}

TEST(ScriptFile, WritesTextAndOneLineEndAndRefusesAnEmptyPath)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.sql"));
    ASSERT_TRUE(ScriptFile::write(path, QStringLiteral("first")));
    EXPECT_EQ(fileBytes(path), QByteArray("first\r\n"));
    ASSERT_TRUE(ScriptFile::write(path, QStringLiteral("second")));
    EXPECT_EQ(fileBytes(path), QByteArray("second\r\n")) << "an existing file is replaced";
    const ScriptFile::Result empty = ScriptFile::write(QString(), QStringLiteral("x"));
    EXPECT_FALSE(empty);
    EXPECT_FALSE(empty.error.isEmpty());
}

TEST(ScriptFile, FailedWriteKeepsTheEarlierFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not bind root";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.sql"));
    ASSERT_TRUE(ScriptFile::write(path, QStringLiteral("first")));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    const ScriptFile::Result r = ScriptFile::write(path, QStringLiteral("second"));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(r);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(fileBytes(path), QByteArray("first\r\n"));
}
