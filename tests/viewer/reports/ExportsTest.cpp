#include "tests/viewer/reports/ReportTestSupport.h"
#include "viewer/reports/PageCodec.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

using namespace tallix;
using namespace tallix::reports;
using namespace tallix::test;

namespace {

// Two pages whose texts are what anyone who can change an audited row could have written.
PageCollection hostilePages()
{
    PageCollection pages(
        QStringLiteral("Report <i>&</i>"), QSize(12240, 15840),
        {{QStringLiteral("Arial"), 80, false, false}, {QStringLiteral("Arial"), 80, true, false}});
    const auto text = [](int x, int y, int w, int h, const char16_t* t, quint8 flags = AlignLeft,
                         quint8 font = 0) {
        return TextBox{QRect(x, y, w, h), font, flags, QString::fromUtf16(t)};
    };
    Page first;
    first.bands.append({SectionKind::PageHeader,
                        720,
                        400,
                        {text(720, 720, 4000, 240, u"Title <b>&amp;</b> 'x' \"y\"", AlignLeft, 1),
                         text(6000, 720, 5520, 240, u"Printed", AlignRight)},
                        {}});
    first.bands.append({SectionKind::Detail,
                        1200,
                        500,
                        {text(720, 1230, 1000, 200, u"=HYPERLINK(\"http://x\",\"y\")"),
                         text(1720, 1230, 800, 200, u"+1"), text(2520, 1230, 800, 200, u"-2"),
                         text(3320, 1230, 1200, 200, u"@SUM(A1)"),
                         text(4520, 1230, 1500, 200, u"}{\\rtf1\\par evil\\"),
                         text(6020, 1230, 2000, 200, u"<script>alert('x')</script>"),
                         text(8020, 1230, 1000, 200, u"42", AlignRight | Number),
                         text(9020, 1230, 2500, 400, u"line1\nline2")},
                        {{QLine(720, 1690, 11520, 1690), 5}}});
    first.bands.append({SectionKind::Detail,
                        1700,
                        300,
                        {text(720, 1730, 1000, 200, u"a,b\"c"),
                         text(1720, 1730, 800, 200, u"tab\u2409here \u00fcn\u00ef \u20ac"),
                         text(2520, 1730, 800, 200, u"\U0001D11E _x0041_")},
                        {}});
    pages.append(first);
    Page second;
    second.bands.append({SectionKind::PageFooter,
                         14000,
                         400,
                         {text(720, 14100, 10800, 240, u"Page 2", AlignCenter)},
                         {}});
    pages.append(second);
    return pages;
}

// The rows of the text export of hostilePages(), by hand: a text holding the delimiter or a
// double quote in double quotes; the second line of "line1\nline2" in its own column; a blank
// line for the 270 twips between the header and the first row.
const char16_t* const kHostileText[] = {
    u"\"Title <b>&amp;</b> 'x' \"\"y\"\"\",Printed",
    u"",
    (u"\"=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\",+1,-2,@SUM(A1),}{\\rtf1\\par evil\\,"
     u"<script>alert('x')</script>,42,line1"),
    u",,,,,,,line2",
    u"\"a,b\"\"c\",tab\u2409here \u00fcn\u00ef \u20ac,\U0001D11E _x0041_",
    u"<<page>>",
    u"Page 2",
};

QString hostileText(bool withBlankLine)
{
    QString out;
    for (const char16_t* line : kHostileText) {
        if (*line || withBlankLine)
            out += QString::fromUtf16(line) + QStringLiteral("\r\n");
    }
    return out;
}

QString exported(const std::function<void(const QString&)>& write, const char* name,
                 QTemporaryDir& dir)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    write(path);
    return path;
}

// The cell texts of an RTF document as a reader sees them: groups of the font table skipped,
// \uN? as the character N, \line as a line break, \cell closing a text.
QStringList rtfCells(const QByteArray& rtf)
{
    QStringList cells;
    QString text;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '{' && rtf.mid(i, 9) == "{\\fonttbl") {
            for (int depth = 0; i < rtf.size(); ++i) {
                depth += rtf[i] == '{' ? 1 : rtf[i] == '}' ? -1 : 0;
                if (depth == 0)
                    break;
            }
        } else if (c == '\\') {
            const char next = rtf.at(i + 1);
            if (next == '\\' || next == '{' || next == '}') {
                text += QLatin1Char(next);
                ++i;
                continue;
            }
            qsizetype j = i + 1;
            while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j])))
                ++j;
            const QByteArray word = rtf.mid(i + 1, j - i - 1);
            qsizetype k = j;
            while (k < rtf.size() &&
                   (rtf[k] == '-' || std::isdigit(static_cast<unsigned char>(rtf[k]))))
                ++k;
            const int number = rtf.mid(j, k - j).toInt();
            if (k < rtf.size() && rtf[k] == ' ')
                ++k;
            if (word == "u") {
                text += QChar(static_cast<char16_t>(static_cast<qint16>(number)));
                ++k; // the replacement character for readers without Unicode
            } else if (word == "line") {
                text += QLatin1Char('\n');
            } else if (word == "cell") {
                cells << text;
                text.clear();
            }
            i = k - 1;
        } else if (c != '{' && c != '}' && c != '\r' && c != '\n') {
            text += QLatin1Char(c);
        }
    }
    return cells;
}

} // namespace

TEST(Exports, TextKeepsEachValueInItsColumnInBothEncodings)
{
    const PageCollection pages = hostilePages();
    TextExportOptions o;
    o.fieldDelimiter = QStringLiteral(",");
    o.pageDelimiter = QStringLiteral("<<page>>");
    o.suppressBlankLines = true;
    EXPECT_EQ(textExport(pages, o), hostileText(false).toUtf8());
    o.suppressBlankLines = false;
    o.unicode = true;
    const QByteArray utf16 = textExport(pages, o);
    ASSERT_TRUE(utf16.startsWith("\xFF\xFE"));
    QStringDecoder decode(QStringDecoder::Utf16LE);
    EXPECT_EQ(QString(decode(utf16.mid(2))), hostileText(true));
}

TEST(Exports, HtmlShowsEveryTextAsTextAndNothingElse)
{
    const PageCollection pages = hostilePages();
    QTemporaryDir dir;
    // The prefix keeps an .htm or .html name; any other gets ".htm".
    EXPECT_EQ(htmlFileName(QStringLiteral("/out"), QStringLiteral("report")),
              QStringLiteral("/out/report.htm"));
    EXPECT_EQ(htmlFileName(QStringLiteral("/out/"), QStringLiteral("r.HTML")),
              QStringLiteral("/out/r.HTML"));
    exportHtml(pages, dir.path(), QStringLiteral("export"));
    QXmlStreamReader html(fileBytes(dir.filePath(QStringLiteral("export.htm"))));
    QStringList texts;
    QStringList elements;
    int pageDivs = 0;
    QString title;
    bool inText = false;
    while (!html.atEnd()) {
        html.readNext();
        if (html.isStartElement()) {
            elements << html.name().toString();
            const QString cls = html.attributes().value(QStringLiteral("class")).toString();
            pageDivs += cls == QLatin1String("page");
            if (cls.startsWith(QLatin1String("t "))) {
                inText = true;
                texts << QString();
            } else if (html.name() == QLatin1String("br")) {
                texts.last() += QLatin1Char('\n');
            } else if (html.name() == QLatin1String("title")) {
                title = html.readElementText();
            }
        } else if (html.isEndElement() && html.name() == QLatin1String("div")) {
            inText = false;
        } else if (html.isCharacters() && inText) {
            texts.last() += html.text();
        }
    }
    ASSERT_FALSE(html.hasError()) << qPrintable(html.errorString());
    EXPECT_EQ(title, pages.title());
    EXPECT_EQ(pageDivs, 2);
    EXPECT_EQ(texts, allTexts(pages));
    elements.removeDuplicates();
    EXPECT_EQ(elements,
              (QStringList{QStringLiteral("html"), QStringLiteral("head"), QStringLiteral("meta"),
                           QStringLiteral("title"), QStringLiteral("style"), QStringLiteral("body"),
                           QStringLiteral("div"), QStringLiteral("br")}));
}

TEST(Exports, RtfHoldsEveryTextWithoutAControlWordOfItsOwn)
{
    const PageCollection pages = hostilePages();
    QTemporaryDir dir;
    const QString path = exported([&](const QString& p) { exportRtf(pages, p); }, "x.rtf", dir);
    const QByteArray rtf = fileBytes(path);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi"));
    EXPECT_TRUE(rtf.contains("\\}\\{\\\\rtf1\\\\par evil\\\\}\\cell"));
    EXPECT_TRUE(rtf.contains("line1\\line line2"));
    EXPECT_TRUE(rtf.contains("\\pard\\page\\par")); // between the two pages
    EXPECT_EQ(rtfCells(rtf), allTexts(pages));
}

TEST(Exports, SpreadsheetCellsAreTextsOrNumbersNeverFormulas)
{
    const PageCollection pages = hostilePages();
    QTemporaryDir dir;
    const QString path = exported([&](const QString& p) { exportXlsx(pages, p); }, "x.xlsx", dir);
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"),
                {QStringLiteral("-p"), path, QStringLiteral("xl/worksheets/sheet1.xml")});
    ASSERT_TRUE(unzip.waitForFinished()) << "unzip is needed (scripts/bootstrap installs it)";
    const QByteArray xml = unzip.readAllStandardOutput();
    ASSERT_TRUE(xml.contains("<sheetData>")) << xml.constData();
    EXPECT_FALSE(xml.contains("<f>"));
    EXPECT_FALSE(xml.contains("<f "));

    // Each cell: its reference, its type and its text or value.
    QStringList cells;
    QXmlStreamReader sheet(xml);
    QString ref, type, value;
    while (!sheet.atEnd()) {
        sheet.readNext();
        if (sheet.isStartElement() && sheet.name() == QLatin1String("c")) {
            ref = sheet.attributes().value(QStringLiteral("r")).toString();
            type = sheet.attributes().value(QStringLiteral("t")).toString();
            value.clear();
        } else if (sheet.isCharacters()) {
            value += sheet.text();
        } else if (sheet.isEndElement() && sheet.name() == QLatin1String("c")) {
            cells << ref + QLatin1Char(' ') + type + QLatin1Char(' ') + value;
        }
    }
    ASSERT_FALSE(sheet.hasError()) << qPrintable(sheet.errorString());
    // Columns by left edge: 720 A, 1720 B, 2520 C, 3320 D, 4520 E, 6000 F, 6020 G, 8020 H, 9020 I.
    const QString s = QStringLiteral("inlineStr");
    const QStringList expected = {
        QStringLiteral("A1 ") + s + QStringLiteral(" Title <b>&amp;</b> 'x' \"y\""),
        QStringLiteral("F1 ") + s + QStringLiteral(" Printed"),
        QStringLiteral("A2 ") + s + QStringLiteral(" =HYPERLINK(\"http://x\",\"y\")"),
        QStringLiteral("B2 ") + s + QStringLiteral(" +1"),
        QStringLiteral("C2 ") + s + QStringLiteral(" -2"),
        QStringLiteral("D2 ") + s + QStringLiteral(" @SUM(A1)"),
        QStringLiteral("E2 ") + s + QStringLiteral(" }{\\rtf1\\par evil\\"),
        QStringLiteral("G2 ") + s + QStringLiteral(" <script>alert('x')</script>"),
        QStringLiteral("H2  42"),
        QStringLiteral("I2 ") + s + QStringLiteral(" line1\nline2"),
        QStringLiteral("A3 ") + s + QStringLiteral(" a,b\"c"),
        QStringLiteral("B3 ") + s + QString::fromUtf16(u" tab\u2409here \u00fcn\u00ef \u20ac"),
        // Excel reads _xHHHH_ as an escaped character: the underscore is escaped.
        QStringLiteral("C3 ") + s + QString::fromUtf16(u" \U0001D11E _x005F_x0041_"),
        QStringLiteral("A4 ") + s + QStringLiteral(" Page 2"),
    };
    EXPECT_EQ(cells, expected);
}

TEST(Exports, PdfHasOnePagePerPage)
{
    const PageCollection pages = hostilePages();
    QTemporaryDir dir;
    const QString path = exported([&](const QString& p) { exportPdf(pages, p); }, "x.pdf", dir);
    const QByteArray pdf = fileBytes(path);
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    EXPECT_EQ(QString::fromLatin1(pdf).count(page), 2);
}

TEST(Exports, AnExportThatCannotWriteSaysWhyAndLeavesNoFile)
{
    const PageCollection pages = hostilePages();
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("no/such/folder/x"));
    const std::function<void(const QString&)> exports[] = {
        [&](const QString& p) {
            exportText(pages, {p, {}, QStringLiteral(","), false, false});
        },
        [&](const QString& p) { exportRtf(pages, p); },
        [&](const QString& p) { exportXlsx(pages, p); },
        [&](const QString& p) { exportPdf(pages, p); },
        [&](const QString& p) { exportHtml(pages, QFileInfo(p).path(), QStringLiteral("x")); },
    };
    for (const auto& write : exports)
        EXPECT_EQ(errorNumber([&] { write(missing); }), 75);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}
