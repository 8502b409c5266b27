#include "viewer/ui/ReportViewer.h"

#include "common/ui/HourglassCursor.h"
#include "viewer/ui/PageView.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace tallix {

namespace {

// How long the report runs before the window's events get their turn again.
constexpr qint64 kSliceMs = 40;
constexpr int kRowsPerStep = 100;

} // namespace

ReportViewer::ReportViewer(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_tools = new QToolBar(this);
    m_tools->setObjectName(QStringLiteral("arvToolbar"));
    m_tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const auto tool = [this](const QString& text, const char* name, const QString& tip) {
        QAction* a = m_tools->addAction(text);
        a->setObjectName(QLatin1String(name));
        a->setToolTip(tip);
        return a;
    };
    m_first = tool(QStringLiteral("|<"), "arvFirstPage", QStringLiteral("First Page"));
    m_previous = tool(QStringLiteral("<"), "arvPreviousPage", QStringLiteral("Previous Page"));
    m_pageLabel = new QLabel(m_tools);
    m_pageLabel->setObjectName(QStringLiteral("arvPage"));
    m_pageLabel->setMinimumWidth(
        fontMetrics().horizontalAdvance(QStringLiteral(" 00000 of 00000 ")));
    m_pageLabel->setAlignment(Qt::AlignCenter);
    m_tools->addWidget(m_pageLabel);
    m_next = tool(QStringLiteral(">"), "arvNextPage", QStringLiteral("Next Page"));
    m_last = tool(QStringLiteral(">|"), "arvLastPage", QStringLiteral("Last Page"));
    m_tools->addSeparator();
    m_zoom = new QComboBox(m_tools);
    m_zoom->setObjectName(QStringLiteral("arvZoom"));
    m_zoom->setToolTip(QStringLiteral("Zoom"));
    m_zoom->setEditable(true);
    m_zoom->setInsertPolicy(QComboBox::NoInsert);
    for (int z : {25, 50, 75, 100, 150, 200, 400})
        m_zoom->addItem(QStringLiteral("%1%").arg(z), z);
    m_tools->addWidget(m_zoom);
    m_tools->addSeparator();
    m_stop = tool(QStringLiteral("Stop"), "arvStop", QStringLiteral("Stop the report"));
    layout->addWidget(m_tools);

    m_view = new PageView(this);
    m_view->setObjectName(QStringLiteral("arvPages"));
    layout->addWidget(m_view, 1);

    m_timer = new QTimer(this);
    m_timer->setInterval(0);
    connect(m_timer, &QTimer::timeout, this, &ReportViewer::runSome);

    connect(m_first, &QAction::triggered, this, [this] { m_view->showPage(0); });
    connect(m_previous, &QAction::triggered, this,
            [this] { m_view->showPage(m_view->currentPage() - 1); });
    connect(m_next, &QAction::triggered, this,
            [this] { m_view->showPage(m_view->currentPage() + 1); });
    connect(m_last, &QAction::triggered, this, [this] { m_view->showPage(INT_MAX); });
    connect(m_stop, &QAction::triggered, this, &ReportViewer::stopClicked);
    connect(m_view, &PageView::currentPageChanged, this, &ReportViewer::updateTools);
    const auto zoomFromText = [this] {
        bool ok = false;
        QString text = m_zoom->currentText();
        text.remove(QLatin1Char('%'));
        const int z = text.trimmed().toInt(&ok);
        if (ok && z > 0)
            m_view->setZoom(z);
        m_zoom->setEditText(QStringLiteral("%1%").arg(m_view->zoom()));
        updateTools();
    };
    connect(m_zoom, &QComboBox::activated, this, zoomFromText);
    connect(m_zoom->lineEdit(), &QLineEdit::editingFinished, this, zoomFromText);
    setZoom(100);
    updateTools();
}

ReportViewer::~ReportViewer() = default;

void ReportViewer::setReportSource(std::unique_ptr<reports::ReportRunner> runner)
{
    m_document.reset();
    m_source = std::move(runner);
    m_view->setPages(m_source ? m_source->pages() : nullptr);
    if (m_source && m_source->isRunning())
        m_timer->start();
    updateTools();
}

void ReportViewer::loadDocument(std::shared_ptr<reports::PageCollection> pages)
{
    m_timer->stop();
    m_source.reset(); // a running report ends here
    m_document = std::move(pages);
    m_view->setPages(m_document);
    updateTools();
    emit progress();
}

std::shared_ptr<reports::PageCollection> ReportViewer::pagesToUse() const
{
    if (m_document && m_document->count() >= 1)
        return m_document;
    if (m_source && m_source->pages()->count() > 0)
        return m_source->pages();
    return nullptr;
}

bool ReportViewer::isRunning() const
{
    return m_source && m_source->isRunning();
}

void ReportViewer::runSome()
{
    if (isRunning()) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < kSliceMs && m_source->step(kRowsPerStep)) {
        }
    }
    m_view->pagesAdded();
    updateTools();
    emit progress();
    if (!isRunning() && m_timer->isActive()) {
        m_timer->stop();
        emit reportEnded();
    }
}

void ReportViewer::finishReport()
{
    if (!isRunning())
        return;
    HourglassCursor hourglass;
    m_source->run();
    runSome();
}

bool ReportViewer::stopReport()
{
    if (!isRunning())
        return false;
    m_source->stop();
    runSome();
    return true;
}

void ReportViewer::setZoom(int percent)
{
    m_view->setZoom(percent);
    m_zoom->setEditText(QStringLiteral("%1%").arg(m_view->zoom()));
    const int index = m_zoom->findData(m_view->zoom());
    if (index >= 0)
        m_zoom->setCurrentIndex(index);
}

int ReportViewer::zoom() const
{
    return m_view->zoom();
}

void ReportViewer::updateTools()
{
    const auto pages = m_view->pages();
    const int count = pages ? pages->count() : 0;
    const int current = m_view->currentPage();
    m_pageLabel->setText(count == 0 ? QString()
                                    : QStringLiteral("%1 of %2").arg(current + 1).arg(count));
    m_first->setEnabled(current > 0);
    m_previous->setEnabled(current > 0);
    m_next->setEnabled(current + 1 < count);
    m_last->setEnabled(current + 1 < count);
    m_stop->setEnabled(isRunning());
}

} // namespace tallix
