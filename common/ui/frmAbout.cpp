#include "common/ui/frmAbout.h"

#include "common/base/Maker.h"
#include "common/base/Messages.h"
#include "common/base/SupportMail.h"
#include "common/ui/HourglassCursor.h"
#include "common/ui/OleColor.h"

#include <QClipboard>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace tallix {

namespace {

// The active title bar's colour: the links' normal colour.
constexpr quint32 kActiveTitleBar = 0x80000002;

QLabel* namedLabel(const QString& text, const QString& name)
{
    auto* label = new QLabel(text);
    label->setObjectName(name);
    return label;
}

} // namespace

frmAbout::frmAbout(ProgramInfo program, QWidget* parent)
    : QDialog(parent)
    , m_program(std::move(program))
{
    setObjectName(QStringLiteral("frmAbout"));
    QFont font(QStringLiteral("Tahoma"), 9);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);
    setMouseTracking(true);

    // Load.
    setWindowTitle(QStringLiteral("About ") + m_program.title);
    m_lblTitle = namedLabel(m_program.title, QStringLiteral("lblTitle"));
    QFont titleFont = font;
    titleFont.setPointSize(16);
    titleFont.setBold(true);
    m_lblTitle->setFont(titleFont);
    m_lblVersion = namedLabel(versionLabel(m_program), QStringLiteral("lblVersion"));

    const QString addresses[] = {makerWebSite(), makerBugReportAddress(), makerSupportAddress()};
    for (int i = 0; i < 3; ++i) {
        QLabel* link = namedLabel(addresses[i], QStringLiteral("lblWebSite_%1").arg(i));
        link->setCursor(Qt::PointingHandCursor);
        link->setMouseTracking(true);
        link->installEventFilter(this);
        m_links[static_cast<std::size_t>(i)] = link;
        HoverLabel(i, false);
    }

    m_cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."));
    m_cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    m_cmdSysInfo->setAutoDefault(false);
    m_cmdOK = new QPushButton(QStringLiteral("&OK"));
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setDefault(true);

    auto* links = new QGridLayout;
    links->setHorizontalSpacing(12);
    links->addWidget(namedLabel(QStringLiteral("Web Site:"), QStringLiteral("lblWebSiteLabel")), 0,
                     0);
    links->addWidget(m_links[0], 0, 1);
    links->addWidget(
        namedLabel(QStringLiteral("Bug Reports:"), QStringLiteral("lblBugReportLabel")), 1, 0);
    links->addWidget(m_links[1], 1, 1);
    links->addWidget(namedLabel(QStringLiteral("Support:"), QStringLiteral("lblSupport")), 2, 0);
    links->addWidget(m_links[2], 2, 1);
    links->setColumnStretch(1, 1);

    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdSysInfo);
    buttons->addWidget(m_cmdOK);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 14);
    layout->addWidget(m_lblTitle);
    layout->addWidget(m_lblVersion);
    layout->addSpacing(14);
    layout->addLayout(links);
    layout->addSpacing(14);
    layout->addWidget(line);
    layout->addLayout(buttons);

    connect(m_cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);
}

void frmAbout::HoverLabel(int index, bool hover)
{
    if (index < 0 || index > 2)
        return;
    QLabel* link = m_links[static_cast<std::size_t>(index)];
    QFont font = link->font();
    font.setUnderline(hover);
    link->setFont(font);
    QPalette palette = link->palette();
    palette.setColor(QPalette::WindowText,
                     hover ? QColor(255, 0, 255) : fromOleColor(kActiveTitleBar));
    link->setPalette(palette);
    m_hovered[static_cast<std::size_t>(index)] = hover;
}

bool frmAbout::isHovered(int index) const
{
    return index >= 0 && index <= 2 && m_hovered[static_cast<std::size_t>(index)];
}

void frmAbout::mouseMoveEvent(QMouseEvent* event)
{
    for (int i = 0; i < 3; ++i)
        HoverLabel(i, false);
    QDialog::mouseMoveEvent(event);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event)
{
    for (int i = 0; i < 3; ++i) {
        if (watched != m_links[static_cast<std::size_t>(i)])
            continue;
        if (event->type() == QEvent::Enter) {
            HoverLabel(i, true);
        } else if (event->type() == QEvent::MouseMove) {
            // Consumed, or the label would pass it on to the form, which resets every link.
            HoverLabel(i, true);
            return true;
        } else if (event->type() == QEvent::MouseButtonRelease &&
                   static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            linkClicked(i);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmAbout::linkClicked(int index)
{
    {
        const HourglassCursor busy;
        if (index == 0) {
            ShellLaunch(m_links[0]->text(), m_program.title);
            HoverLabel(0, false);
        } else if (index == 1 || index == 2) {
            const MailKind kind = index == 1 ? MailKind::BugReport : MailKind::SupportRequest;
            const auto answer = messages().ask(supportMailQuestion(kind), m_program.title,
                                               IMessages::Icon::Question, IMessages::Buttons::YesNo,
                                               IMessages::Answer::Yes);
            if (answer == IMessages::Answer::Yes) {
                HoverLabel(index, false);
                const QString body = supportMailBody(m_program, kind);
                QClipboard* clipboard = QGuiApplication::clipboard();
                clipboard->clear();
                clipboard->setText(body);
                ShellLaunch(supportMailAddress(body, kind), m_program.title);
            }
        }
    }
    accept();
}

QStringList frmAbout::systemInfoPrograms()
{
    return {QStringLiteral("kinfocenter"), QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"),
            QStringLiteral("gnome-system-monitor")};
}

void frmAbout::StartSysInfo()
{
    for (const QString& name : systemInfoPrograms()) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty() && messages().startProgram(path, {}))
            return;
    }
    messages().showMessage(QStringLiteral("System Information Is Unavailable At This Time"),
                           m_program.title, IMessages::Icon::None);
}

} // namespace tallix
