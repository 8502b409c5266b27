#include "controls/KwOptionBase.h"

#include "controls/DispIds.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace Solido {

namespace D = DispId;

namespace {

constexpr int kGap = 4;

} // namespace

QAbstractButton* KwOptionBase::button() const
{
    return static_cast<QAbstractButton*>(widget());
}

std::optional<QVariant> KwOptionBase::nativeValue(const PropertyInfo& row) const
{
    if (row.dispId == D::Caption)
        return button()->text();
    return KwControl::nativeValue(row);
}

bool KwOptionBase::applyNative(const PropertyInfo& row, const QVariant& value)
{
    if (row.dispId == D::Caption) {
        button()->setText(value.toString());
        return true;
    }
    return KwControl::applyNative(row, value);
}

QRect KwOptionBase::indicatorRect() const
{
    const QRect r = widget()->rect();
    const int y = r.top() + (r.height() - kIndicator) / 2;
    const int x = Alignment() == kwTextRight ? r.left() + 1 : r.right() - kIndicator;
    return QRect(x, y, kIndicator, kIndicator);
}

QRect KwOptionBase::textRect() const
{
    const QRect r = widget()->rect();
    if (Alignment() == kwTextRight)
        return r.adjusted(kIndicator + 1 + kGap, 0, 0, 0);
    return r.adjusted(0, 0, -(kIndicator + 1 + kGap), 0);
}

int KwOptionBase::captionFlags() const
{
    const int across = Alignment() == kwTextRight ? Qt::AlignLeft : Qt::AlignRight;
    return across | Qt::AlignVCenter |
           (CaptionStyle() == kwWrapped ? Qt::TextWordWrap : Qt::TextSingleLine) |
           Qt::TextShowMnemonic;
}

void KwOptionBase::paintOption(QPainter& p,
                               const std::function<void(QPainter&, const QRect&)>& drawIndicator,
                               const QPixmap& graphics, int graphicsFrames, int graphicsFrame,
                               bool graphicsUseMask, uint graphicsMaskColor) const
{
    paintBackground(p);
    const QRect indicator = indicatorRect();
    if (graphics.isNull()) {
        drawIndicator(p, indicator);
    } else {
        QImage frame = graphics.toImage();
        const int w = frame.width() / std::max(1, graphicsFrames);
        frame = frame.copy(std::min(graphicsFrame, graphicsFrames - 1) * w, 0, w, frame.height());
        QPixmap shown = QPixmap::fromImage(frame);
        if (graphicsUseMask)
            shown.setMask(
                shown.createMaskFromColor(resolveColor(graphicsMaskColor), Qt::MaskInColor));
        p.drawPixmap(indicator.center() - QPoint(shown.width() / 2, shown.height() / 2), shown);
    }
    QRect text = textRect();
    const QPixmap picture = shownPicture();
    if (!picture.isNull()) {
        const QRect extent =
            QFontMetrics(widget()->font()).boundingRect(text, captionFlags(), Caption());
        const int y = text.center().y() - picture.height() / 2;
        const bool before = PictureAlignment() == kwPALeftOfCaption;
        const bool textLeads = Alignment() == kwTextRight;
        int x;
        if (PictureAlignment() == kwPAJustify)
            x = textLeads ? text.right() + 1 - picture.width() : text.left();
        else if (before)
            x = textLeads ? text.left() : extent.left() - picture.width() - kGap;
        else
            x = textLeads ? extent.right() + 1 + kGap : text.right() + 1 - picture.width();
        if (before && textLeads)
            text.setLeft(text.left() + picture.width() + kGap);
        if (!before && !textLeads && PictureAlignment() != kwPAJustify)
            text.setRight(text.right() - picture.width() - kGap);
        p.drawPixmap(x, y, picture);
    }
    paintCaption(p, text, captionFlags(), Caption());
    if (widget()->hasFocus() && !Caption().isEmpty()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(widget());
        focus.rect = QFontMetrics(widget()->font())
                         .boundingRect(text, captionFlags(), Caption())
                         .adjusted(-1, 0, 1, 0)
                         .intersected(widget()->rect());
        widget()->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, widget());
    }
}

QSize KwOptionBase::optionSizeHint() const
{
    const QSize text = QFontMetrics(widget()->font()).size(Qt::TextShowMnemonic, Caption());
    const int pictureWidth =
        Picture().isNull() ? 0 : Picture().width() / std::max(1, PictureFrames()) + kGap;
    return QSize(kIndicator + 1 + kGap + text.width() + pictureWidth + 2,
                 std::max({kIndicator + 2, text.height() + 2, Picture().height()}));
}

} // namespace Solido
