// The built tallixview run as its own process: what reaches standard output and standard error,
// and the exit status a script sees.

#include "tests/common/db/AuditDatabase.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using tallix::test::AuditDatabase;
using tallix::test::s;

namespace {

struct ProcessResult {
    int exitCode = -1;
    QByteArray out, err;
};

// Runs tallixview with a settings folder of its own that registers no server, so the real
// program meets an empty registry.
ProcessResult runViewer(const QStringList& arguments, const QString& outputFile = {})
{
    QTemporaryDir config;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(s("XDG_CONFIG_HOME"), config.path());
    env.insert(s("HOME"), config.path());
    p.setProcessEnvironment(env);
    if (!outputFile.isEmpty())
        p.setStandardOutputFile(outputFile);
    p.start(s(TALLIX_VIEW_PATH), arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return {-1, {}, "viewer crashed or hung"};
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

} // namespace

TEST(ViewerProcess, StatusAndStreamsOfEachOutcome)
{
    AuditDatabase audit;
    const QStringList at{s("--server"), audit.folder(), s("--database"), s("audit")};
    struct Case {
        QStringList arguments;
        int status;
        QByteArray out, err;
    };
    const Case cases[] = {
        {QStringList{s("--list"), s("--table"), s("Orders"), s("--type"), s("U")} + at, 0,
         "LogID,TransactionType,TransactionDate,SourceTable,Username,Workstation,Application,"
         "KeyValues\r\n"
         "{11111111-0000-0000-0000-000000000004},U,2001-01-08 08:00:00.000,Orders,carol,WKS3,"
         "Admin,OrderID=2\r\n"
         "{11111111-0000-0000-0000-000000000002},U,2001-01-06 10:00:00.000,Orders,bob,WKS2,"
         "Sales,OrderID=1\r\n",
         ""},
        {QStringList{s("--list"), s("--max"), s("-1")} + at, 2, "",
         "tallixview: --max: \"-1\" is not a whole number of 0 or more.\n"
         "Try 'tallixview --help'.\n"},
        {{s("--list")},
         2,
         "",
         "tallixview: --server is required: no default server is registered.\n"
         "Try 'tallixview --help'.\n"},
        {{s("--list"), s("--server"), audit.folder() + s("/gone"), s("--database"), s("audit")},
         1,
         "",
         "tallixview: Error: no such server folder: " + (audit.folder() + s("/gone")).toUtf8() +
             "\n"},
        {QStringList{s("--list"), s("--database"), s("empty"), s("--server"), audit.folder()}, 1,
         "", "tallixview: Tallix does not appear to be running/configured for this database.\n"},
    };
    for (const Case& c : cases) {
        const ProcessResult r = runViewer(c.arguments);
        EXPECT_EQ(r.exitCode, c.status) << qPrintable(c.arguments.join(QLatin1Char(' ')));
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, c.err);
    }
}

TEST(ViewerProcess, AListThatCannotBeWrittenFails)
{
    if (!QFile::exists(s("/dev/full")))
        GTEST_SKIP() << "no /dev/full here";
    AuditDatabase audit;
    const ProcessResult r = runViewer(
        {s("--list"), s("--server"), audit.folder(), s("--database"), s("audit")}, s("/dev/full"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "tallixview: Error: Cannot write the output.\n");
}
