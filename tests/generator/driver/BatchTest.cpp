#include "common/script/ScriptFile.h"
#include "generator/project/Project.h"
#include "generator/project/ProjectFile.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
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

using tallix::test::fileBytes;

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

namespace {

QString writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

// The script without its generation time, which differs from run to run.
QByteArray withoutTime(QByteArray script)
{
    qsizetype at;
    while ((at = script.indexOf("-- Generated on ")) >= 0)
        script.remove(at, script.indexOf("\r\n", at) - at);
    return script;
}

} // namespace

TEST_F(Batch, QuotesInValuesNoLongerShiftTheProject)
{
    Project p;
    p.setAuthor(QStringLiteral("x\" Author=\"evil"));
    p.setDB(QStringLiteral("shop"));
    p.setOutputFile(dir.filePath(QStringLiteral("quoted.sql")));
    CTable& t = p.Tables().Add(QStringLiteral("Items \"2\""));
    t.Insert = true;
    t.Columns.Add(QStringLiteral("ItemID"), QStringLiteral("int"), 0, 10, 0, false, true, false,
                  true);
    const QString path = dir.filePath(QStringLiteral("quoted.tpx"));
    ProjectFile::write(path, p.Save());
    const ProcessResult r = runGenerator({QStringLiteral("/p:") + path});
    EXPECT_EQ(r.exitCode, 0) << qPrintable(r.err);
    const QByteArray script = fileBytes(dir.filePath(QStringLiteral("quoted.sql")));
    EXPECT_TRUE(script.contains("USE [shop]\r\n"));
    EXPECT_TRUE(script.contains("CREATE TRIGGER [Items_\"2\"TallixInsert] ON [Items \"2\"]\r\n"));
}

TEST_F(Batch, ProjectsThatCannotBeReadWhollyWriteNothing)
{
    const QByteArray good = fileBytes(project);
    QByteArray badFlag = good;
    badFlag.replace("Update=\"True\"", "Update=\"Yes\"");
    const struct {
        const char* name;
        QByteArray bytes;
        const char* message;
    } cases[] = {
        {"empty", QByteArray(),
         "Load Project Failed! - The project was read only in part: the file is empty or holds "
         "no project (Invalid procedure call or argument), after the start of the file. No script "
         "was written."},
        {"cut", good.left(good.indexOf("      <COLUMNS>")),
         "Load Project Failed! - The project was read only in part: the file ends before "
         "</TABLES>, after table \"Items\". No script was written."},
        {"flag", badFlag,
         "Load Project Failed! - The project was read only in part: Update=\"Yes\" does not "
         "convert (Type mismatch), at the TABLE element that follows the PROJECT element. No "
         "script was written."},
    };
    for (const auto& c : cases) {
        const QString path =
            writeFile(dir.filePath(QString::fromLatin1(c.name) + QStringLiteral(".tpx")), c.bytes);
        const QString out = dir.filePath(QString::fromLatin1(c.name) + QStringLiteral(".sql"));
        const ProcessResult r =
            runGenerator({QStringLiteral("/p:") + path, QStringLiteral("/o:") + out});
        EXPECT_EQ(r.exitCode, 1) << c.name;
        EXPECT_EQ(r.err, QStringLiteral("Tallix Error: ") + QString::fromUtf8(c.message) +
                             QLatin1Char('\n'))
            << c.name;
        EXPECT_FALSE(QFile::exists(out)) << c.name;
    }
}

TEST_F(Batch, ProjectFilesThatAreNoRegularFilesAreRefusedAtOnce)
{
    const QString fifo = dir.filePath(QStringLiteral("pipe.tpx"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {QStringLiteral("/dev/zero"), fifo}) {
        const ProcessResult r = runGenerator(
            {QStringLiteral("/p:") + path, QStringLiteral("/o:") + dir.filePath(u"z.sql"_qs)});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, QStringLiteral("Tallix Error: Load Project Failed! - ") + path +
                             QStringLiteral(" is not a regular file.\n"));
    }
    // A sparse file beyond the limit, refused before a byte of it is read.
    const QString huge = dir.filePath(QStringLiteral("huge.tpx"));
    QFile sparse(huge);
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly));
    ASSERT_TRUE(sparse.resize(ProjectFile::kMaxSize + 1));
    sparse.close();
    const ProcessResult r = runGenerator(
        {QStringLiteral("/p:") + huge, QStringLiteral("/o:") + dir.filePath(u"z.sql"_qs)});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, QStringLiteral("Tallix Error: Load Project Failed! - ") + huge +
                         QStringLiteral(" is larger than 256 MB, too large for a project file.\n"));
    EXPECT_FALSE(QFile::exists(dir.filePath(u"z.sql"_qs)));
}

TEST_F(Batch, Utf16ProjectWithByteOrderMarkIsRead)
{
    const QString text = QString::fromUtf8(fileBytes(project));
    QByteArray utf16("\xFF\xFE");
    utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    const QString path = writeFile(dir.filePath(u"wide.tpx"_qs), utf16);
    const QString out = dir.filePath(u"wide.sql"_qs);
    const ProcessResult r =
        runGenerator({QStringLiteral("/p:") + path, QStringLiteral("/o:") + out});
    EXPECT_EQ(r.exitCode, 0) << qPrintable(r.err);
    EXPECT_TRUE(fileBytes(out).contains("CREATE TRIGGER ItemsTallixUpdate ON [Items]\r\n"));
}

TEST_F(Batch, StrayArgumentsBesideAProjectAreUsageErrors)
{
    for (const QString& stray : {u"out.sql"_qs, u"/0:out.sql"_qs}) {
        const ProcessResult r = runGenerator({QStringLiteral("/p:") + project, stray}, dir.path());
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("Tallix Error: Unexpected argument ") + stray +
                                     QStringLiteral(".\nUsage:")))
            << qPrintable(r.err);
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(u"from-project.sql"_qs)));
    EXPECT_FALSE(QFile::exists(dir.filePath(u"out.sql"_qs)));
}

TEST_F(Batch, ScriptGoesToStandardOutputAndPipesAreWrittenDirectly)
{
    const QString file = dir.filePath(u"file.sql"_qs);
    ASSERT_EQ(
        runGenerator({QStringLiteral("/p:") + project, QStringLiteral("/o:") + file}).exitCode, 0);
    const QByteArray expected = withoutTime(fileBytes(file));
    ASSERT_TRUE(expected.contains("CREATE TRIGGER ItemsTallixUpdate"));

    // /dev/stdout is the pipe to this test: written to, not replaced by a file.
    for (const QStringList& args :
         {QStringList{QStringLiteral("/p:") + project, QStringLiteral("/o:-")},
          QStringList{QStringLiteral("--project"), project, QStringLiteral("--output"),
                      QStringLiteral("-")},
          QStringList{QStringLiteral("/p:") + project, QStringLiteral("/o:/dev/stdout")}}) {
        QProcess p;
        p.start(QStringLiteral(TALLIX_GEN_PATH), args);
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();
        EXPECT_EQ(withoutTime(p.readAllStandardOutput()), expected) << qPrintable(args.last());
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(u"-"_qs)));
}

TEST_F(Batch, WriteErrorsFailTheRunWithTheSystemsReason)
{
    // A full device: reported, and the device is not replaced by a regular file.
    ProcessResult r =
        runGenerator({QStringLiteral("/p:") + project, QStringLiteral("/o:/dev/full")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, QStringLiteral("Tallix Error: The script could not be written to /dev/full: "
                                    "No space left on device\n"));
    EXPECT_FALSE(QFileInfo(QStringLiteral("/dev/full")).isFile());

    // A short write into a regular file (the file size limit cuts it): the earlier
    // script stays and no temporary file is left behind.
    const QString out = writeFile(dir.filePath(u"limited.sql"_qs), "earlier script");
    QProcess p;
    p.start(QStringLiteral("/bin/sh"),
            {QStringLiteral("-c"), QStringLiteral("trap '' XFSZ; ulimit -f 4; exec \"$0\" \"$@\""),
             QStringLiteral(TALLIX_GEN_PATH), QStringLiteral("/p:") + project,
             QStringLiteral("/o:") + out});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_EQ(QString::fromLocal8Bit(p.readAllStandardError()),
              QStringLiteral("Tallix Error: The script could not be written to ") + out +
                  QStringLiteral(": File too large\n"));
    EXPECT_EQ(fileBytes(out), QByteArray("earlier script"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2)
        << "the project and the earlier script only";
}

TEST_F(Batch, CollidingTriggerNamesFailTheRunAndWriteNothing)
{
    Project p;
    p.setDB(QStringLiteral("shop"));
    for (const char* name : {"my table", "my_table"}) {
        CTable& t = p.Tables().Add(QString::fromLatin1(name));
        t.Delete = true;
        t.Columns.Add(QStringLiteral("ID"), QStringLiteral("int"), 0, 10, 0, false, true, false,
                      true);
    }
    const QString path = dir.filePath(u"collide.tpx"_qs);
    ProjectFile::write(path, p.Save());
    const QString out = dir.filePath(u"collide.sql"_qs);
    const ProcessResult r =
        runGenerator({QStringLiteral("/p:") + path, QStringLiteral("/o:") + out});
    EXPECT_EQ(r.exitCode, 1);
    // The driver's failure, as one line under the window box's title.
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("Tallix: Error (GenerateScript) - The tables \"my "
                                                "table\" and \"my_table\" give the same trigger "
                                                "names")))
        << qPrintable(r.err);
    EXPECT_EQ(r.err.count(u'\n'), 1) << qPrintable(r.err);
    EXPECT_FALSE(QFile::exists(out));
}
