#include "viewer/reports/ExportFile.h"
#include "viewer/reports/Exports.h"

#include <QDir>

namespace tallix::reports {

namespace {

QString escaped(const QString& text)
{
    QString out;
    out.reserve(text.size() + 16);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += QLatin1String("&amp;");
            break;
        case u'<':
            out += QLatin1String("&lt;");
            break;
        case u'>':
            out += QLatin1String("&gt;");
            break;
        case u'"':
            out += QLatin1String("&quot;");
            break;
        case u'\'':
            out += QLatin1String("&#39;");
            break;
        case u'\n':
            out += QLatin1String("<br/>");
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Twips as points, the unit of the style sheet.
QString pt(int twips)
{
    return QString::number(twips / 20.0, 'f', 2) + QLatin1String("pt");
}

// A family name inside a CSS string: only letters, digits, blanks and hyphens are kept.
QString familyOf(const QString& family)
{
    QString out;
    for (const QChar c : family) {
        if (c.isLetterOrNumber() || c == QLatin1Char(' ') || c == QLatin1Char('-'))
            out += c;
    }
    return out;
}

QString styleSheet(const PageCollection& pages)
{
    QString css = QStringLiteral(
        "body{background:#808080;margin:0;padding:12pt}\r\n"
        ".page{position:relative;background:#fff;margin:0 auto 12pt auto;overflow:hidden}\r\n"
        ".t{position:absolute;overflow:hidden;white-space:pre;box-sizing:border-box;"
        "padding:0 2pt;color:#000}\r\n"
        ".w{white-space:normal}\r\n"
        ".c{text-align:center}\r\n"
        ".r{text-align:right}\r\n"
        ".l{position:absolute;border-top-style:solid;border-top-color:#000}\r\n");
    for (qsizetype i = 0; i < pages.fonts().size(); ++i) {
        const ReportFont& f = pages.fonts()[i];
        css += QStringLiteral(".f%1{font-family:'%2',sans-serif;font-size:%3;line-height:%4;"
                              "font-weight:%5;font-style:%6}\r\n")
                   .arg(i)
                   .arg(familyOf(f.family), pt(f.pointSize10 * 2), pt(f.lineHeight()),
                        f.bold ? QStringLiteral("bold") : QStringLiteral("normal"),
                        f.italic ? QStringLiteral("italic") : QStringLiteral("normal"));
    }
    return css;
}

} // namespace

QString htmlFileName(const QString& outputFolder, const QString& namePrefix)
{
    QString name = namePrefix;
    if (!name.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) &&
        !name.endsWith(QLatin1String(".html"), Qt::CaseInsensitive))
        name += QLatin1String(".htm");
    return outputFolder.isEmpty() ? name : QDir(outputFolder).filePath(name);
}

void exportHtml(const PageCollection& pages, const QString& outputFolder, const QString& namePrefix)
{
    ExportFile file(htmlFileName(outputFolder, namePrefix));
    file.write(QStringLiteral("<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"utf-8\"/>\r\n"
                              "<title>%1</title>\r\n<style>\r\n%2</style>\r\n</head>\r\n<body>\r\n")
                   .arg(escaped(pages.title()), styleSheet(pages))
                   .toUtf8());
    const QSize paper = pages.paper();
    for (int p = 0; p < pages.count(); ++p) {
        QString html = QStringLiteral("<div class=\"page\" style=\"width:%1;height:%2\">\r\n")
                           .arg(pt(paper.width()), pt(paper.height()));
        for (const Band& band : pages.page(p).bands) {
            for (const Rule& r : band.rules) {
                const QRect box = QRect(r.line.p1(), r.line.p2()).normalized();
                html += QStringLiteral("<div class=\"l\" style=\"left:%1;top:%2;width:%3;"
                                       "border-top-width:%4\"></div>\r\n")
                            .arg(pt(box.left()), pt(box.top() - r.width / 2), pt(box.width()),
                                 pt(std::max(r.width, 1)));
            }
            for (const TextBox& t : band.texts) {
                QString classes = QStringLiteral("t f%1").arg(t.font);
                if (t.flags & WordWrap)
                    classes += QLatin1String(" w");
                if ((t.flags & AlignMask) == AlignCenter)
                    classes += QLatin1String(" c");
                else if ((t.flags & AlignMask) == AlignRight)
                    classes += QLatin1String(" r");
                html += QStringLiteral("<div class=\"%1\" style=\"left:%2;top:%3;width:%4;"
                                       "height:%5\">%6</div>\r\n")
                            .arg(classes, pt(t.rect.left()), pt(t.rect.top()), pt(t.rect.width()),
                                 pt(t.rect.height()), escaped(t.text));
            }
        }
        html += QLatin1String("</div>\r\n");
        file.write(html.toUtf8());
    }
    file.write(QByteArrayLiteral("</body>\r\n</html>\r\n"));
    file.commit();
}

} // namespace tallix::reports
