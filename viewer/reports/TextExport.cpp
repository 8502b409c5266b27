#include "viewer/reports/ExportFile.h"
#include "viewer/reports/Exports.h"

#include <QStringEncoder>
#include <algorithm>
#include <climits>

namespace tallix::reports {

namespace {

// The height of a text line in the text file: rows further apart leave blank lines.
constexpr int kTextLine = 240;

QString field(const QString& text, const QString& delimiter)
{
    if (delimiter.isEmpty() || (!text.contains(delimiter) && !text.contains(QLatin1Char('"'))))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QList<TextRow> textRows(const Band& band)
{
    QList<const TextBox*> texts;
    for (const TextBox& t : band.texts)
        texts.append(&t);
    std::stable_sort(texts.begin(), texts.end(), [](const TextBox* a, const TextBox* b) {
        return a->rect.top() < b->rect.top();
    });
    QList<TextRow> rows;
    for (const TextBox* t : texts) {
        const int bottom = t->rect.top() + t->rect.height();
        if (!rows.isEmpty() && t->rect.top() < rows.last().bottom) {
            rows.last().cells.append(t);
            rows.last().bottom = std::max(rows.last().bottom, bottom);
        } else {
            rows.append({t->rect.top(), bottom, {t}});
        }
    }
    for (TextRow& row : rows)
        std::stable_sort(
            row.cells.begin(), row.cells.end(),
            [](const TextBox* a, const TextBox* b) { return a->rect.left() < b->rect.left(); });
    return rows;
}

void exportText(const PageCollection& pages, const TextExportOptions& options)
{
    ExportFile file(options.fileName);
    QStringEncoder encoder(options.unicode ? QStringEncoder::Utf16LE : QStringEncoder::Utf8);
    if (options.unicode)
        file.write(QByteArrayLiteral("\xFF\xFE"));
    const QString eol = QStringLiteral("\r\n");
    for (int p = 0; p < pages.count(); ++p) {
        QString text;
        const auto line = [&](const QStringList& fields) {
            const bool blank = std::all_of(fields.begin(), fields.end(),
                                           [](const QString& f) { return f.trimmed().isEmpty(); });
            if (blank && options.suppressBlankLines)
                return;
            text += fields.join(options.fieldDelimiter) + eol;
        };
        if (p > 0 && !options.pageDelimiter.isEmpty())
            text += options.pageDelimiter + eol;
        int previousBottom = INT_MIN;
        for (const Band& band : pages.page(p).bands) {
            for (const TextRow& row : textRows(band)) {
                if (previousBottom != INT_MIN) {
                    for (int gap = (row.top - previousBottom) / kTextLine; gap > 0; --gap)
                        line({QString()});
                }
                previousBottom = row.bottom;
                QList<QStringList> cells;
                qsizetype lines = 1;
                for (const TextBox* cell : row.cells) {
                    cells.append(cell->text.split(QLatin1Char('\n')));
                    lines = std::max(lines, cells.last().size());
                }
                for (qsizetype l = 0; l < lines; ++l) {
                    QStringList fields;
                    for (const QStringList& cell : cells)
                        fields.append(field(cell.value(l), options.fieldDelimiter));
                    line(fields);
                }
            }
        }
        file.write(encoder.encode(text));
    }
    file.commit();
}

} // namespace tallix::reports
