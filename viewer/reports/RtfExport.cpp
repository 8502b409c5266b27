#include "viewer/reports/ExportFile.h"
#include "viewer/reports/Exports.h"

namespace tallix::reports {

namespace {

// Where the RTF document's margins put its tables.
constexpr int kMargin = 720;

// A text as RTF: backslashes and braces escaped, every character outside printable ASCII as
// \uN? (N the signed UTF-16 unit), line breaks as \line. No text can so start a control word
// or a group.
QByteArray escaped(const QString& text)
{
    QByteArray out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u == u'\n') {
            out += "\\line ";
        } else if (u >= 0x20 && u < 0x7F) {
            out += static_cast<char>(u);
        } else {
            out += "\\u" + QByteArray::number(static_cast<qint16>(u)) + '?';
        }
    }
    return out;
}

QByteArray alignment(quint8 flags)
{
    switch (flags & AlignMask) {
    case AlignCenter:
        return "\\qc";
    case AlignRight:
        return "\\qr";
    default:
        return "\\ql";
    }
}

} // namespace

void exportRtf(const PageCollection& pages, const QString& fileName)
{
    ExportFile file(fileName);
    QByteArray head = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n{\\fonttbl";
    const QList<ReportFont>& fonts = pages.fonts();
    for (qsizetype i = 0; i < fonts.size(); ++i)
        head += "{\\f" + QByteArray::number(i) + "\\fswiss " + escaped(fonts[i].family) + ";}";
    head += "}\r\n\\paperw" + QByteArray::number(pages.paper().width()) + "\\paperh" +
            QByteArray::number(pages.paper().height()) +
            "\\margl720\\margr720\\margt720\\margb720\r\n";
    file.write(head);
    for (int p = 0; p < pages.count(); ++p) {
        QByteArray rtf;
        if (p > 0)
            rtf += "\\pard\\page\\par\r\n";
        for (const Band& band : pages.page(p).bands) {
            for (const TextRow& row : textRows(band)) {
                const int left = row.cells.first()->rect.left();
                rtf += "\\trowd\\trgaph40\\trleft" + QByteArray::number(left - kMargin);
                // Each cell ends where the next begins, the last at its own right edge.
                int edge = left;
                for (qsizetype c = 0; c < row.cells.size(); ++c) {
                    const TextBox* cell = row.cells[c];
                    int right = cell->rect.left() + cell->rect.width();
                    if (c + 1 < row.cells.size())
                        right = std::min(right, row.cells[c + 1]->rect.left());
                    edge = std::max(right, edge + 20);
                    rtf += "\\cellx" + QByteArray::number(edge - kMargin);
                }
                rtf += "\r\n";
                for (const TextBox* cell : row.cells) {
                    const ReportFont font = fonts.value(cell->font);
                    rtf += "\\pard\\intbl" + alignment(cell->flags) + "{\\f" +
                           QByteArray::number(cell->font) + "\\fs" +
                           QByteArray::number(font.pointSize10 / 5) + (font.bold ? "\\b" : "") +
                           (font.italic ? "\\i" : "") + ' ' + escaped(cell->text) + "}\\cell\r\n";
                }
                rtf += "\\row\r\n";
            }
        }
        file.write(rtf);
    }
    file.write("\\pard\\par\r\n}\r\n");
    file.commit();
}

} // namespace tallix::reports
