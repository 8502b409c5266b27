#include "common/base/Error.h"
#include "common/xml/Parser.h"
#include "tests/common/xml/EventRecorder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>

using namespace tallix;
using tallix::test::EventRecorder;

namespace {

class ParseFile : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    // The events of a file parse, with the number of a failure appended.
    QStringList events(const QString& path, int bufferSize)
    {
        Parser parser;
        EventRecorder recorder(parser);
        try {
            parser.ParseFile(path, bufferSize, &recorder);
        } catch (const Error& e) {
            recorder.events << QStringLiteral("error %1").arg(e.number());
        }
        return recorder.events;
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(ParseFile, MissingFileFailsBeforeAnyReport)
{
    EXPECT_EQ(events(dir.filePath(QStringLiteral("none.xml")), 0), QStringList{u"error 53"_qs});
    EXPECT_EQ(events(dir.filePath(QStringLiteral("none.xml")), 16), QStringList{u"error 53"_qs});
    EXPECT_EQ(events(QString(), 0), QStringList{u"error 53"_qs});

    // A folder exists but cannot be read as a file: its own error, with the reason.
    Parser parser;
    try {
        parser.ParseFile(dir.path());
        ADD_FAILURE() << "a folder was parsed";
    } catch (const Error& e) {
        EXPECT_NE(e.number(), 53);
        EXPECT_TRUE(e.description().contains(QDir(dir.path()).dirName()));
    }
}

TEST_F(ParseFile, EveryBufferSizeGivesTheEventsOfTheWholeText)
{
    // Two-, three- and four-byte sequences, so small buffers split them.
    const QString text =
        QStringLiteral("\xEF\xBB\xBF<?xml version='1.0'?>\r\n<AUDIT>\r\n <COLUMN NAME='Caf\u00E9' "
                       "BEFORE='5 \u20AC' AFTER='\U0001D11E'/>\r\n <!-- n\u00E4he -->"
                       "<![CDATA[\u00E9t\u00E9]]> \u20AC &amp; mehr </AUDIT>\r\n");
    const QString path = write(QStringLiteral("audit.xml"), text.toUtf8());

    Parser parser;
    EventRecorder recorder(parser);
    parser.ParseString(text, &recorder);
    ASSERT_EQ(recorder.events.last(), QStringLiteral("ED"));
    ASSERT_TRUE(recorder.events.contains(
        QStringLiteral("SE COLUMN [NAME=Caf\u00E9;BEFORE=5 \u20AC;AFTER=\U0001D11E] L1")));

    for (int size : {0, 1, 2, 3, 5, 7, 64, 4096, std::numeric_limits<int>::max()})
        EXPECT_EQ(events(path, size), recorder.events) << "buffer size " << size;
}

TEST_F(ParseFile, BytesThatAreNotUtf8ReadAsWindows1252)
{
    const QString path =
        write(QStringLiteral("old.xml"), QByteArray("<a v='\x80\x9F'>caf\xE9</a>"));
    const QStringList expected = {u"SD"_qs, u"SE a [v=\u20AC\u0178] L0"_qs, u"CH caf\u00E9"_qs,
                                  u"EE a L0"_qs, u"ED"_qs};
    for (int size : {0, 1, 3, 100})
        EXPECT_EQ(events(path, size), expected) << "buffer size " << size;
}

TEST_F(ParseFile, EmptyFile)
{
    const QString path = write(QStringLiteral("empty.xml"), QByteArray());
    EXPECT_EQ(events(path, 0), (QStringList{u"SD"_qs, u"error 5"_qs}));
    EXPECT_EQ(events(path, 8), (QStringList{u"SD"_qs, u"error 5"_qs}));

    // Read at once, an empty file is parsed like a chunked parse without a source,
    // which asks the GetText callback.
    Parser parser;
    QStringList starts;
    int asked = 0;
    parser.onGetText = [&](QString& t) {
        if (asked++ == 0)
            t = QStringLiteral("<given/>");
    };
    parser.onStartElement = [&](const QString& name, const Attributes&) {
        starts << name;
    };
    parser.ParseFile(path);
    EXPECT_EQ(starts, QStringList{u"given"_qs});
}

TEST_F(ParseFile, TheFileIsReleasedAfterAFailedParse)
{
    const QString path = write(QStringLiteral("bad.xml"), QByteArray("<a>unterminated text"));
    Parser parser;
    EXPECT_THROW(parser.ParseFile(path, 4), Error);
    // Nothing holds the file: it can be replaced and parsed again with the same parser.
    ASSERT_TRUE(QFile::remove(path));
    write(QStringLiteral("bad.xml"), QByteArray("<b/>"));
    QStringList starts;
    parser.onStartElement = [&](const QString& name, const Attributes&) {
        starts << name;
    };
    parser.ParseFile(path, 4);
    EXPECT_EQ(starts, QStringList{u"b"_qs});
}
