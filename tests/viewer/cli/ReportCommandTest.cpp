#include "tests/common/db/AuditDatabase.h"
#include "tests/support/TestSupport.h"
#include "viewer/cli/CommandLine.h"
#include "viewer/reports/ReportDocument.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tallix;
using namespace tallix::cli;
using tallix::test::AuditDatabase;
using tallix::test::fileBytes;

namespace {

struct Outcome {
    int status;
    QString out;
    QString err;
};

Outcome report(const QStringList& arguments)
{
    QString out;
    QString err;
    QTextStream o(&out);
    QTextStream e(&err);
    const int status = Run(arguments, Servers(), o, e);
    o.flush();
    e.flush();
    return {status, out, err};
}

class ReportCommand : public ::testing::Test {
protected:
    QStringList on(const char* database, QStringList more) const
    {
        return more << QStringLiteral("--server") << audit.folder() << QStringLiteral("--database")
                    << QString::fromLatin1(database);
    }
    QString file(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    AuditDatabase audit;
    QTemporaryDir dir;
};

} // namespace

// The aggregate of the test database, as the window's golden has it once its moment and server
// are those of the golden.
TEST_F(ReportCommand, WritesTheReportInTheFormatOfTheFilesExtension)
{
    const Outcome text =
        report(on("audit", {QStringLiteral("--report"), QStringLiteral("aggregate"),
                            QStringLiteral("--export"), file("agg.txt")}));
    ASSERT_EQ(text.status, 0) << qPrintable(text.err);
    EXPECT_EQ(text.out, QStringLiteral("Wrote %1 (1 page, 2 rows).\n").arg(file("agg.txt")));
    EXPECT_TRUE(text.err.isEmpty());
    QString written = QString::fromUtf8(fileBytes(file("agg.txt")));
    written.replace(QRegularExpression(QStringLiteral("Printed - [^\r\n]*")),
                    QStringLiteral("Printed - 1/12/01 2:30:05 PM"));
    written.replace(QStringLiteral("Server - ") + audit.folder(),
                    QStringLiteral("Server - SQLPROD01"));
    EXPECT_EQ(written.toUtf8(), test::readTestData(QStringLiteral("reports/aggregate.txt")));

    // The transaction list with the filters of --list, every other format.
    const struct {
        const char* name;
        QByteArray starts;
    } files[] = {
        {"list.rdf", QByteArrayLiteral("\x89TallixRDF")},
        {"list.htm", "<!DOCTYPE html>"},
        {"list.HTML", "<!DOCTYPE html>"},
        {"list.rtf", "{\\rtf1"},
        {"list.xlsx", "PK"},
    };
    for (const auto& f : files) {
        const Outcome o = report(
            on("audit", {QStringLiteral("--report=transactions"), QStringLiteral("--table"),
                         QStringLiteral("OrderLines"), QStringLiteral("--export"), file(f.name)}));
        ASSERT_EQ(o.status, 0) << f.name << qPrintable(o.err);
        EXPECT_EQ(o.out, QStringLiteral("Wrote %1 (1 page, 2 rows).\n").arg(file(f.name)));
        EXPECT_TRUE(fileBytes(file(f.name)).startsWith(f.starts)) << f.name;
    }
    const auto pages = reports::reportdocument::load(file("list.rdf"));
    int orderLines = 0;
    for (const reports::Band& b : pages->page(0).bands) {
        if (b.section == reports::SectionKind::Detail) {
            EXPECT_EQ(b.texts[2].text, QStringLiteral("OrderLines"));
            EXPECT_EQ(b.texts[6].text, QStringLiteral("OrderID=1\nLineNo=2"));
            ++orderLines;
        }
    }
    EXPECT_EQ(orderLines, 2);
}

TEST_F(ReportCommand, MistakesAndFailuresSayWhyAndWriteNothing)
{
    const QString usage = QStringLiteral("\nTry 'tallixview --help'.\n");
    const struct {
        QStringList arguments;
        int status;
        QString err;
    } cases[] = {
        {{QStringLiteral("--report"), QStringLiteral("nope"), QStringLiteral("--export"),
          file("x.txt")},
         2,
         QStringLiteral("tallixview: --report: \"nope\" is none of transactions, aggregate.") +
             usage},
        {{QStringLiteral("--report"), QStringLiteral("aggregate")},
         2,
         QStringLiteral("tallixview: --report needs --export and the file to write.") + usage},
        {{QStringLiteral("--report"), QStringLiteral("aggregate"), QStringLiteral("--export"),
          file("x.doc")},
         2,
         QStringLiteral("tallixview: --export: \"%1\" ends in none of .txt, .htm, .html, .rtf, "
                        ".xlsx, .pdf, .rdf.")
                 .arg(file("x.doc")) +
             usage},
        {{QStringLiteral("--report"), QStringLiteral("transactions"), QStringLiteral("--max"),
          QStringLiteral("5"), QStringLiteral("--export"), file("x.txt")},
         2,
         QStringLiteral("tallixview: --max does not apply to --report: a report lists every row.") +
             usage},
        {{QStringLiteral("--report"), QStringLiteral("aggregate"), QStringLiteral("--user"),
          QStringLiteral("bob"), QStringLiteral("--export"), file("x.txt")},
         2,
         QStringLiteral("tallixview: --user does not apply to --report aggregate: it counts the "
                        "whole audit table.") +
             usage},
        // A database without the audit tables: the report's rows cannot be read.
        {on("empty", {QStringLiteral("--report"), QStringLiteral("transactions"),
                      QStringLiteral("--export"), file("x.txt")}),
         1,
         QStringLiteral("tallixview: Tallix does not appear to be running/configured for this "
                        "database.\n")},
        // A folder that does not exist.
        {on("audit", {QStringLiteral("--report"), QStringLiteral("aggregate"),
                      QStringLiteral("--export"), file("no/such/x.txt")}),
         1, QStringLiteral("tallixview: Error: Cannot write \"%1\": ").arg(file("no/such/x.txt"))},
    };
    for (const auto& c : cases) {
        const Outcome o = report(c.arguments);
        EXPECT_EQ(o.status, c.status) << qPrintable(c.arguments.join(QLatin1Char(' ')));
        EXPECT_TRUE(o.err.startsWith(c.err)) << qPrintable(o.err);
        EXPECT_TRUE(o.out.isEmpty());
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

// The program itself, as a cron job runs it: the PDF needs the fonts of a GUI application, which
// it makes on the offscreen platform without a display.
TEST_F(ReportCommand, TheProgramWritesAPdfWithoutADisplay)
{
    QProcess viewer;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    viewer.setProcessEnvironment(env);
    viewer.start(QStringLiteral(TALLIX_VIEW_PATH),
                 on("audit", {QStringLiteral("--report"), QStringLiteral("aggregate"),
                              QStringLiteral("--export"), file("agg.pdf")}));
    ASSERT_TRUE(viewer.waitForFinished(60000));
    EXPECT_EQ(viewer.exitCode(), 0) << viewer.readAllStandardError().constData();
    const QString pdf = QString::fromLatin1(fileBytes(file("agg.pdf")));
    EXPECT_TRUE(pdf.startsWith(QStringLiteral("%PDF-")));
    EXPECT_EQ(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"))), 1);
}
