#pragma once

#include "viewer/reports/ReportRunner.h"

#include <QWidget>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QTimer;
class QToolBar;

namespace tallix {

class PageView;

// The preview's viewer control: a tool bar (page moves, zoom, "Stop") above the pages. It holds
// either a report being run (its report source) or the pages of an opened page document. A
// report runs in short steps between the window's events, so its pages show while it runs and
// the window stays usable.
class ReportViewer : public QWidget {
    Q_OBJECT
public:
    explicit ReportViewer(QWidget* parent = nullptr);
    ~ReportViewer() override;

    // Makes the runner the report source and starts running it.
    void setReportSource(std::unique_ptr<reports::ReportRunner> runner);
    reports::ReportRunner* reportSource() const { return m_source.get(); }
    // Drops any report source and shows the document's pages.
    void loadDocument(std::shared_ptr<reports::PageCollection> pages);

    // The viewer's own pages (an opened document) when it has any; else the report source's
    // pages when there are some; else nothing.
    std::shared_ptr<reports::PageCollection> pagesToUse() const;
    bool isRunning() const;
    // Runs the report source to its end at once.
    void finishReport();
    // The Stop tool: ends a running report where it is. False when none was running.
    bool stopReport();

    void setZoom(int percent);
    int zoom() const;
    PageView* view() const { return m_view; }

signals:
    // Pages were added, or the report's state changed.
    void progress();
    // The report source came to its end (finished, stopped or ended early).
    void reportEnded();
    void stopClicked();

private:
    void runSome();
    void updateTools();

    std::unique_ptr<reports::ReportRunner> m_source;
    std::shared_ptr<reports::PageCollection> m_document;
    QToolBar* m_tools = nullptr;
    QAction* m_first = nullptr;
    QAction* m_previous = nullptr;
    QAction* m_next = nullptr;
    QAction* m_last = nullptr;
    QAction* m_stop = nullptr;
    QLabel* m_pageLabel = nullptr;
    QComboBox* m_zoom = nullptr;
    PageView* m_view = nullptr;
    QTimer* m_timer = nullptr;
};

} // namespace tallix
