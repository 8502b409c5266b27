#pragma once

#include "controls/DispIds.h"
#include "controls/Edges.h"
#include "controls/KwControl.h"

#include <QWidget>

class QAbstractButton;

namespace Solido {

// The core of the ribbon and command buttons: edges by ButtonStyle, a caption and pictures for
// the up, down and disabled states, and an optional shape.
class SOLIDO3D_EXPORT KwButtonBase : public KwControl {
public:
    QString Caption() const { return textValue(DispId::Caption); }
    void setCaption(const QString& caption) { put(DispId::Caption, caption); }
    bool Value() const { return boolValue(DispId::Value); }
    void setValue(bool on) { put(DispId::Value, on); }
    Constants_Alignment Alignment() const
    {
        return Constants_Alignment(intValue(DispId::Alignment));
    }
    void setAlignment(Constants_Alignment alignment) { put(DispId::Alignment, int(alignment)); }
    Constants_AutoSizeButton AutoSize() const
    {
        return Constants_AutoSizeButton(intValue(DispId::AutoSize));
    }
    void setAutoSize(Constants_AutoSizeButton size) { put(DispId::AutoSize, int(size)); }
    int BevelWidth() const { return intValue(DispId::BevelWidth); }
    void setBevelWidth(int width) { put(DispId::BevelWidth, width); }
    Constants_ButtonStyle ButtonStyle() const
    {
        return Constants_ButtonStyle(intValue(DispId::ButtonStyle));
    }
    void setButtonStyle(Constants_ButtonStyle style) { put(DispId::ButtonStyle, int(style)); }
    bool Outline() const { return boolValue(DispId::Outline); }
    void setOutline(bool on) { put(DispId::Outline, on); }
    Constants_Alignment PictureAlignment() const
    {
        return Constants_Alignment(intValue(DispId::PictureAlignment));
    }
    void setPictureAlignment(Constants_Alignment alignment)
    {
        put(DispId::PictureAlignment, int(alignment));
    }
    QPixmap PictureDisabled() const { return pictureValue(DispId::PictureDisabled); }
    void setPictureDisabled(const QPixmap& picture) { put(DispId::PictureDisabled, picture); }
    int PictureDisabledFrames() const { return intValue(DispId::PictureDisabledFrames); }
    void setPictureDisabledFrames(int frames) { put(DispId::PictureDisabledFrames, frames); }
    QPixmap PictureDn() const { return pictureValue(DispId::PictureDn); }
    void setPictureDn(const QPixmap& picture) { put(DispId::PictureDn, picture); }
    int PictureDnFrames() const { return intValue(DispId::PictureDnFrames); }
    void setPictureDnFrames(int frames) { put(DispId::PictureDnFrames, frames); }
    // A picture whose opaque pixels give the button its shape.
    QPixmap Shape() const { return pictureValue(DispId::Shape); }
    void setShape(const QPixmap& shape) { put(DispId::Shape, shape); }
    Constants_ShapeSize ShapeSize() const
    {
        return Constants_ShapeSize(intValue(DispId::ShapeSize));
    }
    void setShapeSize(Constants_ShapeSize size) { put(DispId::ShapeSize, int(size)); }
    bool RoundedCorners() const { return boolValue(DispId::RoundedCorners); }
    void setRoundedCorners(bool on) { put(DispId::RoundedCorners, on); }

    ButtonLook look() const { return {ButtonStyle(), BevelWidth(), Outline(), RoundedCorners()}; }
    // The area inside the edges, where the caption and picture stand.
    QRect interior() const { return buttonInterior(widget()->rect(), look()); }

protected:
    using KwControl::KwControl;

    QAbstractButton* button() const;
    std::optional<QVariant> nativeValue(const PropertyInfo& row) const override;
    bool applyNative(const PropertyInfo& row, const QVariant& value) override;
    void applied(int dispId) override;
    void stateRead() override;
    QRect captionArea() const override { return interior(); }
    int captionFlags() const override;
    QString captionText() const override { return Caption(); }

    // Paints the button in `state` with `picture` (already the frame to show).
    void paintButton(QPainter& p, ButtonState state, const QPixmap& picture) const;
    QSize buttonSizeHint(const QSize& base) const;
    // The up picture's current frame, and the same frame of another picture.
    QPixmap framed(const QPixmap& picture, int frames) const
    {
        return shownPicture(picture, frames, PictureFrame());
    }
    // Follows Shape, ShapeSize and AutoSize after a change of size or of those properties.
    void updateShape();
};

} // namespace Solido
