#include "viewer/reports/ReportRunner.h"

namespace tallix::reports {

struct ReportRunner::Item {
    int control = 0; // index in its section
    QString text;    // its lines separated by '\n'; empty for a rule
    int lines = 1;
    quint8 flags = 0;
};

struct ReportRunner::Content {
    SectionKind kind = SectionKind::Detail;
    QList<Item> items;
    int lines = 1;      // the most lines of a growing text
    int lineHeight = 0; // the largest line height of a growing text; 0 when none grows
};

namespace {

bool isNull(const QVariant& v)
{
    return !v.isValid() || v.isNull();
}

// Lines [first, first + count) of a text whose lines are separated by '\n'.
QString linesOf(const QString& text, int first, int count)
{
    if (first == 0 && !text.contains(QLatin1Char('\n')))
        return count > 0 ? text : QString();
    const QStringList all = text.split(QLatin1Char('\n'));
    return all.mid(first, count).join(QLatin1Char('\n'));
}

int section(SectionKind kind)
{
    return static_cast<int>(kind);
}

} // namespace

ReportRunner::ReportRunner(std::unique_ptr<Report> report)
    : m_report(std::move(report))
    , m_pages(std::make_shared<PageCollection>(m_report->caption(), m_report->pageSettings().paper,
                                               m_report->layout().fonts))
{}

ReportRunner::~ReportRunner()
{
    if (m_state == State::Running)
        m_report->ActiveReport_ReportEnd();
}

void ReportRunner::start()
{
    m_state = State::Running;
    m_report->ActiveReport_Initialize();
    const ReportLayout& layout = m_report->layout();
    const PageSettings& settings = m_report->pageSettings();
    const qint64 printable = std::max(settings.printableWidth(), 1);
    const qint64 design = std::max(layout.designWidth, 1);
    const auto pageX = [&](int x) {
        return settings.margins.left() + static_cast<int>(x * printable / design);
    };
    for (int s = 0; s < kSectionKinds; ++s) {
        for (const Control& c : layout.sections[static_cast<std::size_t>(s)].controls) {
            const int left = pageX(c.box.x());
            m_columns[static_cast<std::size_t>(s)].append({left, pageX(c.box.right() + 1) - left});
            const bool bound = c.kind == Control::Kind::Field || c.kind == Control::Kind::Summary;
            m_fieldOf[static_cast<std::size_t>(s)].append(bound ? m_report->fieldIndex(c.source)
                                                                : -1);
        }
    }
    m_summaries.fill(0, layout.section(SectionKind::GroupFooter).controls.size());
    startPage();
}

bool ReportRunner::step(int rows)
{
    if (!isRunning())
        return false;
    if (m_state == State::NotStarted)
        start();
    const SectionDesign& footer = m_report->layout().section(SectionKind::GroupFooter);
    const QList<int>& footerFields = m_fieldOf[static_cast<std::size_t>(SectionKind::GroupFooter)];
    for (int i = 0; i < rows; ++i) {
        bool eof = false;
        m_report->ActiveReport_FetchData(eof);
        if (eof) {
            finish(m_report->fetchError() ? State::EndedEarly : State::Finished);
            return false;
        }
        if (m_rows == 0)
            place(content(SectionKind::GroupHeader));
        ++m_rows;
        for (int c = 0; c < footer.controls.size(); ++c) {
            const Control& control = footer.controls[c];
            if (control.kind != Control::Kind::Summary || footerFields[c] < 0)
                continue;
            const QVariant& v = m_report->field(footerFields[c]);
            if (control.summary == Control::Summary::Count)
                m_summaries[c] += isNull(v) ? 0 : 1;
            else
                m_summaries[c] += isNull(v) ? 0 : v.toLongLong();
        }
        place(content(SectionKind::Detail));
    }
    return true;
}

void ReportRunner::run()
{
    while (step(1000)) {
    }
}

void ReportRunner::stop()
{
    if (m_state == State::NotStarted)
        start();
    if (m_state == State::Running)
        finish(State::Stopped);
}

void ReportRunner::finish(State state)
{
    // Sums of only part of the rows would pass for the whole; they are printed only when every
    // row came.
    if (state == State::Finished && m_rows > 0)
        place(content(SectionKind::GroupFooter));
    finishPage();
    m_report->ActiveReport_ReportEnd();
    m_state = state;
}

void ReportRunner::startPage()
{
    m_page = Page{};
    m_pageOpen = true;
    const int number = m_pages->count() + 1;
    m_report->setPageNumber(number);
    m_report->ActiveReport_PageStart();
    const PageSettings& settings = m_report->pageSettings();
    const ReportLayout& layout = m_report->layout();
    m_bodyBottom = settings.paper.height() - settings.margins.bottom() -
                   layout.section(SectionKind::PageFooter).height;
    m_y = settings.margins.top();
    const Content header = content(SectionKind::PageHeader);
    m_page.bands.append(piece(header, m_y, 0, 1));
    m_y += m_page.bands.last().height;
    m_bodyTop = m_y;
}

void ReportRunner::finishPage()
{
    if (!m_pageOpen)
        return;
    m_page.bands.append(piece(content(SectionKind::PageFooter), m_bodyBottom, 0, 1));
    m_pages->append(m_page);
    m_page = Page{};
    m_pageOpen = false;
}

ReportRunner::Content ReportRunner::content(SectionKind kind) const
{
    Content c;
    c.kind = kind;
    const SectionDesign& design = m_report->layout().section(kind);
    const QList<int>& fields = m_fieldOf[static_cast<std::size_t>(section(kind))];
    const QList<ReportFont>& fonts = m_report->layout().fonts;
    for (int i = 0; i < design.controls.size(); ++i) {
        const Control& control = design.controls[i];
        Item item;
        item.control = i;
        item.flags = control.flags;
        switch (control.kind) {
        case Control::Kind::Rule:
            c.items.append(item);
            continue;
        case Control::Kind::Label:
            item.text = m_report->label(control);
            break;
        case Control::Kind::Summary:
            item.text = QString::number(m_summaries.value(i));
            item.flags |= Number;
            break;
        case Control::Kind::Field: {
            if (fields[i] < 0)
                break;
            const QVariant& v = m_report->field(fields[i]);
            if (isNull(v))
                break;
            switch (v.typeId()) {
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
            case QMetaType::Short:
            case QMetaType::UShort:
                item.flags |= Number;
                item.text = v.toString();
                break;
            case QMetaType::Double:
                item.flags |= Number;
                item.text = QString::number(v.toDouble(), 'g', 15);
                break;
            case QMetaType::Bool:
                item.text = v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
                break;
            default:
                item.text = v.toString();
            }
            break;
        }
        }
        item.text = pageText(item.text);
        if (control.canGrow) {
            item.lines = static_cast<int>(item.text.count(QLatin1Char('\n'))) + 1;
            c.lines = std::max(c.lines, item.lines);
            const int font = control.font < fonts.size() ? control.font : 0;
            c.lineHeight = std::max(c.lineHeight, fonts.value(font).lineHeight());
        }
        c.items.append(std::move(item));
    }
    return c;
}

Band ReportRunner::piece(const Content& content, int top, int firstLine, int lines) const
{
    const SectionDesign& design = m_report->layout().section(content.kind);
    const auto s = static_cast<std::size_t>(section(content.kind));
    Band band;
    band.section = content.kind;
    band.top = top;
    band.height = design.height + (lines - 1) * content.lineHeight;
    for (const Item& item : content.items) {
        const Control& control = design.controls[item.control];
        const auto [x, w] = m_columns[s][item.control];
        if (control.kind == Control::Kind::Rule) {
            const int y =
                control.fromBottom ? top + band.height - control.box.y() : top + control.box.y();
            band.rules.append({QLine(x, y, x + w, y), control.ruleWidth});
            continue;
        }
        TextBox text;
        text.font = control.font;
        text.flags = item.flags;
        int height = control.box.height();
        if (control.canGrow) {
            const int shown = std::min(item.lines - firstLine, lines);
            if (shown <= 0)
                continue;
            text.text = linesOf(item.text, firstLine, shown);
            height += (shown - 1) * content.lineHeight;
        } else if (firstLine > 0) {
            continue; // shown with the band's first piece
        } else {
            text.text = item.text;
        }
        text.rect = QRect(x, top + control.box.y(), w, height);
        band.texts.append(std::move(text));
    }
    return band;
}

void ReportRunner::place(const Content& content)
{
    const SectionDesign& design = m_report->layout().section(content.kind);
    if (design.height == 0 && design.controls.isEmpty())
        return;
    const int lh = content.lineHeight;
    // How many lines of the growing texts fit into `room`; a band of no growing text is one line.
    const auto linesIn = [&](int room) {
        if (room < design.height)
            return 0;
        return lh > 0 ? 1 + (room - design.height) / lh : 1;
    };
    int first = 0;
    for (;;) {
        const int remaining = content.lines - first;
        const int fit = linesIn(m_bodyBottom - m_y);
        if (fit >= remaining) {
            m_page.bands.append(piece(content, m_y, first, remaining));
            m_y += m_page.bands.last().height;
            return;
        }
        const bool pageHasBody = m_y > m_bodyTop;
        if (pageHasBody && (remaining <= linesIn(m_bodyBottom - m_bodyTop) || fit < 1)) {
            finishPage();
            startPage();
            continue;
        }
        // Taller than a whole page: as many lines as fit here (one at least), the rest on the
        // next pages.
        const int n = std::clamp(fit, 1, remaining);
        m_page.bands.append(piece(content, m_y, first, n));
        m_y += m_page.bands.last().height;
        first += n;
        if (first >= content.lines)
            return;
        finishPage();
        startPage();
    }
}

} // namespace tallix::reports
