#include "viewer/ui/PageView.h"

#include "viewer/reports/PagePainter.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

namespace tallix {

namespace {

constexpr int kGap = 16; // pixels around the pages

} // namespace

PageView::PageView(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

void PageView::setPages(std::shared_ptr<const reports::PageCollection> pages)
{
    m_pages = std::move(pages);
    m_fonts.clear();
    if (m_pages) {
        for (const reports::ReportFont& f : m_pages->fonts())
            m_fonts.append(reports::pagepainter::fontOf(f));
    }
    m_count = m_pages ? m_pages->count() : 0;
    verticalScrollBar()->setValue(0);
    updateScrollBars();
    viewport()->update();
}

void PageView::pagesAdded()
{
    const int count = m_pages ? m_pages->count() : 0;
    if (count == m_count)
        return;
    const int before = m_count;
    m_count = count;
    updateScrollBars();
    // Only a new page in sight needs drawing.
    if (before * pageStep() < verticalScrollBar()->value() + viewport()->height())
        viewport()->update();
}

void PageView::setZoom(int percent)
{
    percent = std::clamp(percent, 10, 800);
    if (percent == m_zoom)
        return;
    const int page = currentPage();
    m_zoom = percent;
    updateScrollBars();
    showPage(page);
    viewport()->update();
}

QSize PageView::pageSize() const
{
    if (!m_pages)
        return {};
    const double scale = m_zoom / 100.0 * logicalDpiX() / 1440.0;
    return QSize(qRound(m_pages->paper().width() * scale),
                 qRound(m_pages->paper().height() * scale));
}

int PageView::pageStep() const
{
    return pageSize().height() + kGap;
}

int PageView::currentPage() const
{
    const int step = pageStep();
    if (m_count == 0 || step <= 0)
        return 0;
    return std::clamp((verticalScrollBar()->value() + step / 3) / step, 0, m_count - 1);
}

void PageView::showPage(int index)
{
    verticalScrollBar()->setValue(std::clamp(index, 0, std::max(m_count - 1, 0)) * pageStep());
}

void PageView::updateScrollBars()
{
    const QSize page = pageSize();
    const int height = m_count * pageStep() + kGap;
    verticalScrollBar()->setRange(0, std::max(0, height - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(std::max(page.height() / 20, 1));
    const int width = page.width() + 2 * kGap;
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(std::max(page.width() / 20, 1));
}

void PageView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void PageView::scrollContentsBy(int, int)
{
    viewport()->update();
    const int page = currentPage();
    if (page != m_lastPage) {
        m_lastPage = page;
        emit currentPageChanged(page);
    }
}

void PageView::paintEvent(QPaintEvent* event)
{
    if (!m_pages || m_count == 0)
        return;
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QSize size = pageSize();
    const int step = pageStep();
    const int top = verticalScrollBar()->value();
    const int left =
        std::max(kGap, (viewport()->width() - size.width()) / 2) - horizontalScrollBar()->value();
    const double scale = m_zoom / 100.0 * logicalDpiX() / 1440.0;
    const QRect dirty = event->rect();
    const int first = std::max(0, (top + dirty.top() - kGap) / step);
    for (int i = first; i < m_count; ++i) {
        const QRect page(left, kGap + i * step - top, size.width(), size.height());
        if (page.top() > dirty.bottom())
            break;
        painter.fillRect(page.translated(3, 3), palette().color(QPalette::Shadow));
        painter.fillRect(page, Qt::white);
        painter.save();
        painter.setClipRect(page);
        painter.translate(page.topLeft());
        painter.scale(scale, scale);
        reports::pagepainter::paint(painter, m_fonts, m_pages->fonts(), m_pages->page(i));
        painter.restore();
    }
}

} // namespace tallix
