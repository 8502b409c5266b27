#include "common/xml/Parser.h"

#include "common/base/Error.h"
#include "tests/common/xml/EventRecorder.h"

#include <gtest/gtest.h>

using namespace tallix;
using tallix::test::ChunkSource;
using tallix::test::EventRecorder;

namespace {

QStringList ev(std::initializer_list<const char*> lines)
{
    QStringList out;
    for (const char* line : lines)
        out << QString::fromUtf8(line);
    return out;
}

QStringList parse(const QString& text)
{
    Parser parser;
    EventRecorder recorder(parser);
    parser.ParseString(text, &recorder);
    return recorder.events;
}

QStringList parseChunks(const QStringList& chunks)
{
    Parser parser;
    EventRecorder recorder(parser);
    ChunkSource source(chunks);
    parser.Parse(&source, &recorder);
    return recorder.events;
}

// The number of a failure together with the reports delivered before it.
struct Outcome {
    QStringList events;
    long error = 0;
};

Outcome parseFailing(const QString& text)
{
    Parser parser;
    EventRecorder recorder(parser);
    Outcome out;
    try {
        parser.ParseString(text, &recorder);
    } catch (const Error& e) {
        out.error = e.number();
    }
    out.events = recorder.events;
    return out;
}

// Every kind of construct, including the odd ones, with white space of every kind.
const QString kRichText = QStringLiteral(
    "  prolog text\r\n<?xml version='1.0' encoding=\"utf-8\"?>\r\n<!-- head   note -->\r\n"
    "<AUDIT kind='x &amp; y'>\r\n <COLUMN NAME='Qty' BEFORE='5' AFTER=\"7\"/>\r\n"
    " text &lt;one&gt;   two <![CDATA[ raw &amp; <b> ]]>after<!--c-->tail\r\n"
    "<b\tc='1'></b ><e p=1 q='2'/><!DOCTYPE z><x/></AUDIT>\r\n");

const QStringList kRichEvents = {
    QStringLiteral("SD"),
    QStringLiteral("PI xml [version=1.0;encoding=utf-8] L0"),
    QStringLiteral("CM  head note "),
    QStringLiteral("SE AUDIT [kind=x &amp; y] L0"),
    QStringLiteral("SE COLUMN [NAME=Qty;BEFORE=5;AFTER=7] L1"),
    QStringLiteral("EE COLUMN L1"),
    QStringLiteral("CH text <one> two "),
    QStringLiteral("CH  raw &amp; <b> "),
    QStringLiteral("CH after"),
    QStringLiteral("CM c"),
    QStringLiteral("CH tail "),
    QStringLiteral("SE b\tc='1' [] L1"),
    QStringLiteral("EE b  L1"),
    QStringLiteral("SE e [p=2] L1"),
    QStringLiteral("EE e L1"),
    QStringLiteral("CH !DOCTYPE z>"),
    QStringLiteral("SE x [] L1"),
    QStringLiteral("EE x L1"),
    QStringLiteral("EE AUDIT L0"),
    QStringLiteral("ED"),
};

} // namespace

TEST(Parser, TagsAndAttributes)
{
    EXPECT_EQ(parse(QStringLiteral("<a x='1' y='2'/>")),
              ev({"SD", "SE a [x=1;y=2] L0", "EE a L0", "ED"}));
    // Either quote may stand inside a value enclosed by the other.
    EXPECT_EQ(parse(QStringLiteral("<a p=\"it's\" q='say \"hi\"'></a>")),
              ev({"SD", "SE a [p=it's;q=say \"hi\"] L0", "EE a L0", "ED"}));
    // Values are taken raw: entities and white space stay as written.
    EXPECT_EQ(parse(QStringLiteral("<a v='x &amp; y' w=' two\t\r\nlines  '/>")),
              ev({"SD", "SE a [v=x &amp; y;w= two\t\r\nlines  ] L0", "EE a L0", "ED"}));
    // Spaces around '=' are skipped; an unquoted value is not one: p takes '2'.
    EXPECT_EQ(parse(QStringLiteral("<a x = '1'/>"))[1], QStringLiteral("SE a [x=1] L0"));
    EXPECT_EQ(parse(QStringLiteral("<a p=1 q='2'/>"))[1], QStringLiteral("SE a [p=2] L0"));
    // Only a space ends a tag name; tabs and line breaks stay inside it.
    EXPECT_EQ(parse(QStringLiteral("<a\tb='1'>"))[1], QStringLiteral("SE a\tb='1' [] L0"));
    EXPECT_EQ(parse(QStringLiteral("<a\r\n x='1'>"))[1], QStringLiteral("SE a\r\n [x=1] L0"));
    // End tags are not trimmed and never compared with start tags.
    EXPECT_EQ(parse(QStringLiteral("<a></a ></b>")),
              ev({"SD", "SE a [] L0", "EE a  L0", "EE b L-1", "ED"}));
    // Duplicate names are kept in order.
    EXPECT_EQ(parse(QStringLiteral("<a n='1' n='2'/>"))[1], QStringLiteral("SE a [n=1;n=2] L0"));
    // A later tag never sees the attributes of an earlier one.
    EXPECT_EQ(parse(QStringLiteral("<a x='1'><b><c/></b></a>"))[2], QStringLiteral("SE b [] L1"));
}

TEST(Parser, ProcessingInstructionsCommentsAndCdata)
{
    EXPECT_EQ(parse(QStringLiteral("<?xml version='1.0'?>")),
              ev({"SD", "PI xml [version=1.0] L0", "ED"}));
    EXPECT_EQ(parse(QStringLiteral("<?go?><r/>")),
              ev({"SD", "PI go [] L0", "SE r [] L0", "EE r L0", "ED"}));
    // A plain '>' does not close an instruction, and '?>' ends no start tag.
    EXPECT_EQ(parse(QStringLiteral("<?p>b?>"))[1], QStringLiteral("PI p>b [] L0"));
    EXPECT_EQ(parse(QStringLiteral("<a?>")), ev({"SD", "SE a? [] L0", "ED"}));
    EXPECT_EQ(parse(QStringLiteral("<!-- a   b -->")), ev({"SD", "CM  a b ", "ED"}));
    EXPECT_EQ(parse(QStringLiteral("<!---->"))[1], QStringLiteral("CM "));
    EXPECT_EQ(parse(QStringLiteral("<a><![CDATA[x &amp; y]]></a>"))[2],
              QStringLiteral("CH x &amp; y"));
    // The comment ends at the first "-->" after its opening, not inside "<!--".
    EXPECT_EQ(parse(QStringLiteral("<!-->x-->"))[1], QStringLiteral("CM >x"));
}

TEST(Parser, CharacterData)
{
    EXPECT_EQ(parse(QStringLiteral("<a>  one&lt;two   three </a>"))[2],
              QStringLiteral("CH one<two three "));
    EXPECT_EQ(parse(QStringLiteral("<a>\r\n  <b/>\r\n\t</a>\r\n")),
              ev({"SD", "SE a [] L0", "SE b [] L1", "EE b L1", "EE a L0", "ED"}));
    EXPECT_EQ(parse(QStringLiteral("<a>one\r\n\ttwo</a>"))[2], QStringLiteral("CH one two"));
    // Each reference is replaced once; unknown and numeric references stay.
    EXPECT_EQ(parse(QStringLiteral("<a>&amp;lt; &gt;&quot;&apos; &#65; &AMP; &lt</a>"))[2],
              QStringLiteral("CH &lt; >\"' &#65; &AMP; &lt"));
    EXPECT_EQ(parse(QStringLiteral("ignored <a/>")), ev({"SD", "SE a [] L0", "EE a L0", "ED"}));
    // Text after a comment or CDATA section is reported, whatever came before it.
    EXPECT_EQ(parse(QStringLiteral("<a>x<!--c-->y</a>")),
              ev({"SD", "SE a [] L0", "CH x", "CM c", "CH y", "EE a L0", "ED"}));
    // An unknown declaration after markup arrives as character data.
    EXPECT_EQ(parse(QStringLiteral("<!DOCTYPE r><r/>"))[1], QStringLiteral("CH !DOCTYPE r>"));
}

TEST(Parser, RichTextGivesTheExpectedEvents)
{
    EXPECT_EQ(parse(kRichText), kRichEvents);
}

TEST(Parser, ElementLevel)
{
    EXPECT_EQ(parse(QStringLiteral("<r><c/><?p?><!--x--><c><g/></c></r>")),
              ev({"SD", "SE r [] L0", "SE c [] L1", "EE c L1", "PI p [] L1", "CM x", "SE c [] L1",
                  "SE g [] L2", "EE g L2", "EE c L1", "EE r L0", "ED"}));
    Parser parser;
    parser.ParseString(QStringLiteral("<a><b>"));
    EXPECT_EQ(parser.ElementLevel(), 2);
    parser.ParseString(QStringLiteral("<a/>"));
    EXPECT_EQ(parser.ElementLevel(), 0); // reset by every parse

    // Beyond the 16-bit range the parse fails instead of wrapping around.
    try {
        parser.ParseString(QStringLiteral("<a>").repeated(32768));
        ADD_FAILURE() << "no overflow";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 6);
    }
    parser.ParseString(QStringLiteral("<a>").repeated(32767));
    EXPECT_EQ(parser.ElementLevel(), 32767);
}

TEST(Parser, FailuresCarryErrorFiveAndStopTheReports)
{
    const Outcome empty = parseFailing(QString());
    EXPECT_EQ(empty.error, 5);
    EXPECT_TRUE(empty.events.isEmpty()); // before any report

    struct Case {
        const char* text;
        std::initializer_list<const char*> events; // delivered before the failure
    };
    const Case cases[] = {
        {"no markup at all", {"SD"}},
        {"<a>trailing text", {"SD", "SE a [] L0"}},
        {"<a/><!-- open", {"SD", "SE a [] L0", "EE a L0"}},
        {"<![CDATA[ open ]]", {"SD"}},
        {"<a x='1>", {"SD"}},
        {"<a></>", {"SD", "SE a [] L0"}},
        {"< a>", {"SD"}},
        {"<>", {"SD"}},
        {"<?\?>", {"SD"}},
    };
    for (const Case& c : cases) {
        const Outcome out = parseFailing(QString::fromLatin1(c.text));
        EXPECT_EQ(out.error, 5) << c.text;
        EXPECT_EQ(out.events, ev(c.events)) << c.text;
    }
    // Trailing white space and a tag cut short at the end are no failure.
    EXPECT_EQ(parseFailing(QStringLiteral("<a/> \r\n")).error, 0);
    EXPECT_EQ(parseFailing(QStringLiteral("<a/><b x")).events.last(), QStringLiteral("ED"));
}

TEST(Parser, CancelFromEveryKindOfReport)
{
    for (int k = 1; k < kRichEvents.size(); ++k) {
        Parser parser;
        EventRecorder recorder(parser);
        recorder.cancelAt = k;
        parser.ParseString(kRichText, &recorder);
        EXPECT_EQ(recorder.events, kRichEvents.mid(0, k)) << "cancelled at " << k;
        // The next parse starts uncancelled.
        recorder.cancelAt = 0;
        recorder.events.clear();
        parser.ParseString(kRichText);
        EXPECT_EQ(recorder.events, kRichEvents) << "after cancel at " << k;
    }
}

TEST(Parser, ChunkedInputMatchesTheWholeText)
{
    QStringList single;
    for (const QChar c : kRichText)
        single << QString(c);
    EXPECT_EQ(parseChunks(single), kRichEvents);

    for (qsizetype i = 1; i < kRichText.size(); ++i) {
        ASSERT_EQ(parseChunks({kRichText.left(i), kRichText.mid(i)}), kRichEvents)
            << "split at " << i;
    }
    for (qsizetype i = 1; i < kRichText.size(); ++i) {
        for (qsizetype j = i + 1; j < kRichText.size(); ++j) {
            ASSERT_EQ(parseChunks({kRichText.left(i), kRichText.mid(i, j - i), kRichText.mid(j)}),
                      kRichEvents)
                << "split at " << i << " and " << j;
        }
    }
}

TEST(Parser, ChunkedEndsAndFailures)
{
    // Everything after an empty chunk is never asked for.
    Parser parser;
    EventRecorder recorder(parser);
    ChunkSource source({QStringLiteral("<a/>"), QString(), QStringLiteral("<b/>")});
    parser.Parse(&source, &recorder);
    EXPECT_EQ(recorder.events, ev({"SD", "SE a [] L0", "EE a L0", "ED"}));
    EXPECT_EQ(source.calls(), 2);

    auto errorOf = [](const QStringList& chunks) {
        try {
            parseChunks(chunks);
        } catch (const Error& e) {
            return e.number();
        }
        return 0L;
    };
    EXPECT_EQ(errorOf({}), 5);
    EXPECT_EQ(errorOf({QStringLiteral("text "), QStringLiteral("only")}), 5);
    EXPECT_EQ(errorOf({QStringLiteral("<a x='"), QStringLiteral("1")}), 5);
    EXPECT_EQ(errorOf({QStringLiteral("<a>"), QStringLiteral("text")}), 5);
    EXPECT_EQ(errorOf({QStringLiteral("<!-"), QStringLiteral("- x --")}), 5);
    EXPECT_EQ(errorOf({QStringLiteral("<a>"), QStringLiteral("<")}), 0);
}

TEST(Parser, DeliveryWithoutAHandler)
{
    Parser parser;
    QStringList events;
    parser.onStartDocument = [&] {
        events << QStringLiteral("SD");
    };
    parser.onEndDocument = [&] {
        events << QStringLiteral("ED");
    };
    parser.onStartElement = [&](const QString& name, const Attributes& a) {
        events << QStringLiteral("SE %1 %2 L%3")
                      .arg(name, test::describeAttributes(a))
                      .arg(parser.ElementLevel());
    };
    parser.onEndElement = [&](const QString& name) {
        events << QStringLiteral("EE %1 L%2").arg(name).arg(parser.ElementLevel());
    };
    parser.onCharacters = [&](const QString& t) {
        events << QStringLiteral("CH ") + t;
    };
    parser.onProcessingInstruction = [&](const QString& name, const Attributes& a) {
        events << QStringLiteral("PI %1 %2 L%3")
                      .arg(name, test::describeAttributes(a))
                      .arg(parser.ElementLevel());
    };
    parser.onComment = [&](const QString& t) {
        events << QStringLiteral("CM ") + t;
    };

    parser.ParseString(kRichText);
    EXPECT_EQ(events, kRichEvents);

    // Chunks come from the GetText callback when there is no source.
    QStringList chunks = {kRichText.left(40), kRichText.mid(40, 3), kRichText.mid(43)};
    parser.onGetText = [&](QString& text) {
        if (!chunks.isEmpty())
            text = chunks.takeFirst();
    };
    events.clear();
    parser.Parse(nullptr);
    EXPECT_EQ(events, kRichEvents);

    // A handler takes the reports instead, and stays set for later parses.
    EventRecorder recorder(parser);
    events.clear();
    parser.ParseString(QStringLiteral("<a/>"), &recorder);
    parser.ParseString(QStringLiteral("<b/>"), nullptr);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(parser.ContentHandler(), &recorder);
    EXPECT_EQ(recorder.events.size(), 8);
}

TEST(Parser, AHandlerCannotRestartTheRunningParse)
{
    Parser parser;
    long inner = 0;
    parser.onStartElement = [&](const QString&, const Attributes&) {
        try {
            parser.ParseString(QStringLiteral("<other/>"));
        } catch (const Error& e) {
            inner = e.number();
        }
    };
    QStringList ends;
    parser.onEndElement = [&](const QString& name) {
        ends << name;
    };
    parser.ParseString(QStringLiteral("<a><b/></a>"));
    EXPECT_EQ(inner, 5);
    EXPECT_EQ(ends, ev({"b", "a"}));
}

TEST(Attributes, LookupByPositionAndName)
{
    Parser parser;
    bool checked = false;
    parser.onStartElement = [&](const QString&, const Attributes& a) {
        checked = true;
        EXPECT_EQ(a.Count(), 3);
        EXPECT_EQ(a.getLength(), 3);
        EXPECT_EQ(a.Item(1).Name(), QStringLiteral("n"));
        EXPECT_EQ(a.getName(3), QStringLiteral("N"));
        EXPECT_EQ(a.getValue(2), QStringLiteral("2"));
        EXPECT_EQ(a.Item(u"n").Value(), QStringLiteral("1")); // the first of two
        EXPECT_EQ(a.Item(u"N").Value(), QStringLiteral("3")); // names keep their case
        for (int bad : {0, -1, 4}) {
            try {
                a.Item(bad);
                ADD_FAILURE() << "position " << bad;
            } catch (const Error& e) {
                EXPECT_EQ(e.number(), 9);
            }
        }
        EXPECT_THROW(a.Item(u"missing"), Error);
        EXPECT_THROW(a.getValue(4), Error);
    };
    parser.ParseString(QStringLiteral("<a n='1' n='2' N='3'/>"));
    EXPECT_TRUE(checked);
}
