#include "controls/KwPanel.h"

#include "controls/Caption3D.h"
#include "controls/DispIds.h"

#include <QFontMetrics>
#include <QPainter>
#include <QSplitter>

namespace Solido {

namespace D = DispId;

namespace {

constexpr int kPictureGap = 2;

} // namespace

KwPanel::KwPanel(QWidget* parent)
    : KwPanelWidget(parent, KwFamily::Panel)
{
    updateGeometryFromProperties();
    watchSplitter();
}

KwPanel::~KwPanel() = default;

int KwPanel::captionFlags() const
{
    return int(captionAlignment(Alignment())) |
           (CaptionStyle() == kwWrapped ? int(Qt::TextWordWrap) : int(Qt::TextSingleLine));
}

QColor KwPanel::captionShadow() const
{
    return ShadowColor() == kwBlack ? QColor(Qt::black) : scheme().shadow;
}

QSize KwPanel::sizeHint() const
{
    if (layout()) // a panel holding laid-out controls is as big as they need
        return KwPanelWidget::sizeHint();
    const int inset = panelContentArea(QRect(0, 0, 100, 100), frame()).left();
    const QSize text = QFontMetrics(font()).size(Qt::TextSingleLine, Caption());
    return text + QSize(2 * inset + 8, 2 * inset + 4);
}

void KwPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const ColorScheme colors = scheme();
    const QRect content = contentArea();
    if (BackStyle() == kwOpaque) {
        QRegion background(rect());
        if (Outline() && RoundedCorners()) // the corners show the container
            for (const QPoint corner :
                 {rect().topLeft(), rect().topRight(), rect().bottomLeft(), rect().bottomRight()})
                background -= QRect(corner, QSize(1, 1));
        p.setClipRegion(background);
        paintContainerBackground(p, rect());
        p.setClipping(false);
    }
    drawPanelFrame(p, rect(), frame(), colors, RoundedCorners());

    const Flood flood{FloodType(), FloodFillStyle(), FloodPercent()};
    drawFlood(p, content, flood, resolved(D::FloodColor), FloodShowPct(), resolved(D::ForeColor),
              font());

    QRect captionRect = content;
    const QPixmap picture = shownPicture();
    if (!picture.isNull()) {
        const Constants_Alignment where = PictureAlignment();
        QRect at;
        if (where <= kwCenterBottom) {
            at = placedIn(content, picture.size(), where);
        } else {
            // Beside the caption: the caption keeps its place, less the picture's room.
            const QRect text =
                QFontMetrics(font()).boundingRect(content, captionFlags(), Caption());
            const int room =
                (where == kwLeftOfCaption || where == kwRightOfCaption ? picture.width()
                                                                       : picture.height()) +
                kPictureGap;
            switch (where) {
            case kwLeftOfCaption:
                captionRect.setLeft(captionRect.left() + room);
                at = QRect(text.left() + room / 2 - room,
                           content.center().y() - picture.height() / 2, picture.width(),
                           picture.height());
                break;
            case kwRightOfCaption:
                captionRect.setRight(captionRect.right() - room);
                at = QRect(text.right() - room / 2 + kPictureGap,
                           content.center().y() - picture.height() / 2, picture.width(),
                           picture.height());
                break;
            case kwTopOfCaption:
                captionRect.setTop(captionRect.top() + room);
                at = QRect(content.center().x() - picture.width() / 2, text.top() + room / 2 - room,
                           picture.width(), picture.height());
                break;
            default:
                captionRect.setBottom(captionRect.bottom() - room);
                at = QRect(content.center().x() - picture.width() / 2,
                           text.bottom() - room / 2 + kPictureGap, picture.width(),
                           picture.height());
                break;
            }
        }
        p.save();
        p.setClipRect(content);
        p.drawPixmap(at.topLeft(), picture);
        p.restore();
    }
    paintCaption(p, captionRect, captionFlags(), Caption());
}

void KwPanel::resizeEvent(QResizeEvent* event)
{
    KwPanelWidget::resizeEvent(event);
    if (AutoSize() == kwChildToPanel)
        updateGeometryFromProperties();
}

bool KwPanel::event(QEvent* event)
{
    if (event->type() == QEvent::ParentChange)
        watchSplitter();
    return KwPanelWidget::event(event);
}

void KwPanel::watchSplitter()
{
    disconnect(m_splitterMoved);
    auto* splitter = qobject_cast<QSplitter*>(parentWidget());
    if (!splitter)
        return;
    m_splitterMoved =
        connect(splitter, &QSplitter::splitterMoved, this, [this, splitter](int, int bar) {
            // Bar i lies between panes i - 1 and i.
            const int pane = splitter->indexOf(this);
            if (pane == bar || pane == bar - 1)
                emit Resize();
        });
}

void KwPanel::applied(int dispId)
{
    switch (dispId) {
    case D::FloodPercent:
        // Only the flood area, at once.
        repaint(contentArea());
        return;
    case D::BevelWidth:
    case D::BorderWidth:
    case D::BevelOuter:
    case D::BevelInner:
    case D::Outline:
    case D::AutoSize:
    case D::Caption:
    case D::CaptionStyle:
    case D::Font:
    case D::FontName:
    case D::FontSize:
    case D::FontBold:
    case D::FontItalic:
        updateGeometryFromProperties();
        break;
    default:
        break;
    }
    KwPanelWidget::applied(dispId);
}

void KwPanel::stateRead()
{
    updateGeometryFromProperties();
    KwPanelWidget::stateRead();
}

void KwPanel::updateGeometryFromProperties()
{
    // Child layouts keep inside the frame.
    const QRect content = contentArea();
    const int inset = std::max(0, content.left() - rect().left());
    setContentsMargins(inset, inset, inset, inset);
    const QFontMetrics metrics(font());
    switch (AutoSize()) {
    case kwWidthToCaption:
        resize(metrics.horizontalAdvance(Caption()) + 2 * inset + 4, height());
        break;
    case kwHeightToCaption:
        resize(width(), metrics.boundingRect(QRect(0, 0, std::max(1, width() - 2 * inset), 10000),
                                             captionFlags(), Caption())
                                .height() +
                            2 * inset + 2);
        break;
    case kwChildToPanel:
        for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            child->setGeometry(content);
        break;
    case kwNoneAutoSize:
        break;
    }
}

} // namespace Solido
