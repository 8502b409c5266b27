#pragma once

#include "viewer/reports/PageCollection.h"
#include "viewer/reports/Report.h"

#include <memory>

namespace tallix::reports {

// Runs a report: lays its bands out on pages while it fetches its rows, and adds each finished
// page to its page collection, so pages can be shown, printed and exported while the report
// still runs. A page header opens every page and a page footer closes it; the group header
// stands before the first detail row and the group footer, with the summaries, after the last.
// A band that grows past the room left on a page moves to the next page; one taller than a whole
// page continues on the next pages, so no line of a value is lost.
class ReportRunner {
public:
    enum class State { NotStarted, Running, Finished, Stopped, EndedEarly };

    explicit ReportRunner(std::unique_ptr<Report> report);
    ~ReportRunner();
    ReportRunner(const ReportRunner&) = delete;
    ReportRunner& operator=(const ReportRunner&) = delete;

    // Lays out up to `rows` more rows, starting the report on the first call. True while there is
    // more to come.
    bool step(int rows);
    // Runs to the end.
    void run();
    // Ends the data where it is: the page in progress is finished and the report ends.
    void stop();

    State state() const { return m_state; }
    bool isRunning() const { return m_state == State::NotStarted || m_state == State::Running; }
    // Detail rows laid out so far.
    qint64 rowCount() const { return m_rows; }
    const std::shared_ptr<PageCollection>& pages() const { return m_pages; }
    const Report& report() const { return *m_report; }

private:
    struct Item;
    struct Content;

    void start();
    void finish(State state);
    void startPage();
    void finishPage();
    Content content(SectionKind kind) const;
    void place(const Content& content);
    Band piece(const Content& content, int top, int firstLine, int lines) const;

    std::unique_ptr<Report> m_report;
    std::shared_ptr<PageCollection> m_pages;
    State m_state = State::NotStarted;
    qint64 m_rows = 0;
    Page m_page;
    bool m_pageOpen = false;
    int m_y = 0;       // where the next band goes
    int m_bodyTop = 0; // below the page header
    int m_bodyBottom = 0;
    // The design's x positions mapped onto the page, per section and control.
    std::array<QList<std::pair<int, int>>, kSectionKinds> m_columns;
    // Per section and control: the field it shows (-1 for none).
    std::array<QList<int>, kSectionKinds> m_fieldOf;
    // The running summaries of the group footer, by control.
    QList<qint64> m_summaries;
};

} // namespace tallix::reports
