#pragma once

#include "controls/DispIds.h"
#include "controls/KwFrameBase.h"
#include "controls/KwProperties.h"
#include "controls/KwWidget.h"

namespace Solido {

class KwFrame;
using KwFrameWidget = KwWidget<KwFrame, QWidget, KwFrameBase>;

// A frame: a container with an etched or raised line around the controls it holds and its
// caption set into the line at the top or bottom.
class SOLIDO3D_EXPORT KwFrame : public KwFrameWidget {
    Q_OBJECT
    KW_BASE_PROPERTIES
    KW_FRAME_BASE_PROPERTIES
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(Solido::Constants_AlignFrameText Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(Solido::Constants_ShadowColor ShadowColor READ ShadowColor WRITE setShadowColor)
    Q_PROPERTY(Solido::Constants_ShadowStyle ShadowStyle READ ShadowStyle WRITE setShadowStyle)
    Q_PROPERTY(Solido::Constants_PictureAlignment PictureAlignment READ PictureAlignment WRITE
                   setPictureAlignment)
    KW_BASE_SIGNALS

public:
    explicit KwFrame(QWidget* parent = nullptr);

    Constants_AlignFrameText Alignment() const
    {
        return Constants_AlignFrameText(intValue(DispId::Alignment));
    }
    void setAlignment(Constants_AlignFrameText alignment)
    {
        put(DispId::Alignment, int(alignment));
    }
    Constants_ShadowColor ShadowColor() const
    {
        return Constants_ShadowColor(intValue(DispId::ShadowColor));
    }
    void setShadowColor(Constants_ShadowColor color) { put(DispId::ShadowColor, int(color)); }
    Constants_ShadowStyle ShadowStyle() const
    {
        return Constants_ShadowStyle(intValue(DispId::ShadowStyle));
    }
    void setShadowStyle(Constants_ShadowStyle style) { put(DispId::ShadowStyle, int(style)); }
    Constants_PictureAlignment PictureAlignment() const
    {
        return Constants_PictureAlignment(intValue(DispId::PictureAlignment));
    }
    void setPictureAlignment(Constants_PictureAlignment alignment)
    {
        put(DispId::PictureAlignment, int(alignment));
    }

    // Where the caption stands, in the line.
    QRect captionRect() const;

Q_SIGNALS:
    void Click();
    void DblClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void applied(int dispId) override;
    void stateRead() override;
    QRect captionArea() const override;
    int captionFlags() const override;
    QColor captionShadow() const override;

private:
    bool atBottom() const { return Alignment() >= kwBottomLeft; }
    void updateMargins();
};

} // namespace Solido
