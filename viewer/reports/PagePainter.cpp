#include "viewer/reports/PagePainter.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

namespace tallix::reports::pagepainter {

namespace {

// Keeps a text off the edges of its box.
constexpr int kPadding = 40;

Qt::Alignment alignmentOf(quint8 flags)
{
    switch (flags & AlignMask) {
    case AlignCenter:
        return Qt::AlignHCenter;
    case AlignRight:
        return Qt::AlignRight;
    default:
        return Qt::AlignLeft;
    }
}

QList<QFont> fontsOf(const QList<ReportFont>& reportFonts)
{
    QList<QFont> fonts;
    for (const ReportFont& f : reportFonts)
        fonts.append(fontOf(f));
    return fonts;
}

} // namespace

QFont fontOf(const ReportFont& font)
{
    QFont f(font.family);
    f.setStyleHint(QFont::SansSerif);
    // A point is 20 twips; the painter's unit is the twip.
    f.setPixelSize(std::max(font.pointSize10 * 2, 1));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

void paint(QPainter& painter, const QList<QFont>& fonts, const QList<ReportFont>& reportFonts,
           const Page& page)
{
    painter.save();
    painter.setPen(Qt::black);
    for (const Band& band : page.bands) {
        for (const Rule& r : band.rules) {
            painter.setPen(QPen(Qt::black, std::max(r.width, 1)));
            painter.drawLine(r.line);
        }
        painter.setPen(Qt::black);
        for (const TextBox& t : band.texts) {
            if (t.font >= fonts.size() || t.text.isEmpty())
                continue;
            painter.setFont(fonts[t.font]);
            const QRect inner = t.rect.adjusted(kPadding, 0, -kPadding, 0);
            const Qt::Alignment align = alignmentOf(t.flags);
            if (t.flags & WordWrap) {
                painter.drawText(inner, int(align | Qt::AlignTop | Qt::TextWordWrap), t.text);
                continue;
            }
            // Line by line at the font's fixed line height, as the report was laid out; lines
            // beyond the box are not drawn.
            const int lineHeight = reportFonts[t.font].lineHeight();
            int y = t.rect.top();
            qsizetype from = 0;
            while (from <= t.text.size() &&
                   y + lineHeight <= t.rect.bottom() + 1 + lineHeight / 4) {
                qsizetype end = t.text.indexOf(QLatin1Char('\n'), from);
                if (end < 0)
                    end = t.text.size();
                const QRect line(inner.left(), y, inner.width(), lineHeight);
                painter.drawText(line, int(align | Qt::AlignVCenter | Qt::TextSingleLine),
                                 t.text.mid(from, end - from));
                from = end + 1;
                y += lineHeight;
            }
        }
    }
    painter.restore();
}

void paint(QPainter& painter, const PageCollection& pages, const Page& page)
{
    paint(painter, fontsOf(pages.fonts()), pages.fonts(), page);
}

bool print(QPagedPaintDevice& device, const PageCollection& pages, int first, int last)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QList<QFont> fonts = fontsOf(pages.fonts());
    const int resolution = device.logicalDpiX();
    const QPageLayout layout = device.pageLayout();
    const QRectF full = layout.fullRectPixels(resolution);
    const QRectF painted = layout.paintRectPixels(resolution);
    const QSize paper = pages.paper();
    const qreal scale = std::min(full.width() / std::max(paper.width(), 1),
                                 full.height() / std::max(paper.height(), 1));
    for (int i = first; i <= last && i < pages.count(); ++i) {
        if (i > first && !device.newPage())
            return false;
        painter.save();
        // The painter starts at the printable area; the page is drawn from the paper's corner.
        painter.translate(full.left() - painted.left(), full.top() - painted.top());
        painter.scale(scale, scale);
        paint(painter, fonts, pages.fonts(), pages.page(i));
        painter.restore();
    }
    return painter.end();
}

} // namespace tallix::reports::pagepainter
