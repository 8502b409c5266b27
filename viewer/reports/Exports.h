#pragma once

#include "viewer/reports/PageCollection.h"

namespace tallix::reports {

// Exports of finished pages. Each writes its file whole or not at all (a temporary file put in
// place at the end) and fails with tallix::Error (75) saying why. Every text is written escaped
// for its format: no value can add markup to HTML, a control word to RTF or a formula to a
// spreadsheet, and the texts hold no control character but their line breaks (pageText()).

// The texts of a band grouped into visual rows: texts whose heights overlap stand in one row,
// ordered left to right; rows from top to bottom.
struct TextRow {
    int top = 0;
    int bottom = 0; // one past the lowest text
    QList<const TextBox*> cells;
};
QList<TextRow> textRows(const Band& band);

struct TextExportOptions {
    QString fileName;
    QString pageDelimiter;  // a line of its own between two pages, when not empty
    QString fieldDelimiter; // between the texts of a row
    bool unicode = false;   // UTF-16 (little endian) with a byte-order mark; else UTF-8
    bool suppressBlankLines = false;
};

// One line per text line of each row, its texts joined by the field delimiter (a text holding
// the delimiter or a double quote is put in double quotes, its double quotes doubled); a text
// of several lines continues on the following lines in its own column. Rows further apart than
// a line leave blank lines between them, as on the page. Lines end with CR LF.
void exportText(const PageCollection& pages, const TextExportOptions& options);

// The HTML file that the HTML export writes for a chosen folder and name prefix: the prefix as it
// is when it already ends in .htm or .html, else with ".htm" added.
QString htmlFileName(const QString& outputFolder, const QString& namePrefix);
// One HTML file of every page, each text and rule at its place on its page.
void exportHtml(const PageCollection& pages, const QString& outputFolder,
                const QString& namePrefix);

// An RTF document: each row of texts a table row with a cell per text, a page break between
// pages.
void exportRtf(const PageCollection& pages, const QString& fileName);

// An .xlsx workbook: each row of texts a sheet row, each text in the column of its left edge
// (one column per distinct left edge over the report); numbers as numbers, everything else as
// text. A sheet that reaches the row limit continues on a new sheet.
void exportXlsx(const PageCollection& pages, const QString& fileName);

// A PDF document of the pages as they are drawn.
void exportPdf(const PageCollection& pages, const QString& fileName);

} // namespace tallix::reports
