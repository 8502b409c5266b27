#pragma once

#include "viewer/reports/PageRecord.h"

#include <QMargins>
#include <array>

namespace tallix::reports {

// One control of a report's design.
struct Control {
    enum class Kind : quint8 {
        Label,   // shows its caption, which the report may change while it runs
        Field,   // shows the current value of the report field `source`
        Summary, // shows the sum or count of the field `source` over the detail rows
        Rule,    // a line along the top edge of its box
    };
    enum class Summary : quint8 { Sum, Count };

    Kind kind = Kind::Label;
    QString name;
    QString source; // the caption of a label, the field of a field or summary
    QRect box;      // twips from the section's top-left corner, across the design width
    quint8 font = 0;
    quint8 flags = AlignLeft;
    bool canGrow = false;    // the band grows so that every line of the value shows
    bool fromBottom = false; // a rule that keeps its distance to the band's bottom edge
    Summary summary = Summary::Sum;
    int ruleWidth = 15;
};

struct SectionDesign {
    int height = 0;
    QList<Control> controls;
};

// The design of a report: fonts, and the sections with their controls, laid out across
// `designWidth` twips. When the page's printable width differs, the controls are stretched or
// narrowed to it.
struct ReportLayout {
    QList<ReportFont> fonts;
    int designWidth = 10800;
    std::array<SectionDesign, kSectionKinds> sections{};

    SectionDesign& section(SectionKind kind) { return sections[static_cast<std::size_t>(kind)]; }
    const SectionDesign& section(SectionKind kind) const
    {
        return sections[static_cast<std::size_t>(kind)];
    }
};

// Paper and margins of a report, in twips. Reports start on Letter paper with margins of an
// inch; the viewer narrows the left and right margins to half an inch.
struct PageSettings {
    QSize paper{12240, 15840};
    QMargins margins{1440, 1440, 1440, 1440};

    void setLeftMargin(double inches) { margins.setLeft(qRound(inches * 1440)); }
    void setRightMargin(double inches) { margins.setRight(qRound(inches * 1440)); }
    int printableWidth() const { return paper.width() - margins.left() - margins.right(); }
};

} // namespace tallix::reports

namespace tallix::reports::design {

inline Control label(const char* name, const QString& caption, QRect box, quint8 font,
                     quint8 flags = AlignLeft)
{
    Control c;
    c.kind = Control::Kind::Label;
    c.name = QString::fromLatin1(name);
    c.source = caption;
    c.box = box;
    c.font = font;
    c.flags = flags;
    return c;
}

inline Control field(const char* name, QRect box, quint8 font, quint8 flags = AlignLeft,
                     bool canGrow = false)
{
    Control c;
    c.kind = Control::Kind::Field;
    c.name = QString::fromLatin1(name);
    c.source = c.name;
    c.box = box;
    c.font = font;
    c.flags = flags;
    c.canGrow = canGrow;
    return c;
}

inline Control summary(const char* name, const char* of, Control::Summary how, QRect box,
                       quint8 font, quint8 flags)
{
    Control c = field(name, box, font, flags);
    c.kind = Control::Kind::Summary;
    c.source = QString::fromLatin1(of);
    c.summary = how;
    return c;
}

// A line along the top of `box`; with `fromBottom`, box.y() is its distance above the band's
// bottom edge.
inline Control rule(QRect box, int width, bool fromBottom = false)
{
    Control c;
    c.kind = Control::Kind::Rule;
    c.box = box;
    c.ruleWidth = width;
    c.fromBottom = fromBottom;
    return c;
}

// A column of a report's list: the label above it and the field below.
struct Column {
    const char* label;
    const char* field;
    int x;
    int width;
    quint8 flags;
};

// The fonts both reports use, by index.
enum Font : quint8 { TitleFont, TextFont, BoldFont, SmallFont };

// The page header and footer both reports share: the title, the "Printed - " line above the
// column at `printedX`, the server and database lines, the query text, the column labels and a
// rule; the page number at the foot.
ReportLayout standardLayout(const QString& title, int printedX, const QList<Column>& columns);

} // namespace tallix::reports::design
