#include "common/base/Error.h"
#include "common/xml/Parser.h"
#include "common/xml/TextCodec.h"
#include "tests/common/xml/EventRecorder.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>

using namespace tallix;
using tallix::test::EventRecorder;

namespace {

class ParseFile : public ::testing::Test {
protected:
    QString write(const QByteArray& bytes)
    {
        const QString path = dir.filePath(QStringLiteral("f%1.xml").arg(++m_files));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    // The events of a parse, with the number of a failure appended.
    static QStringList events(const std::function<void(Parser&, EventRecorder&)>& parse)
    {
        Parser parser;
        EventRecorder recorder(parser);
        try {
            parse(parser, recorder);
        } catch (const Error& e) {
            recorder.events << QStringLiteral("error %1").arg(e.number());
        }
        return recorder.events;
    }
    static QStringList fileEvents(const QString& path, int size)
    {
        return events([&](Parser& p, EventRecorder& r) { p.ParseFile(path, size, &r); });
    }

    QTemporaryDir dir;
    int m_files = 0;
};

} // namespace

TEST_F(ParseFile, MissingFileOrFolder)
{
    const QString none = dir.filePath(QStringLiteral("none.xml"));
    EXPECT_EQ(fileEvents(none, 0), QStringList{u"error 53"_qs}); // before any report
    EXPECT_EQ(fileEvents(none, 16), QStringList{u"error 53"_qs});
    EXPECT_EQ(fileEvents(QString(), 0), QStringList{u"error 53"_qs});
    try {
        Parser().ParseFile(dir.path());
        ADD_FAILURE() << "a folder was parsed";
    } catch (const Error& e) {
        EXPECT_NE(e.number(), 53);
        EXPECT_TRUE(e.description().contains(dir.path())) << qPrintable(e.description());
    }
}

TEST_F(ParseFile, EveryBufferSizeGivesTheEventsOfTheText)
{
    // Two-, three- and four-byte sequences that small buffers split.
    const QString text = QString::fromUtf16(
        u"\uFEFF<?xml version='1.0'?>\r\n<AUDIT>\r\n <COLUMN NAME='Caf\u00E9' BEFORE='5 \u20AC' "
        u"AFTER='\U0001D11E'/><!-- n\u00E4he --><![CDATA[\u00E9t\u00E9]]> \u20AC &amp; </AUDIT>");
    const QString utf8 = write(text.toUtf8());
    const QStringList expected =
        events([&](Parser& p, EventRecorder& r) { p.ParseString(text, &r); });
    ASSERT_TRUE(
        expected.contains(u"SE COLUMN [NAME=Caf\u00E9;BEFORE=5 \u20AC;AFTER=\U0001D11E] L1"_qs));
    ASSERT_EQ(expected.last(), QStringLiteral("ED"));

    // Not valid UTF-8: the whole file is Windows-1252, in chunks too.
    const QString cp1252 = write(QByteArray("<a v='\x80\x9F'>caf\xE9</a>"));
    const QStringList legacy = {u"SD"_qs, u"SE a [v=\u20AC\u0178] L0"_qs, u"CH caf\u00E9"_qs,
                                u"EE a L0"_qs, u"ED"_qs};
    for (int size : {0, 1, 2, 3, 5, 64, std::numeric_limits<int>::max()}) {
        EXPECT_EQ(fileEvents(utf8, size), expected) << size;
        EXPECT_EQ(fileEvents(cp1252, size), legacy) << size;
    }
}

TEST_F(ParseFile, EmptyAndFailedFiles)
{
    const QString empty = write(QByteArray());
    EXPECT_EQ(fileEvents(empty, 8), (QStringList{u"SD"_qs, u"error 5"_qs}));
    // Read at once, an empty file parses like Parse without a source: GetText is asked.
    Parser parser;
    QStringList starts;
    parser.onGetText = [&](QString& t) {
        t = starts.isEmpty() ? u"<given/>"_qs : QString();
    };
    parser.onStartElement = [&](const QString& name, const Attributes&) {
        starts << name;
    };
    parser.ParseFile(empty);
    EXPECT_EQ(starts, QStringList{u"given"_qs});

    // A failed chunked parse releases the file, and the parser serves the next one.
    const QString bad = write(QByteArray("<a>unterminated"));
    EXPECT_THROW(parser.ParseFile(bad, 4), Error);
    ASSERT_TRUE(QFile::remove(bad));
    parser.ParseFile(write(QByteArray("<b/>")), 4);
    EXPECT_EQ(starts, (QStringList{u"given"_qs, u"a"_qs, u"b"_qs}));
}
