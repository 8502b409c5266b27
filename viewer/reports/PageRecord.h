#pragma once

#include <QLine>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

namespace tallix::reports {

// Sizes and positions on a page are in twips (1/1440 inch), from the paper's top-left corner.

// The five kinds of band a report is built of, in the order they appear on a page.
enum class SectionKind : quint8 { PageHeader, GroupHeader, Detail, GroupFooter, PageFooter };
inline constexpr int kSectionKinds = 5;

// A font of a report, by its index in the report's font table.
struct ReportFont {
    QString family;
    int pointSize10 = 80; // the point size times ten
    bool bold = false;
    bool italic = false;

    // The distance between two lines of this font; fixed by the size alone, so that a page is
    // laid out the same whichever fonts a machine has.
    int lineHeight() const { return pointSize10 * 5 / 2; }
    friend bool operator==(const ReportFont&, const ReportFont&) = default;
};

// How a text box is drawn.
enum TextFlag : quint8 {
    AlignLeft = 0,
    AlignCenter = 1,
    AlignRight = 2,
    AlignMask = 3,
    WordWrap = 4, // wraps at word boundaries inside its box (a label of fixed size)
    Number = 8,   // the text is a number (a spreadsheet cell holds it as one)
};

// A text on a page: its box, font and flags. Lines within it are separated by '\n'; it holds no
// other control character (see pageText()).
struct TextBox {
    QRect rect;
    quint8 font = 0;
    quint8 flags = 0;
    QString text;
    friend bool operator==(const TextBox&, const TextBox&) = default;
};

// A straight line on a page.
struct Rule {
    QLine line;
    int width = 15;
    friend bool operator==(const Rule&, const Rule&) = default;
};

// One printed band: a section laid out once, at its place on the page.
struct Band {
    SectionKind section = SectionKind::Detail;
    int top = 0;
    int height = 0;
    QList<TextBox> texts;
    QList<Rule> rules;
    friend bool operator==(const Band&, const Band&) = default;
};

// A finished page: its bands from top to bottom.
struct Page {
    QList<Band> bands;
    friend bool operator==(const Page&, const Page&) = default;
};

// A value as it can stand on a page and in every export: line breaks (CR LF, CR, LF, and the
// Unicode line and paragraph separators) become '\n'; every other control character becomes
// its visible symbol (U+2400 block) or U+FFFD, and so do the bidirectional embedding, override
// and isolate marks, unpaired surrogates and non-characters. No value can so change the layout
// of a line, reorder the text after it, or make a file invalid.
QString pageText(const QString& value);

} // namespace tallix::reports
