#include "controls/KwFrameBase.h"

#include "controls/DispIds.h"

#include <QPainter>
#include <QWidget>

namespace Solido {

namespace D = DispId;

void KwFrameBase::paintContainerBackground(QPainter& p, const QRect& r) const
{
    paintBackground(p);
    QPixmap picture = PictureBackground();
    if (picture.isNull())
        return;
    if (PictureBackgroundUseMask())
        picture.setMask(
            picture.createMaskFromColor(resolved(D::PictureMaskColor), Qt::MaskInColor));
    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    switch (PictureBackgroundStyle()) {
    case kwStretched:
        p.drawPixmap(r, picture);
        break;
    case kwTiled:
        p.drawTiledPixmap(r, picture);
        break;
    case kwCentered:
        p.drawPixmap(r.center() - QPoint(picture.width() / 2, picture.height() / 2), picture);
        break;
    }
    p.restore();
}

} // namespace Solido
