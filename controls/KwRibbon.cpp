#include "controls/KwRibbon.h"

#include "controls/DispIds.h"

#include <QPainter>

namespace Solido {

namespace D = DispId;

namespace {

// The down picture made from the up picture: every other pixel lightened, or inverted.
QPixmap changedForDown(const QPixmap& up, Constants_PictureDnChange change, const QColor& light)
{
    if (up.isNull() || change == kwNoChange)
        return up;
    QImage image = up.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            if (change == kwInvert)
                line[x] = qRgba(255 - qRed(line[x]), 255 - qGreen(line[x]), 255 - qBlue(line[x]),
                                qAlpha(line[x]));
            else if ((x + y) % 2 == 0)
                line[x] = light.rgba();
        }
    }
    return QPixmap::fromImage(image);
}

} // namespace

KwRibbon::KwRibbon(QWidget* parent)
    : KwRibbonWidget(parent, KwFamily::Ribbon)
{
    connect(this, &QAbstractButton::clicked, this, &KwRibbon::clickedByUser);
}

QList<KwRibbon*> KwRibbon::groupMembers() const
{
    QList<KwRibbon*> members;
    if (GroupNumber() == 0 || !parentWidget())
        return members;
    for (KwRibbon* other :
         parentWidget()->findChildren<KwRibbon*>(QString(), Qt::FindDirectChildrenOnly))
        if (other != this && other->GroupNumber() == GroupNumber())
            members << other;
    return members;
}

void KwRibbon::clickedByUser()
{
    bool value = !Value();
    // A group that must keep one button down keeps this one down.
    if (!value && GroupNumber() != 0 && !GroupAllowAllUp())
        value = true;
    emit Click(value);
    setValue(value);
}

void KwRibbon::applied(int dispId)
{
    if (dispId == D::Value && Value())
        for (KwRibbon* other : groupMembers())
            other->setValue(false);
    KwRibbonWidget::applied(dispId);
}

QPixmap KwRibbon::currentPicture() const
{
    const bool down = Value() || isDown();
    const QPixmap up = PictureUp().isNull() ? framed(Picture(), PictureFrames())
                                            : framed(PictureUp(), PictureFrames());
    if (!isEnabled()) {
        const QPixmap disabled = down && !PictureDnDisabled().isNull()
                                     ? framed(PictureDnDisabled(), PictureDnDisabledFrames())
                                     : framed(PictureDisabled(), PictureDisabledFrames());
        if (!disabled.isNull())
            return disabled;
    }
    if (!down)
        return up;
    if (!PictureDn().isNull())
        return framed(PictureDn(), PictureDnFrames());
    return changedForDown(up, PictureDnChange(), scheme().highlight);
}

void KwRibbon::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const ButtonState state = isDown()  ? ButtonState::Pressed
                              : Value() ? ButtonState::Latched
                                        : ButtonState::Up;
    paintButton(p, state, currentPicture());
}

void KwRibbon::resizeEvent(QResizeEvent* event)
{
    KwRibbonWidget::resizeEvent(event);
    if (!Shape().isNull())
        updateShape();
}

} // namespace Solido
