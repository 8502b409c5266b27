#include "common/xml/Parser.h"

#include "common/base/Error.h"
#include "tests/common/xml/EventRecorder.h"

#include <gtest/gtest.h>

using namespace tallix;
using tallix::test::ChunkSource;
using tallix::test::EventRecorder;

namespace {

// The reports joined by " | ", and " | error N" when the parse failed.
QString run(const std::function<void(Parser&, EventRecorder&)>& parse, int cancelAt = 0)
{
    Parser parser;
    EventRecorder recorder(parser);
    recorder.cancelAt = cancelAt;
    try {
        parse(parser, recorder);
    } catch (const Error& e) {
        recorder.events << QStringLiteral("error %1").arg(e.number());
    }
    return recorder.events.join(QStringLiteral(" | "));
}

QString parse(const QString& text, int cancelAt = 0)
{
    return run([&](Parser& p, EventRecorder& r) { p.ParseString(text, &r); }, cancelAt);
}

QString parseChunks(const QStringList& chunks)
{
    return run([&](Parser& p, EventRecorder& r) {
        ChunkSource source(chunks);
        p.Parse(&source, &r);
    });
}

// Every kind of construct, the odd ones included, with white space of every kind.
const QString kRich = QStringLiteral(
    "  prolog\r\n<?xml version='1.0' encoding=\"utf-8\"?>\r\n<!-- head   note -->\r\n"
    "<AUDIT kind='x &amp; y'>\r\n <COLUMN NAME='Qty' BEFORE='5' AFTER=\"7\"/>\r\n"
    " text &lt;one&gt;   two <![CDATA[ raw &amp; <b> ]]>after<!--c-->tail\r\n"
    "<b\tc='1'></b ><e p=1 q='2'/><!DOCTYPE z><x/></AUDIT>\r\n");
const QStringList kRichEvents = {u"SD"_qs,
                                 u"PI xml [version=1.0;encoding=utf-8] L0"_qs,
                                 u"CM  head note "_qs,
                                 u"SE AUDIT [kind=x &amp; y] L0"_qs,
                                 u"SE COLUMN [NAME=Qty;BEFORE=5;AFTER=7] L1"_qs,
                                 u"EE COLUMN L1"_qs,
                                 u"CH text <one> two "_qs,
                                 u"CH  raw &amp; <b> "_qs,
                                 u"CH after"_qs,
                                 u"CM c"_qs,
                                 u"CH tail "_qs,
                                 u"SE b\tc='1' [] L1"_qs,
                                 u"EE b  L1"_qs,
                                 u"SE e [p=2] L1"_qs,
                                 u"EE e L1"_qs,
                                 u"CH !DOCTYPE z>"_qs,
                                 u"SE x [] L1"_qs,
                                 u"EE x L1"_qs,
                                 u"EE AUDIT L0"_qs,
                                 u"ED"_qs};
const QString kRichJoined = kRichEvents.join(QStringLiteral(" | "));

} // namespace

TEST(Parser, Constructs)
{
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"<a x='1' y='2'/>", u"SE a [x=1;y=2] L0 | EE a L0"},
        {u"<a p=\"it's\" q='say \"hi\"'></a>", u"SE a [p=it's;q=say \"hi\"] L0 | EE a L0"},
        // values stay raw; spaces around '=' are skipped; an unquoted value is none
        {u"<a v='x &amp; y' w=' 2\t\r\n '/>", u"SE a [v=x &amp; y;w= 2\t\r\n ] L0 | EE a L0"},
        {u"<a x = '1' p=1 q='2'>", u"SE a [x=1;p=2] L0"},
        {u"<a n='1' n='2'><b>", u"SE a [n=1;n=2] L0 | SE b [] L1"},
        // only a space ends a tag name; end tags are neither trimmed nor matched
        {u"<a\tb='1'>", u"SE a\tb='1' [] L0"},
        {u"<a></a ></b>", u"SE a [] L0 | EE a  L0 | EE b L-1"},
        {u"<a?>", u"SE a? [] L0"},
        {u"<?xml version='1.0'?><?go?>", u"PI xml [version=1.0] L0 | PI go [] L0"},
        {u"<?p>b?>", u"PI p>b [] L0"},
        {u"<!-- a   b --><!---->", u"CM  a b  | CM "},
        {u"<!-->x-->", u"CM >x"},
        {u"<a><![CDATA[x &amp; y]]></a>", u"SE a [] L0 | CH x &amp; y | EE a L0"},
        {u"<a>  one&lt;two   three </a>", u"SE a [] L0 | CH one<two three  | EE a L0"},
        {u"<a>\r\n  <b/>\r\n\t</a>\r\n", u"SE a [] L0 | SE b [] L1 | EE b L1 | EE a L0"},
        {u"<a>&amp;lt; &gt;&quot;&apos; &#65; &AMP; &lt</a>",
         u"SE a [] L0 | CH &lt; >\"' &#65; &AMP; &lt | EE a L0"},
        {u"ignored <a/>", u"SE a [] L0 | EE a L0"},
        // text after a comment is reported even when text came before it
        {u"<a>x<!--c-->y</a>", u"SE a [] L0 | CH x | CM c | CH y | EE a L0"},
        {u"<!DOCTYPE r><r>", u"CH !DOCTYPE r> | SE r [] L0"},
        {u"<r><c/><?p?><c><g/></c></r>",
         u"SE r [] L0 | SE c [] L1 | EE c L1 | PI p [] L1 | SE c [] L1 | SE g [] L2 | EE g L2 | "
         u"EE c L1 | EE r L0"},
    };
    for (const auto& [text, events] : cases) {
        const QString expected =
            QStringLiteral("SD | ") + QString::fromUtf16(events) + QStringLiteral(" | ED");
        EXPECT_EQ(parse(QString::fromUtf16(text)), expected);
    }
    EXPECT_EQ(parse(kRich), kRichJoined);
}

TEST(Parser, Failures)
{
    EXPECT_EQ(parse(QString()), QStringLiteral("error 5")); // before any report
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"no markup", u"SD | error 5"},
        {u"<a>trailing text", u"SD | SE a [] L0 | error 5"},
        {u"<!-- open", u"SD | error 5"},
        {u"<![CDATA[ open ]]", u"SD | error 5"},
        {u"<a x='1>", u"SD | error 5"},
        {u"<a></>", u"SD | SE a [] L0 | error 5"},
        {u"< a>", u"SD | error 5"},
        {u"<>", u"SD | error 5"},
        {u"<?\?>", u"SD | error 5"},
        {u"<a/> \r\n", u"SD | SE a [] L0 | EE a L0 | ED"},
        {u"<a/><b x", u"SD | SE a [] L0 | EE a L0 | ED"}, // a tag cut short is dropped
    };
    for (const auto& [text, events] : cases)
        EXPECT_EQ(parse(QString::fromUtf16(text)), QString::fromUtf16(events));

    // Levels beyond 16 bits fail instead of wrapping around.
    EXPECT_TRUE(parse(QStringLiteral("<a>").repeated(32768)).endsWith(u"L32767 | error 6"));
    EXPECT_TRUE(parse(QStringLiteral("<a>").repeated(32767)).endsWith(u"L32766 | ED"));
}

TEST(Parser, CancelFromEveryKindOfReport)
{
    Parser parser;
    EventRecorder recorder(parser);
    for (int k = 1; k < kRichEvents.size(); ++k) {
        recorder.events.clear();
        recorder.cancelAt = k;
        parser.ParseString(kRich, &recorder);
        EXPECT_EQ(recorder.events, kRichEvents.mid(0, k)) << "cancelled at " << k;
    }
    recorder.events.clear();
    recorder.cancelAt = 0;
    parser.ParseString(kRich); // starts uncancelled; the handler stays set
    EXPECT_EQ(recorder.events, kRichEvents);
}

TEST(Parser, ChunksGiveTheEventsOfTheWholeText)
{
    QStringList single;
    for (const QChar c : kRich)
        single << QString(c);
    EXPECT_EQ(parseChunks(single), kRichJoined);
    for (qsizetype i = 1; i < kRich.size(); ++i)
        EXPECT_EQ(parseChunks({kRich.left(i), kRich.mid(i)}), kRichJoined) << "split at " << i;

    EXPECT_EQ(parseChunks({u"<a/>"_qs, QString(), u"<b/>"_qs}),
              QStringLiteral("SD | SE a [] L0 | EE a L0 | ED")); // an empty chunk ends it
    EXPECT_EQ(parseChunks({}), QStringLiteral("SD | error 5"));
    EXPECT_EQ(parseChunks({u"text "_qs, u"only"_qs}), QStringLiteral("SD | error 5"));
    EXPECT_EQ(parseChunks({u"<a x='"_qs, u"1"_qs}), QStringLiteral("SD | error 5"));
    EXPECT_EQ(parseChunks({u"<!-"_qs, u"- x --"_qs}), QStringLiteral("SD | error 5"));
}

TEST(Parser, EventsWithoutAHandler)
{
    Parser parser;
    EventRecorder recorder(parser); // reached only through the callbacks
    parser.onStartDocument = [&] {
        recorder.StartDocument();
    };
    parser.onEndDocument = [&] {
        recorder.EndDocument();
    };
    parser.onStartElement = [&](auto& n, auto& a) {
        recorder.StartElement(n, a);
    };
    parser.onEndElement = [&](auto& n) {
        recorder.EndElement(n);
    };
    parser.onCharacters = [&](auto& t) {
        recorder.Characters(t);
    };
    parser.onProcessingInstruction = [&](auto& n, auto& a) {
        recorder.ProcessingInstruction(n, a);
    };
    parser.onComment = [&](auto& t) {
        recorder.Comment(t);
    };
    QStringList chunks = {kRich.left(40), kRich.mid(40, 3), kRich.mid(43)};
    parser.onGetText = [&](QString& text) {
        text = chunks.isEmpty() ? QString() : chunks.takeFirst();
    };

    parser.ParseString(kRich);
    parser.Parse(nullptr);
    EXPECT_EQ(recorder.events, kRichEvents + kRichEvents);

    EventRecorder handler(parser);
    parser.ParseString(QStringLiteral("<a/>"), &handler);
    EXPECT_EQ(recorder.events.size(), 2 * kRichEvents.size()); // never both
    EXPECT_EQ(handler.events.size(), 4);
}

TEST(Attributes, ByPositionAndName)
{
    Parser parser;
    int checked = 0;
    parser.onStartElement = [&](const QString&, const Attributes& a) {
        ++checked;
        EXPECT_EQ(a.Count(), 3);
        EXPECT_EQ(a.getLength(), 3);
        EXPECT_EQ(a.getName(3), QStringLiteral("N"));
        EXPECT_EQ(a.getValue(2), QStringLiteral("2"));
        EXPECT_EQ(a.Item(u"n").Value(), QStringLiteral("1")); // the first of two
        EXPECT_EQ(a.Item(u"N").Value(), QStringLiteral("3")); // names keep their case
        for (int bad : {0, 4}) {
            try {
                a.Item(bad);
                ADD_FAILURE() << bad;
            } catch (const Error& e) {
                EXPECT_EQ(e.number(), 9);
            }
        }
        EXPECT_THROW(a.Item(u"missing"), Error);
    };
    parser.ParseString(QStringLiteral("<a n='1' n='2' N='3'/>"));
    EXPECT_EQ(checked, 1);
}
