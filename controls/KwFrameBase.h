#pragma once

#include "controls/DispIds.h"
#include "controls/KwControl.h"

namespace Solido {

// The containers' core (frame and panel): a background picture and clipping of the controls
// they hold.
class SOLIDO3D_EXPORT KwFrameBase : public KwControl {
public:
    Constants_PictureBackgroundStyle PictureBackgroundStyle() const
    {
        return Constants_PictureBackgroundStyle(intValue(DispId::PictureBackgroundStyle));
    }
    void setPictureBackgroundStyle(Constants_PictureBackgroundStyle style)
    {
        put(DispId::PictureBackgroundStyle, int(style));
    }
    QPixmap PictureBackground() const { return pictureValue(DispId::PictureBackground); }
    void setPictureBackground(const QPixmap& picture) { put(DispId::PictureBackground, picture); }
    bool ClipControls() const { return boolValue(DispId::ClipControls); }
    void setClipControls(bool on) { put(DispId::ClipControls, on); }
    bool PictureBackgroundUseMask() const { return boolValue(DispId::PictureBackgroundUseMask); }
    void setPictureBackgroundUseMask(bool on) { put(DispId::PictureBackgroundUseMask, on); }

    QString Caption() const { return textValue(DispId::Caption); }
    void setCaption(const QString& caption) { put(DispId::Caption, caption); }

protected:
    using KwControl::KwControl;

    // The background colour, then the background picture centred, stretched or tiled in `r`.
    void paintContainerBackground(QPainter& p, const QRect& r) const;
    QString captionText() const override { return Caption(); }
};

} // namespace Solido
