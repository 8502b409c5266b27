#include "controls/KwFrame.h"

#include "controls/DispIds.h"

#include <QFontMetrics>
#include <QPainter>

namespace Solido {

namespace D = DispId;

namespace {

constexpr int kCaptionIndent = 8;
constexpr int kCaptionGap = 2;

} // namespace

KwFrame::KwFrame(QWidget* parent)
    : KwFrameWidget(parent, KwFamily::Frame)
{
    updateMargins();
}

QRect KwFrame::captionArea() const
{
    const int h = QFontMetrics(font()).height();
    const int y = atBottom() ? height() - h : 0;
    return QRect(kCaptionIndent, y, std::max(0, width() - 2 * kCaptionIndent), h);
}

int KwFrame::captionFlags() const
{
    switch (Alignment()) {
    case kwTopRight:
    case kwBottomRight:
        return int(Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine);
    case kwTopCenter:
    case kwBottomCenter:
        return int(Qt::AlignCenter | Qt::TextSingleLine);
    default:
        return int(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine);
    }
}

QColor KwFrame::captionShadow() const
{
    return ShadowColor() == kwBlack ? QColor(Qt::black) : scheme().shadow;
}

QRect KwFrame::captionRect() const
{
    if (Caption().isEmpty())
        return {};
    const QRect area = captionArea();
    const QRect text = QFontMetrics(font()).boundingRect(area, captionFlags(), Caption());
    return text.adjusted(-kCaptionGap, 0, kCaptionGap, 0);
}

void KwFrame::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paintContainerBackground(p, rect());
    const ColorScheme colors = scheme();
    const int h = QFontMetrics(font()).height();
    // The line runs through the middle of the caption's row.
    const int top = atBottom() ? 0 : h / 2;
    const int bottom = atBottom() ? height() - h / 2 : height();
    const QColor dark = ShadowColor() == kwBlack ? QColor(Qt::black) : colors.shadow;
    const QColor first = ShadowStyle() == kwInsetShadow ? dark : colors.highlight;
    const QColor second = ShadowStyle() == kwInsetShadow ? colors.highlight : dark;
    QRect caption = captionRect();
    const QPixmap picture = shownPicture();
    QRect pictureAt;
    if (!picture.isNull()) {
        const int y = captionArea().center().y() - picture.height() / 2;
        switch (PictureAlignment()) {
        case kwPARightOfCaption:
            pictureAt = QRect(QPoint(caption.isNull() ? kCaptionIndent : caption.right() + 1, y),
                              picture.size());
            break;
        case kwPAJustify:
            pictureAt =
                QRect(QPoint(width() - kCaptionIndent - picture.width(), y), picture.size());
            break;
        case kwPALeftOfCaption:
            pictureAt = QRect(
                QPoint((caption.isNull() ? kCaptionIndent : caption.left()) - picture.width(), y),
                picture.size());
            break;
        }
    }
    QRegion lines(rect());
    lines -= caption;
    lines -= pictureAt;
    p.setClipRegion(lines);
    p.setPen(first);
    p.drawRect(QRect(0, top, width() - 1, bottom - top - 1).adjusted(0, 0, -1, -1));
    p.setPen(second);
    p.drawRect(QRect(1, top + 1, width() - 1, bottom - top - 1).adjusted(0, 0, -1, -1));
    p.setClipping(false);
    if (!picture.isNull())
        p.drawPixmap(pictureAt.topLeft(), picture);
    paintCaption(p, captionArea(), captionFlags(), Caption());
}

void KwFrame::applied(int dispId)
{
    if (dispId == D::Alignment || dispId == D::Font || dispId == D::FontSize)
        updateMargins();
    KwFrameWidget::applied(dispId);
}

void KwFrame::stateRead()
{
    updateMargins();
    KwFrameWidget::stateRead();
}

void KwFrame::updateMargins()
{
    const int h = QFontMetrics(font()).height();
    setContentsMargins(4, atBottom() ? 4 : h + 2, 4, atBottom() ? h + 2 : 4);
}

} // namespace Solido
