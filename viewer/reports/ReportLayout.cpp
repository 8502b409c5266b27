#include "viewer/reports/ReportLayout.h"

namespace tallix::reports::design {

ReportLayout standardLayout(const QString& title, int printedX, const QList<Column>& columns)
{
    ReportLayout layout;
    const QString arial = QStringLiteral("Arial");
    layout.fonts = {{arial, 140, true, false},
                    {arial, 80, false, false},
                    {arial, 80, true, false},
                    {arial, 70, false, false}};
    const int width = layout.designWidth;

    SectionDesign& header = layout.section(SectionKind::PageHeader);
    header.height = 2080;
    header.controls = {
        label("lblTitle", title, QRect(0, 0, 6000, 400), TitleFont),
        label("lblPrintedOn", QString(), QRect(printedX, 120, width - printedX, 240), TextFont,
              AlignRight),
        label("lblServer", QString(), QRect(0, 460, 5400, 240), TextFont),
        label("lblDatabase", QString(), QRect(0, 700, 5400, 240), TextFont),
        // Four lines of the query; a longer one is cut at the box.
        label("lblSQL", QString(), QRect(0, 980, width, 720), SmallFont, WordWrap),
    };
    for (const Column& c : columns) {
        header.controls.append(label(c.field, QString::fromLatin1(c.label),
                                     QRect(c.x, 1760, c.width, 240), BoldFont, c.flags));
        header.controls.last().name.prepend(QStringLiteral("lbl"));
    }
    header.controls.append(rule(QRect(0, 2030, width, 0), 15));

    SectionDesign& footer = layout.section(SectionKind::PageFooter);
    footer.height = 400;
    footer.controls = {
        rule(QRect(0, 40, width, 0), 10),
        label("lblPage", QString(), QRect(0, 100, width, 240), TextFont, AlignCenter),
    };
    return layout;
}

} // namespace tallix::reports::design
