#pragma once

#include "viewer/reports/PageCollection.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <memory>

namespace tallix {

// The pages of a report one below the other on a grey desk, at a zoom in percent of their
// printed size. Only the pages in sight are drawn, each decoded when it comes into view, so a
// report of thousands of pages scrolls like a short one; pages added while the report runs show
// as they come.
class PageView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit PageView(QWidget* parent = nullptr);

    void setPages(std::shared_ptr<const reports::PageCollection> pages);
    const std::shared_ptr<const reports::PageCollection>& pages() const { return m_pages; }
    // Takes in pages added to the collection since the last call.
    void pagesAdded();

    void setZoom(int percent);
    int zoom() const { return m_zoom; }

    // The page at the top of the view (0-based), and scrolling to a page.
    int currentPage() const;
    void showPage(int index);

signals:
    void currentPageChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QSize pageSize() const; // in pixels at the zoom
    int pageStep() const;   // a page and the gap below it
    void updateScrollBars();

    std::shared_ptr<const reports::PageCollection> m_pages;
    QList<QFont> m_fonts;
    int m_count = 0;
    int m_zoom = 100;
    int m_lastPage = -1;
};

} // namespace tallix
