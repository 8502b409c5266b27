#include "controls/KwButtonBase.h"

#include "controls/Caption3D.h"
#include "controls/DispIds.h"

#include <QAbstractButton>
#include <QBitmap>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace Solido {

namespace D = DispId;

namespace {

constexpr int kGap = 3;

} // namespace

QAbstractButton* KwButtonBase::button() const
{
    return static_cast<QAbstractButton*>(widget());
}

std::optional<QVariant> KwButtonBase::nativeValue(const PropertyInfo& row) const
{
    if (row.dispId == D::Caption)
        return button()->text();
    return KwControl::nativeValue(row);
}

bool KwButtonBase::applyNative(const PropertyInfo& row, const QVariant& value)
{
    if (row.dispId == D::Caption) {
        button()->setText(value.toString());
        return true;
    }
    return KwControl::applyNative(row, value);
}

void KwButtonBase::applied(int dispId)
{
    switch (dispId) {
    case D::Shape:
    case D::ShapeSize:
    case D::AutoSize:
    case D::Picture:
        updateShape();
        break;
    default:
        break;
    }
    KwControl::applied(dispId);
}

void KwButtonBase::stateRead()
{
    updateShape();
    KwControl::stateRead();
}

int KwButtonBase::captionFlags() const
{
    return int(captionAlignment(Alignment())) | Qt::TextShowMnemonic |
           (CaptionStyle() == kwWrapped ? int(Qt::TextWordWrap) : int(Qt::TextSingleLine));
}

void KwButtonBase::paintButton(QPainter& p, ButtonState state, const QPixmap& picture) const
{
    paintBackground(p);
    const QRect inside = drawButtonEdges(p, widget()->rect(), look(), state, scheme());
    // The caption and picture move with the button while it is down.
    const QPoint shift =
        state != ButtonState::Up && ButtonStyle() != kwBorderless ? QPoint(1, 1) : QPoint();
    QRect captionRect = inside.translated(shift);
    p.save();
    p.setClipRect(inside);
    if (!picture.isNull()) {
        if (AutoSize() == kwPictureToButton) {
            p.drawPixmap(inside.translated(shift), picture);
        } else {
            const Constants_Alignment where = PictureAlignment();
            if (where <= kwCenterBottom || Caption().isEmpty()) {
                const Constants_Alignment at = where <= kwCenterBottom ? where : kwCenterMiddle;
                p.drawPixmap(placedIn(captionRect, picture.size(), at).topLeft(), picture);
            } else {
                // Beside the caption: both centred together.
                const QSize text =
                    QFontMetrics(widget()->font()).size(Qt::TextShowMnemonic, Caption());
                const bool across = where == kwLeftOfCaption || where == kwRightOfCaption;
                const QSize block = across ? QSize(picture.width() + kGap + text.width(),
                                                   std::max(picture.height(), text.height()))
                                           : QSize(std::max(picture.width(), text.width()),
                                                   picture.height() + kGap + text.height());
                const QRect b = placedIn(captionRect, block, kwCenterMiddle);
                QRect pic, cap;
                switch (where) {
                case kwLeftOfCaption:
                    pic = placedIn(QRect(b.topLeft(), QSize(picture.width(), b.height())),
                                   picture.size(), kwLeftMiddle);
                    cap = b.adjusted(picture.width() + kGap, 0, 0, 0);
                    break;
                case kwRightOfCaption:
                    pic = placedIn(b, picture.size(), kwRightMiddle);
                    cap = b.adjusted(0, 0, -(picture.width() + kGap), 0);
                    break;
                case kwTopOfCaption:
                    pic = placedIn(b, picture.size(), kwCenterTop);
                    cap = b.adjusted(0, picture.height() + kGap, 0, 0);
                    break;
                default:
                    pic = placedIn(b, picture.size(), kwCenterBottom);
                    cap = b.adjusted(0, 0, 0, -(picture.height() + kGap));
                    break;
                }
                p.drawPixmap(pic.topLeft(), picture);
                captionRect = cap.adjusted(-1, 0, 1, 0);
            }
        }
    }
    p.restore();
    paintCaption(p, captionRect, captionFlags(), Caption());
    if (widget()->hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(widget());
        focus.rect = inside.adjusted(1, 1, -1, -1);
        widget()->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, widget());
    }
}

QSize KwButtonBase::buttonSizeHint(const QSize& base) const
{
    const QRect frame = buttonInterior(QRect(0, 0, 100, 100), look());
    const int edges = 100 - frame.width();
    const QSize text = QFontMetrics(widget()->font()).size(Qt::TextShowMnemonic, Caption());
    QSize hint(std::max(base.width(), text.width() + edges + 12),
               std::max(base.height(), text.height() + edges + 4));
    const QPixmap picture = framed(Picture(), PictureFrames());
    if (AutoSize() == kwButtonToPicture && !picture.isNull())
        hint = picture.size() + QSize(edges, edges);
    return hint;
}

void KwButtonBase::updateShape()
{
    QWidget* w = widget();
    if (AutoSize() == kwButtonToPicture) {
        const QPixmap picture = framed(Picture(), PictureFrames());
        if (!picture.isNull()) {
            const int edges = w->width() - interior().width();
            w->resize(picture.size() + QSize(edges, edges));
        }
    }
    QPixmap shape = Shape();
    if (shape.isNull()) {
        w->clearMask();
        return;
    }
    if (ShapeSize() == kwControlToShape && w->size() != shape.size())
        w->resize(shape.size());
    else if (ShapeSize() == kwShapeToControl)
        shape = shape.scaled(w->size());
    const QBitmap mask = shape.hasAlphaChannel() ? shape.mask() : shape.createHeuristicMask();
    w->setMask(mask);
}

} // namespace Solido
